#include "platform/gfx/codec/Ico.h"

#include <cstdlib>

#include "platform/gfx/codec/DibLayout.h"
#include "platform/gfx/codec/FileBytes.h"
#include "platform/gfx/codec/LittleEndian.h"
#include "platform/gfx/codec/Png.h"

namespace kq::gfx {

namespace {

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kDirectoryEntry = 16;
constexpr int kDefaultIconSize = 32;
constexpr int kDefaultDepth = 32;

uint32_t Be32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

// Size and depth as the image data gives them; the directory's fields are often wrong.
void PeekImage(std::span<const uint8_t> data, IconEntry& entry) {
    if (HasPngSignature(data)) {
        if (data.size() >= 24) {
            entry.width = static_cast<int>(Be32(data.data() + 16) & 0x7FFFFFFF);
            entry.height = static_cast<int>(Be32(data.data() + 20) & 0x7FFFFFFF);
            entry.bitCount = 32;
        }
        return;
    }
    DibFileLayout layout;
    std::string ignored;
    if (ParseDibLayout(data, DibKind::Icon, layout, ignored)) {
        entry.width = layout.width;
        entry.height = layout.height;
        entry.bitCount = layout.bitCount;
    }
}

int64_t Area(const IconEntry& e) {
    return static_cast<int64_t>(e.width) * e.height;
}

}  // namespace

bool ReadIconDirectory(std::span<const uint8_t> file, std::vector<IconEntry>& entries,
                       bool& isCursor, std::string& error) {
    entries.clear();
    if (file.size() < kDirectoryHeader || Le16(file.data()) != 0 ||
        (Le16(file.data() + 2) != 1 && Le16(file.data() + 2) != 2)) {
        error = "not an icon or cursor file";
        return false;
    }
    isCursor = Le16(file.data() + 2) == 2;
    const size_t count = Le16(file.data() + 4);
    if (!RangeFits(file.size(), kDirectoryHeader, count * kDirectoryEntry)) {
        error = "icon directory runs past the end of the file";
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* d = file.data() + kDirectoryHeader + i * kDirectoryEntry;
        IconEntry entry;
        entry.width = d[0] == 0 ? 256 : d[0];
        entry.height = d[1] == 0 ? 256 : d[1];
        entry.bitCount = Le16(d + 6);
        entry.size = Le32(d + 8);
        entry.offset = Le32(d + 12);
        if (isCursor) {
            entry.hotspotX = Le16(d + 4);
            entry.hotspotY = Le16(d + 6);
            entry.bitCount = 0;
        }
        if (entry.size == 0 || !RangeFits(file.size(), entry.offset, entry.size)) {
            continue;
        }
        PeekImage(file.subspan(entry.offset, entry.size), entry);
        entries.push_back(entry);
    }
    if (entries.empty()) {
        error = "icon file has no usable image";
        return false;
    }
    return true;
}

size_t ChooseIconEntry(const std::vector<IconEntry>& entries, int width, int height, int bitCount) {
    width = width > 0 ? width : kDefaultIconSize;
    height = height > 0 ? height : kDefaultIconSize;
    bitCount = bitCount > 0 ? bitCount : kDefaultDepth;
    const auto covers = [&](const IconEntry& e) { return e.width >= width && e.height >= height; };
    // Better size first: exact, then the smallest covering entry, then the largest other one.
    const auto betterSize = [&](const IconEntry& a, const IconEntry& b) {
        const bool aExact = a.width == width && a.height == height;
        const bool bExact = b.width == width && b.height == height;
        if (aExact != bExact) {
            return aExact;
        }
        if (covers(a) != covers(b)) {
            return covers(a);
        }
        return covers(a) ? Area(a) < Area(b) : Area(a) > Area(b);
    };
    const auto betterDepth = [&](const IconEntry& a, const IconEntry& b) {
        const bool aFits = a.bitCount <= bitCount;
        const bool bFits = b.bitCount <= bitCount;
        if (aFits != bFits) {
            return aFits;
        }
        return aFits ? a.bitCount > b.bitCount : a.bitCount < b.bitCount;
    };
    size_t best = 0;
    for (size_t i = 1; i < entries.size(); ++i) {
        const IconEntry& e = entries[i];
        const IconEntry& b = entries[best];
        const bool sameSize = e.width == b.width && e.height == b.height;
        if (sameSize ? betterDepth(e, b) : betterSize(e, b)) {
            best = i;
        }
    }
    return best;
}

IconResult DecodeIcon(std::span<const uint8_t> file, int width, int height, int bitCount) {
    std::vector<IconEntry> entries;
    bool isCursor = false;
    std::string error;
    if (!ReadIconDirectory(file, entries, isCursor, error)) {
        return IconResult::Failure(error);
    }
    const IconEntry& entry = entries[ChooseIconEntry(entries, width, height, bitCount)];
    ImageResult decoded = DecodeIconImage(file.subspan(entry.offset, entry.size));
    if (!decoded) {
        return IconResult::Failure(decoded.error);
    }
    IconResult result;
    result.image = std::move(decoded.image);
    result.hotspotX = isCursor ? entry.hotspotX : result.image.width / 2;
    result.hotspotY = isCursor ? entry.hotspotY : result.image.height / 2;
    return result;
}

}  // namespace kq::gfx
