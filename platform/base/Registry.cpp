#include "platform/base/Registry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/base/Paths.h"
#include "platform/base/RegistryStore.h"

namespace {

using kq::RegistryChange;
using kq::RegistryKey;

struct OpenKey {
    std::shared_ptr<RegistryKey> key;
    REGSAM access = 0;
    bool writable = false;  // only HKEY_CURRENT_USER can be changed
};

struct RegistryState {
    std::mutex mutex;
    std::string pathOverride;
    std::unique_ptr<kq::RegistryStore> store;
    std::unordered_map<uintptr_t, OpenKey> handles;
    uintptr_t nextHandle = 0x1000;
};

void FlushAtExit();

// Never destroyed: static destructors that run after ours may still read or write settings.
RegistryState& State() {
    static RegistryState* state = [] {
        auto* s = new RegistryState;
        std::atexit(FlushAtExit);
        return s;
    }();
    return *state;
}

kq::RegistryStore& Store(RegistryState& state) {
    if (!state.store) {
        std::string path = state.pathOverride;
        if (path.empty())
            path = kq::JoinPath(kq::AppDataFolder(), kq::kRegistryFileName);
        state.store = std::make_unique<kq::RegistryStore>(path);
    }
    return *state.store;
}

void FlushAtExit() {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.store)
        state.store->Flush();
}

const char* PredefinedHive(HKEY hKey) {
    if (hKey == HKEY_CURRENT_USER)
        return "HKEY_CURRENT_USER";
    if (hKey == HKEY_LOCAL_MACHINE)
        return "HKEY_LOCAL_MACHINE";
    if (hKey == HKEY_CLASSES_ROOT)
        return "HKEY_CLASSES_ROOT";
    if (hKey == HKEY_USERS)
        return "HKEY_USERS";
    if (hKey == HKEY_CURRENT_CONFIG)
        return "HKEY_CURRENT_CONFIG";
    return nullptr;
}

LONG Resolve(RegistryState& state, HKEY hKey, OpenKey* out) {
    if (const char* hive = PredefinedHive(hKey)) {
        const bool writable = hKey == HKEY_CURRENT_USER;
        *out = OpenKey{Store(state).Root().CreateSubKey(hive), KEY_ALL_ACCESS, writable};
        return ERROR_SUCCESS;
    }
    const auto it = state.handles.find(reinterpret_cast<uintptr_t>(hKey));
    if (it == state.handles.end())
        return ERROR_INVALID_HANDLE;
    if (it->second.key->IsDeleted())
        return ERROR_KEY_DELETED;
    *out = it->second;
    return ERROR_SUCCESS;
}

// Resolves the handle and checks that it was opened with the access the call needs.
LONG ResolveFor(RegistryState& state, HKEY hKey, REGSAM needed, bool change, OpenKey* out) {
    if (const LONG result = Resolve(state, hKey, out); result != ERROR_SUCCESS)
        return result;
    if ((out->access & needed) != needed || (change && !out->writable))
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

HKEY NewHandle(RegistryState& state, const OpenKey& key) {
    const uintptr_t value = state.nextHandle;
    state.nextHandle += 4;
    state.handles[value] = key;
    return reinterpret_cast<HKEY>(value);
}

// Splits a subkey path given to a Reg... call and checks that the key it names may exist.
LONG ParseSubKey(const RegistryKey& from, LPCSTR subKey, std::vector<std::string>* parts) {
    parts->clear();
    if (subKey == nullptr || subKey[0] == '\0')
        return ERROR_SUCCESS;
    if (subKey[0] == '\\' || std::strstr(subKey, "\\\\") != nullptr)
        return ERROR_BAD_PATHNAME;
    if (!kq::SplitKeyPath(subKey, parts) || from.Depth() + parts->size() > kq::kMaxKeyDepth)
        return ERROR_INVALID_PARAMETER;
    for (const std::string& part : *parts) {
        if (!kq::IsStorableName(part))
            return ERROR_INVALID_PARAMETER;
    }
    return ERROR_SUCCESS;
}

std::string JoinKeyPath(const std::string& base, const std::vector<std::string>& parts) {
    std::string path = base;
    for (const std::string& part : parts)
        path += "\\" + part;
    return path;
}

RegistryChange MakeChange(RegistryChange::Kind kind, std::string path, std::string name = {}) {
    RegistryChange change;
    change.kind = kind;
    change.path = std::move(path);
    change.name = std::move(name);
    return change;
}

bool IsWriteAccess(REGSAM access) {
    return (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE)) != 0;
}

