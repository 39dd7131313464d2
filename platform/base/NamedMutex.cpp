#include "platform/base/NamedMutex.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace kq {
namespace {

constexpr size_t kMaxEncodedName = 180;

bool IsPlain(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-';
}

std::string EncodeName(std::string_view name) {
    for (std::string_view prefix : {"Global\\", "Local\\"}) {
        if (name.substr(0, prefix.size()) == prefix) {
            name.remove_prefix(prefix.size());
            break;
        }
    }
    std::string encoded;
    for (char c : name) {
        if (IsPlain(c)) {
            encoded += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "_%02X", static_cast<unsigned char>(c));
            encoded += hex;
        }
    }
    if (encoded.size() > kMaxEncodedName) {
        // Keep file names within the system's limit; the hash keeps long names apart.
        uint64_t hash = 1469598103934665603ULL;
        for (char c : name)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        char suffix[20];
        std::snprintf(suffix, sizeof suffix, "-%016llx", static_cast<unsigned long long>(hash));
        encoded.resize(kMaxEncodedName);
        encoded += suffix;
    }
    return encoded;
}

bool SetOpenMark(int fd, short type, bool wait) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
    int rc;
    do {
        rc = fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool OthersHaveItOpen(int fd) {
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
    return fcntl(fd, F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
}

}  // namespace

std::string NamedMutexFile::PathFor(std::string_view name) {
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    if (runtimeDir && runtimeDir[0] == '/')
        return std::string(runtimeDir) + "/kq7b-" + EncodeName(name) + ".lock";
    // /tmp is shared by all users: the user id keeps their names apart.
    return "/tmp/kq7b-" + std::to_string(geteuid()) + "-" + EncodeName(name) + ".lock";
}

std::unique_ptr<NamedMutexFile> NamedMutexFile::Open(std::string_view name, bool create,
                                                     bool& existed) {
    existed = false;
    const std::string path = PathFor(name);
    // No symbolic links and only the user's own regular file: in a shared directory someone
    // else could have prepared the name.
    const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0);
    const int fd = open(path.c_str(), flags, 0600);
    if (fd < 0)
        return nullptr;
    std::unique_ptr<NamedMutexFile> file(new NamedMutexFile(fd));
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid())
        return nullptr;
    if (!create) {
        if (!OthersHaveItOpen(fd))
            return nullptr;
        existed = true;
        return SetOpenMark(fd, F_RDLCK, true) ? std::move(file) : nullptr;
    }
    if (SetOpenMark(fd, F_WRLCK, false)) {
        // Nobody else has it open; turning the exclusive mark into a shared one is atomic, so
        // a creator racing with this one sees the mark in either form.
        return SetOpenMark(fd, F_RDLCK, false) ? std::move(file) : nullptr;
    }
    if (errno != EAGAIN && errno != EACCES)
        return nullptr;
    existed = true;
    return SetOpenMark(fd, F_RDLCK, true) ? std::move(file) : nullptr;
}

NamedMutexFile::~NamedMutexFile() {
    close(fd_);
}

bool NamedMutexFile::TryLock() {
    int rc;
    do {
        rc = flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool NamedMutexFile::MarkOwned() {
    char mark = 0;
    const bool abandoned = pread(fd_, &mark, 1, 0) == 1 && mark == '1';
    mark = '1';
    (void)!pwrite(fd_, &mark, 1, 0);
    return abandoned;
}

void NamedMutexFile::Unlock(bool released) {
    if (released) {
        const char mark = '0';
        (void)!pwrite(fd_, &mark, 1, 0);
    }
    flock(fd_, LOCK_UN);
}

}  // namespace kq
