// A device context: the drawing state of GDI (selected objects, colours, modes, mapping,
// clipping, current position) over a surface, and the drawing operations that use it. Handles
// (HDC) refer to these objects through the handle table; CDC wraps a handle.
//
// Coordinates: logical units are mapped to device units by the mapping mode; device (0, 0) sits
// at `origin` on the surface (a window's client area on the screen surface). Everything is
// computed in 64-bit arithmetic and clipped before any pixel is touched.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/gfx/CurveGeometry.h"
#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/GdiObjects.h"
#include "platform/gfx/Paint.h"

namespace kq::gfx {

class RealizedFont;

// Receives a printer DC's document and page calls; the printing code installs one.
class PrintJobSink {
  public:
    virtual ~PrintJobSink() = default;
    virtual int StartDoc(const DOCINFO& info) = 0;
    virtual int StartPage() = 0;
    virtual int EndPage() = 0;
    virtual int EndDoc() = 0;
    virtual int AbortDoc() = 0;
    // Printer escapes; 0 when not supported.
    virtual int Escape(int code, int inSize, const void* in, void* out) = 0;
};

struct DcState {
    HPEN hPen = nullptr;
    std::shared_ptr<PenObject> pen;
    HBRUSH hBrush = nullptr;
    std::shared_ptr<BrushObject> brush;
    HFONT hFont = nullptr;
    std::shared_ptr<FontObject> font;
    HBITMAP hBitmap = nullptr;
    std::shared_ptr<BitmapObject> bitmap;
    HPALETTE hPalette = nullptr;
    std::shared_ptr<PaletteObject> palette;
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = 2;  // OPAQUE
    int rop2 = 13;   // R2_COPYPEN
    int polyFillMode = 1;
    int stretchMode = 1;
    UINT textAlign = 0;
    int textCharExtra = 0;
    int mapMode = 1;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};
    POINT curPos{0, 0};
    POINT brushOrg{0, 0};
    int arcDirection = 1;
    int graphicsMode = 1;
    COLORREF dcBrushColor = 0xFFFFFF;
    COLORREF dcPenColor = 0;
    bool hasClip = false;
    Region clip;  // device coordinates
};

