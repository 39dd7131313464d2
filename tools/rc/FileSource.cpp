#include "tools/rc/FileSource.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kq::rc {

namespace {

std::string WithForwardSlashes(std::string name) {
    for (char& ch : name) {
        if (ch == '\\') {
            ch = '/';
        }
    }
    return name;
}

}  // namespace

std::optional<std::string> DiskFileSource::Read(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return content;
}

std::optional<std::string> MemoryFileSource::Read(const std::string& path) {
    auto found = files_.find(path);
    if (found == files_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    const std::filesystem::path file(WithForwardSlashes(name));
    if (file.is_absolute() || dir.empty()) {
        return file.lexically_normal().generic_string();
    }
    return (std::filesystem::path(dir) / file).lexically_normal().generic_string();
}

std::string ResolvePath(const std::string& fromFile, const std::string& name) {
    return JoinPath(std::filesystem::path(fromFile).parent_path().generic_string(), name);
}

}  // namespace kq::rc
