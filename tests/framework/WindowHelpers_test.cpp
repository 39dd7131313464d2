// CWnd's helpers over the window tree and the framework's text helpers: messages to all
// descendants, the search by id, centring, style changes, and the message-box texts.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kPing = WM_USER + 40;
constexpr UINT kOwnPrompt = 33000;

const kq::StringResource kStrings[] = {
    {kOwnPrompt, "Kanal %1 von %2"},
    {AFX_IDP_PARSE_INT, "Bitte eine ganze Zahl eingeben."},
};
const kq::ResourceBundle kBundle{kStrings, {}, {}, {}, {}};

class CPinged : public CWnd {
  public:
    int pings = 0;
    LRESULT OnPing(WPARAM, LPARAM) {
        ++pings;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPinged, CWnd)
ON_MESSAGE(kPing, &CPinged::OnPing)
END_MESSAGE_MAP()

class WindowHelpers : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        top_ = CreateTopLevel({100, 100, 500, 400});
        a_ = CreateChild(top_, 10, {0, 0, 200, 200});
        b_ = CreateChild(top_, 20, {200, 0, 400, 200});
        a1_ = CreateChild(a_, 20, {0, 0, 50, 50});  // same id as b, one level deeper
    }
    void TearDown() override {
        FrameworkTest::TearDown();
        kq::UninstallResources(kBundle);
    }

    HWND top_ = nullptr;
    HWND a_ = nullptr;
    HWND b_ = nullptr;
    HWND a1_ = nullptr;
};

TEST_F(WindowHelpers, MessagesReachAllDescendantsOrOnlyTheChildren) {
    CWnd* top = CWnd::FromHandle(top_);
    top->SendMessageToDescendants(kPing, 1, 2);
    EXPECT_EQ(Count(a_, kPing), 1);
    EXPECT_EQ(Count(b_, kPing), 1);
    EXPECT_EQ(Count(a1_, kPing), 1);
    EXPECT_EQ(Count(top_, kPing), 0);

    ClearLog();
    top->SendMessageToDescendants(kPing, 0, 0, FALSE);
    EXPECT_EQ(Count(a_, kPing), 1);
    EXPECT_EQ(Count(a1_, kPing), 0);

    // Only windows with a permanent object, through their object.
    CPinged pinged;
    ASSERT_TRUE(pinged.SubclassWindow(a1_));
    ClearLog();
    top->SendMessageToDescendants(kPing, 0, 0, TRUE, TRUE);
    EXPECT_EQ(pinged.pings, 1);
    EXPECT_EQ(Count(a_, kPing), 0);
    EXPECT_EQ(Count(b_, kPing), 0);
    pinged.UnsubclassWindow();
}

TEST_F(WindowHelpers, TheSearchByIdPrefersTheDeepestMatchUnderTheDirectChild) {
    CWnd* top = CWnd::FromHandle(top_);
    CWnd* found = top->GetDescendantWindow(20);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->m_hWnd, b_);  // b is a direct child with that id and has no children
    EXPECT_EQ(top->GetDescendantWindow(10)->m_hWnd, a_);
    EXPECT_EQ(top->GetDescendantWindow(99), nullptr);
    // Only permanent objects: none yet.
    EXPECT_EQ(top->GetDescendantWindow(20, TRUE), nullptr);
    CPinged deep;
    ASSERT_TRUE(deep.SubclassWindow(a1_));
    EXPECT_EQ(top->GetDescendantWindow(20, TRUE), &deep);
    deep.UnsubclassWindow();
}

