#include "bars_fixture_test.h"

namespace apptest {

void SizingBars::SetUp() {
    BarsTest::SetUp();
    frame_->EnableDocking(CBRS_ALIGN_ANY);
    for (UINT i = 0; i < 3; ++i) {
        CString title;
        title.Format("Bar %u", i + 1);
        ASSERT_TRUE(bars_[i].Create(title, frame_, CSize(150, 100), FALSE, 110 + i,
                                    WS_CHILD | WS_VISIBLE | CBRS_TOP));
        bars_[i].SetBarStyle(bars_[i].GetBarStyle() | CBRS_SIZE_DYNAMIC);
        bars_[i].EnableDocking(CBRS_ALIGN_ANY);
    }
    frame_->RecalcLayout();
}

void SizingBars::DockInOneRow(UINT side, std::initializer_list<int> which) {
    const bool horz = side == AFX_IDW_DOCKBAR_TOP || side == AFX_IDW_DOCKBAR_BOTTOM;
    const CControlBar* previous = nullptr;
    for (int i : which) {
        if (previous == nullptr) {
            frame_->DockControlBar(&bars_[i], side);
        } else {
            CRect rect = ScreenRect(previous);
            rect.OffsetRect(horz ? 1 : 0, horz ? 0 : 1);
            frame_->DockControlBar(&bars_[i], side, &rect);
        }
        frame_->RecalcLayout();
        previous = &bars_[i];
    }
}

CRect SizingBars::CloseButtonOnScreen(const TestSizingBar& bar) const {
    CRect button = bar.CloseButtonRect();
    button.OffsetRect(ScreenRect(&bar).TopLeft());
    return button;
}

LRESULT SizingBars::HitAt(CWnd& bar, CPoint point) const {
    return bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
}

}  // namespace apptest
