// The class-wide images of the menus: each command's image with its faded, shadow and greyed
// variants, made when the image is registered; the colour arithmetic and pixel filters that
// make them; and the display tests (operating-system class, classic theme) the drawing asks.
#include <memory>

#include "controls/menu/BCMenu.h"
#include "controls/menu/BCMenuClassState.h"
#include "controls/menu/MenuSupport.h"
#include "platform/base/Registry.h"
#include "platform/base/SystemVersion.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/SysColors.h"

namespace kq::controls::menu {

namespace {
std::unique_ptr<ClassState>& StateSlot() {
    static std::unique_ptr<ClassState> state;
    return state;
}
}  // namespace

ClassState& TheClassState() {
    auto& slot = StateSlot();
    if (!slot)
        slot = std::make_unique<ClassState>();
    return *slot;
}

void ResetClassState() {
    StateSlot().reset();
}

}  // namespace kq::controls::menu

namespace {

using kq::controls::menu::kImageSize;
using kq::controls::menu::TheClassState;

constexpr UINT kListFlags = ILC_COLORDDB | ILC_MASK;

BYTE Blend(BYTE c, double factor) {
    return static_cast<BYTE>((255 - c) * factor + c);
}

BYTE Scale(BYTE c, double factor) {
    return static_cast<BYTE>(c - c * factor);
}

// A memory DC with the bitmap selected, for the per-pixel filters.
class PixelAccess {
  public:
    explicit PixelAccess(CBitmap& bitmap) {
        dc_.CreateCompatibleDC(nullptr);
        old_ = dc_.SelectObject(&bitmap);
        BITMAP bm{};
        bitmap.GetBitmap(&bm);
        width_ = bm.bmWidth;
        height_ = bm.bmHeight;
        face_ = FaceReference();
    }
    ~PixelAccess() { dc_.SelectObject(old_); }
    PixelAccess(const PixelAccess&) = delete;
    PixelAccess& operator=(const PixelAccess&) = delete;

    // Every pixel that is not the face colour, columns outer, rows inner.
    template <class F>
    void ForEachPixel(F&& f) {
        for (int x = 0; x < width_; ++x)
            for (int y = 0; y < height_; ++y)
                f(x, y, dc_.GetPixel(x, y), dc_.GetPixel(x, y) == face_);
    }
    void Set(int x, int y, COLORREF c) { dc_.SetPixel(x, y, c); }

  private:
    // The colour the device really stores for the face colour.
    COLORREF FaceReference() {
        CBitmap probe;
        probe.CreateCompatibleBitmap(&dc_, std::max(width_, 2), std::max(height_, 2));
        CDC probeDc;
        probeDc.CreateCompatibleDC(&dc_);
        CBitmap* old = probeDc.SelectObject(&probe);
        CBrush face;
        face.CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
        CRect all(0, 0, std::max(width_, 2), std::max(height_, 2));
        probeDc.FillRect(&all, &face);
        const COLORREF c = probeDc.GetPixel(1, 1);
        probeDc.SelectObject(old);
        return c;
    }

    CDC dc_;
    CBitmap* old_ = nullptr;
    int width_ = 0, height_ = 0;
    COLORREF face_ = 0;
};

// Removes the images (and their commands) from `first` on: the undo of a failed registration.
void TrimImages(int first) {
    auto& state = TheClassState();
    while (state.images.GetImageCount() > first)
        state.images.Remove(state.images.GetImageCount() - 1);
    if (static_cast<int>(state.commands.size()) > first)
        state.commands.resize(static_cast<size_t>(first));
}

}  // namespace

COLORREF BCMenu::BlendToWhite(COLORREF color, double factor) {
    if (!(factor > 0 && factor <= 1))
        return color;
    return RGB(Blend(GetRValue(color), factor), Blend(GetGValue(color), factor),
               Blend(GetBValue(color), factor));
}

COLORREF BCMenu::ScaleToBlack(COLORREF color, double factor) {
    if (!(factor > 0 && factor <= 1))
        return color;
    return RGB(Scale(GetRValue(color), factor), Scale(GetGValue(color), factor),
               Scale(GetBValue(color), factor));
}

void BCMenu::ApplyFade(CBitmap& bitmap) {
    PixelAccess px(bitmap);
    px.ForEachPixel([&](int x, int y, COLORREF c, bool face) {
        if (!face)
            px.Set(x, y, BlendToWhite(c, 0.3));
    });
}

void BCMenu::ApplyShadow(CBitmap& bitmap) {
    COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    if (!IsThemedXp())
        shadow = BlendToWhite(shadow, 0.49);
    PixelAccess px(bitmap);
    px.ForEachPixel([&](int x, int y, COLORREF, bool face) {
        if (!face)
            px.Set(x, y, shadow);
    });
}

void BCMenu::ApplyGrey(CBitmap& bitmap, COLORREF replacement) {
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    PixelAccess px(bitmap);
    px.ForEachPixel([&](int x, int y, COLORREF c, bool face) {
        if (face) {
            if (replacement != 0)
                px.Set(x, y, replacement);
            return;
        }
        const int mean = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
        px.Set(x, y, BlendToWhite(shadow, mean / 255.0));
    });
}

