// The installed resource bundles and an index over them by type and name. Internal to the
// resource functions of Resource.h.
#pragma once

#include <memory>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/ResourceBundle.h"
#include "platform/base/ResourceName.h"
#include "platform/base/WinTypes.h"

namespace kq {

// Numeric resource types, as RT_ values.
enum ResourceType : WORD {
    kTypeCursor = 1,
    kTypeBitmap = 2,
    kTypeIcon = 3,
    kTypeMenu = 4,
    kTypeDialog = 5,
    kTypeString = 6,
    kTypeAccelerator = 9,
    kTypeGroupCursor = 12,
    kTypeGroupIcon = 14,
};

// One resource of an installed bundle, the thing an HRSRC points at.
struct RegisteredResource {
    WORD type = 0;
    const void* data = nullptr;  // the typed record or the bytes (see Resource.h)
    DWORD size = 0;
    const void* record = nullptr;  // the bundle's entry (DialogTemplate, BinaryResource, ...)
};

class ResourceRegistry {
  public:
    static ResourceRegistry& Instance();

    void Install(const ResourceBundle& bundle);
    void Uninstall(const ResourceBundle& bundle);

    // The latest installed resource of this type and name, or nullptr.
    const RegisteredResource* Find(WORD type, const ResourceName& name) const;
    // Whether a pointer is one that Find handed out and that is still installed.
    bool IsRegistered(const void* resource) const;

  private:
    struct Installed {
        const ResourceBundle* bundle = nullptr;
        std::vector<RegisteredResource> resources;  // never resized after filling
        // The binary templates that RT_MENU resources yield, made once at installation.
        std::vector<std::vector<BYTE>> menuTemplates;  // never resized after filling
        std::unordered_map<std::string, const RegisteredResource*> index;
    };

    static std::unique_ptr<Installed> Index(const ResourceBundle& bundle);

    mutable std::shared_mutex mutex_;
    std::vector<std::unique_ptr<Installed>> installed_;  // in install order
};

}  // namespace kq
