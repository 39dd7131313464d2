// The navigation tree: its text-to-command table, the hit test, clicks and expansions through
// the callback, status prompts while hovering, and items painted in their own colours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/MyTreeCtrl.h"
#include "framework/FrameworkTest.h"
#include "platform/gfx/HandleTable.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;

struct Call {
    std::string tag, text;
    DWORD_PTR data;
};

class TreeTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(0), "Tree parent",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 350, 350),
                                     nullptr, 0));
        ASSERT_TRUE(tree_.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                                 CRect(10, 10, 260, 250), &parent_, 4711));
        file_ = tree_.InsertItem("Datei");
        tree_.SetItemData(file_, 5014);
        save_ = tree_.InsertItem("Speichern Messwerte", file_);
        tree_.SetItemData(save_, 5015);
        diagram_ = tree_.InsertItem("Speichern Diagramm", file_);
        tree_.SetItemData(diagram_, 5016);
        mode_ = tree_.InsertItem("Betriebsart");
        tree_.SetItemData(mode_, 5019);
        HTREEITEM devices = tree_.InsertItem("Angeschlossene Geräte", mode_);
        tree_.SetItemData(devices, 5021);
        tree_.SetClickCallback(&TreeTest::Record, this);
        Pump();
    }
    void TearDown() override {
        if (::IsWindow(parent_.m_hWnd))
            parent_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    static void Record(void* context, CString tag, CString text, DWORD_PTR data) {
        auto* self = static_cast<TreeTest*>(context);
        self->calls_.push_back({tag.GetString(), text.GetString(), data});
        if (self->expandInCallback_)
            self->tree_.Expand(self->mode_, TVE_EXPAND);
    }
    CPoint ScreenOf(HTREEITEM item, int dx) {
        CRect rc;
        tree_.GetItemRect(item, &rc, TRUE);
        CPoint pt(rc.left + dx, (rc.top + rc.bottom) / 2);
        tree_.ClientToScreen(&pt);
        return pt;
    }

    CWnd parent_;
    CMyTreeCtrl tree_;
    HTREEITEM file_ = nullptr, save_ = nullptr, diagram_ = nullptr, mode_ = nullptr;
    std::vector<Call> calls_;
    bool expandInCallback_ = false;
};

TEST_F(TreeTest, TextIdsMapToMenuCommands) {
    EXPECT_TRUE(tree_.MapTextIdToCommand(5015, false));
    EXPECT_EQ(tree_.GetCurrentCommandId(), CMyTreeCtrl::kNoCommand);  // not stored
    EXPECT_TRUE(tree_.MapTextIdToCommand(5016, true));
    EXPECT_EQ(tree_.GetCurrentCommandId(), 10002);
    for (unsigned id : {5027u, 5501u, 5028u, 0u}) {
        EXPECT_FALSE(tree_.HasCommandForTextId(id)) << id;
        EXPECT_FALSE(tree_.MapTextIdToCommand(id, true));
    }
    EXPECT_EQ(tree_.GetCurrentCommandId(), 10002);  // a miss keeps the current command
    EXPECT_EQ(CMyTreeCtrl::CommandForTextId(5027), -4);
    EXPECT_EQ(CMyTreeCtrl::CommandForTextId(5028), -3);
    EXPECT_EQ(CMyTreeCtrl::CommandForTextId(5431), 10040);
    EXPECT_EQ(CMyTreeCtrl::CommandForTextId(5037), 10000);
}

TEST_F(TreeTest, ClicksAndExpansionsReachTheCallbackOnce) {
    tree_.Expand(file_, TVE_EXPAND);
    Pump();
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].tag, "TXT_ON_TVN_ITEMEXPANDED");
    EXPECT_EQ(calls_[0].text, "Datei");
    EXPECT_EQ(calls_[0].data, 5014u);

    // The image 10 pixels left of the text belongs to the item; 20 pixels does not.
    CRect rc;
    tree_.GetItemRect(save_, &rc, TRUE);
    EXPECT_EQ(tree_.HitTestItem(CPoint(rc.left - 10, rc.top + 2)), save_);
    EXPECT_EQ(tree_.HitTestItem(CPoint(rc.left - 20, rc.top + 2)), nullptr);
    calls_.clear();
    Click(ScreenOf(save_, -10));
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].tag, "Speichern Messwerte");
    EXPECT_EQ(calls_[0].data, 5015u);

    // Switched off by the owner: no call; a callback that expands is not re-entered.
    HTREEITEM help = tree_.InsertItem("Hilfe");
    tree_.InsertItem("Info", help);
    calls_.clear();
    tree_.m_nExpandNotify = 0;
    tree_.Expand(help, TVE_EXPAND);
    EXPECT_TRUE(calls_.empty());
    tree_.Expand(help, TVE_COLLAPSE);
    HTREEITEM language = tree_.InsertItem("Sprache");
    tree_.InsertItem("Deutsch", language);
    tree_.m_nExpandNotify = 1;
    expandInCallback_ = true;  // the callback expands mode_
    tree_.Expand(language, TVE_EXPAND);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].text, "Sprache");
    EXPECT_EQ(tree_.m_nExpandNotify, 1u);
    EXPECT_TRUE(tree_.GetItemState(mode_, TVIS_EXPANDED) & TVIS_EXPANDED);
}

