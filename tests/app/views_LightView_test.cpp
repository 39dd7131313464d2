// The pass/fail light in a started frame: the picture as the largest centred square, each
// state's disc colour on the screen, states outside -1..2 ignored, each state's bitmap loaded
// once and none left behind by many changes, and a state set before the first update.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/views/CAFormLight.h"
#include "platform/gfx/HandleTable.h"
#include "platform/ui/paint/Screenshot.h"

namespace apptest {
namespace {

class LightView : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
        frame_->ShowWindow(SW_SHOW);
        frame_->ShowControlBar(&frame_->m_wndViewBar[CHANNEL_LIGHT], TRUE, FALSE);
        Run(50);
        view_ = static_cast<CAFormLight*>(frame_->m_windows.Get(WindowSlot::Light));
        ASSERT_NE(view_, nullptr);
    }
    CRect PictureRect() const {
        CRect r;
        ::GetWindowRect(::GetDlgItem(view_->m_hWnd, CAFormLight::IDC_PICTURE), &r);
        view_->ScreenToClient(&r);
        return r;
    }
    // Gives the view a client of cx × cy.
    void Resize(int cx, int cy) {
        CRect window, client;
        view_->GetWindowRect(&window);
        view_->GetClientRect(&client);
        view_->MoveWindow(0, 0, cx + window.Width() - client.Width(),
                          cy + window.Height() - client.Height(), TRUE);
        Run(20);
    }
    COLORREF ViewPixel(int x, int y) const {
        CPoint p(x, y);
        view_->ClientToScreen(&p);
        return kq::ui::GetScreenPixel(p.x, p.y);
    }
    CAFormLight* view_ = nullptr;
};

TEST_F(LightView, ThePictureIsTheLargestCentredSquare) {
    view_->SetLightState(CAFormLight::LIGHT_PASSED);
    Resize(300, 120);
    EXPECT_EQ(PictureRect(), CRect(90, 0, 210, 120));
    Resize(120, 301);
    EXPECT_EQ(PictureRect(), CRect(0, 90, 120, 210));
    // A minimised and restored frame keeps the square.
    frame_->ShowWindow(SW_MINIMIZE);
    Run(20);
    frame_->ShowWindow(SW_RESTORE);
    Run(20);
    Resize(120, 301);
    EXPECT_EQ(PictureRect(), CRect(0, 90, 120, 210));
}

TEST_F(LightView, EachStateShowsItsDiscColour) {
    Resize(200, 80);  // inside the docked bar, so all of it is on the screen
    const struct {
        int state;
        COLORREF disc;
    } states[] = {{-1, RGB(160, 160, 160)},
                  {0, RGB(0, 176, 80)},
                  {1, RGB(255, 220, 0)},
                  {2, RGB(220, 30, 30)}};
    const COLORREF outside = ViewPixel(20, 40);
    for (const auto& s : states) {
        view_->SetLightState(s.state);
        Run(20);
        EXPECT_EQ(view_->GetLightState(), s.state);
        EXPECT_EQ(ViewPixel(100, 40), s.disc) << s.state;
        EXPECT_EQ(ViewPixel(20, 40), outside);
    }
    for (int wrong : {3, -2, 1000}) {
        view_->SetLightState(wrong);
        EXPECT_EQ(view_->GetLightState(), 2);
    }
}

// Each state's picture is loaded the first time it is shown and kept: many changes after that
// neither load nor leave a bitmap, and a state comes back with the same picture.
TEST_F(LightView, ManyChangesLeaveNoBitmapBehind) {
    const HWND picture = ::GetDlgItem(view_->m_hWnd, CAFormLight::IDC_PICTURE);
    auto shown = [picture] { return ::SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0); };
    for (int state : {0, 1, 2, -1})  // grey last: before, the template's picture shows it
        view_->SetLightState(state);
    view_->SetLightState(0);
    const LRESULT passed = shown();
    const size_t before = kq::gfx::HandleTable::Instance().LiveCount();
    for (int i = 0; i < 200; ++i)
        view_->SetLightState(i % 4 - 1);
    view_->SetLightState(0);
    EXPECT_EQ(kq::gfx::HandleTable::Instance().LiveCount(), before);
    EXPECT_EQ(shown(), passed);
}

TEST_F(LightView, AStateSetBeforeTheFirstUpdateShowsAtIt) {
    auto* fresh = static_cast<CAFormLight*>(RUNTIME_CLASS(CAFormLight)->CreateObject());
    ASSERT_TRUE(fresh->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 120),
                              frame_, 4711, nullptr));
    const HWND picture = ::GetDlgItem(fresh->m_hWnd, CAFormLight::IDC_PICTURE);
    ASSERT_NE(picture, nullptr);
    fresh->SetLightState(CAFormLight::LIGHT_FAILED);
    EXPECT_FALSE(::IsWindowVisible(picture));
    fresh->OnInitialUpdate();
    EXPECT_TRUE(::IsWindowVisible(picture));
    EXPECT_EQ(fresh->GetLightState(), CAFormLight::LIGHT_FAILED);
    fresh->DestroyWindow();
}

}  // namespace
}  // namespace apptest
