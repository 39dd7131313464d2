// CDockState: the arrangement of a frame's bars (which are shown, docked where, in which rows,
// or floating where), kept in the settings store through the application's profile functions.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"

class CControlBarInfo {
  public:
    UINT m_nBarID = 0;
    BOOL m_bVisible = FALSE;
    BOOL m_bFloating = FALSE;
    BOOL m_bHorz = FALSE;
    BOOL m_bDockBar = FALSE;
    // Docked: the place in the dock bar; floating: the floating frame's top-left corner.
    CPoint m_pointPos;
    int m_nMRUWidth = 32767;
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    // Dock bars: the ids of their bars row by row, 0 ending each row.
    std::vector<UINT> m_arrBarID;

    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex) const;
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex);
};

class CDockState {
  public:
    std::vector<CControlBarInfo> m_arrBarInfo;

    void SaveState(LPCTSTR lpszProfileName) const;
    void LoadState(LPCTSTR lpszProfileName);
    void Clear() { m_arrBarInfo.clear(); }
};
