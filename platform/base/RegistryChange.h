// One completed change of the settings store, as the journal records it and as a settings file
// with deletion entries ("[-key]", "name"=-) describes it.
#pragma once

#include <string>

#include "platform/base/RegistryKey.h"

namespace kq {

struct RegistryChange {
    enum class Kind : char {
        CreateKey = 'K',
        SetValue = 'V',
        DeleteValue = 'D',
        DeleteKey = 'X',  // the key with everything below it
        ClearKey = 'C',   // every subkey and value, the key itself stays
    };
    Kind kind = Kind::CreateKey;
    std::string path;  // full path from the root, "HKEY_CURRENT_USER\Software\..."
    std::string name;  // value name ("" is the default value)
    DWORD type = 0;
    std::string data;
};

// The canonical spelling of a root key name ("hkey_current_user" -> "HKEY_CURRENT_USER"); null
// for anything else.
const char* CanonicalHiveName(std::string_view name);

// Key and value names must fit on one line of the settings file.
bool IsStorableName(std::string_view name);

// String data as the store keeps it: the text up to its first 0x00, then one 0x00. Other types
// are kept as they are.
std::string NormalizeValueData(DWORD type, std::string_view data);

// Applies the change to the tree below root. False when the path or a name is invalid or names
// nothing to delete; the tree is then unchanged.
bool ApplyChange(RegistryKey& root, const RegistryChange& change);

}  // namespace kq
