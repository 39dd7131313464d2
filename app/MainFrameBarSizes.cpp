// The channel bars' equal heights per docked column on the measure-and-diagram page: targets
// computed from the bars' window rectangles, set through each bar's size of its docking kind,
// the layout redone and the heights read back, at most ten passes and one final application.
#include <cstdlib>

#include "app/MainFrame.h"
#include "app/bars/EqualHeights.h"

namespace {

constexpr UINT kMeasureDiagramPage = 138;
constexpr int kChannelBars = 7;
constexpr int kPasses = 10;

}  // namespace

void CMainFrame::EqualizeChannelBarHeights() {
    if (m_nActivePage != kMeasureDiagramPage)
        return;
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
