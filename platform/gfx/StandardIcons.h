// The system's standard icons (the IDI_ ids), drawn by the program at any size: application,
// error (hand), question, warning (exclamation) and information (asterisk).
#pragma once

#include "platform/gfx/Image.h"

namespace kq::gfx {

bool IsStandardIconId(int id);

// The icon as an image with smooth edges in its alpha; empty for an unknown id or a size
// outside 1..256.
Image DrawStandardIcon(int id, int size);

}  // namespace kq::gfx