// Copies a name with its terminator; ERROR_MORE_DATA when the buffer of *size bytes is too small.
LONG CopyName(const std::string& name, LPSTR buffer, LPDWORD size) {
    if (*size < name.size() + 1)
        return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegCreateKeyEx(HKEY hKey, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM desired, const void*,
                    PHKEY result, LPDWORD disposition) {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey parent;
    if (const LONG r = Resolve(state, hKey, &parent); r != ERROR_SUCCESS)
        return r;
    std::vector<std::string> parts;
    if (const LONG r = ParseSubKey(*parent.key, subKey, &parts); r != ERROR_SUCCESS)
        return r;
    if (IsWriteAccess(desired) && !parent.writable)
        return ERROR_ACCESS_DENIED;
    std::shared_ptr<RegistryKey> key = parts.empty() ? parent.key : parent.key->FindPath(parts);
    DWORD outcome = REG_OPENED_EXISTING_KEY;
    if (!key) {
        if (!parent.writable || !(parent.access & KEY_CREATE_SUB_KEY))
            return ERROR_ACCESS_DENIED;
        const std::string path = JoinKeyPath(parent.key->Path(), parts);
        if (const LONG r = Store(state).Commit(MakeChange(RegistryChange::Kind::CreateKey, path));
            r != ERROR_SUCCESS)
            return r;
        key = parent.key->FindPath(parts);
        outcome = REG_CREATED_NEW_KEY;
    }
    *result = NewHandle(state, OpenKey{key, desired, parent.writable});
    if (disposition)
        *disposition = outcome;
    return ERROR_SUCCESS;
}

LONG RegOpenKeyEx(HKEY hKey, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result) {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey parent;
    if (const LONG r = Resolve(state, hKey, &parent); r != ERROR_SUCCESS)
        return r;
    std::vector<std::string> parts;
    if (const LONG r = ParseSubKey(*parent.key, subKey, &parts); r != ERROR_SUCCESS)
        return r == ERROR_INVALID_PARAMETER ? ERROR_FILE_NOT_FOUND : r;
    const auto key = parts.empty() ? parent.key : parent.key->FindPath(parts);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    if (IsWriteAccess(desired) && !parent.writable)
        return ERROR_ACCESS_DENIED;
    *result = NewHandle(state, OpenKey{key, desired, parent.writable});
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey) {
    if (PredefinedHive(hKey))
        return ERROR_SUCCESS;
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    return state.handles.erase(reinterpret_cast<uintptr_t>(hKey)) ? ERROR_SUCCESS
                                                                  : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueEx(HKEY hKey, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (data != nullptr && size == nullptr)
        return ERROR_INVALID_PARAMETER;
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey open;
    if (const LONG r = ResolveFor(state, hKey, KEY_QUERY_VALUE, false, &open); r != ERROR_SUCCESS)
        return r;
    const kq::RegistryValue* value = open.key->FindValue(name ? name : "");
    if (value == nullptr)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    const auto needed = static_cast<DWORD>(value->data.size());
    if (data != nullptr) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, value->data.data(), needed);
    }
    if (size)
        *size = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY hKey, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    if (data == nullptr && size != 0)
        return ERROR_INVALID_PARAMETER;
    const std::string valueName = name ? name : "";
    if (!kq::IsStorableName(valueName) || valueName.size() > kq::kMaxValueNameLength)
        return ERROR_INVALID_PARAMETER;
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey open;
    if (const LONG r = ResolveFor(state, hKey, KEY_SET_VALUE, true, &open); r != ERROR_SUCCESS)
        return r;
    RegistryChange change = MakeChange(RegistryChange::Kind::SetValue, open.key->Path(), valueName);
    change.type = type;
    change.data = kq::NormalizeValueData(
        type, std::string_view(reinterpret_cast<const char*>(data), data ? size : 0));
    return Store(state).Commit(change);
}

