// The words the chart's dialogs show on their own (the choices of their lists, the boxes of the
// colour popup) in the session's language, from the string table; English where it has none.
#pragma once

#include <initializer_list>

#include "platform/base/CString.h"

class CWnd;

namespace kq::chart {

enum class ChartText { Left, Right, Centered, Line, Scatter, Automatic, MoreColors };

CString ChartTextOf(ChartText text);
// Replaces the items of the dialog's drop-down list with the texts, in this order.
void FillList(CWnd* dialog, int listId, std::initializer_list<ChartText> texts);

}  // namespace kq::chart
