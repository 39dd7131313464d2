// A push button with an edit field beside it for choosing a file or a folder. Clicking the
// button, or Enter or the space bar on it, opens the folder dialog or a file dialog; the
// choice shows in the edit and is reported to the parent. With the editable style the user
// may type the path; each change of the edit goes at once to the page that owns the control
// (found by the notification id through IBrowsePageOwner).
#pragma once

#include <vector>

#include "platform/framework/Controls.h"
#include "platform/framework/commctrl/ToolTipCtrl.h"

class CBrowseCtrl : public CButton {
    DECLARE_DYNAMIC(CBrowseCtrl)
  public:
    // Browse style bits.
    static constexpr DWORD BC_BTN_LEFT = 1;
    static constexpr DWORD BC_BTN_ICON = 2;
    static constexpr DWORD BC_BTN_FLAT = 4;
    static constexpr DWORD BC_ICO_ARROWFOLDER = 8;
    static constexpr DWORD BC_ICO_FOLDER = 16;
    static constexpr DWORD BC_ICO_EXPLORER = 32;
    static constexpr DWORD BC_CTL_ALLOWEDIT = 64;
    static constexpr DWORD BC_CTL_FOLDERSONLY = 128;

    static constexpr UINT kEditId = 12345;
    static constexpr UINT kToolId = 12346;
    static constexpr UINT_PTR kHoverTimer = 12347;
    // One tick after the edit gains or loses the focus (after the click that moved it is
    // handled) its text is selected or deselected.
    static constexpr UINT_PTR kFocusTimer = 12348;
    // Longest path SetPathName accepts, in bytes.
    static constexpr int kMaxPathLength = 1023;

    CBrowseCtrl();
    ~CBrowseCtrl() override;

    using CButton::Create;
    virtual BOOL Create(const RECT& rect, CWnd* pParent, UINT nID, DWORD dwBrowseStyle = 10,
                        UINT nNotifyMessage = 0);
    BOOL Initialize();
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void SetBrowseStyle(DWORD dwStyle);
    DWORD GetBrowseStyle() const { return m_dwStyle; }
    void SetTooltipText(LPCTSTR text);
    void SetNotifyMessageID(UINT id) { m_nNotifyMsg = id; }
    UINT GetNotifyMessageID() const { return m_nNotifyMsg; }
    void SetFilter(LPCTSTR filter) { m_sFilter = filter; }
    void SetFileDialogTitle(LPCTSTR title) { m_sFileTitle = title; }
    void SetFolderDialogTitle(LPCTSTR title) { m_sFolderTitle = title; }
    void SetFolderFlags(UINT flags) { m_nFolderFlags = flags; }
    UINT GetFolderFlags() const { return m_nFolderFlags; }

    // Refuses (with a message box) a path longer than kMaxPathLength bytes.
    void SetPathName(LPCTSTR path);
    CString GetPathName() const;
    // Every chosen path, in order.
    std::vector<CString> GetPathNames() const;
    int GetPathCount() const { return m_nPathCount; }
    BOOL GetReadOnlyPref() const { return m_bReadOnlyRef; }
    // 1 for a choice, 2 for a cancelled dialog or a call while one is open.
    int DoBrowse();
    int BrowseForFolder();
    int BrowseForFile();
    void Activate();

    CEdit& GetEdit() { return m_wndEdit; }
    const CRect& GetButtonRect() const { return m_rcButton; }
    const CRect& GetGlyphRect() const { return m_rcGlyph; }
    const CRect& GetEditRect() const { return m_rcEdit; }
    bool IsPressed() const { return m_bBtnPushed; }
    bool IsHovering() const { return m_bMouseIn; }

  protected:
    void RecalcLayout(bool moveEdit);
    BOOL CreateEdit();
    void RedrawButton();
    void OnChangeEdit();
    void OnEditFocusChange();
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnMove(int x, int y);
    void OnSize(UINT nType, int cx, int cy);
    void OnEnable(BOOL bEnable);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);

    static int FolderCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);
    void SetResult(const std::vector<CString>& paths);
    void ShowResultInEdit();
    void DispatchToPage();
    void DrawGlyph(CDC& dc, const CRect& rc, bool disabled);

    UINT m_nNotifyMsg = 0;
    CRect m_rcButton, m_rcGlyph, m_rcEdit;
    CEdit m_wndEdit;
    bool m_bEditFocused = false;
    bool m_bOwnCreate = false;
    DWORD m_dwStyle = 10;
    bool m_bBtnPushed = false;
    bool m_bMouseIn = false;
    CToolTipCtrl m_wndTooltip;
    CString m_sTootipText = "Browse";
    CString m_sButtonCaption;
    bool m_bDlgPopped = false;
    CString m_sFileTitle;
    CString m_sFolderTitle = "Please select a folder from the list:";
    int m_nResultLength = 0;
    BOOL m_bOpenFileDialog = TRUE;
    DWORD m_dwFileFlags = 0x882202;
    UINT m_nFolderFlags = 1;
    BOOL m_bReadOnlyRef = FALSE;
    CString m_sDefExt;
    CString m_sFilter = "All Files (*.*)|*.*||";
    std::vector<char> m_pszResult;  // paths each ended by a zero, then one more zero
    int m_nPathCount = 0;
    bool m_bEditChanged = false;
    CString m_sPathName;

    DECLARE_MESSAGE_MAP()
};
