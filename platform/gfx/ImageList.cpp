#include "platform/gfx/ImageList.h"

#include <algorithm>
#include <vector>

#include "platform/gfx/CDC.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"

using namespace kq::gfx;

namespace {

// Images sit side by side in one colour strip and one monochrome mask strip (white where the
// background shows through).
class ImageListObject : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::ImageList;
    ImageListObject() : GdiObject(kKind) {}
    ~ImageListObject() override {
        ::DeleteObject(image);
        ::DeleteObject(mask);
    }

    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    int grow = 1;
    int count = 0;
    int capacity = 0;
    COLORREF bk = CLR_NONE;
    HBITMAP image = nullptr;
    HBITMAP mask = nullptr;
    std::vector<bool> alpha;  // per image: the colour carries an alpha channel

    bool Masked() const { return (flags & ILC_MASK) != 0; }
    Surface& Colors() { return *BitmapSurface(image); }
    Surface& Masks() { return *BitmapSurface(mask); }

    bool Reserve(int n) {
        if (n <= capacity)
            return true;
        const int cap = std::max(n, capacity + std::max(1, grow));
        if (!Surface::SizeAllowed(static_cast<int64_t>(cap) * cx, cy))
            return false;
        HBITMAP ni = ::CreateBitmap(cap * cx, cy, 1, 32, nullptr);
        HBITMAP nm = ::CreateBitmap(cap * cx, cy, 1, 1, nullptr);
        if (!ni || !nm) {
            ::DeleteObject(ni);
            ::DeleteObject(nm);
            return false;
        }
        Surface& si = *BitmapSurface(ni);
        Surface& sm = *BitmapSurface(nm);
        sm.Fill(kWhitePixel);
        if (image) {
            const int w = capacity * cx;
            for (int y = 0; y < cy; ++y) {
                std::copy_n(Colors().Row(y), w, si.Row(y));
                std::copy_n(Masks().Row(y), w, sm.Row(y));
            }
            ::DeleteObject(image);
            ::DeleteObject(mask);
        }
        image = ni;
        mask = nm;
        capacity = cap;
        return true;
    }

    // Copies image `from` of a source into slot i; alpha tells whether the source carries it.
    void Store(int i, const Surface& src, int srcX, const Surface* srcMask, bool keyed,
               uint32_t key) {
        Surface& colors = Colors();
        Surface& masks = Masks();
        bool hasAlpha = false;
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x) {
                const int sx = srcX + x;
                uint32_t c = (sx < src.Width() && y < src.Height()) ? src.Pixel(sx, y) : 0;
                if (src.IsMonochrome())
                    c &= 0xFFFFFF;
                bool transparent = false;
                if (keyed)
                    transparent = (c & 0xFFFFFF) == key;
                else if (srcMask && sx < srcMask->Width() && y < srcMask->Height())
                    transparent = (srcMask->Pixel(sx, y) & 0xFFFFFF) != 0;
                if (!Masked())
                    transparent = false;
                // Transparent pixels are stored black so that the image XORs cleanly.
                if (transparent)
                    c = 0;
                hasAlpha = hasAlpha || (c >> 24) != 0;
                colors.SetPixel(i * cx + x, y, c);
                masks.SetPixel(i * cx + x, y, transparent ? kWhitePixel : kBlackPixel);
            }
        }
        if (static_cast<int>(alpha.size()) <= i)
            alpha.resize(static_cast<size_t>(i) + 1);
        alpha[static_cast<size_t>(i)] = hasAlpha && (flags & 0xFE) == ILC_COLOR32;
    }
};

std::shared_ptr<ImageListObject> List(HIMAGELIST h) {
    return LookupObject<ImageListObject>(h);
}

std::shared_ptr<Surface> SurfaceOf(HBITMAP bmp) {
    return bmp ? BitmapSurface(bmp) : nullptr;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || initial < 0)
        return nullptr;
    auto list = std::make_shared<ImageListObject>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    list->grow = std::max(1, grow);
    if (!list->Reserve(std::max(1, initial)))
        return nullptr;
    return AddObject<HIMAGELIST>(list);
}

