// Keeps the settings tree in memory and on disk: reads the file and its journal, journals every
// change before applying it, and rewrites the file atomically. Not thread-safe; the Reg...
// functions serialise access. See Registry.h for the behaviour as a whole.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include <sys/types.h>

#include "platform/base/Registry.h"
#include "platform/base/RegistryChange.h"
#include "platform/base/RegistryKey.h"

namespace kq {

class RegistryStore {
  public:
    // The journal is folded into the file once it grows past this many bytes.
    static constexpr size_t kJournalLimit = 64 * 1024;
    // A settings file is a few kilobytes; one past this size is taken for damaged rather than
    // keep the program from starting for minutes.
    static constexpr off_t kFileLimit = 32 << 20;

    explicit RegistryStore(std::string path);

    const std::string& Path() const { return path_; }
    // The tree, read from disk on first use. Never null.
    RegistryKey& Root();
    // Journals the change, then applies it. ERROR_CANTWRITE when it could not be journalled;
    // nothing changes then.
    LONG Commit(const RegistryChange& change);
    // Rewrites the file when changes are journalled. ERROR_SUCCESS or ERROR_CANTWRITE.
    LONG Flush();
    const std::optional<RegistryDamage>& Damage() const { return damage_; }
    // Moves the file aside as a damaged one and empties the tree.
    void DeclareDamaged(const std::string& reason);
    // False when the file could not be read or its folder cannot take the journal.
    bool KeepsChanges();

  private:
    struct DiskState;

    void Load();
    // Reads and parses the file; a damaged one is moved aside and recorded.
    DiskState ReadFile();
    // Folds the journal into the file as it is on disk. The lock must be held.
    LONG CompactLocked();
    // Writes the tree as the new file and empties the journal. The lock must be held.
    LONG WriteTreeLocked(const RegistryKey& tree);
    std::string JournalPath() const { return path_ + ".journal"; }
    std::string LockPath() const { return path_ + ".lock"; }

    std::string path_;
    std::shared_ptr<RegistryKey> root_;
    bool loaded_ = false;
    bool unreadable_ = false;
    std::optional<RegistryDamage> damage_;
};

}  // namespace kq
