#include "platform/framework/DockState.h"

#include "platform/framework/WinApp.h"
#include "platform/ui/SystemMetrics.h"

IMPLEMENT_DYNAMIC(CDockState, CObject)

namespace {

constexpr const char* kBarSection = "%s-Bar%d";
constexpr const char* kSummarySection = "%s-Summary";

CString Section(const char* format, LPCTSTR profile, int index = 0) {
    CString section;
    section.Format(format, profile, index);
    return section;
}

}  // namespace

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex) {
    CWinApp* app = AfxGetApp();
    const CString section = Section(kBarSection, lpszProfileName, nIndex);
    app->WriteProfileString(section, nullptr, nullptr);
    // An empty, visible, docked dock bar needs no entry.
    if (m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 &&
        m_arrBarID.GetSize() <= 1)
        return FALSE;
    app->WriteProfileInt(section, "BarID", static_cast<int>(m_nBarID));
    if (!m_bVisible)
        app->WriteProfileInt(section, "Visible", m_bVisible);
    if (m_bFloating) {
        app->WriteProfileInt(section, "Horz", m_bHorz);
        app->WriteProfileInt(section, "Floating", m_bFloating);
    }
    if (m_pointPos.x != -1)
        app->WriteProfileInt(section, "XPos", m_pointPos.x);
    if (m_pointPos.y != -1)
        app->WriteProfileInt(section, "YPos", m_pointPos.y);
    if (m_nMRUWidth != 32767)
        app->WriteProfileInt(section, "MRUWidth", static_cast<int>(m_nMRUWidth));
    if (m_bDocking) {
        app->WriteProfileInt(section, "Docking", m_bDocking);
        app->WriteProfileInt(section, "MRUDockID", static_cast<int>(m_uMRUDockID));
        app->WriteProfileInt(section, "MRUDockLeftPos", m_rectMRUDockPos.left);
        app->WriteProfileInt(section, "MRUDockTopPos", m_rectMRUDockPos.top);
        app->WriteProfileInt(section, "MRUDockRightPos", m_rectMRUDockPos.right);
        app->WriteProfileInt(section, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
        app->WriteProfileInt(section, "MRUFloatStyle", static_cast<int>(m_dwMRUFloatStyle));
        app->WriteProfileInt(section, "MRUFloatXPos", m_ptMRUFloatPos.x);
        app->WriteProfileInt(section, "MRUFloatYPos", m_ptMRUFloatPos.y);
    }
    if (m_arrBarID.GetSize() > 1) {
        app->WriteProfileInt(section, "Bars", static_cast<int>(m_arrBarID.GetSize()));
        for (int i = 0; i < m_arrBarID.GetSize(); ++i) {
            CString entry;
            entry.Format("Bar#%d", i);
            app->WriteProfileInt(section, entry,
                                 static_cast<int>(reinterpret_cast<UINT_PTR>(m_arrBarID[i])));
        }
    }
    return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState) {
    CWinApp* app = AfxGetApp();
    const CString section = Section(kBarSection, lpszProfileName, nIndex);
    m_nBarID = app->GetProfileInt(section, "BarID", 0);
    m_bVisible = static_cast<BOOL>(app->GetProfileInt(section, "Visible", TRUE));
    m_bHorz = static_cast<BOOL>(app->GetProfileInt(section, "Horz", TRUE));
    m_bFloating = static_cast<BOOL>(app->GetProfileInt(section, "Floating", FALSE));
    m_pointPos = CPoint(static_cast<int>(app->GetProfileInt(section, "XPos", -1)),
                        static_cast<int>(app->GetProfileInt(section, "YPos", -1)));
    pDockState->ScalePoint(m_pointPos);
    m_nMRUWidth = app->GetProfileInt(section, "MRUWidth", 32767);
    m_bDocking = static_cast<BOOL>(app->GetProfileInt(section, "Docking", 0));
    if (m_bDocking) {
        m_uMRUDockID = app->GetProfileInt(section, "MRUDockID", 0);
        m_rectMRUDockPos =
            CRect(static_cast<int>(app->GetProfileInt(section, "MRUDockLeftPos", 0)),
                  static_cast<int>(app->GetProfileInt(section, "MRUDockTopPos", 0)),
                  static_cast<int>(app->GetProfileInt(section, "MRUDockRightPos", 0)),
                  static_cast<int>(app->GetProfileInt(section, "MRUDockBottomPos", 0)));
        pDockState->ScaleRectPos(m_rectMRUDockPos);
        m_dwMRUFloatStyle = app->GetProfileInt(section, "MRUFloatStyle", 0);
        m_ptMRUFloatPos = CPoint(static_cast<int>(app->GetProfileInt(section, "MRUFloatXPos", 0)),
                                 static_cast<int>(app->GetProfileInt(section, "MRUFloatYPos", 0)));
        pDockState->ScalePoint(m_ptMRUFloatPos);
    }
    const int bars = static_cast<int>(app->GetProfileInt(section, "Bars", 0));
    m_arrBarID.RemoveAll();
    for (int i = 0; i < bars; ++i) {
        CString entry;
        entry.Format("Bar#%d", i);
        m_arrBarID.Add(reinterpret_cast<void*>(UINT_PTR{app->GetProfileInt(section, entry, 0)}));
    }
    return m_nBarID != 0;
}

CDockState::~CDockState() {
    Clear();
}

void CDockState::Clear() {
    for (int i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
}

CSize CDockState::GetScreenSize() const {
    return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

void CDockState::SetScreenSize(const CSize& size) {
    m_sizeStored = size;
    m_bScaling = size.cx > 0 && size.cy > 0 && size != GetScreenSize();
}

void CDockState::ScalePoint(CPoint& pt) const {
    if (!m_bScaling || pt.x == -1 || pt.y == -1)
        return;
    const CSize screen = GetScreenSize();
    pt.x = MulDiv(pt.x, screen.cx, m_sizeStored.cx);
    pt.y = MulDiv(pt.y, screen.cy, m_sizeStored.cy);
}

void CDockState::ScaleRectPos(CRect& rect) const {
    if (!m_bScaling)
        return;
    CPoint topLeft = rect.TopLeft();
    const CSize size = rect.Size();
    ScalePoint(topLeft);
    rect = CRect(topLeft, size);
}

void CDockState::LoadState(LPCTSTR lpszProfileName) {
    Clear();
    CWinApp* app = AfxGetApp();
    const CString section = Section(kSummarySection, lpszProfileName);
    const int bars = static_cast<int>(app->GetProfileInt(section, "Bars", 0));
    SetScreenSize(CSize(static_cast<int>(app->GetProfileInt(section, "ScreenCX", 0)),
                        static_cast<int>(app->GetProfileInt(section, "ScreenCY", 0))));
    for (int i = 0; i < bars; ++i) {
        auto* info = new CControlBarInfo;
        m_arrBarInfo.Add(info);
        info->LoadState(lpszProfileName, i, this);
    }
}

void CDockState::SaveState(LPCTSTR lpszProfileName) {
    CWinApp* app = AfxGetApp();
    const CString section = Section(kSummarySection, lpszProfileName);
    app->WriteProfileString(section, nullptr, nullptr);
    const CSize screen = GetScreenSize();
    app->WriteProfileInt(section, "ScreenCX", screen.cx);
    app->WriteProfileInt(section, "ScreenCY", screen.cy);
    int stored = 0;
    for (int i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        if (static_cast<CControlBarInfo*>(m_arrBarInfo[i])->SaveState(lpszProfileName, stored))
            ++stored;
    }
    app->WriteProfileInt(section, "Bars", stored);
}
