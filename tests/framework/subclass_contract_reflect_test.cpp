// What a parent and its controls see of reflected notifications: a control that handles one
// keeps it from the parent unless its _EX handler passes it on, reflected colours and scrolling,
// notifications raised while a handler runs, Default after nested messages, and registered
// messages sent up to the parent.
#include <gtest/gtest.h>

#include <vector>

#include "framework/FrameworkTest.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr int IDC_PLAIN = 3001;
constexpr int IDC_EX = 3002;
constexpr int IDC_NOTIFIER = 3003;
constexpr int IDC_FIELD = 3004;
constexpr int IDC_BAR = 3005;
constexpr UINT NM_TESTCLICK = static_cast<UINT>(-2);   // NM_CLICK
constexpr UINT NM_TESTRETURN = static_cast<UINT>(-4);  // NM_RETURN

const UINT kCompleteMessage = ::RegisterWindowMessage("KQ_TEST_LIST_COMPLETE");

class CPlainReflector : public CButton {
  public:
    int clicks = 0;
    void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPlainReflector, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, &CPlainReflector::OnClicked)
END_MESSAGE_MAP()

class CPassingReflector : public CButton {
  public:
    int clicks = 0;
    BOOL keep = FALSE;
    BOOL OnClicked() {
        ++clicks;
        return keep;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPassingReflector, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, &CPassingReflector::OnClicked)
END_MESSAGE_MAP()

// A window that reports clicks to its parent as a tree control does.
class CNotifier : public CWnd {
  public:
    int plain = 0;
    int ex = 0;
    BOOL keepEx = FALSE;
    void OnClick(NMHDR*, LRESULT* result) {
        ++plain;
        *result = 5;
    }
    BOOL OnSelect(NMHDR*, LRESULT* result) {
        ++ex;
        *result = 9;
        return keepEx;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CNotifier, CWnd)
ON_NOTIFY_REFLECT(NM_TESTCLICK, &CNotifier::OnClick)
ON_NOTIFY_REFLECT_EX(NM_TESTRETURN, &CNotifier::OnSelect)
END_MESSAGE_MAP()

// An edit that filters typed characters and colours itself when asked.
class CFilterField : public CEdit {
  public:
    HBRUSH brush = nullptr;
    int ctlColors = 0;
    HBRUSH CtlColor(CDC*, UINT) {
        ++ctlColors;
        return brush;
    }
    void OnChar(UINT ch, UINT, UINT) {
        // Tell the parent first; its handler sends messages of its own.
        GetParent()->SendMessage(kCompleteMessage, ch);
        if (ch >= '0' && ch <= '9')
            Default();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFilterField, CEdit)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_CHAR()
END_MESSAGE_MAP()

class CDropBar : public CScrollBar {
  public:
    std::vector<UINT> codes;
    void VScroll(UINT code, UINT) { codes.push_back(code); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDropBar, CScrollBar)
ON_WM_VSCROLL_REFLECT()
END_MESSAGE_MAP()

class CHost : public CWnd {
  public:
    int plainClicks = 0;
    int exClicks = 0;
    int notifies = 0;
    int exNotifies = 0;
    int vscrolls = 0;
    std::vector<int> changeDepths;
    int depth = 0;
    CEdit* fieldToRewrite = nullptr;
    std::vector<WPARAM> completes;