LONG RegDeleteValue(HKEY hKey, LPCSTR name) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey open;
    if (const LONG r = ResolveFor(state, hKey, KEY_SET_VALUE, true, &open); r != ERROR_SUCCESS)
        return r;
    const std::string valueName = name ? name : "";
    if (open.key->FindValue(valueName) == nullptr)
        return ERROR_FILE_NOT_FOUND;
    return Store(state).Commit(
        MakeChange(RegistryChange::Kind::DeleteValue, open.key->Path(), valueName));
}

LONG RegDeleteKey(HKEY hKey, LPCSTR subKey) {
    if (subKey == nullptr)
        return ERROR_INVALID_PARAMETER;
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey open;
    if (const LONG r = ResolveFor(state, hKey, 0, true, &open); r != ERROR_SUCCESS)
        return r;
    std::vector<std::string> parts;
    if (const LONG r = ParseSubKey(*open.key, subKey, &parts); r != ERROR_SUCCESS)
        return r == ERROR_INVALID_PARAMETER ? ERROR_FILE_NOT_FOUND : r;
    const auto key = parts.empty() ? open.key : open.key->FindPath(parts);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    if (!key->SubKeys().empty() || key->Depth() <= 1)
        return ERROR_ACCESS_DENIED;  // as Windows: subkeys first, and never a root key
    return Store(state).Commit(MakeChange(RegistryChange::Kind::DeleteKey, key->Path()));
}

LONG RegDeleteTree(HKEY hKey, LPCSTR subKey) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey open;
    if (const LONG r = ResolveFor(state, hKey, 0, true, &open); r != ERROR_SUCCESS)
        return r;
    std::vector<std::string> parts;
    if (const LONG r = ParseSubKey(*open.key, subKey, &parts); r != ERROR_SUCCESS)
        return r == ERROR_INVALID_PARAMETER ? ERROR_FILE_NOT_FOUND : r;
    if (parts.empty())
        return Store(state).Commit(MakeChange(RegistryChange::Kind::ClearKey, open.key->Path()));
    const auto key = open.key->FindPath(parts);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    return Store(state).Commit(MakeChange(RegistryChange::Kind::DeleteKey, key->Path()));
}

LONG RegEnumKeyEx(HKEY hKey, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR keyClass,
                  LPDWORD classSize, FILETIME* lastWriteTime) {
    if (name == nullptr || nameSize == nullptr)
        return ERROR_INVALID_PARAMETER;
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey open;
    if (const LONG r = ResolveFor(state, hKey, KEY_ENUMERATE_SUB_KEYS, false, &open);
        r != ERROR_SUCCESS)
        return r;
    const auto& subKeys = open.key->SubKeys();
    if (index >= subKeys.size())
        return ERROR_NO_MORE_ITEMS;
    const RegistryKey& key = *subKeys[index];
    if (const LONG r = CopyName(key.Name(), name, nameSize); r != ERROR_SUCCESS)
        return r;
    if (keyClass && classSize && *classSize > 0) {
        keyClass[0] = '\0';
        *classSize = 0;
    }
    if (lastWriteTime)
        *lastWriteTime = kq::FileTimeFromUnixNanos(key.LastWriteNanos());
    return ERROR_SUCCESS;
}

