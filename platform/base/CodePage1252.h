// The Windows western code page 1252, in which the design's stored files keep their texts (chart
// archives, measurement and result files, logs): the tools and spreadsheets of the sensors' users
// read it without a byte-order mark. The program itself holds UTF-8; these convert at the file's
// edge.
#pragma once

#include <string>
#include <string_view>

namespace kq {

// Each character as its 1252 byte; a character 1252 cannot hold becomes '?', as does each
// malformed UTF-8 sequence.
std::string Utf8ToCp1252(std::string_view utf8);
// Removes from UTF-8 text each character 1252 cannot hold and each malformed sequence, so that
// what is left reaches a 1252 file as it stands; true when anything went.
bool KeepCp1252Characters(std::string& utf8);
// Each byte as its character; the five bytes 1252 leaves unassigned (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become U+FFFD.
std::string Cp1252ToUtf8(std::string_view cp1252);

}  // namespace kq
