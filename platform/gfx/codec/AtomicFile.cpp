#include "platform/gfx/codec/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/base/InterruptedWrites.h"

namespace kq::gfx {

namespace {

constexpr size_t kBufferSize = 256 * 1024;

// A symbolic link is followed so that the file it names is replaced, not the link.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

void SyncFolderOf(const std::string& path) {
    const std::string folder = FolderOf(path);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Fail(const std::string& what) {
    if (!failed_) {
        error_ = what + " " + target_ + ": " + std::strerror(errno);
        failed_ = true;
    }
    return false;
}

bool AtomicFile::Open(const std::string& path) {
    Discard();
    failed_ = false;
    error_.clear();
    written_ = 0;
    buffer_.clear();
    target_ = ResolveTarget(path);
    struct stat st {};
    direct_ = ::stat(target_.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
    if (direct_) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            return Fail("cannot write");
        }
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        return fd_ >= 0 || Fail("cannot open");
    }
    // What a writer killed in this folder left goes first; the temporary file is locked for as
    // long as it is open, so that no one takes it for such a leftover.
    RemoveStaleWrites(FolderOf(target_));
    fd_ = CreateLockedTemporary(target_, &temp_);
    if (fd_ < 0) {
        return Fail("cannot create");
    }
    buffer_.reserve(kBufferSize);
    return true;
}

bool AtomicFile::Flush() {
    size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            buffer_.clear();
            return Fail("cannot write");
        }
        done += static_cast<size_t>(n);
    }
    buffer_.clear();
    return true;
}

bool AtomicFile::Write(const void* data, size_t size) {
    if (fd_ < 0 || failed_) {
        return false;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const size_t room = kBufferSize - buffer_.size();
        const size_t take = size < room ? size : room;
        buffer_.insert(buffer_.end(), bytes, bytes + take);
        bytes += take;
        size -= take;
        written_ += take;
        if (buffer_.size() == kBufferSize && !Flush()) {
            return false;
        }
    }
    return true;
}

bool AtomicFile::StartWriteBack() {
    if (fd_ < 0 || failed_ || !Flush())
        return false;
    // Only a hint: where the system cannot, the sync of Commit does it all.
    if (!direct_)
        ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    return true;
}

bool AtomicFile::Commit() {
    if (fd_ < 0 && !failed_) {
        error_ = "no file is open";
        failed_ = true;
    }
    if (failed_ || !Flush()) {
        Discard();
        return false;
    }
    // Devices and pipes may not support fsync; a regular file must reach the disk.
    if (::fsync(fd_) != 0 && !(direct_ && (errno == EINVAL || errno == EROFS))) {
        Fail("cannot flush");
        Discard();
        return false;
    }
    // Renamed while still open: its lock keeps a cleaner away until it has its name.
    if (!direct_) {
        if (::rename(temp_.c_str(), target_.c_str()) != 0) {
            Fail("cannot replace");
            Discard();
            return false;
        }
        temp_.clear();
        SyncFolderOf(target_);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        // Synced and in place: the file is whole, but the system reported a failure.
        return Fail("cannot close");
    }
    return true;
}

void AtomicFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    buffer_.clear();
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         std::string& error) {
    AtomicFile file;
    if (file.Open(path) && file.Write(bytes.data(), bytes.size()) && file.Commit()) {
        return true;
    }
    error = file.Error();
    return false;
}

}  // namespace kq::gfx
