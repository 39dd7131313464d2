// The report list's cell model: defaults, refused cells, the header check box kept in step with
// the rows, column clicks on it, choice lists and the registered message ids.
#include <string>

#include "list_fixture.h"

namespace kq::xlist::test {
namespace {

// Read by a static initialiser of this file, before main.
const UINT kSelectionIdBeforeMain = WM_XLISTCTRL_COMBO_SELECTION;

TEST(ListMessages, IdsAreTheRegisteredNamesAlreadyBeforeMain) {
    EXPECT_NE(kSelectionIdBeforeMain, 0u);
    EXPECT_EQ(kSelectionIdBeforeMain, ::RegisterWindowMessage("WM_XLISTCTRL_COMBO_SELECTION"));
    EXPECT_EQ(WM_XCOMBOLIST_COMPLETE, ::RegisterWindowMessage("WM_XCOMBOLIST_COMPLETE"));
    EXPECT_NE(WM_XLISTCTRL_CHECKBOX_CLICKED, WM_XLISTCTRL_COMBO_SELECTION);
}

TEST(ListMessages, ResourceExceptionIsAFrameworkException) {
    try {
        AfxThrowResourceException();
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CResourceException)));
        char text[64] = {};
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
        EXPECT_NE(std::string(text), "");
        e->Delete();
    }
}

