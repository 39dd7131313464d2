#include <string_view>

#include "framework/bars_fixture_test.h"
#include "platform/gfx/CDC.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/gfx/WinGdi.h"

using namespace std::string_view_literals;

namespace kq::fw::test {
namespace {

constexpr UINT kIdCount = 0x7101;
constexpr UINT kIdMode = 0x7102;
constexpr kq::StringResource kStrings[] = {
    {ID_INDICATOR_CAPS, "CAP"sv}, {kIdCount, "0000"sv}, {kIdMode, "MODE"sv}};
constexpr kq::ResourceBundle kBundle{.strings = kStrings};

class StatusFrame : public CFrameWnd {
  public:
    void OnUpdateCount(CCmdUI* pCmdUI) {
        pCmdUI->SetText(count);
        pCmdUI->SetCheck(1);
    }
    void OnUpdateCaps(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    CString count = "0042";
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StatusFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(kIdCount, &StatusFrame::OnUpdateCount)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, &StatusFrame::OnUpdateCaps)
END_MESSAGE_MAP()

class StatusBarTest : public BarsTest {
  protected:
    void SetUp() override {
        kq::InstallResources(kBundle);
        BarsTest::SetUp();
        frame_->DestroyWindow();
        frame_ = new StatusFrame();
        ASSERT_TRUE(frame_->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(10, 10, 650, 490)));
        app_->m_pMainWnd = frame_;
        pane_ =
            CreateChild(frame_->m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST), RECT{0, 0, 10, 10});
        ASSERT_TRUE(bar_.Create(frame_));
        ASSERT_TRUE(bar_.SetIndicators(kIndicators, 4));
        frame_->RecalcLayout();
    }
    void TearDown() override {
        BarsTest::TearDown();
        kq::UninstallResources(kBundle);
    }

    static constexpr UINT kIndicators[] = {ID_SEPARATOR, kIdMode, kIdCount, ID_INDICATOR_CAPS};
    CStatusBar bar_;
};

TEST_F(StatusBarTest, PanesComeFromTheIndicatorStrings) {
    EXPECT_EQ(bar_.GetCount(), 4);
    EXPECT_EQ(bar_.CommandToIndex(kIdCount), 2);
    EXPECT_EQ(bar_.CommandToIndex(0x7999), -1);
    EXPECT_EQ(bar_.GetPaneText(1), "MODE");
    EXPECT_EQ(bar_.GetPaneStyle(0), SBPS_STRETCH | SBPS_NOBORDERS);

    UINT id = 0;
    UINT style = 0;
    int width = 0;
    bar_.SetPaneInfo(1, kIdMode, SBPS_POPOUT, 77);
    bar_.GetPaneInfo(1, id, style, width);
    EXPECT_EQ(id, kIdMode);
    EXPECT_EQ(style, SBPS_POPOUT);
    EXPECT_EQ(width, 77);
    EXPECT_TRUE(bar_.SetPaneText(1, "edit"));
    EXPECT_EQ(bar_.GetPaneText(1), "edit");
    EXPECT_FALSE(bar_.SetPaneText(9, "nowhere"));

    // A missing string still makes the pane, and says so.
    const UINT unknown[] = {ID_SEPARATOR, 0x7F00};
    EXPECT_FALSE(bar_.SetIndicators(unknown, 2));
    EXPECT_EQ(bar_.GetCount(), 2);
}

TEST_F(StatusBarTest, LiesAlongTheBottomWithTheMessagePaneStretched) {
    CRect client;
    frame_->GetClientRect(&client);
    const CRect rect = ClientRectIn(&bar_);
    EXPECT_EQ(rect.bottom, client.bottom);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, client.right);
    EXPECT_GT(rect.Height(), 10);
    const CRect view = ClientRectIn(CWnd::FromHandle(pane_));
    EXPECT_EQ(view.bottom, rect.top);

    CRect first;
    CRect last;
    bar_.GetItemRect(0, &first);
    bar_.GetItemRect(3, &last);
    EXPECT_TRUE(bar_.HasSizeGrip());
    // The last pane ends before the grip; the first takes the rest.
    EXPECT_EQ(last.right, rect.Width() - ::GetSystemMetrics(SM_CXVSCROLL));
    CRect second;
    bar_.GetItemRect(1, &second);
    EXPECT_EQ(second.left, first.right + 2);
    EXPECT_GT(first.Width(), rect.Width() / 2);
}

