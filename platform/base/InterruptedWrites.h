// What a writer killed part-way leaves behind, and its repair. A new file is written under a
// temporary name beside its target; an append keeps a record "<target>.~append" of the file's
// length before the block. Both are locked (flock) by their writer while it runs, and the kernel
// drops the lock when the writer dies: an unlocked temporary file or record is a leftover.
#pragma once

#include <sys/types.h>

#include <string>

namespace kq {

// The record of an append in progress on the target.
std::string AppendRecordPath(const std::string& target);

// Held by an append from before it touches the file until the block is whole on disk. Taking
// it waits for another writer's append to the same file, and cuts back a block that a killed
// writer left unfinished.
class AppendRecord {
  public:
    explicit AppendRecord(const std::string& target);
    ~AppendRecord();  // the append is over: the record goes
    AppendRecord(const AppendRecord&) = delete;
    AppendRecord& operator=(const AppendRecord&) = delete;

    // False where no record can be kept (a folder this program may not write in).
    bool Held() const { return fd_ >= 0; }
    // Notes the file (its descriptor), its length before the block, whether the append created
    // it, and the block's size; synced before the block is written.
    bool Note(int file, off_t before, bool created, size_t size);

  private:
    std::string path_;
    int fd_ = -1;
};

// Creates "<target>.~<pid>-<n>.tmp" exclusively and locks it for as long as the descriptor stays
// open. The descriptor (write only), or -1 with errno set; *temp receives the name.
int CreateLockedTemporary(const std::string& target, std::string* temp);

// In the folder: removes the temporary files of writers that ended without finishing, and cuts a
// file whose append was cut off back to its length before that append. What a running writer
// holds is left alone. Nothing is reported: what cannot be repaired stays as it was.
void RemoveStaleWrites(const std::string& folder);

}  // namespace kq
