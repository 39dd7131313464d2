#include "platform/framework/detail/DefaultClasses.h"

#include "platform/framework/Wnd.h"

namespace kq::fw::detail {

namespace {

// System colour indices as class background brushes (index + 1).
constexpr int kColorWindow = 5;
constexpr int kColorBtnFace = 15;

HBRUSH SysColorBrush(int index) {
    return reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(index + 1));
}

}  // namespace

LPCSTR DefaultWndClass() {
    static LPCSTR name =
        AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
    return name;
}

LPCSTR FrameOrViewClass() {
    static LPCSTR name =
        AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                            SysColorBrush(kColorWindow));
    return name;
}

LPCSTR ControlBarClass() {
    static LPCSTR name = AfxRegisterWndClass(
        CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW), SysColorBrush(kColorBtnFace));
    return name;
}

}  // namespace kq::fw::detail
