// A channel bar lays out its view on every change of its client size: controls to their cells,
// and a cell's font remade only when its height or width changes.
#include "app/bars/ChannelViewFonts.h"

namespace {

constexpr UINT kControlOfCell[7] = {1006, 1003, 1004, 1005, 1000, 1001, 1002};
constexpr BYTE kSansSerifFamily = 0x20;

}  // namespace

HFONT ChannelViewPlacer::GetFont(int cell) const {
    return static_cast<HFONT>(m_aFonts[cell].GetSafeHandle());
}

void ChannelViewPlacer::Place(CWnd* view, int width, int height) {
    if (view == nullptr || view->GetSafeHwnd() == nullptr)
        return;
    if (m_lastClient == CSize(width, height))
        return;
    m_lastClient = CSize(width, height);
    const ChannelViewCells cells = LayoutChannelView(width, height, true);
    for (int k = 0; k < 7; ++k) {
        if (CWnd* control = view->GetDlgItem(kControlOfCell[k])) {
            const CRect& r = cells.cells[k];
            control->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (cells.cells[0].Size() != m_lastCell0) {
        m_lastCell0 = cells.cells[0].Size();
        MakeFonts(view, cells);
    }
}

void ChannelViewPlacer::MakeFonts(CWnd* view, const ChannelViewCells& cells) {
    for (int k = 0; k < 7; ++k) {
        const CellFont size = FontOfCell(k, cells.cells[k].Size());
        LOGFONT& made = m_aMade[k];
        if (!m_abFirst[k] && made.lfHeight == size.height && made.lfWidth == size.width)
            continue;
        if (m_abFirst[k]) {
            made = LOGFONT{};
            made.lfPitchAndFamily = kSansSerifFamily;
            m_abFirst[k] = false;
        }
        made.lfHeight = size.height;
        made.lfWidth = size.width;
        made.lfWeight = size.weight;
        LOGFONT description = made;
        // The small fields read better a little narrower at their smallest common size.
        if (k >= 1 && k <= 3 && description.lfHeight == 13 && description.lfWidth == 4)
            description.lfWidth = 3;
        m_aFonts[k].DeleteObject();
        m_aFonts[k].CreateFontIndirect(&description);
        if (CWnd* control = view->GetDlgItem(kControlOfCell[k]))
            control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetFont(k)), TRUE);
    }
}
