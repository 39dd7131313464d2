// A report list of the framework with its own header object over the list's header window, as
// owner-painted lists with header check boxes build it: attaching the header on creation and on
// subclassing, the header painting itself, double clicks taken as clicks, owner-drawn header
// items, and which notifications the list keeps and which reach its parent.
#include <vector>

#include "framework/FrameworkTest.h"
#include "platform/framework/commctrl/HeaderCtrl.h"
#include "platform/framework/commctrl/ListCtrl.h"
#include "platform/framework/commctrl/ProgressCtrl.h"
#include "platform/gfx/WinGdi.h"
#include "platform/gfx/WindowDC.h"

namespace kq::fw::test {
namespace {

// Paints every item itself in display order and answers a double click as a second click.
class CBoxHeader : public CHeaderCtrl {
  public:
    int paints = 0;
    std::vector<CString> painted;  // item texts in the order painted
    std::vector<int> images;
    std::vector<UINT> ownerDrawn;  // item ids handed to DrawItem
    HIMAGELIST imageListSeen = nullptr;

    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        EXPECT_EQ(dis->CtlType, static_cast<UINT>(ODT_HEADER));
        EXPECT_EQ(dis->hwndItem, m_hWnd);
        EXPECT_NE(dis->hDC, nullptr);
        ownerDrawn.push_back(dis->itemID);
    }
    void OnPaint() {
        CPaintDC dc(this);
        ++paints;
        painted.clear();
        images.clear();
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        for (int order = 0; order < GetItemCount(); ++order) {
            const int index = OrderToIndex(order);
            char text[80] = {};
            HDITEM hd{};
            hd.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
            hd.pszText = text;
            hd.cchTextMax = sizeof text;
            GetItem(index, &hd);
            CRect rc;
            GetItemRect(index, &rc);
            if (hd.fmt & HDF_OWNERDRAW) {
                DRAWITEMSTRUCT dis{};
                dis.CtlType = ODT_HEADER;
                dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
                dis.itemID = static_cast<UINT>(index);
                dis.itemAction = ODA_DRAWENTIRE;
                dis.hwndItem = m_hWnd;
                dis.hDC = dc.GetSafeHdc();
                dis.rcItem = rc;
                DrawItem(&dis);
                continue;
            }
            painted.push_back(text);
            images.push_back(hd.iImage);
        }
    }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnLButtonDblClk(UINT flags, CPoint point) {
        SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
    }
    LRESULT OnSetImageList(WPARAM, LPARAM lParam) {
        imageListSeen = reinterpret_cast<HIMAGELIST>(lParam);
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBoxHeader, CHeaderCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDBLCLK()
ON_MESSAGE(HDM_SETIMAGELIST, &CBoxHeader::OnSetImageList)
END_MESSAGE_MAP()

// Takes over its header when it is created or subclassed, paints its cells on custom draw and
// keeps column clicks for itself before its parent sees them.
class CCellList : public CListCtrl {
  public:
    CBoxHeader header;
    bool attached = false;
    std::vector<DWORD> stages;
    std::vector<int> columnClicks;
    int clicks = 0;

    void Attach() {
        if (attached)
            return;
        if (CHeaderCtrl* own = GetHeaderCtrl())
            attached = header.SubclassWindow(own->GetSafeHwnd()) != FALSE;
    }
    void PreSubclassWindow() override {
        CListCtrl::PreSubclassWindow();
        Attach();
    }
    int OnCreate(LPCREATESTRUCT cs) {
        if (CListCtrl::OnCreate(cs) == -1)
            return -1;
        Attach();
        return 0;
    }
    void OnCustomDraw(NMHDR* hdr, LRESULT* result) {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        stages.push_back(cd->nmcd.dwDrawStage);
        *result = cd->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)
                      ? CDRF_SKIPDEFAULT
                      : CDRF_NOTIFYSUBITEMDRAW;
    }
    BOOL OnColumnClick(NMHDR* hdr, LRESULT* result) {
        columnClicks.push_back(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
        *result = 0;
        return FALSE;  // the parent's handler runs too
    }
    BOOL OnClick(NMHDR*, LRESULT* result) {
        ++clicks;
        *result = 0;
        return FALSE;
    }
    void OnDestroy() {
        attached = false;
        CListCtrl::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCellList, CListCtrl)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CCellList::OnCustomDraw)
ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, &CCellList::OnColumnClick)
ON_NOTIFY_REFLECT_EX(NM_CLICK, &CCellList::OnClick)
END_MESSAGE_MAP()

// The page that holds the list: what of the list's notifications arrives here, and in which
// order with the list's own handlers.
class CPageWnd : public CWnd {
  public:
    std::vector<CString> log;
    CCellList* list = nullptr;