LONG RegEnumValue(HKEY hKey, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPDWORD type,
                  LPBYTE data, LPDWORD dataSize) {
    if (name == nullptr || nameSize == nullptr || (data != nullptr && dataSize == nullptr))
        return ERROR_INVALID_PARAMETER;
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey open;
    if (const LONG r = ResolveFor(state, hKey, KEY_QUERY_VALUE, false, &open); r != ERROR_SUCCESS)
        return r;
    const auto& values = open.key->Values();
    if (index >= values.size())
        return ERROR_NO_MORE_ITEMS;
    const kq::RegistryValue& value = values[index];
    if (const LONG r = CopyName(value.name, name, nameSize); r != ERROR_SUCCESS)
        return r;
    if (type)
        *type = value.type;
    const auto needed = static_cast<DWORD>(value.data.size());
    if (data != nullptr) {
        if (*dataSize < needed) {
            *dataSize = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, value.data.data(), needed);
    }
    if (dataSize)
        *dataSize = needed;
    return ERROR_SUCCESS;
}

LONG RegQueryInfoKey(HKEY hKey, LPSTR keyClass, LPDWORD classSize, LPDWORD, LPDWORD subKeys,
                     LPDWORD maxSubKeyLength, LPDWORD maxClassLength, LPDWORD values,
                     LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                     LPDWORD securityDescriptorSize, FILETIME* lastWriteTime) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey open;
    if (const LONG r = ResolveFor(state, hKey, KEY_QUERY_VALUE, false, &open); r != ERROR_SUCCESS)
        return r;
    const RegistryKey& key = *open.key;
    DWORD longestKey = 0, longestName = 0, largestData = 0;
    for (const auto& sub : key.SubKeys())
        longestKey = std::max(longestKey, static_cast<DWORD>(sub->Name().size()));
    for (const auto& value : key.Values()) {
        longestName = std::max(longestName, static_cast<DWORD>(value.name.size()));
        largestData = std::max(largestData, static_cast<DWORD>(value.data.size()));
    }
    if (keyClass && classSize && *classSize > 0)
        keyClass[0] = '\0';
    if (classSize)
        *classSize = 0;
    if (subKeys)
        *subKeys = static_cast<DWORD>(key.SubKeys().size());
    if (maxSubKeyLength)
        *maxSubKeyLength = longestKey;
    if (maxClassLength)
        *maxClassLength = 0;
    if (values)
        *values = static_cast<DWORD>(key.Values().size());
    if (maxValueNameLength)
        *maxValueNameLength = longestName;
    if (maxValueLength)
        *maxValueLength = largestData;
    if (securityDescriptorSize)
        *securityDescriptorSize = 0;
    if (lastWriteTime)
        *lastWriteTime = kq::FileTimeFromUnixNanos(key.LastWriteNanos());
    return ERROR_SUCCESS;
}

LONG RegFlushKey(HKEY hKey) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    OpenKey open;
    if (const LONG r = Resolve(state, hKey, &open); r != ERROR_SUCCESS)
        return r;
    return Store(state).Flush();
}

namespace kq {

void SetRegistryFilePath(const std::string& path) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.store)
        state.store->Flush();
    state.store.reset();
    state.handles.clear();
    state.pathOverride = path;
}

std::string RegistryFilePath() {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    return Store(state).Path();
}

LONG FlushRegistry() {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    return state.store ? state.store->Flush() : ERROR_SUCCESS;
}

void DeclareRegistryDamaged(const std::string& reason) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    Store(state).DeclareDamaged(reason);
}

bool RegistryKeepsChanges() {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    return Store(state).KeepsChanges();
}

bool GetRegistryDamage(RegistryDamage* damage) {
    RegistryState& state = State();
    std::lock_guard lock(state.mutex);
    RegistryStore& store = Store(state);
    store.Root();
    if (!store.Damage())
        return false;
    if (damage)
        *damage = *store.Damage();
    return true;
}

}  // namespace kq
