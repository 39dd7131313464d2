// The settings store's tree in memory: keys with case-insensitive, case-preserving names,
// subkeys kept in the order Windows lists them (by upper-cased name), values in the order they
// were first written. Not thread-safe; the store serialises access.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/base/WinTypes.h"

namespace kq {

// Windows' limits, which also keep a hostile file from building a tree deep enough to exhaust the
// stack of the recursive walks.
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxKeyDepth = 512;
constexpr size_t kMaxValueNameLength = 16383;

struct RegistryValue {
    std::string name;
    DWORD type = 0;
    std::string data;  // the bytes, as RegQueryValueEx returns them
};

// The comparison form of a key or value name: upper-cased for ASCII, Latin-1 and Latin
// Extended-A letters (enough for the languages the application speaks).
std::string FoldName(std::string_view name);

// Splits "A\B\C" into its parts. False for an empty part, a part longer than kMaxKeyNameLength or
// more than kMaxKeyDepth parts. An empty path gives no parts; one trailing '\' is allowed.
bool SplitKeyPath(std::string_view path, std::vector<std::string>* parts);

class RegistryKey {
  public:
    RegistryKey(std::string name, RegistryKey* parent);
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    const std::string& Name() const { return name_; }
    RegistryKey* Parent() const { return parent_; }
    bool IsDeleted() const { return deleted_; }
    size_t Depth() const;
    // "HKEY_CURRENT_USER\Software\...": the names from below the root down to this key.
    std::string Path() const;
    int64_t LastWriteNanos() const { return lastWrite_; }
    void Touch();

    // In the order Windows lists them; valid until the next change of the subkeys.
    const std::vector<std::shared_ptr<RegistryKey>>& SubKeys() const;
    std::shared_ptr<RegistryKey> FindSubKey(std::string_view name) const;
    // Follows the parts from this key; null when one is missing.
    std::shared_ptr<RegistryKey> FindPath(const std::vector<std::string>& parts) const;
    std::shared_ptr<RegistryKey> CreateSubKey(std::string_view name, bool* created = nullptr);
    std::shared_ptr<RegistryKey> CreatePath(const std::vector<std::string>& parts);
    // Removes the subkey with everything below it; handles to them then report a deleted key.
    bool RemoveSubKey(std::string_view name);
    // Removes every subkey and value.
    void Clear();

    const std::vector<RegistryValue>& Values() const { return values_; }
    const RegistryValue* FindValue(std::string_view name) const;
    // Replaces the value in place or appends it.
    void SetValue(std::string_view name, DWORD type, std::string data);
    bool RemoveValue(std::string_view name);

  private:
    void MarkDeleted();
    RegistryValue* FindValueMutable(std::string_view name);

    std::string name_;
    RegistryKey* parent_;
    bool deleted_ = false;
    int64_t lastWrite_ = 0;
    // Folded name -> subkey: a key with many subkeys is built in time n log n whatever the order
    // of the file. The list is made from it when it is asked for after a change.
    std::map<std::string, std::shared_ptr<RegistryKey>> subKeyIndex_;
    mutable std::vector<std::shared_ptr<RegistryKey>> subKeys_;
    mutable bool subKeysListed_ = true;
    std::vector<RegistryValue> values_;
    // Folded value name -> index in values_: a key with many values is read and written in time
    // linear in their number.
    std::unordered_map<std::string, size_t> valueIndex_;
};

}  // namespace kq
