// Leftovers of killed writers: temporary files are removed, a cut-off append is cut back, both
// only when no running writer holds their lock.
#include "platform/base/InterruptedWrites.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <string_view>

namespace kq {
namespace {

constexpr std::string_view kRecordSuffix = ".~append";
constexpr std::string_view kTemporarySuffix = ".tmp";

std::atomic<unsigned> g_temporaryCounter{0};

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool AllDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// "<target>.~<pid>-<n>.tmp", as CreateLockedTemporary names them.
bool IsTemporaryName(std::string_view name) {
    if (!EndsWith(name, kTemporarySuffix))
        return false;
    name.remove_suffix(kTemporarySuffix.size());
    const size_t mark = name.rfind(".~");
    if (mark == std::string_view::npos || mark == 0)
        return false;
    const std::string_view numbers = name.substr(mark + 2);
    const size_t dash = numbers.find('-');
    return dash != std::string_view::npos && AllDigits(numbers.substr(0, dash)) &&
           AllDigits(numbers.substr(dash + 1));
}

// Locks the open file; with wait false only when nobody holds it. False when the file has
// been removed meanwhile (by the holder before, who was done with it).
bool LockLiveFile(int fd, bool wait) {
    while (::flock(fd, wait ? LOCK_EX : LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR)
            return false;
    }
    struct stat status {};
    return ::fstat(fd, &status) == 0 && status.st_nlink > 0;
}

// The record's note: device, inode, length before, length after, created.
struct Note {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long before = 0;
    long long after = 0;
    int created = 0;
};

bool ReadNote(int fd, Note* note) {
    char text[160] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    return n > 0 && std::sscanf(text, "%llu %llu %lld %lld %d", &note->device, &note->inode,
                                &note->before, &note->after, &note->created) == 5;
}

// The record is held: a block its writer did not finish is taken out of the target, then the
// record is emptied. A target replaced or shortened since is left alone.
void RepairCutAppend(int recordFd, const std::string& target) {
    Note note;
    struct stat status {};
    if (ReadNote(recordFd, &note) && ::stat(target.c_str(), &status) == 0 &&
        S_ISREG(status.st_mode) && status.st_dev == note.device && status.st_ino == note.inode &&
        status.st_size != note.after && status.st_size >= note.before) {
        if (note.created != 0) {
            ::unlink(target.c_str());
        } else if (::truncate(target.c_str(), note.before) == 0) {
            const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
            if (fd >= 0) {
                ::fsync(fd);
                ::close(fd);
            }
        }
    }
    [[maybe_unused]] const int emptied = ::ftruncate(recordFd, 0);
}

std::string FolderEntry(const std::string& folder, const char* name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

std::string AppendRecordPath(const std::string& target) {
    return target + std::string(kRecordSuffix);
}

AppendRecord::AppendRecord(const std::string& target) : path_(AppendRecordPath(target)) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0)
            return;
        if (LockLiveFile(fd_, true))
            break;
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ >= 0)
        RepairCutAppend(fd_, target);
}

AppendRecord::~AppendRecord() {
    if (fd_ >= 0) {
        ::unlink(path_.c_str());
        ::close(fd_);
    }
}

bool AppendRecord::Note(int file, off_t before, bool created, size_t size) {
    struct stat status {};
    if (fd_ < 0 || ::fstat(file, &status) != 0)
        return false;
    char text[160];
    const int length = std::snprintf(
        text, sizeof text, "%llu %llu %lld %lld %d\n",
        static_cast<unsigned long long>(status.st_dev),
        static_cast<unsigned long long>(status.st_ino), static_cast<long long>(before),
        static_cast<long long>(before) + static_cast<long long>(size), created ? 1 : 0);
    return length > 0 && ::pwrite(fd_, text, static_cast<size_t>(length), 0) == length &&
           ::fsync(fd_) == 0;
}

int CreateLockedTemporary(const std::string& target, std::string* temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temp = target + ".~" + std::to_string(::getpid()) + "-" +
                std::to_string(g_temporaryCounter.fetch_add(1)) + std::string(kTemporarySuffix);
        const int fd = ::open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            break;
        }
        // Between the creation and the lock a cleaner may have taken it for a leftover.
        if (LockLiveFile(fd, true))
            return fd;
        ::close(fd);
    }
    const int error = errno;
    temp->clear();
    errno = error;
    return -1;
}

void RemoveStaleWrites(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const bool record = EndsWith(name, kRecordSuffix) && name.size() > kRecordSuffix.size();
        if (!record && !IsTemporaryName(name))
            continue;
        const std::string path = FolderEntry(folder, entry->d_name);
        const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && LockLiveFile(fd, false)) {
            if (record)
                RepairCutAppend(fd, path.substr(0, path.size() - kRecordSuffix.size()));
            ::unlink(path.c_str());
        }
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace kq
