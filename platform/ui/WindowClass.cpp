#include "platform/ui/WindowClass.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/detail/ClassTable.h"

using namespace kq::ui::detail;

namespace {

std::vector<std::shared_ptr<WindowClass>>& Classes() {
    static auto* classes = new std::vector<std::shared_ptr<WindowClass>>;
    return *classes;
}

bool IsAtom(LPCSTR name) {
    return reinterpret_cast<ULONG_PTR>(name) <= 0xFFFF;
}

bool SameName(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

std::shared_ptr<WindowClass> FindRegistered(LPCSTR nameOrAtom) {
    for (auto& cls : Classes()) {
        if (IsAtom(nameOrAtom) ? cls->atom == reinterpret_cast<ULONG_PTR>(nameOrAtom)
                               : SameName(cls->name, nameOrAtom))
            return cls;
    }
    return nullptr;
}

// TreeMutex() held.
ATOM RegisterLocked(const WNDCLASSEX& wc) {
    if (!wc.lpszClassName || IsAtom(wc.lpszClassName) || !*wc.lpszClassName || wc.cbWndExtra < 0 ||
        wc.cbClsExtra < 0)
        return 0;
    if (FindRegistered(wc.lpszClassName))
        return 0;
    static ATOM nextAtom = 0xC000;
    if (nextAtom == 0xFFFF)
        return 0;
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc.lpszClassName;
    cls->atom = nextAtom++;
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->clsExtra = wc.cbClsExtra;
    cls->wndExtra = wc.cbWndExtra;
    cls->instance = wc.hInstance;
    cls->icon = wc.hIcon;
    cls->iconSmall = wc.hIconSm;
    cls->cursor = wc.hCursor;
    cls->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IsAtom(wc.lpszMenuName)) {
        cls->menuNameText = wc.lpszMenuName;
        cls->menuName = cls->menuNameText.c_str();
    } else {
        cls->menuName = wc.lpszMenuName;
    }
    Classes().push_back(cls);
    return cls->atom;
}

ATOM Register(const WNDCLASSEX& wc) {
    std::lock_guard lock(TreeMutex());
    return RegisterLocked(wc);
}

WNDCLASSEX Describe(const WindowClass& cls, LPCSTR requestedName) {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.style = cls.style;
    wc.lpfnWndProc = cls.proc;
    wc.cbClsExtra = cls.clsExtra;
    wc.cbWndExtra = cls.wndExtra;
    wc.hInstance = cls.instance;
    wc.hIcon = cls.icon;
    wc.hCursor = cls.cursor;
    wc.hbrBackground = cls.background;
    wc.lpszMenuName = cls.menuName;
    wc.lpszClassName = requestedName;
    wc.hIconSm = cls.iconSmall;
    return wc;
}

bool DescribeByName(LPCSTR name, WNDCLASSEX* out) {
    std::lock_guard lock(TreeMutex());
    auto cls = FindClass(name);
    if (!cls)
        return false;
    *out = Describe(*cls, name);
    return true;
}

}  // namespace

namespace kq::ui::detail {

std::shared_ptr<WindowClass> FindClass(LPCSTR nameOrAtom) {
    if (!nameOrAtom)
        return nullptr;
    if (auto cls = FindRegistered(nameOrAtom))
        return cls;
    // The predefined classes join the table the first time they are asked for.
    WNDCLASSEX wc;
    if (!IsAtom(nameOrAtom) && DescribeSystemClass(nameOrAtom, &wc) && RegisterLocked(wc))
        return Classes().back();
    return nullptr;
}

int CopyText(const std::string& text, LPSTR buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    // Never leave half a UTF-8 sequence behind.
    if (n < text.size()) {
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    }
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

}  // namespace kq::ui::detail

ATOM RegisterClass(const WNDCLASS* wc) {
    if (!wc)
        return 0;
    WNDCLASSEX ex{sizeof(WNDCLASSEX), wc->style,        wc->lpfnWndProc,   wc->cbClsExtra,
                  wc->cbWndExtra,     wc->hInstance,    wc->hIcon,         wc->hCursor,
                  wc->hbrBackground,  wc->lpszMenuName, wc->lpszClassName, nullptr};
    return Register(ex);
}

ATOM RegisterClassEx(const WNDCLASSEX* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEX))
        return 0;
    return Register(*wc);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
    std::lock_guard lock(TreeMutex());
    auto cls = FindClass(className);
    if (!cls || cls->liveWindows > 0)
        return FALSE;
    auto& list = Classes();
    list.erase(std::remove(list.begin(), list.end(), cls), list.end());
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR className, LPWNDCLASS wc) {
    WNDCLASSEX ex{};
    if (!wc || !DescribeByName(className, &ex))
        return FALSE;
    *wc = WNDCLASS{ex.style, ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,   ex.hInstance,
                   ex.hIcon, ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
    return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int size) {
    std::lock_guard lock(TreeMutex());
    Window* w = kq::ui::detail::Lookup(hwnd);
    if (!w)
        return 0;
    return CopyText(w->cls->name, buffer, size);
}
