// Where the compiler reads scripts, headers and the files that resources embed from. The disk in
// the program; memory in tests and the fuzz target.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace kq::rc {

class FileSource {
  public:
    virtual ~FileSource() = default;
    // The file's bytes, or nullopt when there is no such (regular, readable) file.
    virtual std::optional<std::string> Read(const std::string& path) = 0;
};

class DiskFileSource final : public FileSource {
  public:
    std::optional<std::string> Read(const std::string& path) override;
};

class MemoryFileSource final : public FileSource {
  public:
    void Add(const std::string& path, std::string content) { files_[path] = std::move(content); }
    std::optional<std::string> Read(const std::string& path) override;

  private:
    std::map<std::string, std::string> files_;
};

// `name` seen from the folder of `fromFile` (name itself when absolute), normalised, with
// '/' separators; scripts written for Windows separate folders with '\'.
std::string ResolvePath(const std::string& fromFile, const std::string& name);
// `name` inside folder `dir`.
std::string JoinPath(const std::string& dir, const std::string& name);

}  // namespace kq::rc
