// Creating, describing and deleting pens, brushes, fonts and palettes.
#include <algorithm>
#include <cstring>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/WinGdi.h"

using namespace kq::gfx;

namespace {

std::shared_ptr<Surface> CopySurface(const Surface& s) {
    auto copy = Surface::Create(s.Width(), s.Height());
    if (copy) {
        copy->CopyFrom(s);
        copy->SetMonochrome(s.IsMonochrome());
    }
    return copy;
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
    const int line = style & PS_STYLE_MASK;
    if (line > PS_INSIDEFRAME)
        return nullptr;
    auto pen = std::make_shared<PenObject>();
    // Wide pens are solid: GDI draws dashed styles only one pixel wide.
    pen->style = (width > 1 && line != PS_NULL && line != PS_INSIDEFRAME) ? PS_SOLID : line;
    pen->width = std::max(0, width);
    pen->color = color;
    return AddObject<HPEN>(pen);
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount,
                  const DWORD* styles) {
    if (!brush)
        return nullptr;
    const int s = static_cast<int>(style);
    const bool geometric = (s & PS_TYPE_MASK) == PS_GEOMETRIC;
    // Cosmetic pens are one pixel wide.
    if (!geometric && width != 1)
        return nullptr;
    if ((s & PS_STYLE_MASK) == PS_USERSTYLE && (styleCount == 0 || styleCount > 16 || !styles))
        return nullptr;
    if ((s & PS_STYLE_MASK) == PS_ALTERNATE && geometric)
        return nullptr;
    auto pen = std::make_shared<PenObject>();
    pen->style = s;
    pen->width = static_cast<int>(std::min<DWORD>(width, 0x7FFFFFFF));
    pen->color = brush->lbStyle == BS_NULL ? 0 : brush->lbColor;
    if (brush->lbStyle == BS_NULL)
        pen->style = (s & ~PS_STYLE_MASK) | PS_NULL;
    pen->extended = true;
    if ((s & PS_STYLE_MASK) == PS_USERSTYLE)
        pen->userStyle.assign(styles, styles + styleCount);
    return AddObject<HPEN>(pen);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto b = std::make_shared<BrushObject>();
    b->style = BS_SOLID;
    b->color = color;
    return AddObject<HBRUSH>(b);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return nullptr;
    auto b = std::make_shared<BrushObject>();
    b->style = BS_HATCHED;
    b->hatch = hatch;
    b->color = color;
    return AddObject<HBRUSH>(b);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    auto bmp = LookupObject<BitmapObject>(bitmap);
    if (!bmp || !bmp->surface)
        return nullptr;
    if (bmp->dibShadow)
        bmp->SyncFromDib();
    auto b = std::make_shared<BrushObject>();
    b->style = BS_PATTERN;
    // The brush keeps its own copy: the bitmap may be deleted or changed afterwards.
    b->pattern = CopySurface(*bmp->surface);
    if (!b->pattern)
        return nullptr;
    return AddObject<HBRUSH>(b);
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
    if (!lf)
        return nullptr;
    auto f = std::make_shared<FontObject>();
    f->logFont = *lf;
    f->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return AddObject<HFONT>(f);
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

HPALETTE CreatePalette(const LOGPALETTE* lp) {
    if (!lp || lp->palNumEntries == 0)
        return nullptr;
    auto p = std::make_shared<PaletteObject>();
    p->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
    return AddObject<HPALETTE>(p);
}

UINT GetPaletteEntries(HPALETTE pal, UINT start, UINT count, PALETTEENTRY* entries) {
    auto p = LookupObject<PaletteObject>(pal);
    if (!p)
        return 0;
    const UINT size = static_cast<UINT>(p->entries.size());
    if (!entries)
        return size;
    UINT n = 0;
    for (UINT i = start; i < size && n < count; ++i, ++n)
        entries[n] = p->entries[i];
    return n;
}

HPALETTE SelectPalette(HDC hdc, HPALETTE pal, BOOL) {
    auto dc = LookupDc(hdc);
    if (!dc || !LookupObject<PaletteObject>(pal))
        return nullptr;
    return static_cast<HPALETTE>(dc->Select(pal));
}

UINT RealizePalette(HDC hdc) {
    // True-colour devices have no hardware palette to realise.
    return LookupDc(hdc) ? 0 : GDI_ERROR;
}

UINT GetSystemPaletteEntries(HDC, UINT, UINT, PALETTEENTRY*) {
    return 0;
}

BOOL DeleteObject(HGDIOBJ obj) {
    auto o = HandleTable::Instance().Get(obj);
    if (!o || o->Kind() == ObjectKind::Dc || o->Kind() == ObjectKind::Icon ||
        o->Kind() == ObjectKind::ImageList)
        return FALSE;
    if (o->stock)
        return TRUE;
    // A bitmap that is a DC's drawing surface stays until it is selected out; other objects
    // are released once no DC holds them any more.
    if (o->Kind() == ObjectKind::Bitmap &&
        std::static_pointer_cast<BitmapObject>(o)->selectedInto != nullptr)
        return FALSE;
    return HandleTable::Instance().Remove(obj) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ obj) {
    auto o = HandleTable::Instance().Get(obj);
    if (!o)
        return 0;
    switch (o->Kind()) {
        case ObjectKind::Pen:
            return std::static_pointer_cast<PenObject>(o)->extended ? OBJ_EXTPEN : OBJ_PEN;
        case ObjectKind::Brush:
            return OBJ_BRUSH;
        case ObjectKind::Font:
            return OBJ_FONT;
        case ObjectKind::Bitmap:
            return OBJ_BITMAP;
        case ObjectKind::Region:
            return OBJ_REGION;
        case ObjectKind::Palette:
            return OBJ_PAL;
        case ObjectKind::Dc:
            return std::static_pointer_cast<DeviceContext>(o)->GetType() ==
                           DeviceContext::Type::Memory
                       ? OBJ_MEMDC
                       : OBJ_DC;
        default:
            return 0;
    }
}

namespace {

int Copy(const void* src, int srcSize, int size, void* out) {
    if (!out)
        return srcSize;
    const int n = std::min(size, srcSize);
    if (n <= 0)
        return 0;
    std::memcpy(out, src, static_cast<size_t>(n));
    return n;
}

}  // namespace

int GetObject(HGDIOBJ obj, int size, LPVOID out) {
    auto o = HandleTable::Instance().Get(obj);
    if (!o)
        return 0;
    switch (o->Kind()) {
        case ObjectKind::Pen: {
            auto p = std::static_pointer_cast<PenObject>(o);
            if (p->extended) {
                EXTLOGPEN ep{};
                ep.elpPenStyle = static_cast<DWORD>(p->style);
                ep.elpWidth = static_cast<DWORD>(p->width);
                ep.elpBrushStyle = BS_SOLID;
                ep.elpColor = p->color;
                ep.elpNumEntries = static_cast<DWORD>(p->userStyle.size());
                ep.elpStyleEntry[0] = p->userStyle.empty() ? 0 : p->userStyle[0];
                return Copy(&ep, sizeof(ep), size, out);
            }
            LOGPEN lp{static_cast<UINT>(p->style), POINT{p->width, 0}, p->color};
            return Copy(&lp, sizeof(lp), size, out);
        }
        case ObjectKind::Brush: {
            auto b = std::static_pointer_cast<BrushObject>(o);
            LOGBRUSH lb{b->style, b->color, static_cast<ULONG_PTR>(b->hatch)};
            if (b->style == BS_PATTERN)
                lb.lbColor = 0;
            return Copy(&lb, sizeof(lb), size, out);
        }
        case ObjectKind::Font: {
            auto f = std::static_pointer_cast<FontObject>(o);
            return Copy(&f->logFont, sizeof(LOGFONT), size, out);
        }
        case ObjectKind::Bitmap: {
            auto b = std::static_pointer_cast<BitmapObject>(o);
            BITMAP bm{};
            bm.bmWidth = b->surface ? b->surface->Width() : 0;
            bm.bmHeight = b->surface ? b->surface->Height() : 0;
            bm.bmPlanes = 1;
            bm.bmBitsPixel = static_cast<WORD>(b->bitsPixel);
            if (b->dibSection) {
                bm.bmWidthBytes = ((bm.bmWidth * b->bitsPixel + 31) / 32) * 4;
                bm.bmBits = b->dibBits;
                if (size >= static_cast<int>(sizeof(DIBSECTION))) {
                    DIBSECTION ds{};
                    ds.dsBm = bm;
                    ds.dsBmih = b->dibHeader;
                    std::copy(std::begin(b->dib.masks), std::end(b->dib.masks), ds.dsBitfields);
                    return Copy(&ds, sizeof(ds), size, out);
                }
            } else {
                bm.bmWidthBytes = ((bm.bmWidth * b->bitsPixel + 15) / 16) * 2;
            }
            return Copy(&bm, sizeof(bm), size, out);
        }
        case ObjectKind::Palette: {
            auto p = std::static_pointer_cast<PaletteObject>(o);
            const WORD count = static_cast<WORD>(p->entries.size());
            return Copy(&count, sizeof(count), size, out);
        }
        default:
            return 0;
    }
}
