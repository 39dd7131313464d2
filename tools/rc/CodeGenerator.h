// Writes a Script as a C++ source of constant tables (platform/base/ResourceBundle.h) and one
// function, `const kq::ResourceBundle& <function>()`, that returns them.
#pragma once

#include <string>

#include "tools/rc/ScriptModel.h"

namespace kq::rc {

std::string GenerateSource(const Script& script, const std::string& functionName);
// The header that declares that function.
std::string GenerateHeader(const std::string& functionName);

// Whether a text may name the generated function: a C++ identifier, possibly qualified with
// namespaces ("app::Resources").
bool IsValidFunctionName(const std::string& name);

}  // namespace kq::rc
