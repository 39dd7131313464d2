// The objects behind GDI handles. They are owned by the handle table and, while selected, also
// by the device contexts that use them, so a handle deleted while selected never leaves a DC
// drawing with freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/gfx/DibFormat.h"
#include "platform/gfx/GdiStructs.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"

namespace kq::gfx {

enum class ObjectKind : uint8_t {
    None = 0,
    Dc,
    Pen,
    Brush,
    Font,
    Bitmap,
    Region,
    Palette,
    Icon,
    ImageList,
};

class GdiObject {
  public:
    explicit GdiObject(ObjectKind kind) : kind_(kind) {}
    virtual ~GdiObject() = default;
    ObjectKind Kind() const { return kind_; }
    // Stock objects outlive every DeleteObject.
    bool stock = false;

  private:
    ObjectKind kind_;
};

class PenObject : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Pen;
    PenObject() : GdiObject(kKind) {}
    int style = 0;  // full style: line style, end cap, join and type bits
    int width = 0;  // logical units; 0 and 1 are one pixel whatever the mapping
    COLORREF color = 0;
    bool extended = false;  // made by ExtCreatePen
    std::vector<DWORD> userStyle;
    bool dcPen = false;  // the DC_PEN stock object: takes the DC's pen colour
};

class BrushObject : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Brush;
    BrushObject() : GdiObject(kKind) {}
    UINT style = 0;  // BS_*
    COLORREF color = 0;
    int hatch = 0;
    // Pattern brushes: the tile. A monochrome tile takes the DC's text and background colours.
    std::shared_ptr<Surface> pattern;
    int sysColorIndex = -1;  // GetSysColorBrush brushes follow the system colour table
    bool dcBrush = false;    // the DC_BRUSH stock object
};

class FontObject : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Font;
    FontObject() : GdiObject(kKind) {}
    LOGFONT logFont{};
};

class BitmapObject : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Bitmap;
    BitmapObject() : GdiObject(kKind) {}
    std::shared_ptr<Surface> surface;
    int bitsPixel = 32;  // 1 for monochrome bitmaps, else the DIB depth or 32
    // DIB sections: the caller-visible bits. For depths other than 32 (or 32 with bit fields)
    // the surface is a 32-bit copy that is synchronised around every drawing operation.
    bool dibSection = false;
    BITMAPINFOHEADER dibHeader{};
    DibLayout dib;
    std::vector<uint8_t> dibStorage;
    void* dibBits = nullptr;
    bool dibShadow = false;  // the surface is a converted copy of dibBits
    // The DC this bitmap is selected into (a bitmap can be selected into one DC at a time).
    const void* selectedInto = nullptr;
    SIZE dimension{0, 0};  // SetBitmapDimensionEx
    void SyncFromDib();    // dib bits -> surface (shadowed DIB sections)
    void SyncToDib();      // surface -> dib bits
};

class RegionObject : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Region;
    RegionObject() : GdiObject(kKind) {}
    Region region;
};

class PaletteObject : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Palette;
    PaletteObject() : GdiObject(kKind) {}
    std::vector<PALETTEENTRY> entries;
};

// Icons and cursors: a colour image (alpha in the top byte when hasAlpha) and a monochrome
// AND mask (white where the screen shows through). A monochrome icon has no colour image; its
// mask is twice as high, the XOR half below the AND half.
class IconObject : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Icon;
    IconObject() : GdiObject(kKind) {}
    bool isIcon = true;
    POINT hotspot{0, 0};
    int width = 0;
    int height = 0;
    std::shared_ptr<Surface> color;
    std::shared_ptr<Surface> mask;
    bool hasAlpha = false;
};

}  // namespace kq::gfx
