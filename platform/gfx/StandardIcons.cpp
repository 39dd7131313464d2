#include "platform/gfx/StandardIcons.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"

namespace kq::gfx {

namespace {

constexpr int kApplication = 32512;
constexpr int kHand = 32513;
constexpr int kQuestion = 32514;
constexpr int kExclamation = 32515;
constexpr int kAsterisk = 32516;
constexpr int kWinLogo = 32517;

// Shapes are drawn this many times larger and averaged down, which gives smooth edges.
constexpr int kSub = 4;
// The background before drawing; no shape uses this colour.
constexpr uint32_t kKey = 0x00FE01FD;

// Draws shapes given in fractions of the icon's side on a memory DC.
class Painter {
  public:
    Painter(HDC dc, int side) : dc_(dc), side_(side) {}

    int At(double f) const { return static_cast<int>(std::lround(f * side_)); }

    void Disc(double cx, double cy, double r, COLORREF fill, COLORREF outline, double width) {
        Select(PS_INSIDEFRAME, width, outline, fill);
        ::Ellipse(dc_, At(cx - r), At(cy - r), At(cx + r), At(cy + r));
        Release();
    }
    void Line(double x0, double y0, double x1, double y1, COLORREF color, double width) {
        Select(PS_SOLID, width, color, std::nullopt);
        ::MoveToEx(dc_, At(x0), At(y0), nullptr);
        ::LineTo(dc_, At(x1), At(y1));
        Release();
    }
    // The arc of a circle from the start angle counter-clockwise to the end angle (degrees).
    void ArcOf(double cx, double cy, double r, double from, double to, COLORREF color,
               double width) {
        constexpr double kRad = 3.14159265358979323846 / 180.0;
        Select(PS_SOLID, width, color, std::nullopt);
        ::Arc(dc_, At(cx - r), At(cy - r), At(cx + r), At(cy + r),
              At(cx + r * std::cos(from * kRad)), At(cy - r * std::sin(from * kRad)),
              At(cx + r * std::cos(to * kRad)), At(cy - r * std::sin(to * kRad)));
        Release();
    }
    void Triangle(const double (&xy)[6], COLORREF fill, COLORREF outline, double width) {
        const POINT pts[3] = {
            {At(xy[0]), At(xy[1])}, {At(xy[2]), At(xy[3])}, {At(xy[4]), At(xy[5])}};
        Select(PS_SOLID, width, outline, fill);
        ::Polygon(dc_, pts, 3);
        Release();
    }
    void Box(double l, double t, double r, double b, COLORREF fill) {
        const RECT rc{At(l), At(t), At(r), At(b)};
        HBRUSH brush = ::CreateSolidBrush(fill);
        ::FillRect(dc_, &rc, brush);
        ::DeleteObject(brush);
    }
    void Frame(double l, double t, double r, double b, COLORREF color, double width) {
        Select(PS_INSIDEFRAME, width, color, std::nullopt);
        ::Rectangle(dc_, At(l), At(t), At(r), At(b));
        Release();
    }

  private:
    void Select(int style, double width, COLORREF pen, std::optional<COLORREF> brush) {
        pen_ = ::CreatePen(style, std::max(1, At(width)), pen);
        brush_ = brush ? ::CreateSolidBrush(*brush) : nullptr;
        oldPen_ = ::SelectObject(dc_, pen_);
        oldBrush_ = ::SelectObject(dc_, brush_ ? brush_ : ::GetStockObject(NULL_BRUSH));
    }
    void Release() {
        ::SelectObject(dc_, oldPen_);
        ::SelectObject(dc_, oldBrush_);
        ::DeleteObject(pen_);
        ::DeleteObject(brush_);
    }

    HDC dc_;
    int side_;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
};

void Paint(Painter& p, int id) {
    const COLORREF white = RGB(255, 255, 255);
    switch (id) {
        case kHand:
            p.Disc(0.5, 0.5, 0.46, RGB(206, 32, 32), RGB(128, 0, 0), 0.04);
            p.Line(0.35, 0.35, 0.65, 0.65, white, 0.11);
            p.Line(0.65, 0.35, 0.35, 0.65, white, 0.11);
            break;
        case kQuestion:
            p.Disc(0.5, 0.5, 0.46, RGB(32, 96, 208), RGB(16, 48, 128), 0.04);
            p.ArcOf(0.5, 0.37, 0.14, -40.0, 180.0, white, 0.1);
            p.Line(0.6, 0.46, 0.5, 0.55, white, 0.1);
            p.Line(0.5, 0.55, 0.5, 0.61, white, 0.1);
            p.Disc(0.5, 0.76, 0.065, white, white, 0.01);
            break;
        case kExclamation:
            p.Triangle({0.5, 0.06, 0.95, 0.9, 0.05, 0.9}, RGB(255, 204, 0), RGB(112, 80, 0), 0.04);
            p.Line(0.5, 0.36, 0.5, 0.6, RGB(0, 0, 0), 0.11);
            p.Disc(0.5, 0.76, 0.065, RGB(0, 0, 0), RGB(0, 0, 0), 0.01);
            break;
        case kAsterisk:
            p.Disc(0.5, 0.5, 0.46, RGB(32, 96, 208), RGB(16, 48, 128), 0.04);
            p.Disc(0.5, 0.28, 0.07, white, white, 0.01);
            p.Line(0.5, 0.45, 0.5, 0.74, white, 0.12);
            break;
        default:  // the application icon: a window
            p.Box(0.06, 0.12, 0.94, 0.88, white);
            p.Box(0.06, 0.12, 0.94, 0.28, RGB(0, 0, 128));
            p.Frame(0.06, 0.12, 0.94, 0.88, RGB(64, 64, 64), 0.03);
            break;
    }
}

// Averages each kSub x kSub block: alpha is the share of drawn pixels, the colour their mean.
Image Downsample(const Surface& big, int size) {
    Image out(size, size, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint32_t count = 0, r = 0, g = 0, b = 0;
            for (int sy = y * kSub; sy < (y + 1) * kSub; ++sy) {
                for (int sx = x * kSub; sx < (x + 1) * kSub; ++sx) {
                    const uint32_t p = big.Pixel(sx, sy) & 0xFFFFFF;
                    if (p == kKey) {
                        continue;
                    }
                    ++count;
                    r += (p >> 16) & 0xFF;
                    g += (p >> 8) & 0xFF;
                    b += p & 0xFF;
                }
            }
            if (count != 0) {
                const uint32_t all = kSub * kSub;
                out.SetPixel(
                    x, y, MakeArgb((count * 255 + all / 2) / all, r / count, g / count, b / count));
            }
        }
    }
    return out;
}

}  // namespace

bool IsStandardIconId(int id) {
    return id >= kApplication && id <= kWinLogo;
}

Image DrawStandardIcon(int id, int size) {
    if (!IsStandardIconId(id) || size < 1 || size > 256) {
        return Image();
    }
    const int side = size * kSub;
    auto surface = Surface::Create(side, side);
    HDC dc = surface ? CreateSurfaceDC(surface) : nullptr;
    if (!dc) {
        return Image();
    }
    surface->Fill(kKey);
    Painter painter(dc, side);
    Paint(painter, id);
    ::DeleteDC(dc);
    return Downsample(*surface, size);
}

}  // namespace kq::gfx
