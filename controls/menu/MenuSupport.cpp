// The menu font and the measuring DC.
#include "controls/menu/MenuSupport.h"

#include "platform/base/WideText.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/nonclient/NonClientMetrics.h"
#include "platform/ui/paint/WindowDcs.h"

namespace kq::controls::menu {

namespace {
// The older size of the structure, without the padded border width.
constexpr UINT kMetricsSize = 340;
}  // namespace

bool CreateMenuFont(CFont& font) {
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = kMetricsSize;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kMetricsSize, &metrics, 0))
        return false;
    return font.CreateFontIndirect(&metrics.lfMenuFont) != FALSE;
}

MainWindowDC::MainWindowDC() {
    CWnd* main = AfxGetMainWnd();
    window_ = main && main->m_hWnd ? main->m_hWnd : ::GetDesktopWindow();
    Attach(::GetDC(window_));
}

MainWindowDC::~MainWindowDC() {
    if (HDC dc = Detach())
        ::ReleaseDC(window_, dc);
}

int NarrowTextWidth(CDC& dc, const std::u16string& text) {
    const std::string narrow = kq::WideToUtf8(text);
    SIZE size{};
    ::GetTextExtentPoint32A(dc.m_hDC, narrow.c_str(), static_cast<int>(narrow.size()), &size);
    return size.cx;
}

}  // namespace kq::controls::menu
