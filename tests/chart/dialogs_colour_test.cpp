// The colour button and its popup on the screen: the swatch and arrow, the popup's place and
// cells, the messages of a pick, a cancel and the keyboard, the system colour dialog behind
// "More Colors...", the screen edges, and the button's data exchange.
#include <gtest/gtest.h>

#include <vector>

#include "chart/ChartTestUtil.h"
#include "chart/dialogs/ColorButton.h"
#include "chart/dialogs/ColourPopup.h"
#include "platform/framework/DataExchange.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::chart::kColourTable;

constexpr int kButtonId = 77;

// A window that records what its colour button tells it.
class CColourHost : public CWnd {
  public:
    struct Message {
        UINT message;
        COLORREF color;
    };
    std::vector<Message> messages;
    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const Message& m : messages)
            codes.push_back(m.message - WM_USER);
        return codes;
    }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message > WM_USER + 1000 && message <= WM_USER + 1005)
            messages.push_back({message, static_cast<COLORREF>(wParam)});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ColourPicker : public kq::fw::test::FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        LPCTSTR cls = AfxRegisterWndClass(0);
        ASSERT_TRUE(host_.CreateEx(0, cls, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300),
                                   nullptr, 0));
        Place(CRect(20, 20, 100, 44));
    }
    void TearDown() override {
        kq::ui::SetCommonDialogHook(nullptr);
        if (button_.GetSafeHwnd() != nullptr)
            button_.DestroyWindow();
        host_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    void Place(const CRect& rect) {
        if (button_.GetSafeHwnd() != nullptr)
            button_.DestroyWindow();
        ASSERT_TRUE(button_.Create("", WS_CHILD | WS_VISIBLE, rect, &host_, kButtonId));
        Pump();
    }
    CColourPopup* Open() {
        Advance(1000);  // never a double click
        CRect r;
        button_.GetWindowRect(&r);
        kq::ui::InjectMouseButton(r.CenterPoint(), VK_LBUTTON, true);
        kq::ui::InjectMouseButton(r.CenterPoint(), VK_LBUTTON, false);
        Pump();
        return dynamic_cast<CColourPopup*>(CWnd::FromHandlePermanent(::GetCapture()));
    }
    static CPoint CellCentre(CColourPopup* popup, int cell) {
        CPoint p = popup->CellRect(cell).CenterPoint();
        popup->ClientToScreen(&p);
        return p;
    }
    void Key(UINT vk) {
        kq::ui::InjectKey(vk, true);
        kq::ui::InjectKey(vk, false);
        Pump();
    }
    COLORREF SwatchPixel() {
        CRect r;
        button_.GetWindowRect(&r);
        return kq::ui::GetScreenPixel(r.left + 8, r.CenterPoint().y);
    }

    CColourHost host_;
    CColorButton button_;
};

TEST_F(ColourPicker, TheButtonDrawsItsSwatchArrowAndDisabledLook) {
    EXPECT_EQ(SwatchPixel(), ::GetSysColor(COLOR_APPWORKSPACE));  // CLR_DEFAULT
    button_.SetColor(RGB(200, 0, 0));
    EXPECT_EQ(SwatchPixel(), RGB(200, 0, 0));
    CRect r;
    button_.GetWindowRect(&r);
    const int edge = ::GetSystemMetrics(SM_CXEDGE);
    const int arrowX = r.right - 2 - edge - 4 - edge / 2 + 2;
    const int arrowY = r.CenterPoint().y - 1;
    EXPECT_EQ(kq::ui::GetScreenPixel(arrowX, arrowY), RGB(0, 0, 0));
    button_.EnableWindow(FALSE);
    Pump();
    EXPECT_EQ(kq::ui::GetScreenPixel(arrowX, arrowY), ::GetSysColor(COLOR_GRAYTEXT));
    EXPECT_NE(SwatchPixel(), RGB(200, 0, 0));
}

