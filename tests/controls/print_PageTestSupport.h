// Pages of the printing classes drawn on a printer DC over a surface the tests read back, and
// small BMP files made by hand in every form the reader knows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "controls/print/Page.h"
#include "platform/gfx/CDC.h"
#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/Surface.h"
#include "platform/gfx/SurfaceDc.h"

namespace kq::print::test {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
// The colours of the quadrants.
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

// A printer DC of the given resolution over a white surface of the given size in pixels.
class PrinterSheet {
  public:
    PrinterSheet(int dpi, int width, int height);
    // A DC whose caps give the resolution as 0 (a broken driver).
    static std::unique_ptr<PrinterSheet> WithoutResolution(int width, int height);

    CDC dc;
    std::shared_ptr<kq::gfx::Surface> surface;

    uint32_t Pixel(int x, int y) const { return surface->Pixel(x, y) & 0xFFFFFF; }
    // Pixels in [left, right) x [top, bottom) equal to colour, and darker than mid-grey.
    int Count(RECT r, uint32_t colour) const;
    int Dark(RECT r) const;
    // Every pixel of the surface, for comparing two drawings.
    std::vector<uint32_t> Pixels() const { return surface->TopDownPixels(); }

  private:
    PrinterSheet() = default;
};

// A 4 x 4 picture in quadrants: top left red, top right green, bottom left blue, bottom right
// white; 1-bit pictures use red for the top-left and bottom-right quadrants and blue elsewhere.
struct BmpRecipe {
    int bits = 24;
    int headerSize = 40;  // 40, 12 (core), or e.g. 124 for a version-5 header
    bool fileHeader = true;
    bool topDown = false;
    bool bitFields = false;       // 16 or 32 bits with 5-6-5 or 8-8-8 masks
    uint32_t colorsUsed = 0;      // the header field
    int tableEntries = -1;        // entries written (-1: as the depth needs)
    uint32_t gap = 0;             // bytes between the table and the bits (the bits offset shows it)
    int64_t imageSizeField = -1;  // -1: the real size
    int width = 4;
    int height = 4;
    size_t keepBytes = SIZE_MAX;  // the file cut to this length
    bool noBits = false;          // headers and table only (for huge sizes)
};
std::vector<uint8_t> MakeBmp(const BmpRecipe& recipe);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

namespace detail {

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The quadrant colour of a pixel, as an index into red, green, blue, white.
inline int Quadrant(int x, int y, int width, int height) {
    return (y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1);
}

constexpr uint32_t kQuadrantColours[4] = {kRed, kGreen, kBlue, kWhite};

inline std::vector<uint8_t> Row(const BmpRecipe& recipe, int y) {
    std::vector<uint8_t> row;
    uint32_t acc = 0;
    int accBits = 0;
    for (int x = 0; x < recipe.width; ++x) {
        const int q = Quadrant(x, y, recipe.width, recipe.height);
        const uint32_t c = kQuadrantColours[q];
        const uint8_t r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
        switch (recipe.bits) {
            case 1:
            case 4: {
                const uint32_t index = recipe.bits == 1 ? (q == 0 || q == 3 ? 0 : 1) : q;
                acc = (acc << recipe.bits) | index;
                accBits += recipe.bits;
                if (accBits == 8) {
                    row.push_back(static_cast<uint8_t>(acc));
                    acc = 0;
                    accBits = 0;
                }
                break;
            }
            case 8:
                row.push_back(static_cast<uint8_t>(q));
                break;
            case 16:
                Put16(row, ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
                break;
            case 24:
                row.insert(row.end(), {b, g, r});
                break;
            case 32:
                row.insert(row.end(), {b, g, r, 0});
                break;
        }
    }
    if (accBits > 0)
        row.push_back(static_cast<uint8_t>(acc << (8 - accBits)));
    while (row.size() % 4 != 0)
        row.push_back(0);
    return row;
}

}  // namespace detail

inline PrinterSheet::PrinterSheet(int dpi, int width, int height)
    : surface(kq::gfx::Surface::Create(width, height)) {
    surface->Fill(kWhite);
    dc.Attach(kq::gfx::CreatePrinterDC(
        surface, kq::gfx::DeviceCaps::Printer(dpi, width, height, width, height, 0, 0), nullptr));
}

inline std::unique_ptr<PrinterSheet> PrinterSheet::WithoutResolution(int width, int height) {
    std::unique_ptr<PrinterSheet> sheet(new PrinterSheet());
    sheet->surface = kq::gfx::Surface::Create(width, height);
    sheet->surface->Fill(kWhite);
    kq::gfx::DeviceCaps caps =
        kq::gfx::DeviceCaps::Printer(300, width, height, width, height, 0, 0);
    caps.logPixelsX = 0;
    caps.logPixelsY = 0;
    sheet->dc.Attach(kq::gfx::CreatePrinterDC(sheet->surface, caps, nullptr));
    return sheet;
}

inline int PrinterSheet::Count(RECT r, uint32_t colour) const {
    int n = 0;
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, surface->Height()); ++y)
        for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, surface->Width()); ++x)
            n += Pixel(x, y) == colour ? 1 : 0;
    return n;
}

