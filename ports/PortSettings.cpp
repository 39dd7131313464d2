#include "ports/PortSettings.h"

#include "platform/base/Registry.h"

namespace kq::ports {

namespace {

// Owns an open key for one function's work.
class OpenKey {
  public:
    OpenKey(const std::string& section, bool create) {
        const std::string path = SettingsKey() + "\\" + section;
        const LONG result = create
                                ? RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key_, nullptr)
                                : RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_);
        if (result != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~OpenKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace

std::string SettingsKey() {
    return kDefaultSettingsKey;
}

std::optional<std::string> ReadSettingString(const std::string& section, const char* name) {
    OpenKey key(section, false);
    if (key.Get() == nullptr) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueEx(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::string value(size, '\0');
    if (RegQueryValueEx(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                        &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(size);
    while (!value.empty() && value.back() == '\0') {
        value.pop_back();
    }
    return value;
}

bool WriteSettingString(const std::string& section, const char* name, const std::string& value) {
    OpenKey key(section, true);
    return key.Get() != nullptr &&
           RegSetValueEx(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteSettingValue(const std::string& section, const char* name) {
    OpenKey key(section, false);
    return key.Get() != nullptr && RegDeleteValue(key.Get(), name) == ERROR_SUCCESS;
}

std::vector<std::string> ListSettingSections(const std::string& section) {
    std::vector<std::string> names;
    OpenKey key(section, false);
    if (key.Get() == nullptr) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD size = sizeof name;
        if (RegEnumKeyEx(key.Get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, size);
    }
    return names;
}

}  // namespace kq::ports
