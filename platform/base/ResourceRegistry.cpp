#include "platform/base/ResourceRegistry.h"

#include <algorithm>
#include <functional>
#include <mutex>

#include "platform/base/BinaryMenuTemplate.h"

namespace kq {

namespace {

// "#123" names the number 123, as Windows reads such names.
bool ParseHashNumber(std::string_view name, WORD& number) {
    if (name.size() < 2 || name.size() > 6 || name[0] != '#') {
        return false;
    }
    unsigned value = 0;
    for (char ch : name.substr(1)) {
        if (ch < '0' || ch > '9') {
            return false;
        }
        value = value * 10 + static_cast<unsigned>(ch - '0');
    }
    if (value > 0xFFFF) {
        return false;
    }
    number = static_cast<WORD>(value);
    return true;
}

// Type and name in one text: numbers as "#<n>", names in upper case (names ignore ASCII case).
std::string KeyOf(WORD type, const ResourceName& name) {
    std::string key = std::to_string(type);
    WORD number = name.id;
    if (name.IsNumber() || ParseHashNumber(name.name, number)) {
        key += '#';
        key += std::to_string(number);
        return key;
    }
    key += '$';
    for (char ch : name.name) {
        key += (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
    }
    return key;
}

size_t CountResources(const ResourceBundle& bundle) {
    size_t count = bundle.strings.size() + bundle.dialogs.size() + bundle.menus.size() +
                   bundle.accelerators.size();
    for (const BinaryResource& binary : bundle.binaries) {
        count += binary.kind == BinaryKind::Bitmap ? 1 : 2;
    }
    return count;
}

}  // namespace

ResourceRegistry& ResourceRegistry::Instance() {
    static ResourceRegistry registry;
    return registry;
}

std::unique_ptr<ResourceRegistry::Installed> ResourceRegistry::Index(const ResourceBundle& bundle) {
    auto installed = std::make_unique<Installed>();
    installed->bundle = &bundle;
    installed->resources.reserve(CountResources(bundle));
    auto add = [&](WORD type, const ResourceName& name, const void* data, size_t size,
                   const void* record) {
        installed->resources.push_back({type, data, static_cast<DWORD>(size), record});
        // Within one bundle a later entry of the same name wins, as between bundles.
        installed->index[KeyOf(type, name)] = &installed->resources.back();
    };
    for (const StringResource& string : bundle.strings) {
        add(kTypeString, ResourceName(static_cast<int>(string.id)), string.text.data(),
            string.text.size(), &string);
    }
    for (const DialogResource& dialog : bundle.dialogs) {
        add(kTypeDialog, dialog.name, &dialog.dialog, sizeof(DialogTemplate), &dialog.dialog);
    }
    installed->menuTemplates.reserve(bundle.menus.size());
    for (const MenuResource& menu : bundle.menus) {
        // Code that reads menu resources itself expects the standard binary form; the window
        // system's LoadMenu keeps using the structure through the record.
        const std::vector<BYTE>& binary =
            installed->menuTemplates.emplace_back(EncodeMenuTemplate(menu.menu));
        add(kTypeMenu, menu.name, binary.data(), binary.size(), &menu.menu);
    }
    for (const AcceleratorResource& table : bundle.accelerators) {
        add(kTypeAccelerator, table.name, table.table.entries.data(),
            table.table.entries.size_bytes(), &table.table);
    }
    for (const BinaryResource& binary : bundle.binaries) {
        const void* bytes = binary.bytes.data();
        switch (binary.kind) {
            case BinaryKind::Bitmap:
                add(kTypeBitmap, binary.name, bytes, binary.bytes.size(), &binary);
                break;
            case BinaryKind::Icon:
                add(kTypeIcon, binary.name, bytes, binary.bytes.size(), &binary);
                add(kTypeGroupIcon, binary.name, bytes, binary.bytes.size(), &binary);
                break;
            case BinaryKind::Cursor:
                add(kTypeCursor, binary.name, bytes, binary.bytes.size(), &binary);
                add(kTypeGroupCursor, binary.name, bytes, binary.bytes.size(), &binary);
                break;
        }
    }
    return installed;
}

void ResourceRegistry::Install(const ResourceBundle& bundle) {
    std::unique_ptr<Installed> installed = Index(bundle);
    std::unique_lock lock(mutex_);
    std::erase_if(installed_, [&](const auto& entry) { return entry->bundle == &bundle; });
    installed_.push_back(std::move(installed));
}

void ResourceRegistry::Uninstall(const ResourceBundle& bundle) {
    std::unique_lock lock(mutex_);
    std::erase_if(installed_, [&](const auto& entry) { return entry->bundle == &bundle; });
}

const RegisteredResource* ResourceRegistry::Find(WORD type, const ResourceName& name) const {
    const std::string key = KeyOf(type, name);
    std::shared_lock lock(mutex_);
    for (auto it = installed_.rbegin(); it != installed_.rend(); ++it) {
        auto found = (*it)->index.find(key);
        if (found != (*it)->index.end()) {
            return found->second;
        }
    }
    return nullptr;
}

bool ResourceRegistry::IsRegistered(const void* resource) const {
    std::shared_lock lock(mutex_);
    const std::less<const void*> before;
    for (const auto& installed : installed_) {
        const auto& resources = installed->resources;
        if (resources.empty()) {
            continue;
        }
        const void* first = resources.data();
        const void* end = resources.data() + resources.size();
        if (!before(resource, first) && before(resource, end)) {
            // Only the start of an element is a handle that Find handed out.
            const auto offset =
                reinterpret_cast<const char*>(resource) - reinterpret_cast<const char*>(first);
            return offset % static_cast<std::ptrdiff_t>(sizeof(RegisteredResource)) == 0;
        }
    }
    return false;
}

}  // namespace kq
