// The named constants a script may use without defining them: window, dialog and control
// styles, virtual keys, dialog command ids and language ids, with their Windows values.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kq::rc {

std::optional<uint32_t> FindConstant(std::string_view name);

}  // namespace kq::rc
