#include "platform/base/RegistryChange.h"

#include "platform/base/Registry.h"

namespace kq {

const char* CanonicalHiveName(std::string_view name) {
    static const char* const kHives[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                         "HKEY_LOCAL_MACHINE", "HKEY_USERS", "HKEY_CURRENT_CONFIG"};
    const std::string folded = FoldName(name);
    for (const char* hive : kHives) {
        if (folded == hive)
            return hive;
    }
    return nullptr;
}

bool IsStorableName(std::string_view name) {
    return name.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

std::string NormalizeValueData(DWORD type, std::string_view data) {
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::string(data);
    std::string text(data.substr(0, data.find('\0')));
    text += '\0';
    return text;
}

bool ApplyChange(RegistryKey& root, const RegistryChange& change) {
    std::vector<std::string> parts;
    if (!SplitKeyPath(change.path, &parts) || parts.empty() || !IsStorableName(change.name))
        return false;
    const char* hive = CanonicalHiveName(parts[0]);
    if (hive == nullptr)
        return false;
    parts[0] = hive;
    for (const std::string& part : parts) {
        if (!IsStorableName(part))
            return false;
    }
    switch (change.kind) {
        case RegistryChange::Kind::CreateKey:
            root.CreatePath(parts);
            return true;
        case RegistryChange::Kind::SetValue:
            if (change.name.size() > kMaxValueNameLength)
                return false;
            root.CreatePath(parts)->SetValue(change.name, change.type,
                                             NormalizeValueData(change.type, change.data));
            return true;
        case RegistryChange::Kind::DeleteValue: {
            const auto key = root.FindPath(parts);
            return key && key->RemoveValue(change.name);
        }
        case RegistryChange::Kind::DeleteKey: {
            const std::string last = parts.back();
            parts.pop_back();
            RegistryKey* parent = &root;
            std::shared_ptr<RegistryKey> holder;
            if (!parts.empty()) {
                holder = root.FindPath(parts);
                parent = holder.get();
            }
            return parent != nullptr && parent->RemoveSubKey(last);
        }
        case RegistryChange::Kind::ClearKey: {
            const auto key = root.FindPath(parts);
            if (!key)
                return false;
            key->Clear();
            return true;
        }
    }
    return false;
}

}  // namespace kq
