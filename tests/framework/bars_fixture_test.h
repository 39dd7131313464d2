// The fixture of the control-bar tests: an application with a settings key, a sizable frame
// with a pane for the view, and plain bars of known sizes.
#pragma once

#include <memory>
#include <string>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"

namespace kq::fw::test {

// A bar of a fixed size: 120 x 30 lying along a side, 40 x 90 standing.
class FixedBar : public CControlBar {
  public:
    using CControlBar::Create;
    BOOL Create(CWnd* parent, UINT id, LPCTSTR title = "bar");
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override {
        return bHorz ? CSize(120, 30) : CSize(40, 90);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++updates; }
    int updates = 0;
};

class BarsTest : public FrameworkTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Screen and frame-client rectangles of a window.
    CRect ScreenRect(const CWnd* wnd) const;
    CRect ClientRectIn(const CWnd* wnd) const;
    CDockBar* Dock(UINT id) const;
    // The ids in a dock bar's list, row ends as 0.
    std::vector<UINT> Rows(UINT dockBarId) const;
    void Idle() { app_->OnIdle(0); }

    std::unique_ptr<CWinApp> app_;
    CFrameWnd* frame_ = nullptr;
    HWND pane_ = nullptr;
};

}  // namespace kq::fw::test
