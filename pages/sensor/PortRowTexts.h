// The connection page's texts and measures that need no window: the two baud rates as the
// Baud rate cells show them, and the shares of the list's width per column. The page shows
// the messages; these only answer, -1 for what they do not know.
#pragma once

#include <array>

#include "platform/base/CString.h"

// 115200 "115,2k", 230400 "230,4k", else "unknown(error)".
CString BaudrateText(int rate);
// "115,2k" (or "115.2k") 9, "230,4k" 16; -1 for any other text.
int BaudrateCodeFromText(const CString& cellText);
// The choice index of a rate in the Baud rate cell: 115200 0, 230400 1, -1 otherwise.
int BaudrateChoiceIndex(int rate);

constexpr int kPortListColumns = 8;
// The width of each column for a list of the given width: the usable width (list width - 98)
// shared by the weights 36, 5, 10, 4, 12, 12, 17, 30, the last column taking the rest less 2.
// No width is below 0.
std::array<int, kPortListColumns> PortListColumnWidths(int listWidth);
// The Update button's width beside the check boxes of width checkWidth: never below 0.
int UpdateButtonWidth(int listWidth, int checkWidth);
