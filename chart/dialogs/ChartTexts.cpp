#include "chart/dialogs/ChartTexts.h"

#include <vector>

#include "chart/dialogs/ChartTabPage.h"
#include "foundation/Language.h"

namespace kq::chart {
namespace {

constexpr int kFirstTextId = 5720;  // German; the other languages at their offsets
constexpr const char* kEnglish[] = {"Left",    "Right",     "Centered",      "Line",
                                    "Scatter", "Automatic", "More Colors..."};

}  // namespace

CString ChartTextOf(ChartText text) {
    const int index = static_cast<int>(text);
    CString found;
    return FindLanguageString(kFirstTextId + index, found) ? found : CString(kEnglish[index]);
}

void FillList(CWnd* dialog, int listId, std::initializer_list<ChartText> texts) {
    std::vector<CString> shown;
    for (ChartText text : texts)
        shown.push_back(ChartTextOf(text));
    std::vector<const char*> items;
    for (const CString& text : shown)
        items.push_back(text.GetString());
    FillList(dialog, listId, items.data(), static_cast<int>(items.size()));
}

}  // namespace kq::chart
