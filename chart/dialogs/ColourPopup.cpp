// The colour popup's life: it opens at the button's corner (kept on the screen), follows the
// mouse and the arrow keys, and ends on a release, Return, Escape, a lost focus or the
// application losing the activation; its last act is to tell the button and destroy itself.
#include "chart/dialogs/ColourPopup.h"

#include <algorithm>
#include <vector>

#include "chart/dialogs/ColourTable.h"
#include "platform/framework/commdlg/ColorDialog.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/Focus.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/nonclient/NonClientMetrics.h"

using kq::chart::kColourCount;
using kq::chart::kColourTable;

BEGIN_MESSAGE_MAP(CColourPopup, CWnd)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_KILLFOCUS()
ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

CColourPopup::CColourPopup(CPoint point, COLORREF initial, CWnd* parentButton, LPCTSTR defaultText,
                           LPCTSTR customText)
    : m_nNumColours(kColourCount),
      m_nMargin(::GetSystemMetrics(SM_CXEDGE)),
      m_strDefaultText(defaultText != nullptr ? defaultText : ""),
      m_strCustomText(customText != nullptr ? customText : ""),
      m_crInitialColour(initial),
      m_crColour(initial),
      m_pParent(parentButton) {
    m_nNumRows = (m_nNumColours + m_nNumColumns - 1) / m_nNumColumns;
    if (m_nBoxSize - 2 * m_nMargin - 2 < 5)
        m_nBoxSize = 2 * m_nMargin + 7;
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(metrics);
    if (kq::ui::GetNonClientMetrics(&metrics))
        m_Font.CreateFontIndirect(&metrics.lfMessageFont);
    BuildPalette();

    LPCTSTR cls = AfxRegisterWndClass(CS_CLASSDC | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW, nullptr,
                                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(0, cls, "", WS_POPUP | WS_VISIBLE, CRect(point, CSize(100, 100)), parentButton,
                  0))
        return;
    SetWindowSize(point);
    CreateToolTips();
    FindInitialCell();
    SetFocus();
    SetCapture();
}

CColourPopup::~CColourPopup() = default;

void CColourPopup::PostNcDestroy() {
    delete this;
}

