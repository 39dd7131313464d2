// Reads resource scripts into one Script. The first fault ends the reading with a ScriptError
// whose text is "file:line: message".
#pragma once

#include <string>
#include <vector>

#include "tools/rc/FileSource.h"
#include "tools/rc/ScriptModel.h"

namespace kq::rc {

// Each script starts with no #defines of its own; all of them land in one Script, where a
// resource defined twice (by type and name, or by string id) is a fault. Included files are
// searched next to the including file, then in includeDirs.
Script ParseScripts(const std::vector<std::string>& scripts,
                    const std::vector<std::string>& includeDirs, FileSource& files);

}  // namespace kq::rc
