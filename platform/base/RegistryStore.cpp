#include "platform/base/RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/base/Clock.h"
#include "platform/base/FileSystem.h"
#include "platform/base/RegistryFile.h"
#include "platform/base/RegistryJournal.h"
#include "platform/base/StringFormat.h"
#include "platform/base/Trace.h"

namespace kq {
namespace {

// Holds an exclusive flock on the lock file while alive. A fresh descriptor per lock, so that a
// forked child never shares its parent's lock.
class FileLock {
  public:
    explicit FileLock(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (fd_ < 0)
            return;
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(fd_);
                fd_ = -1;
                return;
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_;
};

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Changes whenever the file is replaced or rewritten.
std::string IdentityOf(const struct stat& st) {
    return Format("%llu:%llu:%lld:%lld.%09ld", static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino), static_cast<long long>(st.st_size),
                  static_cast<long long>(st.st_mtim.tv_sec), st.st_mtim.tv_nsec);
}

std::string FileIdentity(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? "none" : "unknown";
    return IdentityOf(st);
}

bool ReadAll(int fd, std::string* out) {
    out->clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        out->append(buffer, static_cast<size_t>(n));
    }
}

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        if (!ReadAll(fd, &text))
            text.clear();
        ::close(fd);
    }
    return text;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Moves a damaged file to "<path>.damaged-<local date>-<time>[-n]"; empty when it cannot.
std::string MoveAside(const std::string& path) {
    const time_t seconds = static_cast<time_t>(CurrentClock().WallNanos() / 1000000000LL);
    tm local{};
    ::localtime_r(&seconds, &local);
    const std::string stem =
        path + Format(".damaged-%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                      local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    for (int attempt = 1; attempt < 100; ++attempt) {
        const std::string target = attempt == 1 ? stem : stem + Format("-%d", attempt);
        if (MoveFileEx(path.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
            return target;
        if (GetLastError() != static_cast<DWORD>(ERROR_ALREADY_EXISTS))
            break;
    }
    return {};
}

// The store works with files, but the Reg... functions leave the caller's last error alone.
class KeepLastError {
  public:
    KeepLastError() : saved_(GetLastError()) {}
    ~KeepLastError() { SetLastError(saved_); }
    KeepLastError(const KeepLastError&) = delete;
    KeepLastError& operator=(const KeepLastError&) = delete;

  private:
    DWORD saved_;
};

}  // namespace

struct RegistryStore::DiskState {
    bool readable = false;
    bool damaged = false;
    std::shared_ptr<RegistryKey> tree;
    std::string identity;  // of the file as it was read
};

RegistryStore::RegistryStore(std::string path) : path_(std::move(path)) {}

RegistryKey& RegistryStore::Root() {
    if (!loaded_) {
        KeepLastError keep;
        Load();
    }
    return *root_;
}

RegistryStore::DiskState RegistryStore::ReadFile() {
    DiskState state;
    state.tree = std::make_shared<RegistryKey>("", nullptr);
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        state.readable = errno == ENOENT;
        state.identity = "none";
        if (!state.readable)
            damage_ = RegistryDamage{path_, Format("cannot be read: %s", std::strerror(errno)), ""};
        return state;
    }
    struct stat st {};
    std::string bytes;
    const bool stated = ::fstat(fd, &st) == 0;
    const bool tooLarge = stated && S_ISREG(st.st_mode) && st.st_size > kFileLimit;
    const bool read = stated && (tooLarge || ReadAll(fd, &bytes));
    const int readError = errno;
    ::close(fd);
    if (!read) {
        damage_ = RegistryDamage{path_, Format("cannot be read: %s", std::strerror(readError)), ""};
        return state;
    }
    state.readable = true;
    state.identity = IdentityOf(st);
    std::string reason =
        tooLarge ? Format("larger than %d MiB", static_cast<int>(kFileLimit >> 20)) : "";
    if (tooLarge || !ParseRegistryFile(bytes, *state.tree, &reason)) {
        state.damaged = true;
        state.tree = std::make_shared<RegistryKey>("", nullptr);
        damage_ = RegistryDamage{path_, reason, MoveAside(path_)};
        TRACE("Settings file %s is damaged (%s); moved to %s\n", path_, reason, damage_->movedTo);
    }
    return state;
}

void RegistryStore::Load() {
    loaded_ = true;
    damage_.reset();
    FileLock lock(LockPath());
    DiskState disk = ReadFile();
    unreadable_ = !disk.readable;
    root_ = disk.tree;
    if (unreadable_)
        return;
    const JournalContents journal = ParseJournal(ReadWholeFile(JournalPath()));
    if (!journal.hasHeader || journal.identity != disk.identity)
        return;
    for (const RegistryChange& change : journal.changes)
        ApplyChange(*root_, change);
    // The journal belonged to the damaged file, which is gone: keep its changes in a new file.
    if (disk.damaged && !journal.changes.empty() && lock.Held())
        WriteTreeLocked(*root_);
}

