#include "platform/framework/PreviewBar.h"

#include <algorithm>

#include "platform/framework/CmdUI.h"
#include "platform/framework/Controls.h"
#include "platform/framework/FrameWnd.h"
#include "platform/gfx/StockObjects.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/commctrl/ControlLanguage.h"

IMPLEMENT_DYNAMIC(CPreviewBar, CControlBar)

namespace {

using kq::ui::LocalText;

struct ButtonText {
    UINT id;
    LocalText text;
};

const ButtonText kButtons[] = {
    {AFX_ID_PREVIEW_PRINT, {"Drucken...", "Print...", "Imprimer..."}},
    {AFX_ID_PREVIEW_NEXT, {"Nächste Seite", "Next Page", "Page suivante"}},
    {AFX_ID_PREVIEW_PREV, {"Vorherige Seite", "Prev Page", "Page précédente"}},
    {AFX_ID_PREVIEW_NUMPAGE, {"Zwei Seiten", "Two Page", "Deux pages"}},
    {AFX_ID_PREVIEW_ZOOMIN, {"Vergrößern", "Zoom In", "Zoom avant"}},
    {AFX_ID_PREVIEW_ZOOMOUT, {"Verkleinern", "Zoom Out", "Zoom arrière"}},
    {AFX_ID_PREVIEW_CLOSE, {"Schließen", "Close", "Fermer"}},
};
constexpr LocalText kOnePage{"Eine Seite", "One Page", "Une page"};

constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 4;
constexpr int kTextPadding = 16;
constexpr int kMinButtonWidth = 64;

}  // namespace

CPreviewBar::CPreviewBar() {
    m_cxLeftBorder = m_cxRightBorder = 4;
    m_cyTopBorder = m_cyBottomBorder = 3;
}

CPreviewBar::~CPreviewBar() {
    for (CButton* button : m_buttons)
        delete button;
}

CString CPreviewBar::NumPageText(UINT nPagesShown) {
    return nPagesShown == 1 ? kButtons[3].text.Get() : kOnePage.Get();
}

BOOL CPreviewBar::Create(CWnd* pParentWnd, UINT nID) {
    m_dwStyle = CBRS_TOP;
    if (!CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0),
                      pParentWnd, nID))
        return FALSE;
    auto* font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    CClientDC dc(this);
    HGDIOBJ oldFont = ::SelectObject(dc.m_hDC, font);
    CRect inside;
    CalcInsideRect(inside, TRUE);
    int x = inside.left;
    for (const ButtonText& entry : kButtons) {
        // The page-count button has room for either of its texts.
        int width = 0;
        for (const char* text : {entry.text.Get(), kOnePage.Get()}) {
            SIZE extent{};
            const CString label = text;
            ::GetTextExtentPoint32(dc.m_hDC, label, label.GetLength(), &extent);
            width = std::max(width, static_cast<int>(extent.cx));
            if (entry.id != AFX_ID_PREVIEW_NUMPAGE)
                break;
        }
        width = std::max(width + kTextPadding, kMinButtonWidth);
        auto* button = new CButton;
        m_buttons.push_back(button);
        if (!button->Create(entry.text.Get(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                            CRect(x, inside.top, x + width, inside.top + kButtonHeight), this,
                            entry.id))
            return FALSE;
        button->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        x += width + kButtonGap;
    }
    ::SelectObject(dc.m_hDC, oldFont);
    return TRUE;
}

CButton* CPreviewBar::GetButton(UINT nID) const {
    for (CButton* button : m_buttons) {
        if (button->GetDlgCtrlID() == static_cast<int>(nID))
            return button;
    }
    return nullptr;
}

CSize CPreviewBar::CalcFixedLayout(BOOL, BOOL bHorz) {
    CRect inside;
    CalcInsideRect(inside, bHorz);
    return CSize(32767, kButtonHeight - inside.Height());
}

void CPreviewBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CCmdUI state;
    state.m_nIndexMax = static_cast<UINT>(m_buttons.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_pOther = m_buttons[state.m_nIndex];
        state.m_nID = static_cast<UINT>(state.m_pOther->GetDlgCtrlID());
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}
