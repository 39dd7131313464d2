#include "platform/gfx/DeviceContext.h"

#include <algorithm>

#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/StockObjects.h"

namespace kq::gfx {

std::shared_ptr<DeviceContext> LookupDc(HDC hdc) {
    return LookupObject<DeviceContext>(hdc);
}

DeviceContext::DeviceContext(std::shared_ptr<Surface> surface, const DeviceCaps& caps)
    : GdiObject(kKind), type_(Type::Device), deviceSurface_(std::move(surface)), caps_(caps) {
    InitDefaults();
}

DeviceContext::DeviceContext(const DeviceCaps& caps)
    : GdiObject(kKind), type_(Type::Memory), caps_(caps) {
    InitDefaults();
}

DeviceContext::~DeviceContext() {
    if (s_.bitmap && s_.bitmap->selectedInto == this)
        s_.bitmap->selectedInto = nullptr;
}

void DeviceContext::InitDefaults() {
    DcState fresh;
    auto pick = [](int index, auto& handle, auto& obj) {
        using H = std::remove_reference_t<decltype(handle)>;
        using T = typename std::remove_reference_t<decltype(obj)>::element_type;
        handle = static_cast<H>(StockObject(index));
        obj = LookupObject<T>(handle);
    };
    pick(BLACK_PEN, fresh.hPen, fresh.pen);
    pick(WHITE_BRUSH, fresh.hBrush, fresh.brush);
    pick(SYSTEM_FONT, fresh.hFont, fresh.font);
    pick(DEFAULT_PALETTE, fresh.hPalette, fresh.palette);
    if (type_ == Type::Memory) {
        fresh.hBitmap = StockBitmap();
        fresh.bitmap = LookupObject<BitmapObject>(fresh.hBitmap);
    }
    // Keep the selected bitmap of a memory DC across a reset.
    if (type_ == Type::Memory && s_.bitmap) {
        fresh.hBitmap = s_.hBitmap;
        fresh.bitmap = s_.bitmap;
    }
    s_ = std::move(fresh);
    saved_.clear();
    StateChanged();
    ClipChanged();
}

void DeviceContext::ResetState() {
    InitDefaults();
}

void DeviceContext::SetDeviceArea(std::shared_ptr<Surface> surface, POINT origin,
                                  const Region& visible) {
    deviceSurface_ = std::move(surface);
    origin_ = origin;
    visible_ = visible;
    visibleSet_ = true;
    drewSinceAimed_ = false;
    ClipChanged();
}

Surface* DeviceContext::TargetSurface() const {
    if (type_ == Type::Memory)
        return s_.bitmap ? s_.bitmap->surface.get() : nullptr;
    return deviceSurface_.get();
}

void DeviceContext::StateChanged() {
    font_.reset();
}

void DeviceContext::ClipChanged() {
    clipDirty_ = true;
}

const Region& DeviceContext::EffectiveClip() {
    if (!clipDirty_)
        return clipCache_;
    clipDirty_ = false;
    Surface* surface = TargetSurface();
    if (!surface) {
        clipCache_ = Region();
        return clipCache_;
    }
    Region r(RECT{0, 0, surface->Width(), surface->Height()});
    if (type_ == Type::Device && visibleSet_)
        r = Region::Combine(r, visible_, Region::Op::And);
    if (s_.hasClip) {
        Region clip = s_.clip;
        clip.Offset(origin_.x, origin_.y);
        r = Region::Combine(r, clip, Region::Op::And);
    }
    clipCache_ = std::move(r);
    return clipCache_;
}

int DeviceContext::Save() {
    saved_.push_back(s_);
    return static_cast<int>(saved_.size());
}

bool DeviceContext::Restore(int level) {
    const int depth = static_cast<int>(saved_.size());
    if (level < 0)
        level = depth + level + 1;
    if (level < 1 || level > depth)
        return false;
    DcState target = saved_[static_cast<size_t>(level - 1)];
    saved_.resize(static_cast<size_t>(level - 1));
    if (type_ == Type::Memory && target.bitmap != s_.bitmap) {
        // The bitmap of the saved state comes back unless another DC has taken it meanwhile.
        if (target.bitmap && !target.bitmap->stock && target.bitmap->selectedInto &&
            target.bitmap->selectedInto != this) {
            target.hBitmap = s_.hBitmap;
            target.bitmap = s_.bitmap;
        } else {
            if (s_.bitmap && s_.bitmap->selectedInto == this)
                s_.bitmap->selectedInto = nullptr;
            if (target.bitmap && !target.bitmap->stock)
                target.bitmap->selectedInto = this;
        }
    }
    s_ = std::move(target);
    StateChanged();
    ClipChanged();
    return true;
}

void DeviceContext::SelectBitmapInto(HBITMAP h, std::shared_ptr<BitmapObject> bmp) {
    if (s_.bitmap && s_.bitmap->selectedInto == this)
        s_.bitmap->selectedInto = nullptr;
    if (!bmp->stock)
        bmp->selectedInto = this;
    s_.hBitmap = h;
    s_.bitmap = std::move(bmp);
    ClipChanged();
}

HGDIOBJ DeviceContext::Select(HGDIOBJ handle) {
    auto obj = HandleTable::Instance().Get(handle);
    if (!obj)
        return nullptr;
    switch (obj->Kind()) {
        case ObjectKind::Pen: {
            HGDIOBJ old = s_.hPen;
            s_.hPen = static_cast<HPEN>(handle);
            s_.pen = std::static_pointer_cast<PenObject>(obj);
            return old;
        }
        case ObjectKind::Brush: {
            HGDIOBJ old = s_.hBrush;
            s_.hBrush = static_cast<HBRUSH>(handle);
            s_.brush = std::static_pointer_cast<BrushObject>(obj);
            return old;
        }
        case ObjectKind::Font: {
            HGDIOBJ old = s_.hFont;
            s_.hFont = static_cast<HFONT>(handle);
            s_.font = std::static_pointer_cast<FontObject>(obj);
            StateChanged();
            return old;
        }
        case ObjectKind::Bitmap: {
            if (type_ != Type::Memory)
                return nullptr;
            auto bmp = std::static_pointer_cast<BitmapObject>(obj);
            if (bmp->selectedInto && bmp->selectedInto != this)
                return nullptr;
            // A monochrome bitmap and a colour one may both go into a memory DC; GDI refuses
            // other depths only on palette devices, which do not exist here.
            HGDIOBJ old = s_.hBitmap;
            SelectBitmapInto(static_cast<HBITMAP>(handle), std::move(bmp));
            return old;
        }
        case ObjectKind::Region: {
            auto rgn = std::static_pointer_cast<RegionObject>(obj);
            const int result = SelectClip(&rgn->region, RGN_COPY);
            return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(result));
        }
        case ObjectKind::Palette: {
            HGDIOBJ old = s_.hPalette;
            s_.hPalette = static_cast<HPALETTE>(handle);
            s_.palette = std::static_pointer_cast<PaletteObject>(obj);
            return old;
        }
        default:
            return nullptr;
    }
}

