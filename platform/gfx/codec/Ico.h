// Icon (.ico) and cursor (.cur) files: the directory, choosing an entry for a wanted size and
// depth, and decoding an entry (a DIB with AND mask, or PNG).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/Image.h"

namespace kq::gfx {

struct IconEntry {
    int width = 0;  // as the image data says; the directory's values only when that is unreadable
    int height = 0;
    int bitCount = 0;
    size_t offset = 0;  // of the image data in the file
    size_t size = 0;
    int hotspotX = 0;  // cursors only
    int hotspotY = 0;
};

struct IconResult {
    Image image;       // with its AND mask
    int hotspotX = 0;  // cursors: from the file; icons: the centre
    int hotspotY = 0;
    std::string error;

    bool Ok() const { return error.empty(); }
    explicit operator bool() const { return Ok(); }
    static IconResult Failure(std::string text) {
        IconResult r;
        r.error = std::move(text);
        return r;
    }
};

// The entries whose data lies inside the file (others are left out); false when the header is
// not an icon or cursor directory or no entry is usable.
bool ReadIconDirectory(std::span<const uint8_t> file, std::vector<IconEntry>& entries,
                       bool& isCursor, std::string& error);

// Index of the entry to use for a wanted size and depth: the exact size, else the smallest entry
// that covers it, else the largest; within that size the deepest entry not above the wanted depth,
// else the shallowest one above it. Width or height 0 mean 32, depth 0 means 32. entries must not
// be empty.
size_t ChooseIconEntry(const std::vector<IconEntry>& entries, int width, int height, int bitCount);

// One icon or cursor image as a file entry or an icon resource holds it: a DIB whose header
// height covers the colour bits and the AND mask, or a PNG image.
ImageResult DecodeIconImage(std::span<const uint8_t> data);

IconResult DecodeIcon(std::span<const uint8_t> file, int width = 0, int height = 0,
                      int bitCount = 0);

}  // namespace kq::gfx
