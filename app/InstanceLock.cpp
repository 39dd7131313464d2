#include "app/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/base/FileSystem.h"

namespace kq::app {

bool InstanceLock::Take(const std::string& settingsFile, bool wait) {
    Release();
    const size_t slash = settingsFile.rfind('/');
    if (slash != std::string::npos && slash > 0)
        kq::CreateDirectories(settingsFile.substr(0, slash));
    const std::string path = settingsFile + ".instance";
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return true;
    while (::flock(fd_, wait ? LOCK_EX : LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        const bool held = errno == EWOULDBLOCK;
        Release();
        return !held;
    }
    return true;
}

void InstanceLock::Release() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

}  // namespace kq::app
