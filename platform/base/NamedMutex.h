// The lock file behind a named mutex, so that processes of the same user can hand a mutex over.
// The name maps to $XDG_RUNTIME_DIR/kq7b-<name>.lock (else /tmp/kq7b-<uid>-<name>.lock), with
// every byte outside [A-Za-z0-9.-] written as _XX; the namespace prefixes "Global\" and "Local\"
// are dropped. Files are never deleted: a process waiting on a file must never be left holding
// a lock on a name that a newcomer re-creates.
//
// - Owning the mutex = holding flock(LOCK_EX) on the file. The kernel drops it when the owner
//   dies, so a waiter in another process then gets the mutex.
// - Byte 0 of the file is '1' while someone owns it; a new owner that finds '1' knows the
//   previous one ended without releasing (the wait answers WAIT_ABANDONED).
// - Having the mutex open = holding a shared open-file-description lock on byte 0 (fcntl
//   F_OFD_*, independent of flock). Its exclusive form can be tested and turned into the shared
//   form atomically, which tells a creator reliably whether another process has it open.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kq {

class NamedMutexFile {
  public:
    // Opens the file of `name` and marks it open. With `create` a missing file is made;
    // without, null unless another process has the mutex open. `existed` tells whether another
    // process has it open. Null when the file cannot be used (for instance not the user's own).
    static std::unique_ptr<NamedMutexFile> Open(std::string_view name, bool create, bool& existed);
    static std::string PathFor(std::string_view name);

    ~NamedMutexFile();
    NamedMutexFile(const NamedMutexFile&) = delete;
    NamedMutexFile& operator=(const NamedMutexFile&) = delete;

    // Takes the flock without blocking.
    bool TryLock();
    // After TryLock: marks the file owned; true when the previous owner ended holding it.
    bool MarkOwned();
    // Gives the flock back; `released` clears the owned mark, otherwise it stays for the next
    // owner to see the abandonment.
    void Unlock(bool released);

  private:
    explicit NamedMutexFile(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace kq
