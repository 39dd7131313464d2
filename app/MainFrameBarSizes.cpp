// The bars of the measure-and-diagram page: the channel bars docked at the frame's side stand
// in as many columns as keep them clear of the page's controls, and the docked diagram takes the
// height the page's controls and the columns leave; the channel bars stand equally high per
// docked column (targets computed from the bars' window rectangles, set through each bar's size
// of its docking kind, the layout redone and the heights read back, at most ten passes and one
// final application).
#include <algorithm>
#include <cstdlib>

#include "app/Kq7View.h"
#include "app/MainFrame.h"
#include "app/bars/EqualHeights.h"
#include "platform/framework/DockBar.h"
#include "res/resource.h"
#include "sensor/ChanState.h"

namespace {

constexpr int kChannelBars = 7;
constexpr int kPasses = 10;
constexpr int kDockedHorizontally = 1;
constexpr int kDockedVertically = 2;
// Beside and below the page's controls (the buttons' row, the sensor's picture), and between the
// channel bars of a column and around it.
constexpr int kPageMargin = 8;
constexpr int kColumnGap = 2;
constexpr int kColumnMargin = 16;

// The channel bars of one dock bar made into rows (columns at the side) of `perColumn` bars in
// channel order; the dock bar's other entries keep their rows before them. A bar not shown
// stays beside the one before it, so that showing it later finds it in its column.
void RegroupColumns(CDockBar& dock, const std::vector<CControlBar*>& bars,
                    const std::vector<bool>& shown, int perColumn) {
    CPtrArray& entries = dock.m_arrBars;
    CPtrArray kept;
    kept.Add(nullptr);
    for (int i = 0; i < entries.GetSize(); ++i) {
        void* entry = entries[i];
        if (entry != nullptr && std::find(bars.begin(), bars.end(), entry) != bars.end())
            continue;
        // One row end for each row that keeps an entry.
        if (entry != nullptr || kept[kept.GetSize() - 1] != nullptr)
            kept.Add(entry);
    }
    int inColumn = 0;
    for (size_t i = 0; i < bars.size(); ++i) {
        if (shown[i] && inColumn == perColumn) {
            kept.Add(nullptr);
            inColumn = 0;
        }
        kept.Add(bars[i]);
        if (shown[i])
            ++inColumn;
    }
    if (kept[kept.GetSize() - 1] != nullptr)
        kept.Add(nullptr);
    entries.RemoveAll();
    for (int i = 0; i < kept.GetSize(); ++i)
        entries.Add(kept[i]);
}

}  // namespace

