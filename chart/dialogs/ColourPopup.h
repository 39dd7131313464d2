// The pop-up grid of the colour button: 40 named colours, an "Automatic" box above and a custom
// box below that opens the system colour dialog. It captures the mouse, reports the hovered
// colour to its button, ends with OK or cancel, and deletes itself with its window.
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/framework/commctrl/ToolTipCtrl.h"
#include "platform/gfx/GdiWrappers.h"

class CColourPopup : public CWnd {
  public:
    // Cells other than the colours 0..39.
    static constexpr int kNoCell = -1;
    static constexpr int kCustomBox = -2;
    static constexpr int kDefaultBox = -3;
    static constexpr int kBoxSize = 18;
    static constexpr int kColumns = 8;

    // Opens at the screen point (the button's lower-left corner) at once; empty texts leave
    // their box out.
    CColourPopup(CPoint point, COLORREF initial, CWnd* parentButton, LPCTSTR defaultText = nullptr,
                 LPCTSTR customText = nullptr);
    ~CColourPopup() override;
    CColourPopup(const CColourPopup&) = delete;
    CColourPopup& operator=(const CColourPopup&) = delete;

    // The cell under a client point: a colour, a text box or kNoCell.
    int HitTest(CPoint point) const;
    // The client rectangle of a colour cell or text box.
    CRect CellRect(int cell) const;
    int GetCurrentCell() const { return m_nCurrentSel; }
    int GetChosenCell() const { return m_nChosenColourSel; }
    COLORREF GetCurrentColour() const { return m_crColour; }
    int GetRows() const { return m_nNumRows; }
    CToolTipCtrl& GetToolTips() { return m_ToolTip; }

  protected:
    void PostNcDestroy() override;
    void OnPaint();
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKillFocus(CWnd* newWnd);
    void OnActivateApp(BOOL active, DWORD thread);
    DECLARE_MESSAGE_MAP()

  private:
    void BuildPalette();
    void SetWindowSize(CPoint point);
    void CreateToolTips();
    void FindInitialCell();
    void ChangeSelection(int cell);
    // Ends with kColourEndOk or kColourEndCancel; the object is gone afterwards.
    void EndSelection(UINT message);
    void DrawCell(CDC* dc, int cell);
    COLORREF ColourOf(int cell) const;
    int TextBoxHeight() const;

    int m_nNumColours;
    int m_nNumColumns = kColumns;
    int m_nNumRows = 0;
    int m_nBoxSize = kBoxSize;
    int m_nMargin;
    int m_nCurrentSel = kNoCell;
    int m_nChosenColourSel = kNoCell;
    CString m_strDefaultText;
    CString m_strCustomText;
    CRect m_CustomTextRect;
    CRect m_DefaultTextRect;
    CRect m_WindowRect;
    CFont m_Font;
    CPalette m_Palette;
    COLORREF m_crInitialColour;
    COLORREF m_crColour;
    CToolTipCtrl m_ToolTip;
    CWnd* m_pParent;
    BOOL m_bChildWindowVisible = FALSE;
    bool m_bEnding = false;
};
