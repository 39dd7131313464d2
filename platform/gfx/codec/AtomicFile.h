// Output files that appear complete or not at all. A regular file is written under a temporary
// name in the same folder, flushed to disk and renamed over the target only when every write
// succeeded; a failed or abandoned file is removed and the old one stays. A target that exists
// and is not a regular file (a device, a pipe) is written directly, with every error reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kq::gfx {

class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();  // discards unless committed

    bool Open(const std::string& path);
    // Buffered; after the first failure every further call fails too.
    bool Write(const void* data, size_t size);
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    // Sends what was written so far to the file and has the system start putting it on the
    // disk, so that the sync of Commit waits only for the rest; false after a failure.
    bool StartWriteBack();
    // Flushes, syncs and renames; false (and the target untouched) when anything failed.
    bool Commit();
    void Discard();

    bool IsOpen() const { return fd_ >= 0; }
    uint64_t BytesWritten() const { return written_; }
    const std::string& Error() const { return error_; }

  private:
    bool Flush();
    bool Fail(const std::string& what);

    int fd_ = -1;
    bool direct_ = false;
    bool failed_ = false;
    std::string target_;
    std::string temp_;
    std::string error_;
    std::vector<uint8_t> buffer_;
    uint64_t written_ = 0;
};

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         std::string& error);

}  // namespace kq::gfx