void CMainFrame::FitDiagramToMeasurePage() {
    CViewBarDiagram& bar = m_wndDiagramBar;
    CKq7View* view = GetView();
    CWnd* page = GetPageWindow(PAGE_MEASURE_DIAGRAM);
    if (m_nActivePage != PAGE_MEASURE_DIAGRAM || view == nullptr || page == nullptr ||
        bar.GetSafeHwnd() == nullptr || !bar.IsWindowVisible() ||
        bar.GetDockingKind() != kDockedHorizontally)
        return;
    // A height the operator dragged stays; the bar's own default and the height fitted here
    // are fitted again.
    const CSize now = bar.GetSize(kDockedHorizontally);
    if (now.cy != bar.m_szMinHorz.cy && now.cy != m_iFittedDiagramHeight)
        return;
    CRect viewRect;
    CRect barRect;
    view->GetWindowRect(&viewRect);
    bar.GetWindowRect(&barRect);
    // The page and the docked diagram share this height; so do the channel bars docked beside
    // the page and the diagram below them.
    const int shared = barRect.bottom - viewRect.top;
    int pageNeed = 0;
    int pageWidth = 0;
    if (CWnd* lowest = page->GetDlgItem(IDC_MD_PICTURE)) {
        CRect lowestRect;
        lowest->GetWindowRect(&lowestRect);
        pageNeed = lowestRect.bottom - viewRect.top + kPageMargin;
    }
    if (CWnd* rightmost = page->GetDlgItem(IDC_MD_LED)) {
        CRect rightmostRect;
        rightmost->GetWindowRect(&rightmostRect);
        pageWidth = rightmostRect.right - viewRect.left + kPageMargin;
    }
    // The bars the page is to show, counted before they show: a column too short for a bar
    // being shown would start a column of its own wherever the framework breaks the row.
    auto* dock = static_cast<CDockBar*>(GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
    std::vector<CControlBar*> columnBars;
    std::vector<bool> shown;
    int wanted = 0;
    int barHeight = 0;
    int barWidth = 0;
    for (int i = 0; i < kChannelBars; ++i) {
        CViewBar& channel = m_wndViewBar[i];
        const bool power = i == CHANNEL_P1 || i == CHANNEL_P2;
        const bool show = i == CHANNEL_LIGHT ? channel.IsWindowVisible() != FALSE
                          : power ? ChanState_IsPowerViewShown(i - CHANNEL_P1, TRUE) != FALSE
                                  : m_viewState.checkState[i] == 1;
        if (channel.GetSafeHwnd() == nullptr || channel.GetDockingKind() != kDockedVertically ||
            dock == nullptr || channel.m_pDockBar != dock)
            continue;
        columnBars.push_back(&channel);
        shown.push_back(show);
        if (!show)
            continue;
        ++wanted;
        barHeight = std::max<int>(barHeight, channel.m_szMinVert.cy);
        barWidth = std::max<int>(barWidth, channel.GetSize(kDockedVertically).cx);
    }
    // The bars stand in one column, as docked, while the diagram keeps a third of the height
    // it shares with them; else in as many columns as that takes and as fit beside the page's
    // controls.
    auto columnNeed = [&](int columns) {
        const int perColumn = (wanted + columns - 1) / columns;
        return perColumn * (barHeight + kColumnGap) + kColumnMargin;
    };
    // A frame too small for both takes the columns the bars need above the diagram's minimum,
    // in channel order, whatever of the page they cover.
    int columns = 1;
    if (wanted > 0) {
        CRect frameClient;
        GetClientRect(&frameClient);
        ClientToScreen(&frameClient);
        const int room = frameClient.right - (viewRect.left + pageWidth);
        const int fitting = std::max(1, room / std::max(1, barWidth));
        const int readable = std::max<int>(bar.m_szMinHorz.cy, shared / 3);
        while (columns < std::min(fitting, wanted) &&
               shared - std::max(pageNeed, columnNeed(columns)) < readable)
            ++columns;
        while (columns < wanted && columnNeed(columns) > shared - bar.m_szMinHorz.cy)
            ++columns;
        RegroupColumns(*dock, columnBars, shown, (wanted + columns - 1) / columns);
    }
    const int need = std::max(pageNeed, wanted > 0 ? columnNeed(columns) : 0);
    const int target = std::max<int>(bar.m_szMinHorz.cy, shared - need);
    m_iFittedDiagramHeight = target;
    if (target != now.cy)
        bar.SetSizeByKind(kDockedHorizontally, CSize(now.cx, target));
    RecalcLayout();
}

void CMainFrame::OnSize(UINT nType, int cx, int cy) {
    CFrameWnd::OnSize(nType, cx, cy);
    // The columns and the diagram follow the frame's new height and width.
    if (nType != SIZE_MINIMIZED && m_nActivePage == PAGE_MEASURE_DIAGRAM)
        DockChannelBars();
}

void CMainFrame::EqualizeChannelBarHeights() {
    if (m_nActivePage != PAGE_MEASURE_DIAGRAM)
        return;
    FitDiagramToMeasurePage();
    std::vector<BarPlacement> bars(kChannelBars);
    for (int i = 0; i < kChannelBars; ++i) {
        CViewBar& bar = m_wndViewBar[i];
        if (bar.GetSafeHwnd() == nullptr)
            return;
        bars[static_cast<size_t>(i)].dockingKind = bar.GetDockingKind();
        bars[static_cast<size_t>(i)].visible = bar.IsWindowVisible() != FALSE;
        bar.GetWindowRect(&bars[static_cast<size_t>(i)].rect);
    }
    const std::vector<BarTarget> targets = EqualBarHeights(bars);
    if (targets.empty())
        return;
    auto apply = [&] {
        for (const BarTarget& target : targets) {
            CViewBar& bar = m_wndViewBar[target.bar];
            bar.SetSizeByKind(bar.GetDockingKind(), target.rect.Size());
            RecalcLayout();
        }
    };
    // The layout may give a bar another height than the one set (minimums, the dock bar's
    // length): a few passes settle it.
    for (int pass = 0; pass < kPasses; ++pass) {
        apply();
        bool settled = true;
        for (const BarTarget& target : targets) {
            CRect now;
            m_wndViewBar[target.bar].GetWindowRect(&now);
            settled = settled && std::abs(now.Height() - target.rect.Height()) <= 1;
        }
        if (settled)
            break;
    }
    apply();
}

void CMainFrame::FocusAndSelectEditText(CWnd* edit) {
    if (edit == nullptr || edit->GetSafeHwnd() == nullptr)
        return;
    edit->SetFocus();
    edit->SendMessage(EM_SETSEL, 0, edit->GetWindowTextLength());
    edit->SendMessage(EM_SCROLLCARET, 0, 0);
}
