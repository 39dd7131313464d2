// The docking layout of a frame in the profile: CDockState holds one CControlBarInfo per bar
// and dock bar of the frame (CFrameWnd::GetDockState / SetDockState) and reads and writes
// them as the sections "<name>-Summary" and "<name>-Bar<n>" (CFrameWnd::SaveBarState /
// LoadBarState). A dock bar's info lists its rows: bar ids, 0 at each row end, and
// 0x10000 + id for the place a floating bar will return to.
#pragma once

#include "platform/base/Arrays.h"
#include "platform/base/Geometry.h"
#include "platform/base/Object.h"

class CControlBar;
class CDockState;

class CControlBarInfo {
  public:
    CControlBarInfo() = default;

    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
    // FALSE (and nothing written) for a dock bar that holds nothing.
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);

    UINT m_nBarID = 0;
    BOOL m_bVisible = TRUE;
    BOOL m_bFloating = FALSE;
    BOOL m_bHorz = TRUE;
    BOOL m_bDockBar = FALSE;
    CPoint m_pointPos{-1, -1};  // in the parent's client coordinates (screen when floating)
    UINT m_nMRUWidth = 32767;
    BOOL m_bDocking = FALSE;
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    CPtrArray m_arrBarID;
    CControlBar* m_pBar = nullptr;  // while being applied
};

class CDockState : public CObject {
    DECLARE_DYNAMIC(CDockState)
  public:
    CDockState() = default;
    ~CDockState() override;

    void LoadState(LPCTSTR lpszProfileName);
    void SaveState(LPCTSTR lpszProfileName);
    void Clear();

    // Positions stored on a screen of another size are scaled to this one.
    void ScalePoint(CPoint& pt) const;
    void ScaleRectPos(CRect& rect) const;
    CSize GetScreenSize() const;
    void SetScreenSize(const CSize& size);

    CPtrArray m_arrBarInfo;  // CControlBarInfo*, owned

  protected:
    CSize m_sizeStored;
    BOOL m_bScaling = FALSE;
};
