#include "framework/FrameworkTest.h"
#include "platform/framework/commctrl/ListCtrl.h"
#include "platform/framework/commctrl/RichEditCtrl.h"
#include "platform/framework/commctrl/ToolTipCtrl.h"
#include "platform/framework/commctrl/TreeCtrl.h"
#include "platform/gfx/WinGdi.h"

namespace kq::fw::test {
namespace {

// A list that answers its own custom drawing, as owner-painted lists do.
class CPaintingList : public CListCtrl {
  public:
    int stages = 0;
    void OnCustomDraw(NMHDR* hdr, LRESULT* result) {
        ++stages;
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        *result = cd->nmcd.dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintingList, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CPaintingList::OnCustomDraw)
END_MESSAGE_MAP()

class CommCtrlWrappersTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE, 0,
                                     0, 400, 300, nullptr, nullptr));
    }
    void TearDown() override {
        parent_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    CWnd parent_;
};

int CALLBACK ByData(LPARAM a, LPARAM b, LPARAM) {
    return static_cast<int>(a - b);
}

TEST_F(CommCtrlWrappersTest, ListCtrlItemsSelectionAndReflectedCustomDraw) {
    CPaintingList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 300, 200}, &parent_, 5));
    EXPECT_EQ(list.InsertColumn(0, "Port", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1, "State", LVCFMT_CENTER, 100), 1);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, i == 1 ? "COM2" : "COMx");
        list.SetItemText(i, 1, "free");
        list.SetItemData(i, static_cast<DWORD_PTR>(30 - i));
    }
    EXPECT_EQ(list.GetItemText(1, 0), CString("COM2"));
    EXPECT_EQ(list.GetItemData(2), 28u);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{0, 2}));
    EXPECT_TRUE(list.SortItems(&ByData, 0));
    EXPECT_EQ(list.GetItemData(0), 28u);
    CRect cell;
    EXPECT_TRUE(list.GetSubItemRect(0, 1, LVIR_BOUNDS, cell));
    EXPECT_EQ(cell.left, 120);
    LVHITTESTINFO hit{};
    hit.pt = CPoint(cell.left + 1, cell.top + 1);
    EXPECT_EQ(list.SubItemHitTest(&hit), 0);
    EXPECT_EQ(hit.iSubItem, 1);

    // NM_CUSTOMDRAW goes to the parent window object, which hands it back to the list.
    HDC dc = CreateCompatibleDC(nullptr);
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    DeleteDC(dc);
    EXPECT_EQ(list.stages, 1 + 3);
    list.DestroyWindow();
}

TEST_F(CommCtrlWrappersTest, TreeCtrlItemsStatesAndItsToolTip) {
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, {0, 0, 200, 200},
                            &parent_, 6));
    HTREEITEM file = tree.InsertItem("Datei");
    HTREEITEM save = tree.InsertItem("Speichern", file);
    tree.SetItemData(save, 5015);
    tree.SetItem(save, TVIF_STATE, nullptr, 0, 0, TVIS_BOLD, TVIS_BOLD, 0);
    EXPECT_TRUE(tree.GetItemState(save, TVIS_BOLD) & TVIS_BOLD);
    EXPECT_EQ(tree.GetItemData(save), 5015u);
    EXPECT_EQ(tree.GetItemText(save), CString("Speichern"));
    EXPECT_TRUE(tree.ItemHasChildren(file));
    EXPECT_EQ(tree.GetNextVisibleItem(file), nullptr);
    EXPECT_TRUE(tree.Expand(file, TVE_EXPAND));
    EXPECT_EQ(tree.GetNextVisibleItem(file), save);
    CRect rc;
    EXPECT_TRUE(tree.GetItemRect(save, &rc, TRUE));
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(CPoint(rc.left + 2, rc.top + 2), &flags), save);
    EXPECT_TRUE(flags & TVHT_ONITEMLABEL);
    ASSERT_NE(tree.GetToolTips(), nullptr);
    EXPECT_EQ(tree.GetToolTips()->GetToolCount(), 1);
    tree.DestroyWindow();
}

TEST_F(CommCtrlWrappersTest, ToolTipCtrlTools) {
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent_, TTS_ALWAYSTIP));
    EXPECT_TRUE(GetWindowLong(tip.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    CRect area(10, 10, 60, 40);
    EXPECT_TRUE(tip.AddTool(&parent_, "Browse", &area, 12346));
    tip.UpdateTipText("Durchsuchen", &parent_, 12346);
    CString text;
    tip.GetText(text, &parent_, 12346);
    EXPECT_EQ(text, CString("Durchsuchen"));
    EXPECT_EQ(tip.SetMaxTipWidth(400), -1);
    EXPECT_EQ(tip.GetMaxTipWidth(), 400);
    tip.SetDelayTime(TTDT_INITIAL, 50);
    EXPECT_EQ(tip.GetDelayTime(TTDT_INITIAL), 50);
    tip.DelTool(&parent_, 12346);
    EXPECT_EQ(tip.GetToolCount(), 0);
    tip.DestroyWindow();
}

TEST_F(CommCtrlWrappersTest, RichEditCtrlAppendsFormattedText) {
    ASSERT_TRUE(AfxInitRichEdit());
    CRichEditCtrl edit;
    ASSERT_TRUE(
        edit.Create(WS_CHILD | WS_VISIBLE | 0x0004 | 0x0800, {0, 0, 200, 100}, &parent_, 7));
    CHARFORMAT cf{};
    edit.GetDefaultCharFormat(cf);
    cf.dwMask = CFM_COLOR | CFM_BOLD;
    cf.dwEffects = CFE_BOLD;
    cf.crTextColor = RGB(0, 0, 200);
    long start = 0, end = 0;
    edit.GetSel(start, end);
    edit.ReplaceSel("Hinweis\r\n");
    long after = 0;
    edit.GetSel(start, after);
    edit.SetSel(end, after);
    edit.SetSelectionCharFormat(cf);
    EXPECT_EQ(edit.GetSelText(), CString("Hinweis\r\n"));
    edit.SetSel(after, after);
    edit.ReplaceSel("frei");
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 9);
    CString range;
    EXPECT_EQ(edit.GetTextRange(9, 13, range), 4);
    EXPECT_EQ(range, CString("frei"));
    edit.SetSel(0, 3);
    CHARFORMAT got{};
    edit.GetSelectionCharFormat(got);
    EXPECT_EQ(got.crTextColor, RGB(0, 0, 200));
    EXPECT_TRUE(got.dwEffects & CFE_BOLD);
    edit.DestroyWindow();
}

}  // namespace
}  // namespace kq::fw::test
