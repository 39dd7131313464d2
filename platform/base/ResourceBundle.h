// A program's (or a test's) compiled resources: the constant tables the resource compiler writes.
// Install a bundle with kq::InstallResources (platform/base/Resource.h) to make it reachable.
#pragma once

#include <span>
#include <string_view>

#include "platform/base/ResourceName.h"
#include "platform/base/ResourceTemplates.h"
#include "platform/base/WinTypes.h"

namespace kq {

struct StringResource {
    UINT id = 0;
    std::string_view text;  // UTF-8; may hold any byte, its length is explicit
};

struct DialogResource {
    ResourceName name;
    DialogTemplate dialog;
};

struct MenuResource {
    ResourceName name;
    MenuTemplate menu;
};

struct AcceleratorResource {
    ResourceName name;
    AcceleratorTable table;
};

// Resources kept as the bytes of the file the script names. An icon or a cursor is the whole .ico
// or .cur file and a bitmap the whole .bmp file with its file header; decoding is the graphics
// layer's business.
enum class BinaryKind { Bitmap, Icon, Cursor };

struct BinaryResource {
    BinaryKind kind = BinaryKind::Bitmap;
    ResourceName name;
    std::span<const BYTE> bytes;
};

struct ResourceBundle {
    std::span<const StringResource> strings;
    std::span<const DialogResource> dialogs;
    std::span<const MenuResource> menus;
    std::span<const AcceleratorResource> accelerators;
    std::span<const BinaryResource> binaries;
};

}  // namespace kq
