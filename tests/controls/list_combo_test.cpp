// Clicks on the list's cells and the life of the in-cell combo: opening over the cell and staying
// open, choices by mouse and keys, cancel, the focus-loss rule, one combo at a time, and no
// combo outliving its rows or list or being finished twice.
#include "list_fixture.h"

namespace kq::xlist::test {
namespace {

class ListComboTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        choices_.Add("9600");
        choices_.Add("115200");
        Fill(4);
        for (int r = 0; r < 4; ++r) {
            list_.SetCheckbox(r, 1, r == 1 ? 0 : 1);
            list_.SetComboBox(r, 2, TRUE, &choices_, 10, 0);
        }
        list_.SetHeaderCheckedState(1, 1);
        list_.m_bListModified = 0;
    }
    CXCombo* Open(int row) {
        Click(InCell(row, 2));
        return list_.GetOpenCombo();
    }
    CStringArray choices_;
};

TEST_F(ListComboTest, ACheckBoxClickUpdatesEverythingBeforeTellingThePage) {
    int stateSeen = -9;
    page_.onCheck = [&](int row, int column) { stateSeen = list_.GetCheckbox(row, column); };
    Click(InCell(1, 1, 12));
    EXPECT_EQ(Log("check"), std::vector<std::string>{"check 1 1"});
    EXPECT_EQ(stateSeen, 1);
    EXPECT_EQ(list_.GetCheckbox(1, 1), 1);
    EXPECT_TRUE(list_.GetModified(1, 1));
    EXPECT_EQ(list_.m_bListModified, 1);
    EXPECT_EQ(list_.GetHeaderCheckedState(1), 2);
    EXPECT_EQ(list_.GetCurSel(), 1);

    Advance(1000);
    Click(InCell(3, 1, 12));
    EXPECT_EQ(list_.GetCheckbox(3, 1), 0);
    EXPECT_EQ(list_.GetHeaderCheckedState(1), 1);
    EXPECT_EQ(Log("check").size(), 2u);
}

TEST_F(ListComboTest, RowsWithoutRecordsAndNarrowComboCellsTakeNoClick) {
    static_cast<CListCtrl&>(list_).InsertItem(4, "raw");
    list_.SetCurSel(0);
    Click(InCell(4, 1, 12));
    Click(InCell(4, 2));
    EXPECT_EQ(list_.GetCurSel(), 0);
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    EXPECT_TRUE(page_.log.empty());

    static_cast<CListCtrl&>(list_).SetColumnWidth(2, 4);
    Advance(1000);
    Click(InCell(1, 2));
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    EXPECT_EQ(list_.GetCurSel(), 1);
}

TEST_F(ListComboTest, AComboCellWithoutChoicesOpensAndClosesQuietly) {
    CStringArray none;
    ASSERT_TRUE(list_.SetComboBox(2, 3, TRUE, &none, 10, 0));
    Click(InCell(2, 3));
    CXCombo* combo = list_.GetOpenCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 0);
    for (UINT vk : {VK_DOWN, VK_NEXT, VK_F4, VK_DOWN, VK_RETURN, VK_RETURN})
        KeyPress(vk);
    Advance(200);
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    EXPECT_EQ(list_.GetItemText(2, 3), "");
    EXPECT_TRUE(Log("combo").empty());
}

TEST_F(ListComboTest, AnOpenedComboStaysOverItsCellWithTheFocus) {
    CXCombo* combo = Open(1);
    ASSERT_NE(combo, nullptr);
    Advance(200);
    ASSERT_EQ(list_.GetOpenCombo(), combo);
    EXPECT_EQ(CWnd::GetFocus(), combo);
    EXPECT_TRUE(combo->IsWindowVisible());
    CRect cell = CellRect(1, 2);
    list_.ClientToScreen(&cell);
    CRect rect;
    combo->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(cell.left + 1, cell.top - 1, cell.right, cell.bottom));
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_TRUE(page_.log.empty());
}

TEST_F(ListComboTest, AChoiceWithTheMouseFromTheDropDownCommitsOnce) {
    CXCombo* combo = Open(0);
    ASSERT_NE(combo, nullptr);
    CRect rect;
    combo->GetWindowRect(&rect);
    Click(rect.CenterPoint());
    ASSERT_TRUE(combo->GetDroppedState());
    CDropListBox* drop = combo->GetDropWnd()->GetListBox();
    CRect item;
    drop->GetItemRect(1, &item);
    drop->ClientToScreen(&item);
    MouseMove(item.CenterPoint());
    MouseMove(CPoint(item.CenterPoint().x + 1, item.CenterPoint().y));
    Advance(200);
    ASSERT_EQ(list_.GetOpenCombo(), combo);  // hovering its own list is no focus loss
    EXPECT_EQ(drop->GetCurSel(), 1);
    Click(CPoint(item.CenterPoint().x + 1, item.CenterPoint().y));
    Advance(200);
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    EXPECT_EQ(list_.GetItemText(0, 2), "115200");
    EXPECT_TRUE(list_.GetModified(0, 2));
    EXPECT_EQ(list_.m_bListModified, 1);
    EXPECT_EQ(Log("combo"), std::vector<std::string>{"combo 0 2"});
}

