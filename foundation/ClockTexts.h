// The texts of the status bar's clock panes and the frame's date and time formatting, by
// language offset (0 German, 1000 English, 4000 French).
#pragma once

#include <cstdint>

#include "platform/base/CString.h"

// " hh:mm Uhr" (German), " hh:mm AM/PM" in the 12-hour form (English), " hh:mm " (French).
CString FormatTimePaneText(int hour, int minute, int languageOffset);
// " mm/dd/yyyy " in English, " dd.mm.yyyy " otherwise; "n.a." outside day 1-31, month 1-12,
// year 1970-3000.
CString FormatDateText(int day, int month, int year, int languageOffset);
// " hh:mm:ss" of the seconds, hours taken modulo 24.
CString FormatTimeText(int64_t seconds);
