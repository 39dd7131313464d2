// Maps Windows face names to installed scalable fonts through fontconfig: the Windows sans
// faces to Liberation Sans, the serif faces to Liberation Serif, the fixed faces to Liberation
// Mono (DejaVu when those are missing), other names to themselves when installed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/GdiStructs.h"

namespace kq::gfx {

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;
    bool bold = false;  // the file's own style
    bool italic = false;
};

// The family a face name stands for ("Liberation Sans", ...), chosen by the pitch and family
// bits when the name is empty or unknown.
std::string MappedFamily(const char* faceName, BYTE pitchAndFamily);
bool IsMarlettFace(const char* faceName);
// The installed file for a family, weight and slant; nullopt when no scalable font exists.
std::optional<FontFile> FindFontFile(const std::string& family, int weight, bool italic);
// The font used for characters the chosen font lacks.
std::optional<FontFile> FallbackFontFile();

}  // namespace kq::gfx

namespace kq::gfx {

// The families a program can ask for: the Windows names that map to installed fonts, then the
// installed scalable families, sorted and without repeats.
std::vector<std::string> EnumerableFamilies();

}  // namespace kq::gfx