    void OnColumnClick(NMHDR* hdr, LRESULT* result) {
        const int listSaw = list ? static_cast<int>(list->columnClicks.size()) : 0;
        CString line;
        line.Format("column %d after %d", reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem, listSaw);
        log.push_back(line);
        *result = 0;
    }
    void OnClick(NMHDR*, LRESULT* result) {
        log.push_back("click");
        *result = 0;
    }
    void OnCustomDraw(NMHDR*, LRESULT* result) {
        log.push_back("customdraw");
        *result = 0;
    }
    void OnBeginTrack(NMHDR* hdr, LRESULT* result) {
        CString line;
        line.Format("track %d", reinterpret_cast<NMHEADER*>(hdr)->iItem);
        log.push_back(line);
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPageWnd, CWnd)
ON_NOTIFY(LVN_COLUMNCLICK, 1076, &CPageWnd::OnColumnClick)
ON_NOTIFY(NM_CLICK, 1076, &CPageWnd::OnClick)
ON_NOTIFY(NM_CUSTOMDRAW, 1076, &CPageWnd::OnCustomDraw)
ON_NOTIFY(HDN_BEGINTRACK, 0, &CPageWnd::OnBeginTrack)
END_MESSAGE_MAP()

class CommCtrlContractTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(page_.CreateEx(0, AfxRegisterWndClass(0), "page", WS_POPUP | WS_VISIBLE, 0, 0,
                                   500, 300, nullptr, nullptr));
    }
    void TearDown() override {
        page_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    void Fill(CCellList& list) {
        list.InsertColumn(0, "Interface", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Enabling", LVCFMT_CENTER, 80);
        list.InsertColumn(2, "State", LVCFMT_CENTER, 100);
        for (int i = 0; i < 3; ++i)
            list.InsertItem(i, "COM1");
    }
    CPoint OnHeader(CCellList& list, int x) {
        CRect rc;
        list.header.GetItemRect(0, &rc);
        CPoint pt(x, rc.Height() / 2);
        list.header.ClientToScreen(&pt);
        return pt;
    }
    CPageWnd page_;
};

TEST_F(CommCtrlContractTest, HeaderIsTakenOverOnCreationAndOnSubclassing) {
    CCellList created;
    ASSERT_TRUE(
        created.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200), &page_, 1076));
    EXPECT_TRUE(created.attached);
    EXPECT_EQ(created.GetHeaderCtrl(), &created.header);
    EXPECT_EQ(CWnd::FromHandlePermanent(created.header.GetSafeHwnd()), &created.header);
    created.DestroyWindow();
    EXPECT_EQ(created.header.GetSafeHwnd(), nullptr);

    // A list made by a dialog template and subclassed afterwards.
    HWND raw =
        CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 400, 200,
                       page_.GetSafeHwnd(), reinterpret_cast<HMENU>(1076), nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    CCellList subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(raw));
    EXPECT_TRUE(subclassed.attached);
    EXPECT_EQ(subclassed.GetHeaderCtrl(), &subclassed.header);
    subclassed.DestroyWindow();
}

