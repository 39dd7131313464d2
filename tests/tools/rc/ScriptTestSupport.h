// Reading scripts from memory for the resource compiler's tests.
#pragma once

#include <map>
#include <string>

#include "tools/rc/FileSource.h"
#include "tools/rc/ScriptParser.h"
#include "tools/rc/Token.h"

namespace kq::rc::test {

using Files = std::map<std::string, std::string>;

// Parses /s/main.rc of `files` (plus the include folder /inc).
inline Script ParseFiles(const Files& files) {
    MemoryFileSource source;
    for (const auto& [path, content] : files) {
        source.Add(path, content);
    }
    return ParseScripts({"/s/main.rc"}, {"/inc"}, source);
}

inline Script ParseText(const std::string& script) {
    return ParseFiles({{"/s/main.rc", script}});
}

// The message of the fault the files hold; empty if they parse.
inline std::string ErrorOf(const Files& files) {
    try {
        ParseFiles(files);
    } catch (const ScriptError& error) {
        return error.what();
    }
    return "";
}

inline std::string ErrorOf(const std::string& script) {
    return ErrorOf(Files{{"/s/main.rc", script}});
}

}  // namespace kq::rc::test