TEST_F(WindowHelpers, ChildrenCentreInTheirParentAndPopupsStayOnTheScreen) {
    HWND child = CreateChild(top_, 30, {0, 0, 100, 60});
    CWnd* wnd = CWnd::FromHandle(child);
    wnd->CenterWindow();
    CRect parent;
    ::GetClientRect(top_, &parent);
    CRect rect;
    wnd->GetWindowRect(&rect);
    CWnd::FromHandle(top_)->ScreenToClient(&rect);
    EXPECT_EQ(rect.left, (parent.Width() - 100) / 2);
    EXPECT_EQ(rect.top, (parent.Height() - 60) / 2);

    // An owned popup over its owner.
    HWND popup = CreateTopLevel({0, 0, 120, 80}, WS_POPUP | WS_VISIBLE, 0, top_);
    CWnd::FromHandle(popup)->CenterWindow();
    CRect owner;
    ::GetWindowRect(top_, &owner);
    ::GetWindowRect(popup, &rect);
    EXPECT_EQ(rect.CenterPoint(), owner.CenterPoint());

    // An owner near the screen's edge: the popup is pushed back inside the work area.
    ::MoveWindow(top_, -300, -200, 400, 300, TRUE);
    CWnd::FromHandle(popup)->CenterWindow();
    ::GetWindowRect(popup, &rect);
    EXPECT_GE(rect.left, 0);
    EXPECT_GE(rect.top, 0);
}

TEST_F(WindowHelpers, StyleChangesReportWhetherAnythingChanged) {
    CWnd* wnd = CWnd::FromHandle(a_);
    EXPECT_FALSE(wnd->ModifyStyle(0, WS_CHILD));
    EXPECT_TRUE(wnd->ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(wnd->GetStyle() & WS_BORDER);
    ClearLog();
    EXPECT_TRUE(wnd->ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED));
    EXPECT_EQ(Count(a_, WM_NCCALCSIZE), 1);
    EXPECT_TRUE(wnd->ModifyStyleEx(0, WS_EX_CLIENTEDGE));
    EXPECT_TRUE(wnd->GetExStyle() & WS_EX_CLIENTEDGE);
}

TEST_F(WindowHelpers, SettingTheSameTextSendsNothing) {
    ::SetWindowText(a_, "Wert");
    ClearLog();
    AfxSetWindowText(a_, "Wert");
    EXPECT_EQ(Count(a_, WM_SETTEXT), 0);
    AfxSetWindowText(a_, "Werte");
    EXPECT_EQ(Count(a_, WM_SETTEXT), 1);
    EXPECT_EQ(TextOf(a_), "Werte");
}

TEST_F(WindowHelpers, PromptTextsComeFromResourcesWithTheFrameworksAsFallback) {
    CString text;
    AfxFormatString2(text, kOwnPrompt, "3", "8");
    EXPECT_EQ(text, "Kanal 3 von 8");
    AfxFormatString1(text, kOwnPrompt, "3");
    EXPECT_EQ(text, "Kanal 3 von ");  // a missing argument stays empty
    AfxFormatString1(text, AFX_IDP_PARSE_STRING_SIZE, "12");
    EXPECT_EQ(text, "Please enter no more than 12 characters.");

    AfxMessageBox(AFX_IDP_PARSE_INT);  // the application's own text wins
    AfxMessageBox(AFX_IDP_PARSE_REAL);
    AfxMessageBox(54321);
    ASSERT_EQ(boxes_.size(), 3u);
    EXPECT_EQ(boxes_[0].text, "Bitte eine ganze Zahl eingeben.");
    EXPECT_EQ(boxes_[1].text, "Please enter a number.");
    EXPECT_EQ(boxes_[2].text, "Message 54321");
}

TEST_F(WindowHelpers, SubStringsAreCutAtTheSeparator) {
    CString piece;
    EXPECT_TRUE(AfxExtractSubString(piece, "Frame\nDoc\n\nFilter", 1));
    EXPECT_EQ(piece, "Doc");
    EXPECT_TRUE(AfxExtractSubString(piece, "Frame\nDoc\n\nFilter", 2));
    EXPECT_EQ(piece, "");
    EXPECT_TRUE(AfxExtractSubString(piece, "Frame\nDoc\n\nFilter", 3));
    EXPECT_EQ(piece, "Filter");
    EXPECT_FALSE(AfxExtractSubString(piece, "Frame\nDoc", 2));
    EXPECT_EQ(piece, "");
    EXPECT_TRUE(AfxExtractSubString(piece, "a;b;c", 2, ';'));
    EXPECT_EQ(piece, "c");
    EXPECT_FALSE(AfxExtractSubString(piece, nullptr, 0));
}

}  // namespace