inline int PrinterSheet::Dark(RECT r) const {
    int n = 0;
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, surface->Height()); ++y)
        for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, surface->Width()); ++x) {
            const uint32_t p = Pixel(x, y);
            n += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 0x80 ? 1 : 0;
        }
    return n;
}

inline std::vector<uint8_t> MakeBmp(const BmpRecipe& recipe) {
    const bool core = recipe.headerSize == 12;
    const int naturalEntries = recipe.bits <= 8 ? 1 << recipe.bits : 0;
    const int entries = recipe.tableEntries >= 0 ? recipe.tableEntries : naturalEntries;
    std::vector<uint8_t> table;
    for (int i = 0; i < entries; ++i) {
        const uint32_t c = recipe.bits == 1 ? (i == 0 ? kRed : kBlue)
                                            : (i < 4 ? detail::kQuadrantColours[i] : 0x123456);
        table.insert(table.end(), {uint8_t(c & 0xFF), uint8_t((c >> 8) & 0xFF), uint8_t(c >> 16)});
        if (!core)
            table.push_back(0);
    }
    if (recipe.bitFields) {
        table.clear();
        const bool wide = recipe.bits == 32;
        detail::Put32(table, wide ? 0xFF0000 : 0xF800);
        detail::Put32(table, wide ? 0x00FF00 : 0x07E0);
        detail::Put32(table, wide ? 0x0000FF : 0x001F);
    }
    std::vector<uint8_t> bits;
    for (int i = 0; i < (recipe.noBits ? 0 : recipe.height); ++i) {
        const int y = recipe.topDown ? i : recipe.height - 1 - i;
        const std::vector<uint8_t> row = detail::Row(recipe, y);
        bits.insert(bits.end(), row.begin(), row.end());
    }

    std::vector<uint8_t> info;
    if (core) {
        detail::Put32(info, 12);
        detail::Put16(info, recipe.width);
        detail::Put16(info, recipe.height);
        detail::Put16(info, 1);
        detail::Put16(info, recipe.bits);
    } else {
        detail::Put32(info, recipe.headerSize);
        detail::Put32(info, recipe.width);
        detail::Put32(info, static_cast<uint32_t>(recipe.topDown ? -recipe.height : recipe.height));
        detail::Put16(info, 1);
        detail::Put16(info, recipe.bits);
        detail::Put32(info, recipe.bitFields ? 3 : 0);
        detail::Put32(info,
                      recipe.imageSizeField >= 0 ? uint32_t(recipe.imageSizeField) : bits.size());
        detail::Put32(info, 3780);
        detail::Put32(info, 3780);
        detail::Put32(info, recipe.colorsUsed);
        detail::Put32(info, 0);
        info.resize(recipe.headerSize, 0);
    }

    std::vector<uint8_t> file;
    const uint32_t bitsOffset = static_cast<uint32_t>(14 + info.size() + table.size() + recipe.gap);
    if (recipe.fileHeader) {
        file.insert(file.end(), {'B', 'M'});
        detail::Put32(file, bitsOffset + bits.size());
        detail::Put32(file, 0);
        detail::Put32(file, bitsOffset);
    }
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), table.begin(), table.end());
    file.insert(file.end(), recipe.gap, 0xAB);
    file.insert(file.end(), bits.begin(), bits.end());
    if (file.size() > recipe.keepBytes)
        file.resize(recipe.keepBytes);
    return file;
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace kq::print::test
