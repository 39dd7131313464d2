// The texts of the chart's three property pages (chart, axis, curve) as the live diagram hands
// them to the property sheet: a control id and its text, -1 for the page's caption and -2 for
// its tab title.
#pragma once

#include <vector>

#include "platform/base/CString.h"

struct DlgTextElement {
    int id;
    CString text;
};
using PageTexts = std::vector<DlgTextElement>;

inline constexpr int kPageCaption = -1;
inline constexpr int kPageTabTitle = -2;
// Tabs of the property sheet.
inline constexpr int kChartPageTexts = 0;
inline constexpr int kAxisPageTexts = 1;
inline constexpr int kCurvePageTexts = 2;

// The German texts the live diagram starts with.
PageTexts DefaultPageTexts(int page);
// The texts from the string tables in the current language.
PageTexts LanguagePageTexts(int page);
