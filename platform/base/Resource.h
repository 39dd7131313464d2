// Access to the resources compiled into the program: string tables, dialog and menu templates,
// accelerator tables and the bytes of bitmaps, icons and cursors, by number or by name. The
// program installs its bundle at start; tests install their own.
#pragma once

#include <string>

#include "platform/base/ResourceBundle.h"
#include "platform/base/ResourceName.h"
#include "platform/base/ResourceTemplates.h"
#include "platform/base/WinTypes.h"

// Resource types for FindResource. An icon is found as RT_ICON and as RT_GROUP_ICON, a cursor as
// RT_CURSOR and RT_GROUP_CURSOR; either way the data is the whole file the script named.
#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)

namespace kq {

// Makes a bundle's resources reachable. Where bundles hold a resource of the same type and name
// the one installed last wins; installing a bundle again makes it the latest. The bundle is not
// copied and must stay alive while installed (generated bundles are static constants).
void InstallResources(const ResourceBundle& bundle);
// Makes a bundle unreachable again. Handles and pointers obtained from it become invalid.
void UninstallResources(const ResourceBundle& bundle);

// The text of a string-table entry; false (and an empty text) when the id has none or its text
// is empty.
bool LoadStringResource(UINT id, std::string& text);

// The lookups return nullptr when no installed bundle has the resource.
const DialogTemplate* FindDialogTemplate(const ResourceName& name);
const MenuTemplate* FindMenuTemplate(const ResourceName& name);
const AcceleratorTable* FindAcceleratorTable(const ResourceName& name);
const BinaryResource* FindBinaryResource(BinaryKind kind, const ResourceName& name);

}  // namespace kq

// The Windows shape over the installed bundles; the module handle is not looked at. What
// LockResource yields: for bitmaps, icons and cursors the file's bytes; for RT_STRING (looked up
// by string id, not by block of 16) the UTF-8 text without terminator; for RT_DIALOG a
// kq::DialogTemplate, for RT_MENU the standard binary menu template (BinaryMenuTemplate.h),
// which LoadMenuIndirect takes; for RT_ACCELERATOR the table's kq::AcceleratorEntry array.
// SizeofResource gives that data's size in bytes.
HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type);
inline HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    return FindResource(module, name, type);
}
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
