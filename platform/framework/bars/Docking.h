// The docking side of a frame: its list of control bars, its dock bars and the calls that dock,
// float, show and hide bars and keep their arrangement in the settings store. A frame gets
// these through the functions below (they keep their state per frame window object).
#pragma once

#include <vector>

#include "platform/base/Geometry.h"
#include "platform/framework/bars/BarStyles.h"

class CControlBar;
class CDockBar;
class CDockState;
class CFrameWnd;

namespace kq::fw {

// The bars of the frame in the order they were created (dock bars included).
const std::vector<CControlBar*>& ControlBarsOf(const CFrameWnd* frame);
void AddControlBar(CFrameWnd* frame, CControlBar* bar);
void RemoveControlBar(CFrameWnd* frame, CControlBar* bar);
CControlBar* GetControlBar(const CFrameWnd* frame, UINT nID);

// Creates the dock bars of the sides in dwDockStyle (CBRS_ALIGN_ flags), once each.
void EnableDocking(CFrameWnd* frame, DWORD dwDockStyle);
// Docks the bar at the dock bar nDockBarID (0: the first side the bar and the frame both
// allow); with lpRect (screen coordinates) the bar goes into the row and place the rectangle
// points at, without it into a new row at the end.
void DockControlBar(CFrameWnd* frame, CControlBar* bar, UINT nDockBarID = 0,
                    LPCRECT lpRect = nullptr);
void DockControlBar(CFrameWnd* frame, CControlBar* bar, CDockBar* dockBar,
                    LPCRECT lpRect = nullptr);
// Moves the bar into a floating frame whose top-left corner is at point (screen coordinates);
// dwStyle CBRS_ALIGN_TOP floats it horizontally, CBRS_ALIGN_LEFT vertically.
void FloatControlBar(CFrameWnd* frame, CControlBar* bar, CPoint point,
                     DWORD dwStyle = CBRS_ALIGN_TOP);
// With bDelay the change and the new layout happen at the next idle time.
void ShowControlBar(CFrameWnd* frame, CControlBar* bar, BOOL bShow, BOOL bDelay);
// The dock bar of the side that lpRect (screen coordinates) touches, when the bar may dock
// there; null otherwise.
CDockBar* CanDock(CFrameWnd* frame, CRect rect, DWORD dwDockStyle);

// The arrangement of the bars, kept under "<profile name>-Bar<n>" and "<profile name>-Summary".
void GetDockState(const CFrameWnd* frame, CDockState& state);
void SetDockState(CFrameWnd* frame, const CDockState& state);
void SaveBarState(const CFrameWnd* frame, LPCTSTR lpszProfileName);
void LoadBarState(CFrameWnd* frame, LPCTSTR lpszProfileName);

}  // namespace kq::fw
