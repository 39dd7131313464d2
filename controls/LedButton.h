// An owner-drawn push button with a state indicator: one icon per state drawn beside the
// window text. It may fall back to a resting state a fixed time after each change (a one-shot
// blink), and an owner-supplied translator may decide the state really shown.
#pragma once

#include "platform/base/CArray.h"
#include "platform/framework/Controls.h"
#include "platform/framework/commctrl/ToolTipCtrl.h"

// Decides the state shown for a requested one.
class CLedStateTranslator {
  public:
    virtual ~CLedStateTranslator() = default;
    virtual unsigned TranslateState(unsigned requested, unsigned current, bool flag) = 0;
};

struct LedData {
    COLORREF textColor = 0;
    COLORREF faceColor = 0;
    HICON icon = nullptr;  // owned by the button
    unsigned width = 0;
    unsigned height = 0;
};

class CLedButton : public CButton {
    DECLARE_DYNAMIC(CLedButton)
  public:
    CLedButton();
    ~CLedButton() override;

    void SetNumberOfStates(unsigned count, bool redraw);
    void SetLedState(unsigned state, bool flag);
    unsigned GetLedState() const { return m_nState; }
    // False for a state out of range or an icon that cannot be loaded (the old one stays).
    bool LoadStateIcon(unsigned state, unsigned short resourceId, int cx, int cy);
    // A null icon frees the state's icon and answers true.
    bool SetStateIcon(unsigned state, HICON icon);
    void FreeStateIcon(unsigned state);
    void ResetStateColors(bool redraw);
    COLORREF GetStateFaceColor(unsigned state) const;
    const LedData* GetStateData(unsigned state) const;
    virtual void DrawBackground(CDC* pDC, const RECT* rc);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Written by the owner: the return timer's event id (0: no automatic return), the state
    // it returns to, its interval and the translator (not owned).
    UINT_PTR m_nReturnTimerId = 0;
    unsigned m_nRestingState = 0;
    UINT m_nReturnInterval = 150;
    CLedStateTranslator* m_pTranslator = nullptr;

  protected:
    void OnDestroy();
    void OnSysColorChange();
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnTimer(UINT_PTR nIDEvent);

    CArray<LedData, LedData&> m_States;
    CToolTipCtrl m_ToolTip;
    unsigned m_nState = 0;
    unsigned m_nStateCount = 0;
    bool m_bDisabled = false;
    DWORD m_dwStyle = 15;
    UINT_PTR m_nRunningTimer = 0;

  private:
    void KillReturnTimer();

    DECLARE_MESSAGE_MAP()
};