TEST_F(ListTest, FreshRowsInvalidCellsAndDefaultColours) {
    Fill(2);
    EXPECT_EQ(list_.GetColumns(), 4);
    EXPECT_EQ(list_.GetCheckbox(0, 1), -1);
    EXPECT_FALSE(list_.GetModified(1, 3));
    EXPECT_TRUE(list_.GetEnabled(1));
    COLORREF text = 1, back = 1;
    EXPECT_TRUE(list_.GetItemColors(1, 2, text, back));
    EXPECT_EQ(text, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(back, ::GetSysColor(COLOR_WINDOW));

    for (auto [row, column] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 4}}) {
        text = back = 7;
        EXPECT_FALSE(list_.GetItemColors(row, column, text, back));
        EXPECT_EQ(text, 0u);
        EXPECT_EQ(back, 0u);
        EXPECT_EQ(list_.GetCheckbox(row, column), -1);
        EXPECT_EQ(list_.SetCheckbox(row, column, 1), 0);
        EXPECT_FALSE(list_.SetItemText(row, column, "x"));
        EXPECT_FALSE(list_.GetModified(row, column));
    }
    EXPECT_FALSE(list_.GetEnabled(5));
    EXPECT_EQ(list_.GetHeaderCheckedState(4), -1);
    EXPECT_EQ(list_.CountCheckedItems(9), 0);

    // Colours of -1 are the list's defaults; others are kept as given.
    EXPECT_TRUE(list_.SetItemTextColored(0, 1, "red", RGB(200, 0, 0), RGB(0, 0, 90)));
    EXPECT_TRUE(list_.SetItemTextColored(0, 1, nullptr, static_cast<COLORREF>(-1),
                                         static_cast<COLORREF>(-1)));
    list_.GetItemColors(0, 1, text, back);
    EXPECT_EQ(text, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(back, ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(list_.GetItemText(0, 1), "red");

    // A row inserted with colours keeps them in its first cell only.
    const int row = list_.InsertItem(2, "COM9", RGB(1, 2, 3), RGB(4, 5, 6));
    list_.GetItemColors(row, 0, text, back);
    EXPECT_EQ(text, RGB(1, 2, 3));
    EXPECT_EQ(back, RGB(4, 5, 6));
    list_.GetItemColors(row, 1, text, back);
    EXPECT_EQ(back, ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(list_.InsertItem(-1, "no"), -1);
    EXPECT_EQ(list_.GetItemCount(), 3);
}

TEST_F(ListTest, AColumnAddedAfterTheRowsIsRefusedEverywhere) {
    Fill(3, 2);
    list_.InsertColumn(2, "Late", LVCFMT_LEFT, 80);
    list_.SetHeaderCheckedState(2, 1);
    EXPECT_EQ(list_.SetCheckbox(1, 2, 1), 0);
    EXPECT_EQ(list_.GetCheckbox(1, 2), -1);
    EXPECT_FALSE(list_.SetItemText(1, 2, "x"));
    EXPECT_FALSE(list_.SetProgress(1, 2));
    CStringArray choices;
    choices.Add("9600");
    EXPECT_FALSE(list_.SetComboBox(1, 2, TRUE, &choices, 5, 0));
    COLORREF text = 0, back = 0;
    EXPECT_FALSE(list_.GetItemColors(1, 2, text, back));
    list_.UpdateProgress(1, 2, 50);
    list_.SetModified(1, 2, TRUE);
    EXPECT_FALSE(list_.GetModified(1, 2));
    // The click on its header box, a click on its cells and a paint touch no record.
    CRect item;
    list_.m_HeaderCtrl.GetItemRect(2, &item);
    list_.m_HeaderCtrl.ClientToScreen(&item);
    Click(item.CenterPoint());
    EXPECT_EQ(list_.GetHeaderCheckedState(2), 2);
    Click(InCell(1, 2));
    Repaint();
    EXPECT_EQ(list_.m_bListModified, 0);
}

TEST_F(ListTest, TheHeaderBoxFollowsTheRowsOfItsColumnOnly) {
    Fill(3);
    list_.SetHeaderCheckedState(1, 1);
    for (int r = 0; r < 3; ++r) {
        list_.SetCheckbox(r, 1, 0);
        list_.SetCheckbox(r, 2, 0);
    }
    list_.SetCheckbox(0, 1, 1);
    list_.SetCheckbox(1, 1, 1);
    EXPECT_EQ(list_.GetHeaderCheckedState(1), 1);
    EXPECT_EQ(list_.SetCheckbox(2, 1, 1), 1);
    EXPECT_EQ(list_.GetHeaderCheckedState(1), 2);
    EXPECT_EQ(list_.CountCheckedItems(1), 3);
    list_.SetCheckbox(0, 1, 0);
    EXPECT_EQ(list_.GetHeaderCheckedState(1), 1);
    // Column 2 has no header box: all its rows checked leave it at 0.
    for (int r = 0; r < 3; ++r)
        list_.SetCheckbox(r, 2, 1);
    EXPECT_EQ(list_.GetHeaderCheckedState(2), 0);
    EXPECT_EQ(list_.m_bListModified, 0);  // setters are not user changes
}

CPoint HeaderPoint(CXListCtrl& list, int column) {
    CRect item;
    list.m_HeaderCtrl.GetItemRect(column, &item);
    list.m_HeaderCtrl.ClientToScreen(&item);
    return item.CenterPoint();
}

TEST_F(ListTest, HeaderClicksToggleEveryRowThatHasABoxAndADoubleClickTogglesTwice) {
    Fill(3);
    list_.SetCheckbox(0, 1, 0);
    list_.SetCheckbox(1, 1, 1);
    list_.SetHeaderCheckedState(1, 1);
    Click(HeaderPoint(list_, 1));
    EXPECT_EQ(list_.GetHeaderCheckedState(1), 2);
    EXPECT_EQ(list_.GetCheckbox(0, 1), 1);
    EXPECT_EQ(list_.GetCheckbox(1, 1), 1);
    EXPECT_EQ(list_.GetCheckbox(2, 1), -1);  // a row without a box stays without one
    EXPECT_TRUE(list_.GetModified(0, 1));
    EXPECT_FALSE(list_.GetModified(2, 1));
    EXPECT_EQ(list_.m_bListModified, 1);
    EXPECT_TRUE(Log("check").empty());

    Advance(2000);
    Click(HeaderPoint(list_, 1));
    EXPECT_EQ(list_.GetHeaderCheckedState(1), 1);
    EXPECT_EQ(list_.GetCheckbox(0, 1), 0);
    EXPECT_EQ(list_.GetCheckbox(1, 1), 0);

    // A column without a header box ignores clicks.
    Advance(2000);
    list_.SetCheckbox(0, 2, 1);
    Click(HeaderPoint(list_, 2));
    EXPECT_EQ(list_.GetHeaderCheckedState(2), 0);
    EXPECT_EQ(list_.GetCheckbox(0, 2), 1);

    // Two quick clicks are a double click, taken as a second click.
    Advance(2000);
    Click(HeaderPoint(list_, 1));
    Click(HeaderPoint(list_, 1));
    EXPECT_EQ(list_.GetHeaderCheckedState(1), 1);
    EXPECT_EQ(list_.GetCheckbox(0, 1), 0);
}

TEST_F(ListTest, ChoiceListsColumnWidthsAndSubItemRectangles) {
    Fill(3);
    CStringArray choices;
    choices.Add("9600");
    choices.Add("115200");
    EXPECT_TRUE(list_.SetComboBox(0, 2, TRUE, &choices, 5, -5));
    EXPECT_EQ(list_.GetItemText(0, 2), "9600");
    EXPECT_TRUE(list_.SetComboBox(1, 2, TRUE, &choices, 5, 2));
    EXPECT_EQ(list_.GetItemText(1, 2), "9600");
    EXPECT_FALSE(list_.SetComboBox(1, 2, TRUE, nullptr, 5, 0));

    // Sorting keeps the meant choice; an already sorted array is unchanged.
    CStringArray unsorted;
    for (const char* s : {"beta", "Alpha", "gamma"})
        unsorted.Add(s);
    EXPECT_TRUE(list_.SetComboBox(2, 2, TRUE, &unsorted, 5, 0, TRUE));
    EXPECT_EQ(list_.GetItemText(2, 2), "beta");
    EXPECT_EQ(unsorted[0], "Alpha");
    EXPECT_EQ(unsorted[2], "gamma");
    EXPECT_TRUE(list_.SetComboBox(2, 2, TRUE, &unsorted, 5, 2, TRUE));
    EXPECT_EQ(list_.GetItemText(2, 2), "gamma");

    CStringArray empty;
    EXPECT_TRUE(list_.SetComboBox(2, 3, TRUE, &empty, 5, 0));
    EXPECT_EQ(list_.GetItemText(2, 3), "");

    list_.SetColumnWidth(1, 50);
    EXPECT_EQ(list_.GetColumnWidth(1), 62);
    const CRect first = CellRect(1, 0);
    const CRect second = CellRect(1, 1);
    EXPECT_EQ(first.right, second.left);
    EXPECT_EQ(first.left, 0);
    EXPECT_EQ(list_.GetCurSel(), -1);
    EXPECT_TRUE(list_.SetCurSel(2, TRUE));
    EXPECT_EQ(list_.GetCurSel(), 2);
}

}  // namespace
}  // namespace kq::xlist::test