TEST_F(StatusBarTest, MessagesAndIdleUpdatesReachThePanes) {
    frame_->SetMessageText("Sensor disconnected");
    EXPECT_EQ(bar_.GetPaneText(0), "Sensor disconnected");
    CString text;
    bar_.GetWindowText(text);
    EXPECT_EQ(text, "Sensor disconnected");

    Idle();
    EXPECT_EQ(bar_.GetPaneText(2), "0042");
    EXPECT_TRUE(bar_.GetPaneStyle(2) & SBPS_POPOUT);
    EXPECT_TRUE(bar_.GetPaneStyle(3) & SBPS_DISABLED);
    // No handler: the pane is left as it is.
    EXPECT_EQ(bar_.GetPaneText(1), "MODE");
    EXPECT_FALSE(bar_.GetPaneStyle(1) & SBPS_DISABLED);

    static_cast<StatusFrame*>(frame_)->count = "0043";
    Idle();
    EXPECT_EQ(bar_.GetPaneText(2), "0043");

    // A hidden bar is not updated.
    frame_->ShowControlBar(&bar_, FALSE, FALSE);
    static_cast<StatusFrame*>(frame_)->count = "0044";
    Idle();
    EXPECT_EQ(bar_.GetPaneText(2), "0043");
}

// Counts the pixels of rect that differ from the button face.
int Ink(HDC dc, const CRect& rect) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            count += ::GetPixel(dc, x, y) != ::GetSysColor(COLOR_BTNFACE) ? 1 : 0;
    }
    return count;
}

TEST_F(StatusBarTest, DrawsPaneEdgesTextAndGrip) {
    Idle();  // pane 2 pops out, pane 3 is disabled
    const CSize size = ScreenRect(&bar_).Size();
    HDC memory = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    CDC* dc = CDC::FromHandle(memory);
    bar_.DoPaint(dc);

    CRect panes[4];
    for (int i = 0; i < 4; ++i)
        bar_.GetItemRect(i, &panes[i]);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const int y = panes[1].CenterPoint().y;
    // Sunken panes: shadow left, highlight right; the popped-out one the other way round.
    EXPECT_EQ(::GetPixel(memory, panes[1].left, y), shadow);
    EXPECT_EQ(::GetPixel(memory, panes[1].right - 1, y), light);
    EXPECT_EQ(::GetPixel(memory, panes[2].left, y), light);
    EXPECT_EQ(::GetPixel(memory, panes[2].right - 1, y), shadow);
    EXPECT_EQ(::GetPixel(memory, panes[0].left, y), ::GetSysColor(COLOR_BTNFACE));

    auto inside = [](CRect rect) {
        rect.DeflateRect(2, 2);
        return rect;
    };
    EXPECT_GT(Ink(memory, inside(panes[1])), 0);  // "MODE"
    EXPECT_EQ(Ink(memory, inside(panes[3])), 0);  // disabled: no text
    EXPECT_EQ(Ink(memory, inside(panes[0])), 0);  // no message yet
    const CRect grip(size.cx - ::GetSystemMetrics(SM_CXVSCROLL), 0, size.cx, size.cy);
    EXPECT_GT(Ink(memory, grip), 0);

    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

// Its drag sizes the frame: the x11 road drags it with a real mouse.
TEST_F(StatusBarTest, TheGripIsTheFramesCorner) {
    const CRect bar = ScreenRect(&bar_);
    auto hit = [&](CPoint pt) { return bar_.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)); };
    EXPECT_EQ(hit(CPoint(bar.right - 4, bar.bottom - 4)), HTBOTTOMRIGHT);
    EXPECT_NE(hit(CPoint(bar.right - 40, bar.bottom - 4)), HTBOTTOMRIGHT);
    frame_->ShowWindow(SW_MAXIMIZE);  // a maximised frame has no grip
    const CRect zoomed = ScreenRect(&bar_);
    EXPECT_NE(hit(CPoint(zoomed.right - 4, zoomed.bottom - 4)), HTBOTTOMRIGHT);
}

}  // namespace
}  // namespace kq::fw::test
