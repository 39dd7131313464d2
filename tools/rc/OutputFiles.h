// Writing the compiler's outputs so that a build never sees half a file.
#pragma once

#include <string>
#include <vector>

namespace kq::rc {

// Writes to a temporary file beside `path` and renames it over `path`; false (and no file
// change) on failure.
bool WriteFileAtomically(const std::string& path, const std::string& content);

// A make-style dependency file: `target` depends on every one of `dependencies`.
std::string DependencyFileText(const std::string& target,
                               const std::vector<std::string>& dependencies);

}  // namespace kq::rc