class DeviceContext : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Dc;
    enum class Type { Device, Memory };

    // A device DC over a surface (screen, window area, printer page).
    DeviceContext(std::shared_ptr<Surface> surface, const DeviceCaps& caps);
    // A memory DC with the stock 1 x 1 monochrome bitmap selected.
    explicit DeviceContext(const DeviceCaps& caps);
    ~DeviceContext() override;

    Type GetType() const { return type_; }
    const DeviceCaps& Caps() const { return caps_; }
    void SetCaps(const DeviceCaps& caps) { caps_ = caps; }
    bool IsPrinterDc() const { return caps_.technology == 2; }
    void SetPrintSink(std::shared_ptr<PrintJobSink> sink) { sink_ = std::move(sink); }
    PrintJobSink* PrintSink() const { return sink_.get(); }

    // The window system's part: where device (0, 0) is on the surface and which surface pixels
    // the DC may touch. Also used to re-aim a cached DC.
    void SetDeviceArea(std::shared_ptr<Surface> surface, POINT origin, const Region& visible);
    POINT Origin() const { return origin_; }
    // Whether any output reached the surface since the DC was last aimed (SetDeviceArea).
    bool DrewSinceAimed() const { return drewSinceAimed_; }
    // The surface drawn into (the selected bitmap's for a memory DC); may be null.
    Surface* TargetSurface() const;
    const std::shared_ptr<Surface>& DeviceSurface() const { return deviceSurface_; }
    std::shared_ptr<BitmapObject> SelectedBitmap() const { return s_.bitmap; }
    // Restores the default state (a cached window DC handed out again).
    void ResetState();

    // State.
    DcState& State() { return s_; }
    const DcState& State() const { return s_; }
    int Save();
    bool Restore(int level);
    HGDIOBJ Select(HGDIOBJ handle);
    void StateChanged();  // mapping or font state changed: drop derived caches
    void ClipChanged();

    // Mapping.
    Point64 ToDevice(int64_t x, int64_t y) const;   // logical -> device
    Point64 ToSurface(int64_t x, int64_t y) const;  // logical -> surface
    POINT ToLogical(int64_t dx, int64_t dy) const;  // device -> logical
    int64_t WidthToDevice(int64_t w) const;         // a horizontal length, unsigned
    int64_t HeightToDevice(int64_t h) const;
    int64_t WidthToLogical(int64_t w) const;
    int64_t HeightToLogical(int64_t h) const;
    bool SetMapMode(int mode);
    void FixIsotropic();

    // Clipping (regions in device coordinates).
    const Region& EffectiveClip();  // surface coordinates
    int SelectClip(const Region* rgn, int mode);
    int ClipBox(RECT* rc);

    // Colours as the target stores them.
    uint32_t DevicePixel(COLORREF c) const;
    bool TargetIsMono() const;
    Paint PenPaint() const;
    Paint BrushPaint(const BrushObject* brush) const;
    Paint BrushPaint() const { return BrushPaint(s_.brush.get()); }

    // Output. Each returns false when there is nothing to draw on.
    bool BeginOutput(RasterTarget& target);
    void EndOutput();
    bool Polyline(const POINT* pts, int count, bool closedFigure);
    bool LineTo(int x, int y);
    bool Rectangle(int l, int t, int r, int b);
    bool RoundRect(int l, int t, int r, int b, int ew, int eh);
    bool Ellipse(int l, int t, int r, int b);
    enum class ArcKind { Arc, ArcTo, Chord, Pie };
    bool ArcFamily(ArcKind kind, int l, int t, int r, int b, int xs, int ys, int xe, int ye);
    COLORREF SetPixel(int x, int y, COLORREF c);
    COLORREF GetPixel(int x, int y);
    bool PatBlt(int x, int y, int w, int h, DWORD rop);
    // Fills a rectangle (logical) with a brush, as FillRect does: the brush pattern replaces
    // the pixels whatever the mix mode.
    bool FillRectWith(int64_t left, int64_t top, int64_t right, int64_t bottom,
                      const BrushObject* brush, DWORD rop = 0x00F00021);
    bool FillRectWith(const RECT& rc, const BrushObject* brush, DWORD rop = 0x00F00021) {
        return FillRectWith(rc.left, rc.top, rc.right, rc.bottom, brush, rop);
    }
    bool FillRegion(const Region& rgn, const BrushObject* brush, DWORD rop = 0x00F00021);
    bool FrameRegion(const Region& rgn, const BrushObject* brush, int w, int h);
    static bool StretchBlt(DeviceContext& dst, int x, int y, int w, int h, DeviceContext* src,
                           int sx, int sy, int sw, int sh, DWORD rop, bool stretch);
    // Draws source pixels (already in surface form) onto the DC with a raster operation, as
    // StretchDIBits and SetDIBitsToDevice do.
    bool StretchSurface(int x, int y, int w, int h, const Surface& src, int sx, int sy, int sw,
                        int sh, DWORD rop);
    static bool AlphaBlend(DeviceContext& dst, int x, int y, int w, int h, DeviceContext& src,
                           int sx, int sy, int sw, int sh, BLENDFUNCTION blend);
    static bool TransparentBlt(DeviceContext& dst, int x, int y, int w, int h, DeviceContext& src,
                               int sx, int sy, int sw, int sh, UINT transparent);

    // Text (UTF-8).
    std::shared_ptr<RealizedFont> Font();
    bool ExtTextOut(int x, int y, UINT options, const RECT* rc, std::string_view text,
                    const INT* dx);
    SIZE TextExtent(std::string_view text);  // logical units
    bool GetTextMetrics(TEXTMETRIC* tm);

  private:
    void InitDefaults();
    void SelectBitmapInto(HBITMAP h, std::shared_ptr<BitmapObject> bmp);
    void StrokePath(const std::vector<Point64>& pts, bool closed);
    void FillPath(const std::vector<std::vector<Point64>>& polys, bool winding, const Paint& paint);
    bool WidePen(double& width) const;

    Type type_;
    std::shared_ptr<Surface> deviceSurface_;
    POINT origin_{0, 0};
    Region visible_;
    bool visibleSet_ = false;
    bool drewSinceAimed_ = false;
    DeviceCaps caps_;
    std::shared_ptr<PrintJobSink> sink_;
    DcState s_;
    std::vector<DcState> saved_;
    Region clipCache_;
    bool clipDirty_ = true;
    std::shared_ptr<RealizedFont> font_;
    std::shared_ptr<BitmapObject> outputBitmap_;  // DIB section being drawn into
};

// The DC behind a handle, or null for a stale or foreign handle.
std::shared_ptr<DeviceContext> LookupDc(HDC hdc);

}  // namespace kq::gfx
