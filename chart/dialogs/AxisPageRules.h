// The axis page's arithmetic, apart from its window: a time step split into a count of the
// largest unit that divides it, the number format chosen for a range, and the decimals of a
// number format.
#pragma once

#include "platform/base/CString.h"

namespace kq::chart {

// Seconds per time unit 0 seconds, 1 minutes, 2 hours, 3 days.
double SecondsOfTimeUnit(int unit);

struct TimeStep {
    int count = 1;
    int unit = 0;
};
// A step in days as a count of the largest unit that divides it (days only above one day, so
// a day reads as 24 hours), rounded to the nearest second first: an hour taken as a difference
// of two dates is one hour, not 3599 seconds. At least 1 second, at most 22118400 units.
TimeStep SplitTimeStep(double stepDays);
// The step in days of count units (computed in doubles: large counts do not overflow).
double TimeStepDays(int count, int unit);

// "%5.<d>e" when the range reaches beyond 1e6 or holds a non-zero value below 1e-6 in size,
// "%5.<d>f" otherwise.
CString NumberFormatFor(double min, double max, int decimals);
// The number after the first "." of a format ("%5.3f": 3), kept within 0..6; fallback when the
// format has none.
int DecimalsOfFormat(const CString& format, int fallback);
// Line feeds shown as the two characters backslash and n, and back.
CString EscapeLineFeeds(const CString& text);
CString UnescapeLineFeeds(const CString& text);

}  // namespace kq::chart
