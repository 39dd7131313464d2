// Access to the resources compiled into the program.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

namespace kq {

// The text of a string-table entry; false when the id has none.
bool LoadStringResource(UINT id, std::string& text);

}  // namespace kq