    void OnPlain() { ++plainClicks; }
    void OnEx() { ++exClicks; }
    void OnNotifierClick(NMHDR*, LRESULT* result) {
        ++notifies;
        *result = 1;
    }
    void OnNotifierReturn(NMHDR*, LRESULT* result) {
        ++exNotifies;
        *result = 3;
    }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
        ++vscrolls;
        CWnd::OnVScroll(code, pos, bar);
    }
    void OnFieldChange() {
        changeDepths.push_back(++depth);
        // A handler that corrects the text raises a further change while it runs.
        if (fieldToRewrite != nullptr && depth == 1) {
            fieldToRewrite->SetSel(0, 1);
            fieldToRewrite->ReplaceSel("X");
        }
        --depth;
    }
    LRESULT OnComplete(WPARAM wParam, LPARAM) {
        completes.push_back(wParam);
        // Messages of its own while the control's handler waits for Default.
        ::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHost, CWnd)
ON_BN_CLICKED(IDC_PLAIN, &CHost::OnPlain)
ON_BN_CLICKED(IDC_EX, &CHost::OnEx)
ON_NOTIFY(NM_TESTCLICK, IDC_NOTIFIER, &CHost::OnNotifierClick)
ON_NOTIFY(NM_TESTRETURN, IDC_NOTIFIER, &CHost::OnNotifierReturn)
ON_WM_VSCROLL()
ON_EN_CHANGE(IDC_FIELD, &CHost::OnFieldChange)
ON_REGISTERED_MESSAGE(kCompleteMessage, &CHost::OnComplete)
END_MESSAGE_MAP()

class Reflection : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(host_.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(20, 20, 420, 320), nullptr, 0));
        Pump();
    }
    void TearDown() override {
        if (::IsWindow(host_.m_hWnd))
            host_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    LRESULT Notify(HWND from, int id, UINT code) {
        NMHDR header{from, static_cast<UINT_PTR>(id), code};
        return host_.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
    }

    CHost host_;
};

TEST_F(Reflection, AControlThatHandlesItsClickKeepsItFromTheParentUnlessItPassesItOn) {
    CPlainReflector plain;
    CPassingReflector passing;
    ASSERT_TRUE(plain.Create("A", WS_CHILD | WS_VISIBLE, CRect(5, 5, 80, 30), &host_, IDC_PLAIN));
    ASSERT_TRUE(passing.Create("B", WS_CHILD | WS_VISIBLE, CRect(5, 40, 80, 65), &host_, IDC_EX));

    plain.Click();
    EXPECT_EQ(plain.clicks, 1);
    EXPECT_EQ(host_.plainClicks, 0);

    passing.Click();
    EXPECT_EQ(passing.clicks, 1);
    EXPECT_EQ(host_.exClicks, 1);
    passing.keep = TRUE;
    passing.Click();
    EXPECT_EQ(passing.clicks, 2);
    EXPECT_EQ(host_.exClicks, 1);
}

TEST_F(Reflection, AReflectedNotificationAnswersForTheParent) {
    CNotifier notifier;
    ASSERT_TRUE(notifier.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(5, 70, 80, 90), &host_,
                                IDC_NOTIFIER));
    EXPECT_EQ(Notify(notifier.m_hWnd, IDC_NOTIFIER, NM_TESTCLICK), 5);
    EXPECT_EQ(notifier.plain, 1);
    EXPECT_EQ(host_.notifies, 0);

    // An _EX handler that lets it pass: the parent's handler runs and its result counts.
    EXPECT_EQ(Notify(notifier.m_hWnd, IDC_NOTIFIER, NM_TESTRETURN), 3);
    EXPECT_EQ(notifier.ex, 1);
    EXPECT_EQ(host_.exNotifies, 1);
    notifier.keepEx = TRUE;
    EXPECT_EQ(Notify(notifier.m_hWnd, IDC_NOTIFIER, NM_TESTRETURN), 9);
    EXPECT_EQ(host_.exNotifies, 1);

