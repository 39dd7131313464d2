#include "tools/rc/OutputFiles.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace kq::rc {

namespace {

// Make syntax: blanks, '#' and '$' in a path are escaped.
std::string EscapeForMake(const std::string& path) {
    std::string out;
    for (char ch : path) {
        if (ch == ' ' || ch == '#') {
            out += '\\';
        } else if (ch == '$') {
            out += '$';
        }
        out += ch;
    }
    return out;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (!written || !closed) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

std::string DependencyFileText(const std::string& target,
                               const std::vector<std::string>& dependencies) {
    std::string text = EscapeForMake(target) + ":";
    for (const std::string& dependency : dependencies) {
        text += " \\\n  " + EscapeForMake(dependency);
    }
    return text + "\n";
}

}  // namespace kq::rc