TEST_F(ColourPicker, AClickOpensTheGridAndAPickReportsTheColour) {
    button_.SetColor(RGB(255, 0, 0));
    CColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(button_.IsPopupActive());
    EXPECT_EQ(host_.Codes(), std::vector<UINT>{1002});
    // Drawn pressed: the swatch's black frame moves one pixel right and down.
    CRect face;
    button_.GetWindowRect(&face);
    EXPECT_EQ(kq::ui::GetScreenPixel(face.left + 5, face.top + 5), RGB(0, 0, 0));
    EXPECT_NE(kq::ui::GetScreenPixel(face.left + 4, face.top + 4), RGB(0, 0, 0));
    CRect b, p;
    button_.GetWindowRect(&b);
    popup->GetWindowRect(&p);
    EXPECT_EQ(p.TopLeft(), CPoint(b.left, b.bottom));
    EXPECT_EQ(popup->GetChosenCell(), 16);  // "Red"
    for (int i = 0; i < kq::chart::kColourCount; ++i) {
        CPoint c = CellCentre(popup, i);
        EXPECT_EQ(kq::ui::GetScreenPixel(c.x, c.y), kColourTable[i].color) << i;
    }
    // The margins and points above the window hit nothing (no rounding towards cell 0).
    CRect cell = popup->CellRect(0);
    EXPECT_EQ(popup->HitTest(CPoint(cell.left - 1, cell.top + 2)), CColourPopup::kNoCell);
    EXPECT_EQ(popup->HitTest(CPoint(cell.left + 2, -3)), CColourPopup::kNoCell);

    host_.messages.clear();
    CPoint blue = CellCentre(popup, 13);
    kq::ui::InjectMouseMove(blue);
    Pump();
    Advance(1000);
    Pump();
    EXPECT_TRUE(popup->GetToolTips().IsWindowVisible());
    CString tip;
    popup->GetToolTips().GetText(tip, popup, 14);
    EXPECT_EQ(tip, "Blue");
    kq::ui::InjectMouseButton(blue, VK_LBUTTON, true);
    kq::ui::InjectMouseButton(blue, VK_LBUTTON, false);
    Pump();
    EXPECT_EQ(host_.Codes(), (std::vector<UINT>{1001, 1003, 1004, 1001}));
    EXPECT_EQ(host_.messages.back().color, RGB(0, 0, 255));
    EXPECT_EQ(button_.GetColor(), RGB(0, 0, 255));
    EXPECT_FALSE(button_.IsPopupActive());
    EXPECT_EQ(kq::ui::GetScreenPixel(face.left + 5, face.top + 5), RGB(0, 0, 255));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ColourPicker, EscapeAReleaseOutsideLeavingTheApplicationAndLosingTheFocusCancel) {
    button_.SetColor(RGB(0, 147, 0));
    for (int way = 0; way < 4; ++way) {
        CColourPopup* popup = Open();
        ASSERT_NE(popup, nullptr);
        kq::ui::InjectMouseMove(CellCentre(popup, 26));
        Pump();
        host_.messages.clear();
        if (way == 0) {
            Key(VK_ESCAPE);
        } else if (way == 1) {
            kq::ui::InjectMouseButton(CPoint(390, 290), VK_LBUTTON, true);
            kq::ui::InjectMouseButton(CPoint(390, 290), VK_LBUTTON, false);
            Pump();
        } else if (way == 2) {
            kq::ui::InjectAppFocus(false);
            Pump();
            kq::ui::InjectAppFocus(true);
            Pump();
        } else {
            ::SetFocus(host_.GetSafeHwnd());
            Pump();
        }
        EXPECT_EQ(host_.Codes(), (std::vector<UINT>{1003, 1005})) << way;
        EXPECT_EQ(button_.GetColor(), RGB(0, 147, 0)) << way;
        EXPECT_FALSE(button_.IsPopupActive()) << way;
    }
}

TEST_F(ColourPicker, ArrowsWalkFromTheDefaultBoxToTheGridAndReturnPicks) {
    button_.SetColor(CLR_DEFAULT);
    CColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetCurrentCell(), CColourPopup::kDefaultBox);
    Key(VK_DOWN);
    EXPECT_EQ(popup->GetCurrentCell(), 0);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    EXPECT_EQ(popup->GetCurrentCell(), 9);
    for (int i = 0; i < 4; ++i)
        Key(VK_DOWN);
    EXPECT_EQ(popup->GetCurrentCell(), CColourPopup::kCustomBox);
    Key(VK_UP);
    Key(VK_LEFT);
    EXPECT_EQ(popup->GetCurrentCell(), 31);
    host_.messages.clear();
    Key(VK_RETURN);
    EXPECT_EQ(button_.GetColor(), RGB(192, 192, 192));
    EXPECT_EQ(host_.Codes(), (std::vector<UINT>{1003, 1004, 1001}));
}

TEST_F(ColourPicker, MoreColorsTakesTheDialogsColourOrCancelsThePopup) {
    for (bool ok : {true, false}) {
        button_.SetColor(RGB(1, 2, 3));
        kq::ui::SetCommonDialogHook([ok](const kq::ui::CommonDialogRequest& request)
                                        -> std::optional<kq::ui::CommonDialogAnswer> {
            if (request.kind != kq::ui::CommonDialogKind::Color)
                return std::nullopt;
            kq::ui::CommonDialogAnswer answer;
            answer.ok = ok;
            answer.color = RGB(12, 34, 56);
            return answer;
        });
        CColourPopup* popup = Open();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->GetCurrentCell(), CColourPopup::kCustomBox);
        host_.messages.clear();
        Key(VK_RETURN);
        EXPECT_EQ(button_.GetColor(), ok ? RGB(12, 34, 56) : RGB(1, 2, 3));
        EXPECT_EQ(host_.Codes()[1], ok ? 1004u : 1005u);
    }
}

TEST_F(ColourPicker, ThePopupStaysOnTheScreenNearEveryEdge) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN);
    const int h = ::GetSystemMetrics(SM_CYSCREEN);
    host_.SetWindowPos(nullptr, 0, 0, w, h, SWP_NOZORDER);
    for (CRect place : {CRect(w - 60, 20, w - 4, 44), CRect(w - 60, h - 30, w - 4, h - 6),
                        CRect(2, h - 30, 60, h - 6), CRect(2, 2, 60, 26)}) {
        Place(place);
        CColourPopup* popup = Open();
        ASSERT_NE(popup, nullptr);
        CRect p;
        popup->GetWindowRect(&p);
        EXPECT_GE(p.left, 0);
        EXPECT_GE(p.top, 0);
        EXPECT_LE(p.right, w);
        EXPECT_LE(p.bottom, h);
        Key(VK_ESCAPE);
    }
}

TEST_F(ColourPicker, TheDataExchangeSavesTheDefaultColourForAutomatic) {
    COLORREF value = RGB(9, 8, 7);
    CDataExchange load(&host_, FALSE);
    DDX_ColorButton(&load, kButtonId, value);
    EXPECT_EQ(button_.GetColor(), RGB(9, 8, 7));
    button_.SetColor(CLR_DEFAULT);
    button_.SetDefaultColor(RGB(50, 60, 70));
    CDataExchange save(&host_, TRUE);
    DDX_ColorButton(&save, kButtonId, value);
    EXPECT_EQ(value, RGB(50, 60, 70));
}

}  // namespace
