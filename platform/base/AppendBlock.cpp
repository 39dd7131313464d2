// A block appended to a file, or nothing: readers of the file (and a later append) never meet a
// half-written block, whatever failed on the way (a full disk, a size limit, a failing sync, the
// writer killed: its record beside the file lets the next append or start cut the block back).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/base/FileSystem.h"
#include "platform/base/InterruptedWrites.h"

namespace kq {

namespace {

int WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return ENOSPC;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return 0;
}

}  // namespace

int AppendBlock(const std::string& path, const void* data, size_t size) {
    // Where no record can be kept the append goes on without one: as safe as the system allows.
    AppendRecord record(path);
    bool created = false;
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created = fd >= 0;
    }
    if (fd < 0)
        return errno;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = S_ISREG(status.st_mode) ? errno : EISDIR;
        ::close(fd);
        return error;
    }
    const off_t before = status.st_size;
    int error = 0;
    if (::lseek(fd, before, SEEK_SET) < 0)
        error = errno;
    if (error == 0 && record.Held() && !record.Note(fd, before, created, size))
        error = errno != 0 ? errno : EIO;
    if (error == 0)
        error = WriteAll(fd, static_cast<const char*>(data), size);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (error != 0) {
        if (created) {
            ::unlink(path.c_str());
        } else if (::ftruncate(fd, before) == 0) {
            ::fsync(fd);
        }
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
        if (created)
            ::unlink(path.c_str());
        else
            (void)::truncate(path.c_str(), before);
    }
    return error;
}

}  // namespace kq