TEST_F(ListComboTest, KeysChooseCommitAndCancel) {
    // A text not among the choices opens on the first; Enter commits it unchanged.
    list_.SetItemText(2, 2, "57600");
    ASSERT_NE(Open(2), nullptr);
    EXPECT_EQ(list_.GetOpenCombo()->GetCurSel(), 0);
    KeyPress(VK_RETURN);
    Advance(200);
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    EXPECT_EQ(list_.GetItemText(2, 2), "9600");
    EXPECT_FALSE(list_.GetModified(2, 2));
    EXPECT_EQ(Log("combo"), std::vector<std::string>{"combo 2 2"});

    // Escape cancels a changed choice.
    Advance(1000);
    ASSERT_NE(Open(3), nullptr);
    KeyPress(VK_DOWN);
    EXPECT_EQ(list_.GetOpenCombo()->GetCurSel(), 1);
    KeyPress(VK_ESCAPE);
    Advance(200);
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    EXPECT_EQ(list_.GetItemText(3, 2), "9600");
    EXPECT_EQ(Log("combo").size(), 1u);

    // F4 drops down, Down moves the list's highlight, Enter chooses and commits.
    Advance(1000);
    CXCombo* combo = Open(3);
    ASSERT_NE(combo, nullptr);
    KeyPress(VK_F4);
    ASSERT_TRUE(combo->GetDroppedState());
    KeyPress(VK_DOWN);
    KeyPress(VK_RETURN);
    Advance(200);
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    EXPECT_EQ(list_.GetItemText(3, 2), "115200");
    EXPECT_EQ(Log("combo").back(), "combo 3 2");
}

TEST_F(ListComboTest, LosingTheFocusCommitsOnlyAChangedChoice) {
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP | WS_VISIBLE, 400, 350,
                               50, 30, nullptr, nullptr));
    ASSERT_NE(Open(0), nullptr);
    other.SetFocus();
    Advance(200);
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    EXPECT_TRUE(Log("combo").empty());

    Advance(1000);
    ASSERT_NE(Open(0), nullptr);
    KeyPress(VK_DOWN);
    other.SetFocus();
    Advance(200);
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    EXPECT_EQ(list_.GetItemText(0, 2), "115200");
    EXPECT_EQ(Log("combo"), std::vector<std::string>{"combo 0 2"});
    other.DestroyWindow();
}

TEST_F(ListComboTest, ASecondComboCellEndsTheFirstComboAtOnce) {
    ASSERT_NE(Open(0), nullptr);
    KeyPress(VK_DOWN);
    CXCombo* second = Open(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Log("combo"), std::vector<std::string>{"combo 0 2"});
    EXPECT_EQ(list_.GetItemText(0, 2), "115200");
    Advance(200);
    EXPECT_EQ(list_.GetOpenCombo(), second);
    EXPECT_EQ(list_.GetItemText(1, 2), "9600");
    EXPECT_EQ(Log("combo").size(), 1u);
    int combos = 0;
    for (CWnd* w = CWnd::GetDesktopWindow()->GetWindow(GW_CHILD); w != nullptr;
         w = w->GetWindow(GW_HWNDNEXT))
        combos += w->IsKindOf(RUNTIME_CLASS(CXCombo)) ? 1 : 0;
    EXPECT_LE(combos, 1);
}

TEST_F(ListComboTest, RemovingTheRowsOrTheListWithAComboOpenEndsItSilently) {
    ASSERT_NE(Open(0), nullptr);
    KeyPress(VK_DOWN);
    list_.DeleteAllItems();
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    Advance(300);
    EXPECT_TRUE(page_.log.empty());
    EXPECT_TRUE(list_.LockWindowUpdate());  // the list gave its lock back
    list_.UnlockWindowUpdate();

    list_.InsertItem(0, "COM1");
    list_.SetComboBox(0, 2, TRUE, &choices_, 10, 0);
    Advance(1000);  // not a double click
    ASSERT_NE(Open(0), nullptr);
    KeyPress(VK_DOWN);
    list_.DestroyWindow();
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
    Advance(300);
    EXPECT_TRUE(page_.log.empty());
}

TEST_F(ListComboTest, APageThatAnswersWithAModalBoxHearsOfTheChoiceOnce) {
    page_.onCombo = [&](int, int) {
        // A modal box takes the focus and runs the loop while the page decides.
        page_.SetFocus();
        Advance(300);
    };
    ASSERT_NE(Open(0), nullptr);
    KeyPress(VK_DOWN);
    KeyPress(VK_RETURN);
    Advance(300);
    EXPECT_EQ(Log("combo"), std::vector<std::string>{"combo 0 2"});
    EXPECT_EQ(list_.GetOpenCombo(), nullptr);
}

}  // namespace
}  // namespace kq::xlist::test
