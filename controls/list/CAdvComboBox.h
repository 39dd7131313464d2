// A combo box drawn entirely by the program: its own item store, its own drop-down window
// (CDropWnd), the standard combo-box messages the list needs, and CBN_ notifications to its owner.
// The list's in-cell combo (CXCombo) is the one kind in use, always as a drop list.
#pragma once

#include <list>

#include "platform/framework/Framework.h"

// One choice; disabled items cannot be chosen and are passed over by keys and the wheel.
struct AdvComboItem {
    CString strText;
    int bDisabled = 0;
    int nData = 0;
    int nReserved = 0;
};

class CDropWnd;

class CAdvComboBox : public CWnd {
    DECLARE_DYNAMIC(CAdvComboBox)
  public:
    static constexpr const char* kClassName = "SuperComboBox";
    // The private messages of the combo and its drop-down.
    static constexpr UINT kChooseItem = WM_USER + 1;  // wParam: item index
    static constexpr UINT kCloseDropDown = WM_USER + 2;
    static constexpr UINT kToggleDropDown = WM_USER + 101;

    // Registers the window class on first use; a failure raises CResourceException.
    CAdvComboBox();
    ~CAdvComboBox() override;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The cancel and commit requests; nothing here, the in-cell combo tells its list.
    virtual void OnEscape() {}
    virtual void OnComplete() {}
    // The combo's own copy of its owner's font.
    virtual CFont* GetFont();

    int AddString(LPCTSTR lpszString);
    // -1 clears; an index outside the items changes nothing. Answers the index or -1.
    int SetCurSel(int nSelect);
    // The first item whose text is the current text, -1 when none.
    int GetCurSel();
    void GetLBText(int nIndex, CString& rString);
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind);
    int GetCount() const { return static_cast<int>(m_list.size()); }
    void SetDropDownLines(int nLines) { m_nDropDownLines = nLines; }
    int GetDropDownLines() const { return m_nDropDownLines; }
    int GetMinVisibleLines() const { return m_nMinVisItems; }
    BOOL GetDroppedState() const { return m_bDropListVisible; }
    CDropWnd* GetDropWnd() const { return m_pDropWnd; }
    // The item record at an index, null outside the items.
    AdvComboItem* ItemAt(int nIndex);

    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    void PreSubclassWindow() override;
    void CopyOwnerFont();
    // Items from the string resource of the control id, one per line.
    void LoadInitialItems(UINT id);
    void Notify(UINT nCode);
    void RepaintButton();

    // Selection moves (AdvComboBoxKeys.cpp).
    void SelNextItem();
    void SelPrevItem();
    void PageDown();
    void PageUp();
    void ApplyKeySelection(int nIndex);

    // The drop-down (AdvComboBoxDropDown.cpp).
    void OpenDropDown();
    void CloseDropDown();
    void ChooseItem(int nIndex);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnChildActivate();
    void OnPaint();
    // The frame and button in the theme's look; false (nothing drawn) without visual styles.
    bool PaintThemedFrame(CDC& dc, const CRect& client, CRect& button, bool enabled);
    void OnEnable(BOOL bEnable);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCurSel(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCurSel(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectString(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCount(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetLBText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetLBTextLen(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTopIndex(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTopIndex(WPARAM wParam, LPARAM lParam);
    LRESULT OnChooseItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnCloseDropDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnToggleDropDown(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

  protected:
    CWnd* m_pOwner = nullptr;
    int m_nCurSel = -1;  // always -1 or a valid index
    CWnd* m_pEdit = nullptr;
    CString m_strEdit;
    CFont* m_pFont = nullptr;
    DWORD m_dwStyle = 0;
    DWORD m_dwACBStyle = 2;
    CRect m_rcCombo;  // the arrow button
    CDropWnd* m_pDropWnd = nullptr;
    CRect m_rcDropWnd;
    int m_bDropListVisible = 0;
    bool m_bDropButtonClosing = false;
    std::list<AdvComboItem> m_list;
    int m_zDelta = 0;
    bool m_bHasFocus = false;
    bool m_bHasSentFocus = false;
    bool m_bSelItem = false;  // the last close followed a choice from the drop-down
    bool m_bFirstPaint = true;
    int m_nMinVisItems = 5;
    bool m_bCodeCreate = false;
    int m_bAutoAppend = 1;
    bool m_bHot = false;
    bool m_bHotTimer = false;
    int m_nDropDownLines = -1;  // -1: as many as there are items, limited by the screen
};
