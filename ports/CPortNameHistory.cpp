#include "ports/CPortNameHistory.h"

#include <set>

#include "platform/base/Registry.h"
#include "ports/PortSettings.h"

namespace kq::ports {

namespace {

constexpr const char* kIdentityValue = "Device";
constexpr const char* kPathValue = "Path";

std::string Section(const std::string& comName) {
    return std::string(kPortSectionsKey) + "\\" + comName;
}

CString CanonicalName(int number) {
    return CString("COM" + std::to_string(number));
}

// The number of a section the history itself wrote ("COMn", any case); 0 for other spellings
// such as "COM03", which would give a second device the name of the device in "COM3".
int SectionNumber(const std::string& name) {
    const int number = ComNumber(name.c_str());
    return number > 0 && CanonicalName(number).CompareNoCase(name.c_str()) == 0 ? number : 0;
}

}  // namespace

int ComNumber(const CString& name) {
    CString text = name;
    text.Trim();
    if (text.Left(4) == "\\\\.\\") {
        text = text.Mid(4);
    }
    if (text.GetLength() < 4 || text.Left(3).CompareNoCase("COM") != 0 || text.GetLength() > 9) {
        return 0;
    }
    int number = 0;
    for (int i = 3; i < text.GetLength(); ++i) {
        const char ch = text[i];
        if (ch < '0' || ch > '9') {
            return 0;
        }
        number = number * 10 + (ch - '0');
    }
    return number;
}

void CPortNameHistory::ForgetUnkeptOfOtherStore() const {
    const std::string store = RegistryFilePath();
    if (store != unkeptStore_) {
        unkept_.clear();
        unkeptStore_ = store;
    }
}

const CPortNameHistory::Unkept* CPortNameHistory::FindUnkept(const std::string& identity) const {
    for (const Unkept& name : unkept_) {
        if (name.identity == identity)
            return &name;
    }
    return nullptr;
}

std::optional<CString> CPortNameHistory::FindComName(const std::string& identity) const {
    std::lock_guard lock(lock_);
    ForgetUnkeptOfOtherStore();
    if (const Unkept* name = FindUnkept(identity))
        return CanonicalName(name->number);
    for (const std::string& name : ListSettingSections(kPortSectionsKey)) {
        const int number = SectionNumber(name);
        if (number > 0 && ReadSettingString(Section(name), kIdentityValue) == identity) {
            return CanonicalName(number);
        }
    }
    return std::nullopt;
}

std::optional<CString> CPortNameHistory::FindComNameByPath(const std::string& path) const {
    std::lock_guard lock(lock_);
    ForgetUnkeptOfOtherStore();
    for (const Unkept& name : unkept_) {
        if (name.path == path)
            return CanonicalName(name.number);
    }
    for (const std::string& name : ListSettingSections(kPortSectionsKey)) {
        const int number = SectionNumber(name);
        if (number > 0 && ReadSettingString(Section(name), kPathValue) == path) {
            return CanonicalName(number);
        }
    }
    return std::nullopt;
}

CString CPortNameHistory::AssignComName(const std::string& identity, const std::string& path) {
    std::lock_guard lock(lock_);
    ForgetUnkeptOfOtherStore();
    std::set<int> used;
    for (Unkept& name : unkept_) {
        if (name.identity == identity) {
            name.path = path;
            return CanonicalName(name.number);
        }
        if (name.path == path)
            name.path.clear();  // the node now belongs to another device
        used.insert(name.number);
    }
    std::string found;
    int foundNumber = 0;
    for (const std::string& name : ListSettingSections(kPortSectionsKey)) {
        const int number = SectionNumber(name);
        if (number <= 0) {
            continue;
        }
        used.insert(number);
        const std::string section = Section(name);
        // Of two sections that name the device (a hand-edited file), the first is its name, as
        // for FindComName; the other keeps no node.
        if (found.empty() && ReadSettingString(section, kIdentityValue) == identity) {
            found = name;
            foundNumber = number;
        } else if (!path.empty() && ReadSettingString(section, kPathValue) == path) {
            // The node now belongs to another device.
            DeleteSettingValue(section, kPathValue);
        }
    }
    if (found.empty()) {
        int number = 1;
        while (used.count(number) != 0) {
            ++number;
        }
        foundNumber = number;
        found = CanonicalName(number).Str();
        if (!WriteSettingString(Section(found), kIdentityValue, identity)) {
            // The sensors are found all the same; the name lasts as long as this run.
            unkept_.push_back(Unkept{identity, path, number});
            return CanonicalName(number);
        }
    }
    if (!path.empty() && ReadSettingString(Section(found), kPathValue) != path) {
        WriteSettingString(Section(found), kPathValue, path);
    }
    return CanonicalName(foundNumber);
}

}  // namespace kq::ports
