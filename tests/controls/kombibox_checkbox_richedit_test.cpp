// The thin wrappers: the check box that sets only real changes, the counting combo box with
// its lookup by item data, and the rich edit that appends formatted text.
#include <gtest/gtest.h>

#include "controls/CheckBox.h"
#include "controls/KombiBox.h"
#include "controls/RichEditCtrlExtended.h"
#include "framework/FrameworkTest.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"

namespace {

using kq::fw::test::FrameworkTest;

class CountingCheckBox : public CCheckBox {
  public:
    int sets = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        sets += message == BM_SETCHECK;
        return CCheckBox::WindowProc(message, wParam, lParam);
    }
};

class FailingCombo : public CKombiBox {
  public:
    bool fail = false;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (fail && message == CB_ADDSTRING)
            return CB_ERR;
        return CKombiBox::WindowProc(message, wParam, lParam);
    }
};

class WrapperTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(0), "Page",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 320),
                                     nullptr, 0));
    }
    void TearDown() override {
        parent_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    CWnd parent_;
};

TEST_F(WrapperTest, CheckBoxSetsOnlyRealChanges) {
    CountingCheckBox box;
    ASSERT_TRUE(box.Create("P1", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(5, 5, 100, 25),
                           &parent_, 10));
    EXPECT_FALSE(box.SetChecked(false));
    EXPECT_EQ(box.sets, 0);
    EXPECT_TRUE(box.SetChecked(true));
    EXPECT_TRUE(box.SetChecked(true));
    EXPECT_EQ(box.sets, 1);
    EXPECT_TRUE(box.IsChecked());
    // Indeterminate: left alone, and the answer says so.
    box.SetCheck(BST_INDETERMINATE);
    box.sets = 0;
    EXPECT_FALSE(box.SetChecked(true));
    EXPECT_FALSE(box.SetChecked(false));
    EXPECT_EQ(box.sets, 0);
    EXPECT_EQ(box.GetCheck(), static_cast<int>(BST_INDETERMINATE));
    EXPECT_FALSE(box.SetEnabled(false));
    EXPECT_FALSE(box.IsWindowEnabled());
    EXPECT_FALSE(box.SetVisible(false));
    EXPECT_FALSE(box.IsWindowVisible());
}

TEST_F(WrapperTest, ComboCountsItsItemsAndFindsThemByData) {
    FailingCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(5, 40, 200, 200),
                             &parent_, 11));
    combo.AddItem("COM1", 1);
    combo.AddItem("COM2", 2);
    combo.AddItem("all", 0xFFFFFFFF);
    combo.AddItem("COM2 again", 2);
    EXPECT_EQ(combo.m_nItemCount, 4u);
    EXPECT_EQ(combo.FindItemByData(1), 0);
    EXPECT_EQ(combo.FindItemByData(0xFFFFFFFF), 2);  // a real value, not a read error
    EXPECT_EQ(combo.FindItemByData(2), -1);          // two items carry it
    EXPECT_EQ(combo.FindItemByData(9), -1);
    // Items added around the counter are not looked at.
    combo.AddString("COM9");
    combo.SetItemData(4, 9);
    EXPECT_EQ(combo.FindItemByData(9), -1);
    // A failing add counts nothing and sets no data.
    combo.fail = true;
    EXPECT_EQ(combo.AddItem("lost", 5), static_cast<int>(CB_ERR));
    EXPECT_EQ(combo.m_nItemCount, 4u);
    EXPECT_EQ(combo.GetCount(), 5);
    combo.fail = false;
    combo.ResetItems();
    EXPECT_EQ(combo.m_nItemCount, 0u);
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.FindItemByData(1), -1);
}

TEST_F(WrapperTest, RichTextRunsKeepTheirColourAndWeight) {
    AfxInitRichEdit2();
    CRichEditCtrlExtended rich;
    ASSERT_TRUE(
        rich.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(5, 80, 380, 280), &parent_, 12));
    EXPECT_NE(rich.m_Font.GetSafeHandle(), nullptr);
    rich.AddText("Lizenz ", true, false);
    rich.AddFormattedText("rot", RGB(200, 0, 0), false, false);
    // With a selection present, the text replaces it and is formatted from its start.
    rich.SetSel(0, 3);
    rich.AddFormattedText("XY", RGB(0, 0, 200), true, true);
    CString all;
    rich.GetWindowText(all);
    EXPECT_EQ(all, "XYenz rot");
    auto format = [&](long from, long to) {
        rich.SetSel(from, to);
        CHARFORMAT cf{};
        cf.cbSize = sizeof(cf);
        rich.GetSelectionCharFormat(cf);
        return cf;
    };
    CHARFORMAT xy = format(0, 2), bold = format(2, 5), red = format(6, 9);
    EXPECT_EQ(xy.crTextColor, RGB(0, 0, 200));
    EXPECT_TRUE(xy.dwEffects & CFE_BOLD);
    EXPECT_EQ(bold.crTextColor, RGB(0, 0, 0));
    EXPECT_TRUE(bold.dwEffects & CFE_BOLD);
    EXPECT_EQ(red.crTextColor, RGB(200, 0, 0));
    EXPECT_FALSE(red.dwEffects & CFE_BOLD);

    // An empty text changes nothing, not even the selection.
    rich.SetSel(1, 2);
    rich.AddFormattedText("", RGB(1, 2, 3), true, false);
    long s = 0, e = 0;
    rich.GetSel(s, e);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(e, 2);
    rich.SetSel(-1, -1);
    rich.AddNewLines(3);
    EXPECT_EQ(rich.GetLineCount(true), 3);
    EXPECT_EQ(rich.GetLineCount(false), 0);
    rich.AddNewLines(1);
    rich.ResetLineCount();
    EXPECT_EQ(rich.GetLineCount(false), 0);
}

}  // namespace