void RegistryStore::DeclareDamaged(const std::string& reason) {
    Root();
    KeepLastError keep;
    FileLock lock(LockPath());
    damage_ = RegistryDamage{path_, reason, MoveAside(path_)};
    TRACE("Settings file %s is damaged (%s); moved to %s\n", path_, reason, damage_->movedTo);
    root_->Clear();
}

bool RegistryStore::KeepsChanges() {
    Root();
    if (unreadable_)
        return false;
    KeepLastError keep;
    // Tried rather than judged from permissions: a read-only mount or an immutable folder stops
    // even a privileged user.
    if (!CreateDirectories(FolderOf(path_)))
        return false;
    FileLock lock(LockPath());
    if (!lock.Held())
        return false;
    const int fd = ::open(JournalPath().c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

LONG RegistryStore::Commit(const RegistryChange& change) {
    Root();
    KeepLastError keep;
    if (unreadable_ || !CreateDirectories(FolderOf(path_)))
        return ERROR_CANTWRITE;
    FileLock lock(LockPath());
    if (!lock.Held())
        return ERROR_CANTWRITE;
    const int fd = ::open(JournalPath().c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return ERROR_CANTWRITE;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return ERROR_CANTWRITE;
    }
    auto size = static_cast<size_t>(st.st_size);
    const std::string header = JournalHeader(FileIdentity(path_));
    std::string text;
    std::string first(header.size(), '\0');
    if (size == 0) {
        text = header;
    } else if (::pread(fd, first.data(), first.size(), 0) != static_cast<ssize_t>(first.size()) ||
               first != header) {
        // The journal belongs to a file that has been replaced since: start it afresh.
        if (::ftruncate(fd, 0) != 0) {
            ::close(fd);
            return ERROR_CANTWRITE;
        }
        size = 0;
        text = header;
    } else {
        char last = '\n';
        if (::pread(fd, &last, 1, static_cast<off_t>(size - 1)) == 1 && last != '\n')
            text = "\n";  // ends a line torn by a killed process, so that it stays apart
    }
    text += EncodeJournalEntry(change);
    if (!WriteAll(fd, text)) {
        // Should the cut fail too, the next append starts on a new line and the reader skips
        // the torn one.
        [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(size));
        ::close(fd);
        return ERROR_CANTWRITE;
    }
    ::close(fd);
    ApplyChange(*root_, change);
    if (size + text.size() > kJournalLimit)
        CompactLocked();  // on failure the journal still holds every change
    return ERROR_SUCCESS;
}

LONG RegistryStore::Flush() {
    if (!loaded_)
        return ERROR_SUCCESS;
    KeepLastError keep;
    struct stat st {};
    if (::stat(JournalPath().c_str(), &st) != 0)
        return ERROR_SUCCESS;  // nothing was ever journalled
    FileLock lock(LockPath());
    if (!lock.Held())
        return ERROR_CANTWRITE;
    const JournalContents journal = ParseJournal(ReadWholeFile(JournalPath()));
    if (journal.changes.empty() && journal.badLines == 0)
        return ERROR_SUCCESS;
    return CompactLocked();
}

LONG RegistryStore::CompactLocked() {
    if (unreadable_)
        return ERROR_CANTWRITE;
    DiskState disk = ReadFile();
    if (!disk.readable)
        return ERROR_CANTWRITE;
    // Changes of every process go into the file as it is on disk; only when that file turned out
    // damaged is this process's own view the best base left.
    RegistryKey& base = disk.damaged ? *root_ : *disk.tree;
    const JournalContents journal = ParseJournal(ReadWholeFile(JournalPath()));
    if (journal.hasHeader && journal.identity == disk.identity) {
        for (const RegistryChange& change : journal.changes)
            ApplyChange(base, change);
    }
    return WriteTreeLocked(base);
}

LONG RegistryStore::WriteTreeLocked(const RegistryKey& tree) {
    const std::string text = FormatRegistryFile(tree);
    const std::string temp = path_ + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return ERROR_CANTWRITE;
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), path_.c_str()) != 0) {
        ::unlink(temp.c_str());
        return ERROR_CANTWRITE;
    }
    SyncFolder(FolderOf(path_));
    // The journal's changes are in the file now. Should this fail, the journal still names the
    // old file and is therefore not applied again.
    const int journal =
        ::open(JournalPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (journal >= 0) {
        WriteAll(journal, JournalHeader(FileIdentity(path_)));
        ::close(journal);
    }
    return ERROR_SUCCESS;
}

}  // namespace kq
