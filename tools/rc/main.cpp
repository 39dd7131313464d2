// kq-rc: compiles resource scripts into a C++ source of constant tables.
//
//   kq-rc -o out.cpp [--header out.h] [--depfile out.d] [--function name] [-I dir]... script...
//
// A fault in a script is reported as "file:line: message" on stderr with exit status 1, and no
// output is written, so that the build stops there.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/rc/CodeGenerator.h"
#include "tools/rc/FileSource.h"
#include "tools/rc/OutputFiles.h"
#include "tools/rc/ScriptParser.h"
#include "tools/rc/Token.h"

namespace {

struct Options {
    std::string output;
    std::string header;
    std::string depfile;
    std::string function = "CompiledResources";
    std::vector<std::string> includeDirs;
    std::vector<std::string> scripts;
};

int Usage(const char* problem) {
    std::fprintf(stderr,
                 "kq-rc: %s\nusage: kq-rc -o out.cpp [--header out.h] [--depfile out.d] "
                 "[--function name] [-I dir]... script...\n",
                 problem);
    return 2;
}

// Fills options; returns an error text, empty when the arguments are complete.
std::string ReadArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "-o" && hasValue) {
            options.output = argv[++i];
        } else if (argument == "--header" && hasValue) {
            options.header = argv[++i];
        } else if (argument == "--depfile" && hasValue) {
            options.depfile = argv[++i];
        } else if (argument == "--function" && hasValue) {
            options.function = argv[++i];
        } else if (argument == "-I" && hasValue) {
            options.includeDirs.push_back(argv[++i]);
        } else if (argument.rfind("-I", 0) == 0 && argument.size() > 2) {
            options.includeDirs.push_back(argument.substr(2));
        } else if (!argument.empty() && argument[0] == '-') {
            return "unknown or incomplete option " + argument;
        } else {
            options.scripts.push_back(argument);
        }
    }
    if (options.output.empty() || options.scripts.empty()) {
        return "an output (-o) and at least one script are needed";
    }
    if (!kq::rc::IsValidFunctionName(options.function)) {
        return "not a C++ function name: " + options.function;
    }
    return "";
}

bool Write(const std::string& path, const std::string& content) {
    if (kq::rc::WriteFileAtomically(path, content)) {
        return true;
    }
    std::fprintf(stderr, "kq-rc: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const std::string problem = ReadArguments(argc, argv, options); !problem.empty()) {
        return Usage(problem.c_str());
    }
    kq::rc::Script script;
    try {
        kq::rc::DiskFileSource files;
        script = kq::rc::ParseScripts(options.scripts, options.includeDirs, files);
    } catch (const kq::rc::ScriptError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    if (!Write(options.output, kq::rc::GenerateSource(script, options.function))) {
        return 1;
    }
    if (!options.header.empty() &&
        !Write(options.header, kq::rc::GenerateHeader(options.function))) {
        return 1;
    }
    if (!options.depfile.empty()) {
        std::vector<std::string> dependencies;
        for (const std::string& path : script.dependencies) {
            dependencies.push_back(std::filesystem::absolute(path).lexically_normal().string());
        }
        if (!Write(options.depfile, kq::rc::DependencyFileText(options.output, dependencies))) {
            return 1;
        }
    }
    return 0;
}
