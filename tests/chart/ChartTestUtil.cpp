#include "ChartTestUtil.h"

#include "platform/ui/paint/Screenshot.h"

namespace kq::chart::test {

COLORREF ChartWindowTest::ScreenAt(CWnd* wnd, int x, int y) {
    CPoint p(x, y);
    wnd->ClientToScreen(&p);
    return kq::ui::GetScreenPixel(p.x, p.y);
}

}  // namespace kq::chart::test