int DeviceContext::SelectClip(const Region* rgn, int mode) {
    if (!rgn) {
        if (mode != RGN_COPY)
            return ERROR;
        s_.hasClip = false;
        s_.clip = Region();
        ClipChanged();
    } else {
        // Without a clip region the whole device counts as the current clip.
        Region current = s_.hasClip ? s_.clip
                                    : Region::FromRect(-Region::kLimit, -Region::kLimit,
                                                       Region::kLimit, Region::kLimit);
        Region next;
        switch (mode) {
            case RGN_COPY:
                next = *rgn;
                break;
            case RGN_AND:
                next = Region::Combine(current, *rgn, Region::Op::And);
                break;
            case RGN_OR:
                next = Region::Combine(current, *rgn, Region::Op::Or);
                break;
            case RGN_XOR:
                next = Region::Combine(current, *rgn, Region::Op::Xor);
                break;
            case RGN_DIFF:
                next = Region::Combine(current, *rgn, Region::Op::Diff);
                break;
            default:
                return ERROR;
        }
        s_.hasClip = true;
        s_.clip = std::move(next);
        ClipChanged();
    }
    const Region& eff = EffectiveClip();
    return eff.Complexity();
}

int DeviceContext::ClipBox(RECT* rc) {
    const Region& eff = EffectiveClip();
    RECT b = eff.Bounds();
    if (rc) {
        const POINT lt = ToLogical(static_cast<int64_t>(b.left) - origin_.x,
                                   static_cast<int64_t>(b.top) - origin_.y);
        const POINT rb = ToLogical(static_cast<int64_t>(b.right) - origin_.x,
                                   static_cast<int64_t>(b.bottom) - origin_.y);
        rc->left = std::min(lt.x, rb.x);
        rc->right = std::max(lt.x, rb.x);
        rc->top = std::min(lt.y, rb.y);
        rc->bottom = std::max(lt.y, rb.y);
        if (eff.IsEmpty())
            *rc = RECT{0, 0, 0, 0};
    }
    return eff.Complexity();
}

