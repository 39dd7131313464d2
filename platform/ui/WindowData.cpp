#include "platform/ui/WindowData.h"

#include <cstring>

#include "platform/ui/Messages.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/Window.h"

using namespace kq::ui::detail;

namespace {

template <typename T>
bool ReadExtra(const Window& w, int offset, T* out) {
    if (offset < 0 || static_cast<size_t>(offset) + sizeof(T) > w.extra.size())
        return false;
    std::memcpy(out, w.extra.data() + offset, sizeof(T));
    return true;
}

template <typename T>
bool WriteExtra(Window& w, int offset, T value, T* old) {
    if (!ReadExtra(w, offset, old))
        return false;
    std::memcpy(w.extra.data() + offset, &value, sizeof(T));
    return true;
}

LONG_PTR ChangeStyle(HWND hwnd, int index, DWORD value) {
    DWORD old = 0;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return 0;
        old = index == GWL_STYLE ? w->style : w->exStyle;
    }
    STYLESTRUCT ss{old, value};
    SendInternal(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss),
                 nullptr);
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return 0;
        (index == GWL_STYLE ? w->style : w->exStyle) = ss.styleNew;
    }
    SendInternal(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss),
                 nullptr);
    return static_cast<LONG>(old);
}

}  // namespace

LONG GetWindowLong(HWND hwnd, int index) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return 0;
    switch (index) {
        case GWL_STYLE:
            return static_cast<LONG>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG>(w->exStyle);
        case GWL_ID:
            return static_cast<LONG>(w->id);
        case GWL_USERDATA:
            return static_cast<LONG>(w->userData);
        default: {
            LONG v = 0;
            return ReadExtra(*w, index, &v) ? v : 0;
        }
    }
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return static_cast<LONG>(ChangeStyle(hwnd, index, static_cast<DWORD>(value)));
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || w == &Desktop())
        return 0;
    LONG old = 0;
    switch (index) {
        case GWL_ID:
            old = static_cast<LONG>(w->id);
            w->id = static_cast<UINT_PTR>(static_cast<ULONG>(value));
            return old;
        case GWL_USERDATA:
            old = static_cast<LONG>(w->userData);
            w->userData = value;
            return old;
        default:
            return WriteExtra(*w, index, value, &old) ? old : 0;
    }
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return 0;
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT:
            if (w->IsChild())
                return w->parent ? reinterpret_cast<LONG_PTR>(w->parent->hwnd) : 0;
            return w->owner ? reinterpret_cast<LONG_PTR>(w->owner->hwnd) : 0;
        case GWLP_USERDATA:
            return w->userData;
        case GWL_STYLE:
            return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(w->exStyle);
        case GWLP_ID:
            return static_cast<LONG_PTR>(w->id);
        default: {
            LONG_PTR v = 0;
            return ReadExtra(*w, index, &v) ? v : 0;
        }
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return ChangeStyle(hwnd, index, static_cast<DWORD>(value));
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || w == &Desktop())
        return 0;
    LONG_PTR old = 0;
    switch (index) {
        case GWLP_WNDPROC:
            old = reinterpret_cast<LONG_PTR>(w->proc);
            w->proc = reinterpret_cast<WNDPROC>(value);
            return old;
        case GWLP_HINSTANCE:
            old = reinterpret_cast<LONG_PTR>(w->instance);
            w->instance = reinterpret_cast<HINSTANCE>(value);
            return old;
        case GWLP_HWNDPARENT: {
            if (w->IsChild())
                return 0;
            old = w->owner ? reinterpret_cast<LONG_PTR>(w->owner->hwnd) : 0;
            Window* owner = Lookup(reinterpret_cast<HWND>(value));
            owner = owner == &Desktop() ? nullptr : TopLevelOf(owner);
            for (Window* o = owner; o; o = o->owner) {
                if (o == w)
                    return 0;  // would make the window own itself
            }
            w->owner = owner;
            return old;
        }
        case GWLP_ID:
            old = static_cast<LONG_PTR>(w->id);
            w->id = static_cast<UINT_PTR>(value);
            return old;
        case GWLP_USERDATA:
            old = w->userData;
            w->userData = value;
            return old;
        default:
            return WriteExtra(*w, index, value, &old) ? old : 0;
    }
}

namespace {

bool IsStaticShowing(HWND hwnd, LPCSTR text) {
    if (!kq::ui::detail::IsWindowOfClass(hwnd, "Static"))
        return false;
    std::lock_guard lock(TreeMutex());
    const Window* w = Lookup(hwnd);
    return w && w->text == text;
}

}  // namespace

BOOL SetWindowText(HWND hwnd, LPCSTR text) {
    // A label given the text it shows already would only repaint itself; live readings
    // refresh their labels many times a second with mostly unchanged texts.
    if (IsStaticShowing(hwnd, text ? text : ""))
        return TRUE;
    bool delivered = false;
    LRESULT r =
        SendInternal(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""), &delivered);
    return delivered && r ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = '\0';
    return static_cast<int>(SendInternal(hwnd, WM_GETTEXT, static_cast<WPARAM>(size),
                                         reinterpret_cast<LPARAM>(buffer), nullptr));
}

int GetWindowTextLength(HWND hwnd) {
    return static_cast<int>(SendInternal(hwnd, WM_GETTEXTLENGTH, 0, 0, nullptr));
}