    // A window without an object of its own is not reflected to: the parent has it.
    HWND bare = CreateChild(host_.m_hWnd, IDC_NOTIFIER + 100, RECT{0, 0, 10, 10});
    NMHDR header{bare, static_cast<UINT_PTR>(IDC_NOTIFIER), NM_TESTCLICK};
    EXPECT_EQ(host_.SendMessage(WM_NOTIFY, IDC_NOTIFIER, reinterpret_cast<LPARAM>(&header)), 1);
    EXPECT_EQ(host_.notifies, 1);
}

TEST_F(Reflection, AControlColoursItselfOnlyWhenItsHandlerGivesABrush) {
    CFilterField field;
    ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(5, 100, 150, 120), &host_,
                             IDC_FIELD));
    CDC* dc = field.GetDC();
    const auto ask = [&] {
        return reinterpret_cast<HBRUSH>(host_.SendMessage(WM_CTLCOLOREDIT,
                                                          reinterpret_cast<WPARAM>(dc->m_hDC),
                                                          reinterpret_cast<LPARAM>(field.m_hWnd)));
    };
    // No brush from the control: the parent's default answer.
    field.brush = nullptr;
    const HBRUSH fallback = reinterpret_cast<HBRUSH>(
        ::DefWindowProc(host_.m_hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc->m_hDC),
                        reinterpret_cast<LPARAM>(field.m_hWnd)));
    EXPECT_EQ(ask(), fallback);
    EXPECT_EQ(field.ctlColors, 1);
    CBrush own(RGB(10, 200, 10));
    field.brush = static_cast<HBRUSH>(own.m_hObject);
    EXPECT_EQ(ask(), field.brush);
    field.ReleaseDC(dc);

    // The control paints with the brush it chose.
    field.brush = static_cast<HBRUSH>(own.m_hObject);
    field.Invalidate();
    field.UpdateWindow();
    EXPECT_GE(field.ctlColors, 3);

    // Colour requests whose handles are not a DC and a window of this thread do no harm.
    EXPECT_NO_FATAL_FAILURE(
        host_.SendMessage(WM_CTLCOLORSTATIC, 1, reinterpret_cast<LPARAM>(&field)));
    EXPECT_NO_FATAL_FAILURE(host_.SendMessage(WM_CTLCOLORSCROLLBAR, 2, 0));
}

TEST_F(Reflection, AScrollBarHandlesItsOwnScrollingBehindTheParentsHandler) {
    CDropBar bar;
    ASSERT_TRUE(
        bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(300, 5, 316, 200), &host_, IDC_BAR));
    bar.SetScrollRange(0, 20);
    host_.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(bar.m_hWnd));
    EXPECT_EQ(host_.vscrolls, 1);
    ASSERT_EQ(bar.codes.size(), 1u);
    EXPECT_EQ(bar.codes[0], static_cast<UINT>(SB_LINEDOWN));

    // By the mouse: a press on the lower arrow.
    CRect rect;
    bar.GetWindowRect(&rect);
    Click(POINT{rect.CenterPoint().x, rect.bottom - 3});
    EXPECT_GE(bar.codes.size(), 3u);
    EXPECT_EQ(bar.codes[1], static_cast<UINT>(SB_LINEDOWN));
    EXPECT_EQ(bar.codes.back(), static_cast<UINT>(SB_ENDSCROLL));
}

TEST_F(Reflection, ChangesRaisedInsideAChangeHandlerReachTheParentNested) {
    CFilterField field;
    ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(5, 100, 150, 120), &host_,
                             IDC_FIELD));
    field.SetWindowText("12");
    host_.changeDepths.clear();
    host_.fieldToRewrite = &field;
    field.SetWindowText("34");
    EXPECT_EQ(host_.changeDepths, (std::vector<int>{1, 2}));
    CString text;
    field.GetWindowText(text);
    EXPECT_EQ(text, "X4");
}

TEST_F(Reflection, DefaultPassesTheCurrentMessageAfterNestedOnes) {
    CFilterField field;
    ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(5, 100, 150, 120), &host_,
                             IDC_FIELD));
    field.SetFocus();
    Type("1a2");
    CString text;
    field.GetWindowText(text);
    EXPECT_EQ(text, "12");
    EXPECT_EQ(host_.completes, (std::vector<WPARAM>{'1', 'a', '2'}));
}

}  // namespace

namespace {

TEST_F(Reflection, ControlsMadeByCreateKeepTheKeyboardOfTheirClass) {
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                             CRect(5, 130, 150, 250), &host_, IDC_FIELD + 10));
    combo.AddString("Kanal A");
    combo.AddString("Kanal B");
    combo.SetFocus();
    KeyPress(VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 0);
    KeyPress(VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 1);
    KeyPress(VK_F4);
    EXPECT_TRUE(combo.GetDroppedState());
    KeyPress(VK_ESCAPE);
    EXPECT_FALSE(combo.GetDroppedState());
}

}  // namespace
