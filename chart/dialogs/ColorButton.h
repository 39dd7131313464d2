// The owner-drawn colour button of the chart's dialogs: a swatch with a drop-down arrow that
// opens the colour popup and tells its parent what happened (kColour... messages).
#pragma once

#include "chart/dialogs/ColourTable.h"
#include "platform/framework/Controls.h"

class CDataExchange;

class CColorButton : public CButton {
  public:
    CColorButton();

    COLORREF GetColor() const { return m_Color; }
    // Redraws at once when the window exists.
    void SetColor(COLORREF color);
    COLORREF GetDefaultColor() const { return m_DefaultColor; }
    void SetDefaultColor(COLORREF color) { m_DefaultColor = color; }
    // Texts of the popup's two boxes; until set, the words of the session's language.
    void SetDefaultText(LPCTSTR text) {
        m_strDefaultText = text;
        m_bOwnDefaultText = true;
    }
    void SetCustomText(LPCTSTR text) {
        m_strCustomText = text;
        m_bOwnCustomText = true;
    }
    void SetTrackSelection(BOOL track) { m_bTrackSelection = track; }
    BOOL GetTrackSelection() const { return m_bTrackSelection; }
    BOOL IsPopupActive() const { return m_bPopupActive; }

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

  protected:
    void PreSubclassWindow() override;
    BOOL OnClicked();
    LRESULT OnSelEndOK(WPARAM color, LPARAM);
    LRESULT OnSelEndCancel(WPARAM color, LPARAM);
    LRESULT OnSelChange(WPARAM color, LPARAM);
    DECLARE_MESSAGE_MAP()

  private:
    void NotifyParent(UINT message);

    COLORREF m_Color = CLR_DEFAULT;
    COLORREF m_DefaultColor;
    CString m_strDefaultText;
    CString m_strCustomText;
    bool m_bOwnDefaultText = false;
    bool m_bOwnCustomText = false;
    BOOL m_bPopupActive = FALSE;
    BOOL m_bTrackSelection = FALSE;
};

// Loads the button's colour from value or saves it there; saving CLR_DEFAULT gives the button's
// default colour, so no window of the chart ever receives CLR_DEFAULT.
void DDX_ColorButton(CDataExchange* pDX, int nIDC, COLORREF& value);
