// Points $XDG_RUNTIME_DIR, where named mutexes keep their lock files, at a fresh directory.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

class ScopedRuntimeDir {
  public:
    ScopedRuntimeDir() {
        if (const char* old = getenv("XDG_RUNTIME_DIR"))
            previous_ = old;
        char pattern[] = "/tmp/kq7b-test-XXXXXX";
        path_ = mkdtemp(pattern);
        setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
    }
    ~ScopedRuntimeDir() {
        if (previous_)
            setenv("XDG_RUNTIME_DIR", previous_->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScopedRuntimeDir(const ScopedRuntimeDir&) = delete;
    ScopedRuntimeDir& operator=(const ScopedRuntimeDir&) = delete;
    const std::string& Path() const { return path_; }

  private:
    std::optional<std::string> previous_;
    std::string path_;
};
