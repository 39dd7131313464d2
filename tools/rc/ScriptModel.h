// What the compiler reads out of resource scripts, before it is written out as constant tables
// of the shape of platform/base/ResourceBundle.h. Values are final: styles include the defaults
// of their statement, names are in upper case.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/ResourceBundle.h"

namespace kq::rc {

// A resource's name: a number from 1 to 65535, or a text (a name no #define gives a number).
struct ResName {
    uint16_t number = 0;
    std::string name;

    bool IsNumber() const { return name.empty(); }
    bool IsEmpty() const { return number == 0 && name.empty(); }
    std::string Describe() const { return IsNumber() ? std::to_string(number) : name; }
    bool operator==(const ResName&) const = default;
};

struct Control {
    std::string className;
    std::string text;
    int32_t id = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0;
    int16_t y = 0;
    int16_t cx = 0;
    int16_t cy = 0;
};

struct Font {
    uint16_t pointSize = 0;
    std::string face;
    uint16_t weight = 0;
    bool italic = false;
    uint8_t charset = 1;
};

struct Dialog {
    ResName name;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0;
    int16_t y = 0;
    int16_t cx = 0;
    int16_t cy = 0;
    std::string caption;
    Font font;
    ResName menu;
    std::string className;
    std::vector<Control> controls;
};

struct MenuItem {
    std::string text;
    uint16_t id = 0;
    uint32_t flags = 0;  // kq::MenuItemTemplate flags
    std::vector<MenuItem> children;
};

struct Menu {
    ResName name;
    std::vector<MenuItem> items;
};

struct Accelerator {
    uint8_t flags = 0;  // kq::AcceleratorEntry flags
    uint16_t key = 0;
    uint16_t cmd = 0;
};

struct AcceleratorTable {
    ResName name;
    std::vector<Accelerator> entries;
};

struct Binary {
    BinaryKind kind = BinaryKind::Bitmap;
    ResName name;
    std::string path;  // where the file was found
    std::string bytes;
};

struct StringEntry {
    uint16_t id = 0;
    std::string text;
};

struct Script {
    std::vector<StringEntry> strings;  // in script order
    std::vector<Dialog> dialogs;
    std::vector<Menu> menus;
    std::vector<AcceleratorTable> accelerators;
    std::vector<Binary> binaries;
    std::vector<std::string> dependencies;  // every file read: scripts, headers, embedded files
};

}  // namespace kq::rc
