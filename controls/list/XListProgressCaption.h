// The caption of a progress cell: the caller's pattern with the percent put in. The pattern is
// read here, never handed to printf, so a pattern from anywhere is safe.
#pragma once

#include "platform/base/CString.h"

namespace kq::xlist {

// The first "%d" or "%i" becomes the percent and "%%" a percent sign; everything else, further
// conversions included, stays as written. An empty pattern gives "<percent>%".
CString FormatProgressCaption(const CString& pattern, int percent);

}  // namespace kq::xlist
