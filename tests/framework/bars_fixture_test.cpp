#include "framework/bars_fixture_test.h"

namespace kq::fw::test {

BOOL FixedBar::Create(CWnd* parent, UINT id, LPCTSTR title) {
    m_dwStyle = CBRS_TOP | CBRS_SIZE_FIXED;
    return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS), title, WS_CHILD | WS_VISIBLE,
                        CRect(0, 0, 0, 0), parent, id);
}

void BarsTest::SetUp() {
    FrameworkTest::SetUp();
    app_ = std::make_unique<CWinApp>("BarsTest");
    app_->SetRegistryKey("KQ Test");
    frame_ = new CFrameWnd();
    ASSERT_TRUE(frame_->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               CRect(10, 10, 650, 490)));
    app_->m_pMainWnd = frame_;
    pane_ = CreateChild(frame_->m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST), RECT{0, 0, 10, 10});
}

void BarsTest::TearDown() {
    if (frame_ != nullptr && ::IsWindow(frame_->m_hWnd))
        frame_->DestroyWindow();
    Pump();
    app_->m_pMainWnd = nullptr;
    app_.reset();
    FrameworkTest::TearDown();
}

CRect BarsTest::ScreenRect(const CWnd* wnd) const {
    CRect rect;
    wnd->GetWindowRect(&rect);
    return rect;
}

CRect BarsTest::ClientRectIn(const CWnd* wnd) const {
    CRect rect = ScreenRect(wnd);
    frame_->ScreenToClient(&rect);
    return rect;
}

CDockBar* BarsTest::Dock(UINT id) const {
    return static_cast<CDockBar*>(kq::fw::GetControlBar(frame_, id));
}

std::vector<UINT> BarsTest::Rows(UINT dockBarId) const {
    std::vector<UINT> ids;
    CDockBar* dock = Dock(dockBarId);
    for (int i = 0; i < dock->m_arrBars.GetSize(); ++i) {
        CControlBar* bar = dock->GetDockedControlBar(i);
        ids.push_back(bar != nullptr ? static_cast<UINT>(bar->GetDlgCtrlID()) : 0);
    }
    return ids;
}

}  // namespace kq::fw::test