TEST_F(TreeTest, HoverSendsOnePromptPerItemAndOneOnLeaving) {
    CWnd owner;  // a logged test window: the fixture counts its messages
    owner.Attach(CreateTopLevel(RECT{0, 0, 10, 10}, WS_OVERLAPPED));
    tree_.m_pStatusOwner = &owner;
    tree_.Expand(file_, TVE_EXPAND);
    Pump();
    ClearLog();
    MouseMove(ScreenOf(save_, 5));
    MouseMove(ScreenOf(save_, 15));  // same item data: nothing new
    EXPECT_EQ(Count(owner.m_hWnd, WM_SETMESSAGESTRING), 1);
    EXPECT_EQ(tree_.GetCurrentCommandId(), 10001);
    MouseMove(ScreenOf(diagram_, 5));
    EXPECT_EQ(Count(owner.m_hWnd, WM_SETMESSAGESTRING), 2);
    EXPECT_EQ(tree_.GetCurrentCommandId(), 10002);
    CPoint outside(0, 200);
    tree_.ClientToScreen(&outside);
    MouseMove(outside);
    EXPECT_EQ(Count(owner.m_hWnd, WM_SETMESSAGESTRING), 3);
    EXPECT_EQ(tree_.GetCurrentCommandId(), CMyTreeCtrl::kLeftItems);
    MouseMove(CPoint(outside.x + 1, outside.y));
    EXPECT_EQ(Count(owner.m_hWnd, WM_SETMESSAGESTRING), 3);
    tree_.m_pStatusOwner = nullptr;
    ::DestroyWindow(owner.Detach());
}

TEST_F(TreeTest, ColouredBoldAndSelectedItemsInPixels) {
    tree_.Expand(file_, TVE_EXPAND);
    const COLORREF red = RGB(220, 0, 0), yellow = RGB(255, 255, 0);
    tree_.SetItemTextColor(save_, red);
    tree_.SetItemBkColor(save_, yellow);
    tree_.SetItemTextColor(diagram_, red);
    tree_.SetItemBold(diagram_, true);
    EXPECT_TRUE(tree_.IsItemBold(diagram_));
    tree_.SetItemTextColor(mode_, red);
    tree_.SelectItem(mode_);
    tree_.RedrawWindow();
    Pump();
    // Text is smoothed: count pixels near the colour.
    auto near = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) < 60 &&
               std::abs(GetGValue(a) - GetGValue(b)) < 60 &&
               std::abs(GetBValue(a) - GetBValue(b)) < 60;
    };
    auto countIn = [&](HTREEITEM item, COLORREF c) {
        CRect rc;
        tree_.GetItemRect(item, &rc, TRUE);
        tree_.ClientToScreen(&rc);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right + 20; ++x)
                n += near(kq::ui::GetScreenPixel(x, y), c);
        return n;
    };
    EXPECT_GT(countIn(save_, red), 10);
    EXPECT_GT(countIn(save_, yellow), 10);
    EXPECT_EQ(countIn(mode_, red), 0);  // selected: the control's own look
    // Bold text is wider than the same text in the normal weight would be.
    CRect boldRc, plainRc;
    tree_.GetItemRect(diagram_, &boldRc, TRUE);
    tree_.SetItemBold(diagram_, false);
    tree_.GetItemRect(diagram_, &plainRc, TRUE);
    EXPECT_GE(boldRc.Width(), plainRc.Width());

    // Painting makes no lasting GDI objects.
    tree_.RedrawWindow();
    const size_t before = kq::gfx::HandleTable::Instance().LiveCount();
    for (int i = 0; i < 20; ++i)
        tree_.RedrawWindow();
    EXPECT_EQ(kq::gfx::HandleTable::Instance().LiveCount(), before);
}

}  // namespace