BOOL BCMenu::IconToBitmap(CDC* pDC, CImageList* pList, int nIndex, CBitmap& bitmap) {
    if (!pList || !pList->GetSafeHandle())
        return FALSE;
    HICON icon = pList->GetIcon(nIndex, 0);
    if (!icon)
        return FALSE;
    BOOL made = FALSE;
    CDC mem;
    if (mem.CreateCompatibleDC(pDC) && bitmap.CreateCompatibleBitmap(pDC, kImageSize, kImageSize)) {
        CBitmap* old = mem.SelectObject(&bitmap);
        HBRUSH face = ::CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
        made = ::DrawIconEx(mem.m_hDC, 0, 0, icon, kImageSize, kImageSize, 0, face, DI_NORMAL);
        ::DeleteObject(face);
        mem.SelectObject(old);
    }
    ::DestroyIcon(icon);
    return made;
}

CImageList& BCMenu::ClassImages() {
    return TheClassState().images;
}

int BCMenu::FindImageIndex(UINT nCommand) {
    const auto& commands = TheClassState().commands;
    for (size_t i = 0; i < commands.size(); ++i)
        if (commands[i] == static_cast<int>(nCommand))
            return static_cast<int>(i);
    return -1;
}

BOOL BCMenu::HasDerivedImages(int nIndex) {
    const auto& commands = TheClassState().commands;
    const size_t i = static_cast<size_t>(nIndex);
    return nIndex >= 0 && i + 2 < commands.size() && commands[i + 1] == commands[i] &&
           commands[i + 2] == commands[i];
}

int BCMenu::RegisterImage(CImageList* pSource, int nIndex, UINT nCommand) {
    auto& state = TheClassState();
    if (!state.images.GetSafeHandle() &&
        !state.images.Create(kImageSize, kImageSize, kListFlags, 1, 1))
        return -1;
    if (!pSource || !pSource->GetSafeHandle())
        return -1;
    HICON icon = pSource->GetIcon(nIndex, 0);
    if (!icon)
        return -1;
    CBitmap variants[3];
    {
        kq::controls::menu::MainWindowDC dc;
        const bool made = dc.m_hDC && IconToBitmap(&dc, pSource, nIndex, variants[0]) &&
                          IconToBitmap(&dc, pSource, nIndex, variants[1]) &&
                          IconToBitmap(&dc, pSource, nIndex, variants[2]);
        if (!made) {
            ::DestroyIcon(icon);
            return -1;
        }
    }
    ApplyFade(variants[0]);
    ApplyShadow(variants[1]);
    ApplyGrey(variants[2], 0);
    const COLORREF mask = ::GetSysColor(COLOR_3DFACE);

    int result = FindImageIndex(nCommand);
    if (result < 0) {
        const int first = state.images.GetImageCount();
        result = state.images.Replace(-1, icon);
        bool ok = result >= 0;
        if (ok)
            state.commands.push_back(static_cast<int>(nCommand));
        for (CBitmap& v : variants) {
            if (!ok)
                break;
            ok = state.images.Add(&v, mask) >= 0;
            if (ok)
                state.commands.push_back(static_cast<int>(nCommand));
        }
        if (!ok) {
            TrimImages(first);
            result = -1;
        }
    } else {
        state.images.Replace(result, icon);
        if (HasDerivedImages(result)) {
            CImageList temp;
            temp.Create(kImageSize, kImageSize, kListFlags, 1, 1);
            for (int k = 0; k < 3; ++k) {
                const int at = temp.Add(&variants[k], mask);
                HICON variant = at >= 0 ? temp.GetIcon(at, 0) : nullptr;
                if (variant) {
                    state.images.Replace(result + 1 + k, variant);
                    ::DestroyIcon(variant);
                }
            }
        }
    }
    ::DestroyIcon(icon);
    return result;
}

int BCMenu::GetOsClass() {
    auto& state = TheClassState();
    if (state.osClass >= 0)
        return state.osClass;
    const DWORD version = ::GetVersion();
    const int major = LOBYTE(LOWORD(version));
    const int minor = HIBYTE(LOWORD(version));
    int osClass = 1;
    if (version & 0x80000000u) {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof(info);
        ::GetVersionExA(&info);
        osClass = major < 4 ? 0 : 2;
        if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10)
            osClass = 3;
        else if (info.dwMajorVersion == 4 && info.dwMinorVersion == 90)
            osClass = 4;
    } else if (major == 4) {
        osClass = 5;
    } else if (major == 5 && minor == 0) {
        osClass = 6;
    } else if (major == 5 && minor == 1) {
        osClass = 7;
    }
    state.osClass = osClass;
    return osClass;
}

BOOL BCMenu::IsClassicTheme() {
    auto& state = TheClassState();
    if (state.themeTested)
        return state.classicTheme;
    state.themeTested = true;
    HKEY key = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0,
                       KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    char value[260] = {};
    DWORD size = sizeof(value) - 1;
    DWORD type = 0;
    if (::RegQueryValueEx(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(value), &size) ==
        ERROR_SUCCESS) {
        CString text(value);
        CString tail("windows classic.theme");
        text.MakeLower();
        state.classicTheme =
            text.GetLength() >= tail.GetLength() && text.Right(tail.GetLength()) == tail;
    }
    ::RegCloseKey(key);
    return state.classicTheme;
}

BOOL BCMenu::IsThemedXp() {
    return GetOsClass() == 7 && !IsClassicTheme();
}

void BCMenu::ReleaseClassResources() {
    kq::controls::menu::ResetClassState();
}