TEST_F(CommCtrlContractTest, OwnHeaderPaintsItsItemsAndTakesDoubleClicksAsClicks) {
    CCellList list;
    page_.list = &list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200), &page_, 1076));
    Fill(list);
    CImageList boxes;
    ASSERT_TRUE(boxes.Create(13, 13, ILC_COLOR24 | ILC_MASK, 3, 0));
    EXPECT_EQ(list.header.SetImageList(&boxes), nullptr);
    EXPECT_EQ(list.header.imageListSeen, boxes.GetSafeHandle());
    EXPECT_EQ(list.header.GetImageList(), boxes.GetSafeHandle());
    HDITEM hd{};
    hd.mask = HDI_IMAGE;
    hd.iImage = 1;
    EXPECT_TRUE(list.header.SetItem(1, &hd));

    list.header.Invalidate();
    list.header.UpdateWindow();
    EXPECT_GE(list.header.paints, 1);
    EXPECT_EQ(list.header.painted, (std::vector<CString>{"Interface", "Enabling", "State"}));
    EXPECT_EQ(list.header.images, (std::vector<int>{0, 1, 0}));

    // A double click on the check-box column gives two column clicks; each reaches the list
    // first and its page afterwards.
    const CPoint enabling = OnHeader(list, 150);
    Click(enabling);
    Click(enabling);
    EXPECT_EQ(list.columnClicks, (std::vector<int>{1, 1}));
    EXPECT_EQ(page_.log, (std::vector<CString>{"column 1 after 1", "column 1 after 2"}));

    // Dragging a divider: the page hears of it from the header, through the list.
    page_.log.clear();
    Advance(1000);
    MouseDown(OnHeader(list, 120));
    MouseMove(OnHeader(list, 140));
    MouseUp(OnHeader(list, 140));
    EXPECT_EQ(page_.log, (std::vector<CString>{"track 0"}));
    EXPECT_EQ(list.GetColumnWidth(0), 140);
    page_.list = nullptr;
    list.DestroyWindow();
}

TEST_F(CommCtrlContractTest, OwnerDrawnHeaderItemReachesDrawItemThroughTheList) {
    CCellList list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200), &page_, 1076));
    Fill(list);
    HDITEM hd{};
    hd.mask = HDI_FORMAT;
    hd.fmt = HDF_OWNERDRAW;
    ASSERT_TRUE(list.header.SetItem(2, &hd));
    // The header's own painting sends WM_DRAWITEM to the list, which hands it back.
    list.header.UnsubclassWindow();
    class CPlainHeader : public CHeaderCtrl {
      public:
        std::vector<UINT> drawn;
        void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(dis->itemID); }
    } header;
    ASSERT_TRUE(header.SubclassWindow(list.GetHeaderCtrl()->GetSafeHwnd()));
    header.Invalidate();
    header.UpdateWindow();
    EXPECT_EQ(header.drawn, (std::vector<UINT>{2}));
    header.UnsubclassWindow();
    list.DestroyWindow();
}

TEST_F(CommCtrlContractTest, ListKeepsCustomDrawAndSharesClicksWithItsPage) {
    CCellList list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200), &page_, 1076));
    Fill(list);
    list.Invalidate();
    list.UpdateWindow();
    // Pre-paint, then per row the item and its three cells.
    ASSERT_EQ(list.stages.size(), 1u + 3 * 4);
    EXPECT_EQ(list.stages[0], static_cast<DWORD>(CDDS_PREPAINT));
    EXPECT_EQ(list.stages[1], static_cast<DWORD>(CDDS_ITEMPREPAINT));
    EXPECT_EQ(list.stages[2], static_cast<DWORD>(CDDS_ITEMPREPAINT | CDDS_SUBITEM));

    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(1, 2, LVIR_BOUNDS, cell));
    CPoint pt = cell.CenterPoint();
    list.ClientToScreen(&pt);
    Click(pt);
    EXPECT_EQ(list.clicks, 1);
    EXPECT_EQ(page_.log, (std::vector<CString>{"click"}));
    list.DestroyWindow();
}

TEST_F(CommCtrlContractTest, ProgressBarTakesTheRangesOfTheSearchAndTheCalibration) {
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 250, 246, 264), &page_, 1259));
    bar.SetRange(0, 960);
    int lower = -1, upper = -1;
    bar.GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 960);
    EXPECT_EQ(bar.SetPos(9), 0);
    EXPECT_EQ(bar.GetPos(), 9);
    bar.SetRange(0, 100);
    EXPECT_EQ(bar.SetPos(150), 9);
    EXPECT_EQ(bar.GetPos(), 100);
    bar.DestroyWindow();
}

}  // namespace
}  // namespace kq::fw::test