bool DeviceContext::TargetIsMono() const {
    Surface* s = TargetSurface();
    return s && s->IsMonochrome();
}

uint32_t DeviceContext::DevicePixel(COLORREF c) const {
    if ((c >> 24) == 1 && s_.palette) {
        const size_t i = c & 0xFFFF;
        if (i < s_.palette->entries.size()) {
            const PALETTEENTRY& e = s_.palette->entries[i];
            c = RGB(e.peRed, e.peGreen, e.peBlue);
        } else {
            c = 0;
        }
    }
    const uint32_t p = PixelFromColorRef(c & 0xFFFFFF);
    return TargetIsMono() ? MonoPixel(p) : p;
}

Paint DeviceContext::PenPaint() const {
    Paint p;
    if (!s_.pen || (s_.pen->style & PS_STYLE_MASK) == PS_NULL) {
        p.none = true;
        return p;
    }
    p.rop2 = s_.rop2;
    p.color = DevicePixel(s_.pen->dcPen ? s_.dcPenColor : s_.pen->color);
    return p;
}

Paint DeviceContext::BrushPaint(const BrushObject* brush) const {
    Paint p;
    p.rop2 = s_.rop2;
    if (!brush || brush->style == BS_NULL) {
        p.none = true;
        return p;
    }
    const COLORREF base = brush->dcBrush ? s_.dcBrushColor : brush->color;
    if (brush->style == BS_SOLID) {
        p.color = DevicePixel(base);
        return p;
    }
    p.tiled = true;
    p.originX = origin_.x + s_.brushOrg.x;
    p.originY = origin_.y + s_.brushOrg.y;
    if (brush->style == BS_HATCHED) {
        p.tileWidth = 8;
        p.tileHeight = 8;
        p.tile.assign(64, DevicePixel(s_.bkColor));
        if (s_.bkMode == TRANSPARENT)
            p.tileMask.assign(64, 0);
        const uint32_t ink = DevicePixel(base);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                bool on = false;
                switch (brush->hatch) {
                    case HS_HORIZONTAL:
                        on = y == 7;
                        break;
                    case HS_VERTICAL:
                        on = x == 7;
                        break;
                    case HS_FDIAGONAL:
                        on = x == y;
                        break;
                    case HS_BDIAGONAL:
                        on = x + y == 7;
                        break;
                    case HS_CROSS:
                        on = x == 7 || y == 7;
                        break;
                    case HS_DIAGCROSS:
                        on = x == y || x + y == 7;
                        break;
                    default:
                        break;
                }
                if (on) {
                    p.tile[static_cast<size_t>(y * 8 + x)] = ink;
                    if (!p.tileMask.empty())
                        p.tileMask[static_cast<size_t>(y * 8 + x)] = 1;
                }
            }
        }
        return p;
    }
    // Pattern brushes.
    const Surface* tile = brush->pattern.get();
    if (!tile) {
        p.none = true;
        return p;
    }
    p.tileWidth = tile->Width();
    p.tileHeight = tile->Height();
    p.tile.resize(static_cast<size_t>(p.tileWidth) * static_cast<size_t>(p.tileHeight));
    const bool mono = tile->IsMonochrome();
    const uint32_t fg = DevicePixel(s_.textColor);
    const uint32_t bg = DevicePixel(s_.bkColor);
    const bool targetMono = TargetIsMono();
    for (int y = 0; y < p.tileHeight; ++y) {
        for (int x = 0; x < p.tileWidth; ++x) {
            uint32_t v = tile->Pixel(x, y) & 0xFFFFFF;
            if (mono)
                v = v ? bg : fg;
            else if (targetMono)
                v = MonoPixel(v);
            p.tile[static_cast<size_t>(y) * p.tileWidth + x] = v;
        }
    }
    return p;
}

bool DeviceContext::BeginOutput(RasterTarget& target) {
    Surface* surface = TargetSurface();
    if (!surface)
        return false;
    const Region& clip = EffectiveClip();
    if (clip.IsEmpty())
        return false;
    if (type_ == Type::Memory && s_.bitmap && s_.bitmap->dibShadow) {
        outputBitmap_ = s_.bitmap;
        outputBitmap_->SyncFromDib();
    }
    target.surface = surface;
    target.clip = &clip;
    drewSinceAimed_ = true;
    return true;
}

void DeviceContext::EndOutput() {
    if (outputBitmap_) {
        outputBitmap_->SyncToDib();
        outputBitmap_.reset();
    }
}

}  // namespace kq::gfx