BOOL ImageList_Destroy(HIMAGELIST h) {
    if (!List(h))
        return FALSE;
    return HandleTable::Instance().Remove(h) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST h) {
    auto list = List(h);
    return list ? list->count : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST h, UINT count) {
    auto list = List(h);
    if (!list || count > 0x7FFFFFFF || !list->Reserve(static_cast<int>(count)))
        return FALSE;
    // New images are blank and transparent.
    for (int i = list->count; i < static_cast<int>(count); ++i)
        for (int y = 0; y < list->cy; ++y)
            for (int x = 0; x < list->cx; ++x) {
                list->Colors().SetPixel(i * list->cx + x, y, 0);
                list->Masks().SetPixel(i * list->cx + x, y, kWhitePixel);
            }
    list->count = static_cast<int>(count);
    list->alpha.resize(count);
    return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST h, int* cx, int* cy) {
    auto list = List(h);
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

namespace {

int AddImages(HIMAGELIST h, HBITMAP image, HBITMAP mask, bool keyed, COLORREF key) {
    auto list = List(h);
    auto src = SurfaceOf(image);
    if (!list || !src)
        return -1;
    auto m = SurfaceOf(mask);
    const int n = src->Width() / list->cx;
    if (n <= 0 || !list->Reserve(list->count + n))
        return -1;
    const int first = list->count;
    for (int k = 0; k < n; ++k)
        list->Store(first + k, *src, k * list->cx, m.get(), keyed, PixelFromColorRef(key));
    list->count += n;
    return first;
}

}  // namespace

int ImageList_Add(HIMAGELIST h, HBITMAP image, HBITMAP mask) {
    return AddImages(h, image, mask, false, 0);
}

int ImageList_AddMasked(HIMAGELIST h, HBITMAP image, COLORREF mask) {
    return AddImages(h, image, nullptr, true, mask & 0xFFFFFF);
}

int ImageList_ReplaceIcon(HIMAGELIST h, int i, HICON icon) {
    auto list = List(h);
    auto ico = LookupObject<IconObject>(icon);
    if (!list || !ico || i < -1 || i >= list->count)
        return -1;
    if (i == -1) {
        if (!list->Reserve(list->count + 1))
            return -1;
        i = list->count++;
    }
    // The icon at the list's image size (nearest pixel when the sizes differ).
    Surface color(list->cx, list->cy);
    Surface mask(list->cx, list->cy);
    for (int y = 0; y < list->cy; ++y)
        for (int x = 0; x < list->cx; ++x) {
            const int sx = x * ico->width / list->cx;
            const int sy = y * ico->height / list->cy;
            if (ico->color) {
                color.SetPixel(x, y, ico->color->Pixel(sx, sy));
                mask.SetPixel(x, y, ico->mask->Pixel(sx, sy) & 0xFFFFFF);
            } else {
                color.SetPixel(x, y, ico->mask->Pixel(sx, sy + ico->height) & 0xFFFFFF);
                mask.SetPixel(x, y, ico->mask->Pixel(sx, sy) & 0xFFFFFF);
            }
        }
    list->Store(i, color, 0, &mask, false, 0);
    return i;
}

BOOL ImageList_Remove(HIMAGELIST h, int i) {
    auto list = List(h);
    if (!list || i < -1 || i >= list->count)
        return FALSE;
    if (i == -1) {
        list->count = 0;
        list->alpha.clear();
        return TRUE;
    }
    Surface& colors = list->Colors();
    Surface& masks = list->Masks();
    const int from = (i + 1) * list->cx;
    const int width = (list->count - i - 1) * list->cx;
    for (int y = 0; y < list->cy; ++y) {
        std::copy_n(colors.Row(y) + from, width, colors.Row(y) + i * list->cx);
        std::copy_n(masks.Row(y) + from, width, masks.Row(y) + i * list->cx);
    }
    list->alpha.erase(list->alpha.begin() + i);
    --list->count;
    return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST h, int i, UINT) {
    auto list = List(h);
    if (!list || i < 0 || i >= list->count)
        return nullptr;
    Surface color(list->cx, list->cy);
    Surface mask(list->cx, list->cy);
    mask.SetMonochrome(true);
    for (int y = 0; y < list->cy; ++y)
        for (int x = 0; x < list->cx; ++x) {
            color.SetPixel(x, y, list->Colors().Pixel(i * list->cx + x, y));
            mask.SetPixel(x, y, list->Masks().Pixel(i * list->cx + x, y));
        }
    HBITMAP c = CreateBitmapFromSurface(color);
    HBITMAP m = CreateBitmapFromSurface(mask);
    ICONINFO info{TRUE, 0, 0, m, c};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(c);
    ::DeleteObject(m);
    return icon;
}

BOOL ImageList_DrawEx(HIMAGELIST h, int i, HDC hdc, int x, int y, int dx, int dy, COLORREF bk,
                      COLORREF fg, UINT style) {
    auto list = List(h);
    auto dc = LookupDc(hdc);
    if (!list || !dc || i < 0 || i >= list->count)
        return FALSE;
    const int w = dx > 0 ? std::min(dx, list->cx) : list->cx;
    const int ht = dy > 0 ? std::min(dy, list->cy) : list->cy;
    if (bk == CLR_DEFAULT)
        bk = list->bk;
    const bool transparent = (style & ILD_TRANSPARENT) || bk == CLR_NONE;
    const bool maskOnly = (style & ILD_MASK) != 0;
    const bool imageOnly = (style & ILD_IMAGE) != 0;
    int blend = 0;  // weight of the blend colour, of 256
    if (style & ILD_BLEND50)
        blend = 128;
    else if (style & ILD_BLEND25)
        blend = 64;
    if (fg == CLR_NONE)
        blend = 0;
    const COLORREF blendColor = fg == CLR_DEFAULT ? ::GetSysColor(COLOR_HIGHLIGHT) : fg;
    const bool useAlpha = list->alpha[static_cast<size_t>(i)];

    RasterTarget target;
    if (!dc->BeginOutput(target))
        return TRUE;
    const Surface& colors = list->Colors();
    const Surface& masks = list->Masks();
    const bool mono = target.surface->IsMonochrome();
    const uint32_t bkPixel = dc->DevicePixel(bk);
    const uint32_t blendPixel = PixelFromColorRef(blendColor & 0xFFFFFF);
    for (int j = 0; j < ht; ++j) {
        const Point64 p = dc->ToSurface(x, static_cast<int64_t>(y) + j);
        ForEachClippedSpan(*target.clip, p.y, p.x, p.x + w, [&](int yy, int a, int b) {
            uint32_t* row = target.surface->Row(yy);
            for (int xx = a; xx < b; ++xx) {
                const int sx = i * list->cx + static_cast<int>(xx - p.x);
                const bool hole = list->Masked() && !imageOnly && (masks.Pixel(sx, j) & 0xFFFFFF);
                if (maskOnly) {
                    row[xx] = hole ? kWhitePixel : kBlackPixel;
                    continue;
                }
                uint32_t c = colors.Pixel(sx, j);
                const uint32_t alpha = useAlpha ? (c >> 24) : 255;
                c &= 0xFFFFFF;
                if (hole || alpha == 0) {
                    if (!transparent)
                        row[xx] = bkPixel;
                    continue;
                }
                if (blend)
                    c = MixPixels(c, blendPixel, static_cast<uint32_t>(blend));
                if (alpha < 255)
                    c = MixPixels(row[xx], c, alpha + (alpha >> 7));
                row[xx] = mono ? MonoPixel(c) : c;
            }
        });
    }
    dc->EndOutput();
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST h, int i, HDC hdc, int x, int y, UINT style) {
    return ImageList_DrawEx(h, i, hdc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_GetImageInfo(HIMAGELIST h, int i, IMAGEINFO* info) {
    auto list = List(h);
    if (!list || !info || i < 0 || i >= list->count)
        return FALSE;
    info->hbmImage = list->image;
    info->hbmMask = list->Masked() ? list->mask : nullptr;
    info->Unused1 = info->Unused2 = 0;
    info->rcImage = RECT{i * list->cx, 0, (i + 1) * list->cx, list->cy};
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST h, COLORREF color) {
    auto list = List(h);
    if (!list)
        return CLR_NONE;
    const COLORREF old = list->bk;
    list->bk = color;
    return old;
}

CImageList::~CImageList() {
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    DeleteImageList();
    return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Attach(HIMAGELIST list) {
    if (!list || m_hImageList)
        return FALSE;
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* image, CBitmap* mask) {
    return ImageList_Add(m_hImageList, image ? static_cast<HBITMAP>(image->m_hObject) : nullptr,
                         mask ? static_cast<HBITMAP>(mask->m_hObject) : nullptr);
}

int CImageList::Add(CBitmap* image, COLORREF mask) {
    return ImageList_AddMasked(m_hImageList,
                               image ? static_cast<HBITMAP>(image->m_hObject) : nullptr, mask);
}

BOOL CImageList::Draw(CDC* dc, int i, POINT pt, UINT style) {
    return dc ? ImageList_Draw(m_hImageList, i, dc->m_hDC, pt.x, pt.y, style) : FALSE;
}

BOOL CImageList::DrawEx(CDC* dc, int i, POINT pt, SIZE size, COLORREF bk, COLORREF fg, UINT style) {
    return dc ? ImageList_DrawEx(m_hImageList, i, dc->m_hDC, pt.x, pt.y, size.cx, size.cy, bk, fg,
                                 style)
              : FALSE;
}
