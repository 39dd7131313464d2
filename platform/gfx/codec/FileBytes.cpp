#include "platform/gfx/codec/FileBytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kq::gfx {

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out, std::string& error,
                   size_t maxBytes) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = "cannot read " + path + ": " + std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0) {
            break;
        }
        if (out.size() + static_cast<size_t>(n) > maxBytes) {
            error = path + " is too large for an image file";
            ::close(fd);
            return false;
        }
        out.insert(out.end(), chunk, chunk + n);
    }
    ::close(fd);
    return true;
}

}  // namespace kq::gfx
