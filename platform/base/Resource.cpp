#include "platform/base/Resource.h"

#include "platform/base/ResourceRegistry.h"

namespace kq {

namespace {

const void* FindRecord(WORD type, const ResourceName& name) {
    const RegisteredResource* found = ResourceRegistry::Instance().Find(type, name);
    return found ? found->record : nullptr;
}

}  // namespace

void InstallResources(const ResourceBundle& bundle) {
    ResourceRegistry::Instance().Install(bundle);
}

void UninstallResources(const ResourceBundle& bundle) {
    ResourceRegistry::Instance().Uninstall(bundle);
}

bool LoadStringResource(UINT id, std::string& text) {
    text.clear();
    if (id > 0xFFFF) {
        return false;
    }
    const auto* string =
        static_cast<const StringResource*>(FindRecord(kTypeString, static_cast<int>(id)));
    // An empty entry counts as none, as in Windows, where string tables cannot tell them apart.
    if (!string || string->text.empty()) {
        return false;
    }
    text.assign(string->text);
    return true;
}

const DialogTemplate* FindDialogTemplate(const ResourceName& name) {
    return static_cast<const DialogTemplate*>(FindRecord(kTypeDialog, name));
}

const MenuTemplate* FindMenuTemplate(const ResourceName& name) {
    return static_cast<const MenuTemplate*>(FindRecord(kTypeMenu, name));
}

const AcceleratorTable* FindAcceleratorTable(const ResourceName& name) {
    return static_cast<const AcceleratorTable*>(FindRecord(kTypeAccelerator, name));
}

const BinaryResource* FindBinaryResource(BinaryKind kind, const ResourceName& name) {
    WORD type = kTypeBitmap;
    if (kind == BinaryKind::Icon) {
        type = kTypeIcon;
    } else if (kind == BinaryKind::Cursor) {
        type = kTypeCursor;
    }
    return static_cast<const BinaryResource*>(FindRecord(type, name));
}

}  // namespace kq

namespace {

const kq::RegisteredResource* RegisteredFromHandle(const void* handle) {
    if (!handle || !kq::ResourceRegistry::Instance().IsRegistered(handle)) {
        return nullptr;
    }
    return static_cast<const kq::RegisteredResource*>(handle);
}

}  // namespace

HRSRC FindResource(HMODULE, LPCSTR name, LPCSTR type) {
    // Only numbered types exist in the compiled bundles; a named type finds nothing.
    if (!name || !type || !IS_INTRESOURCE(type)) {
        return nullptr;
    }
    const auto typeNumber = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(type));
    const kq::RegisteredResource* found =
        kq::ResourceRegistry::Instance().Find(typeNumber, kq::ResourceName(name));
    return reinterpret_cast<HRSRC>(const_cast<kq::RegisteredResource*>(found));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    const kq::RegisteredResource* registered = RegisteredFromHandle(resource);
    return const_cast<kq::RegisteredResource*>(registered);
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    const kq::RegisteredResource* registered = RegisteredFromHandle(resource);
    return registered ? registered->size : 0;
}

LPVOID LockResource(HGLOBAL data) {
    const kq::RegisteredResource* registered = RegisteredFromHandle(data);
    // The data is constant; like Windows' resource pages it must not be written through this.
    return registered ? const_cast<void*>(registered->data) : nullptr;
}
