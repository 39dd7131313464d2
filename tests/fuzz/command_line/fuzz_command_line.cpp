// Hostile command lines and environments: the program's arguments and the variables it reads
// at start. Nothing crashes, and every folder the program derives from them is a usable text.
//
// An input is lines: "NAME=value" for one of the variables the program reads, anything else an
// argument.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/main/CommandLineHelp.h"
#include "platform/base/Paths.h"
#include "platform/framework/CommandLineInfo.h"
#include "ports/ExtraPorts.h"

namespace {

constexpr const char* kVariables[] = {"HOME",          "XDG_CONFIG_HOME",  "XDG_DATA_HOME",
                                      "XDG_DATA_DIRS", "XDG_RUNTIME_DIR",  "XDG_DOCUMENTS_DIR",
                                      "TMPDIR",        "KQ7B_EXTRA_PORTS", "LC_ALL",
                                      "LANG",          "LC_MESSAGES"};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Sets the line as a variable when it names one the program reads.
bool SetVariable(const std::string& line) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    const std::string name = line.substr(0, equals);
    for (const char* known : kVariables) {
        if (name == known) {
            setenv(known, line.c_str() + equals + 1, 1);
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const char* known : kVariables)
        unsetenv(known);
    std::vector<std::string> arguments{"kq7b"};
    std::string line;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (size_t at = 0; at <= input.size(); ++at) {
        if (at < input.size() && input[at] != '\n' && input[at] != '\0') {
            line += input[at];
            continue;
        }
        if (!SetVariable(line))
            arguments.push_back(line);
        line.clear();
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    kq::app::AsksForHelp(static_cast<int>(arguments.size()), argv.data());

    CCommandLineInfo info;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const char* text = arguments[i].c_str();
        const bool flag = text[0] == '-' || text[0] == '/';
        info.ParseParam(flag ? text + 1 : text, flag, i + 1 == arguments.size());
    }

    for (const std::string& folder :
         {kq::HomeFolder(), kq::LocalAppDataFolder(), kq::AppDataFolder(), kq::DocumentsFolder(),
          kq::CommonAppDataFolder(), kq::RuntimeFolder(), kq::TempFolder()})
        Check(!folder.empty() && folder.find('\0') == std::string::npos);
    std::string errors;
    kq::ports::ParseExtraPorts(getenv("KQ7B_EXTRA_PORTS") ? getenv("KQ7B_EXTRA_PORTS") : "",
                               &errors);
    return 0;
}