void CColourPopup::BuildPalette() {
    // Palette displays never occur here; the palette is kept for the cells' colours anyway.
    std::vector<BYTE> bytes(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * kColourCount);
    auto* palette = reinterpret_cast<LOGPALETTE*>(bytes.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(m_nNumColours);
    for (int i = 0; i < m_nNumColours; ++i) {
        COLORREF c = kColourTable[i].color;
        palette->palPalEntry[i] = {GetRValue(c), GetGValue(c), GetBValue(c), 0};
    }
    m_Palette.CreatePalette(palette);
}

int CColourPopup::TextBoxHeight() const {
    CClientDC dc(const_cast<CColourPopup*>(this));
    CFont* old = dc.SelectObject(const_cast<CFont*>(&m_Font));
    int height = dc.GetTextExtent("Ag").cy;
    dc.SelectObject(old);
    return height + 2 * m_nMargin + 2;
}

void CColourPopup::SetWindowSize(CPoint point) {
    int width = m_nNumColumns * m_nBoxSize + 2 * m_nMargin;
    int textHeight = TextBoxHeight();
    {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(&m_Font);
        for (const CString* text : {&m_strDefaultText, &m_strCustomText})
            if (!text->IsEmpty())
                width =
                    std::max(width, static_cast<int>(dc.GetTextExtent(*text).cx) + 6 * m_nMargin);
        dc.SelectObject(old);
    }
    int top = m_nMargin;
    m_DefaultTextRect.SetRectEmpty();
    if (!m_strDefaultText.IsEmpty()) {
        m_DefaultTextRect.SetRect(m_nMargin, top, width - m_nMargin, top + textHeight);
        top += textHeight;
    }
    top += m_nNumRows * m_nBoxSize;
    m_CustomTextRect.SetRectEmpty();
    if (!m_strCustomText.IsEmpty()) {
        m_CustomTextRect.SetRect(m_nMargin, top, width - m_nMargin, top + textHeight);
        top += textHeight;
    }
    int height = top + m_nMargin;

    // Kept on the screen both ways: above the button when it does not fit below.
    int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    m_WindowRect.SetRect(point.x, point.y, point.x + width, point.y + height);
    if (m_WindowRect.right > screenWidth)
        m_WindowRect.OffsetRect(screenWidth - m_WindowRect.right, 0);
    if (m_WindowRect.left < 0)
        m_WindowRect.OffsetRect(-m_WindowRect.left, 0);
    if (m_WindowRect.bottom > screenHeight) {
        CRect button(point.x, point.y, point.x, point.y);
        if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
            m_pParent->GetWindowRect(&button);
        m_WindowRect.OffsetRect(0, button.top - height - m_WindowRect.top);
    }
    if (m_WindowRect.top < 0)
        m_WindowRect.OffsetRect(0, -m_WindowRect.top);
    SetWindowPos(nullptr, m_WindowRect.left, m_WindowRect.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CColourPopup::CreateToolTips() {
    if (!m_ToolTip.Create(this))
        return;
    for (int i = 0; i < m_nNumColours; ++i) {
        CRect cell = CellRect(i);
        m_ToolTip.AddTool(this, kColourTable[i].name, &cell, static_cast<UINT_PTR>(i + 1));
    }
}

void CColourPopup::FindInitialCell() {
    m_nChosenColourSel = m_strCustomText.IsEmpty() ? kNoCell : kCustomBox;
    if (m_crInitialColour == CLR_DEFAULT && !m_strDefaultText.IsEmpty()) {
        m_nChosenColourSel = kDefaultBox;
    } else {
        for (int i = 0; i < m_nNumColours; ++i)
            if (kColourTable[i].color == m_crInitialColour) {
                m_nChosenColourSel = i;
                break;
            }
    }
    m_nCurrentSel = m_nChosenColourSel;
}

CRect CColourPopup::CellRect(int cell) const {
    if (cell == kDefaultBox)
        return m_DefaultTextRect;
    if (cell == kCustomBox)
        return m_CustomTextRect;
    if (cell < 0 || cell >= m_nNumColours)
        return CRect(0, 0, 0, 0);
    int gridTop = m_nMargin + m_DefaultTextRect.Height();
    int row = cell / m_nNumColumns;
    int column = cell % m_nNumColumns;
    return CRect(m_nMargin + column * m_nBoxSize, gridTop + row * m_nBoxSize,
                 m_nMargin + (column + 1) * m_nBoxSize, gridTop + (row + 1) * m_nBoxSize);
}

int CColourPopup::HitTest(CPoint point) const {
    if (!m_strCustomText.IsEmpty() && m_CustomTextRect.PtInRect(point))
        return kCustomBox;
    if (!m_strDefaultText.IsEmpty() && m_DefaultTextRect.PtInRect(point))
        return kDefaultBox;
    // Margins and the area outside the grid hit nothing; negative offsets never round to 0.
    int x = point.x - m_nMargin;
    int y = point.y - m_nMargin - m_DefaultTextRect.Height();
    if (x < 0 || y < 0)
        return kNoCell;
    int column = x / m_nBoxSize;
    int row = y / m_nBoxSize;
    if (column >= m_nNumColumns || row >= m_nNumRows)
        return kNoCell;
    int cell = row * m_nNumColumns + column;
    return cell < m_nNumColours ? cell : kNoCell;
}

COLORREF CColourPopup::ColourOf(int cell) const {
    if (cell >= 0 && cell < m_nNumColours)
        return kColourTable[cell].color;
    return cell == kDefaultBox ? CLR_DEFAULT : m_crColour;
}

void CColourPopup::ChangeSelection(int cell) {
    if (cell == m_nCurrentSel)
        return;
    CRect old = CellRect(m_nCurrentSel);
    InvalidateRect(&old, FALSE);
    m_nCurrentSel = cell;
    CRect now = CellRect(cell);
    InvalidateRect(&now, FALSE);
    if (cell >= 0 || cell == kDefaultBox) {
        m_crColour = ColourOf(cell);
        if (m_pParent != nullptr)
            m_pParent->SendMessage(kq::chart::kColourChanged, m_crColour, 0);
    }
}

void CColourPopup::OnMouseMove(UINT flags, CPoint point) {
    int cell = HitTest(point);
    if (cell != kNoCell)
        ChangeSelection(cell);
    CWnd::OnMouseMove(flags, point);
}

void CColourPopup::OnLButtonUp(UINT, CPoint point) {
    CPoint screen = point;
    ClientToScreen(&screen);
    CRect window;
    GetWindowRect(&window);
    EndSelection(window.PtInRect(screen) ? kq::chart::kColourEndOk : kq::chart::kColourEndCancel);
}

void CColourPopup::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    bool hasDefault = !m_strDefaultText.IsEmpty();
    bool hasCustom = !m_strCustomText.IsEmpty();
    int last = m_nNumColours - 1;
    int first = hasDefault ? kDefaultBox : 0;
    int cell = m_nCurrentSel;
    switch (key) {
        case VK_ESCAPE:
            EndSelection(kq::chart::kColourEndCancel);
            return;
        case VK_RETURN:
            EndSelection(kq::chart::kColourEndOk);
            return;
        case VK_DOWN:
            if (cell == kNoCell || cell == kDefaultBox)
                cell = cell == kNoCell ? first : 0;
            else if (cell >= 0)
                cell = cell + m_nNumColumns <= last ? cell + m_nNumColumns
                                                    : (hasCustom ? kCustomBox : cell);
            break;
        case VK_UP:
            if (cell == kCustomBox)
                cell = std::min(last, (m_nNumRows - 1) * m_nNumColumns);
            else if (cell >= 0)
                cell = cell - m_nNumColumns >= 0 ? cell - m_nNumColumns : first;
            else if (cell == kNoCell)
                cell = first;
            break;
        case VK_RIGHT:
            if (cell == kNoCell || cell == kDefaultBox)
                cell = cell == kNoCell ? first : 0;
            else if (cell >= 0)
                cell = cell < last ? cell + 1 : (hasCustom ? kCustomBox : cell);
            break;
        case VK_LEFT:
            if (cell == kCustomBox)
                cell = last;
            else if (cell > 0)
                --cell;
            else if (cell == 0 || cell == kNoCell)
                cell = first;
            break;
        default:
            CWnd::OnKeyDown(key, repeat, flags);
            return;
    }
    ChangeSelection(cell);
}

void CColourPopup::OnKillFocus(CWnd* newWnd) {
    CWnd::OnKillFocus(newWnd);
    // Only the popup's own colour dialog may take the focus without ending the selection.
    if (!m_bChildWindowVisible && !m_bEnding)
        EndSelection(kq::chart::kColourEndCancel);
}

void CColourPopup::OnActivateApp(BOOL active, DWORD thread) {
    CWnd::OnActivateApp(active, thread);
    if (!active && !m_bChildWindowVisible && !m_bEnding)
        EndSelection(kq::chart::kColourEndCancel);
}

void CColourPopup::EndSelection(UINT message) {
    if (m_bEnding)
        return;
    m_bEnding = true;
    ::ReleaseCapture();
    if (message != kq::chart::kColourEndCancel && m_nCurrentSel == kCustomBox) {
        m_bChildWindowVisible = TRUE;
        CColorDialog dialog(m_crInitialColour, CC_FULLOPEN | CC_ANYCOLOR, this);
        if (dialog.DoModal() == IDOK)
            m_crColour = dialog.GetColor();
        else
            message = kq::chart::kColourEndCancel;
        m_bChildWindowVisible = FALSE;
    }
    if (message == kq::chart::kColourEndCancel)
        m_crColour = m_crInitialColour;
    // The window's end deletes this object: keep what the button needs first.
    CWnd* button = m_pParent;
    COLORREF colour = m_crColour;
    DestroyWindow();
    if (button != nullptr && button->GetSafeHwnd() != nullptr)
        button->SendMessage(message, colour, 0);
}
