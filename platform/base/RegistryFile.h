// The settings file: the text format of Windows registry exports, version 5.00.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Company\App]
//   "Text"="with \"quotes\" and \\ backslashes"
//   "Count"=dword:0000002a
//   "Blob"=hex:00,01,02,...,\   (a long hex list continues on the next line,
//     fe,ff                     indented by two spaces)
//   @="the default value"
//
// Written as UTF-8 with '\n' line ends. Read: UTF-8 (with or without byte-order mark) or UTF-16LE
// with byte-order mark as Windows writes it; '\r\n' line ends; ';' comment lines; "[-key]" and
// "name"=- deletion entries. String data in hex form (hex(1), hex(2), hex(7)) is UTF-16LE as
// Windows keeps it, in either file encoding.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/RegistryKey.h"

namespace kq {

constexpr std::string_view kRegistryFileHeader = "Windows Registry Editor Version 5.00";

// Adds the file's keys and values to the tree below root. False with a reason ("line 7: ...")
// when the file is damaged; the tree may then hold part of the file.
bool ParseRegistryFile(std::string_view bytes, RegistryKey& root, std::string* error);

// The whole tree below root as file text.
std::string FormatRegistryFile(const RegistryKey& root);

}  // namespace kq
