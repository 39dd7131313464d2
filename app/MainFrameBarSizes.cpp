// The bars of the measure-and-diagram page: the docked diagram takes the height the page's
// controls and the channel column leave, and the channel bars stand equally high per docked
// column (targets computed from the bars' window rectangles, set through each bar's size of its
// docking kind, the layout redone and the heights read back, at most ten passes and one final
// application).
#include <algorithm>
#include <cstdlib>

#include "app/Kq7View.h"
#include "app/MainFrame.h"
#include "app/bars/EqualHeights.h"
#include "res/resource.h"
#include "sensor/ChanState.h"

namespace {

constexpr int kChannelBars = 7;
constexpr int kPasses = 10;
constexpr int kDockedHorizontally = 1;
constexpr int kDockedVertically = 2;
// Below the page's lowest control (the sensor's picture), and between the channel bars of a
// column and around it.
constexpr int kPageMargin = 8;
constexpr int kColumnGap = 2;
constexpr int kColumnMargin = 16;

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
    if (CWnd* lowest = page->GetDlgItem(IDC_MD_PICTURE)) {
        CRect lowestRect;
        lowest->GetWindowRect(&lowestRect);
        pageNeed = lowestRect.bottom - viewRect.top + kPageMargin;
    }
    // The bars the page is to show, counted before they show: a column too short for a bar
    // being shown would start a second column beside the first.
    int columnNeed = 0;
    for (int i = 0; i < kChannelBars; ++i) {
        CViewBar& channel = m_wndViewBar[i];
        const bool power = i == CHANNEL_P1 || i == CHANNEL_P2;
        const bool wanted = i == CHANNEL_LIGHT ? channel.IsWindowVisible() != FALSE
                            : power ? ChanState_IsPowerViewShown(i - CHANNEL_P1, TRUE) != FALSE
                                    : m_viewState.checkState[i] == 1;
        if (channel.GetSafeHwnd() != nullptr && wanted &&
            channel.GetDockingKind() == kDockedVertically)
            columnNeed += channel.m_szMinVert.cy + kColumnGap;
    }
    if (columnNeed > 0)
        columnNeed += kColumnMargin;
    const int target = std::max<int>(bar.m_szMinHorz.cy, shared - std::max(pageNeed, columnNeed));
    m_iFittedDiagramHeight = target;
    if (target == now.cy)
        return;
    bar.SetSizeByKind(kDockedHorizontally, CSize(now.cx, target));
    RecalcLayout();
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
