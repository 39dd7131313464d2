#include "platform/framework/bars/DockState.h"

#include "platform/framework/WinApp.h"

namespace {

CString Section(LPCTSTR profile, int index) {
    CString section;
    section.Format("%s-Bar%d", profile, index);
    return section;
}

CString SummarySection(LPCTSTR profile) {
    CString section;
    section.Format("%s-Summary", profile);
    return section;
}

int ReadInt(CWinApp* app, const CString& section, LPCTSTR key, int fallback) {
    return static_cast<int>(app->GetProfileInt(section, key, fallback));
}

}  // namespace

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex) const {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return FALSE;
    const CString section = Section(lpszProfileName, nIndex);
    BOOL ok = app->WriteProfileInt(section, "BarID", static_cast<int>(m_nBarID));
    ok &= app->WriteProfileInt(section, "Visible", m_bVisible ? 1 : 0);
    ok &= app->WriteProfileInt(section, "Floating", m_bFloating ? 1 : 0);
    ok &= app->WriteProfileInt(section, "Horz", m_bHorz ? 1 : 0);
    ok &= app->WriteProfileInt(section, "XPos", m_pointPos.x);
    ok &= app->WriteProfileInt(section, "YPos", m_pointPos.y);
    ok &= app->WriteProfileInt(section, "MRUWidth", m_nMRUWidth);
    ok &= app->WriteProfileInt(section, "MRUDockID", static_cast<int>(m_uMRUDockID));
    ok &= app->WriteProfileInt(section, "MRUDockLeftPos", m_rectMRUDockPos.left);
    ok &= app->WriteProfileInt(section, "MRUDockTopPos", m_rectMRUDockPos.top);
    ok &= app->WriteProfileInt(section, "MRUDockRightPos", m_rectMRUDockPos.right);
    ok &= app->WriteProfileInt(section, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
    ok &= app->WriteProfileInt(section, "MRUFloatStyle", static_cast<int>(m_dwMRUFloatStyle));
    ok &= app->WriteProfileInt(section, "MRUFloatXPos", m_ptMRUFloatPos.x);
    ok &= app->WriteProfileInt(section, "MRUFloatYPos", m_ptMRUFloatPos.y);
    if (m_bDockBar) {
        ok &= app->WriteProfileInt(section, "Bars", static_cast<int>(m_arrBarID.size()));
        for (size_t i = 0; i < m_arrBarID.size(); ++i) {
            CString key;
            key.Format("Bar#%d", static_cast<int>(i));
            ok &= app->WriteProfileInt(section, key, static_cast<int>(m_arrBarID[i]));
        }
    }
    return ok;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return FALSE;
    const CString section = Section(lpszProfileName, nIndex);
    m_nBarID = static_cast<UINT>(ReadInt(app, section, "BarID", 0));
    if (m_nBarID == 0)
        return FALSE;
    m_bVisible = ReadInt(app, section, "Visible", 1) != 0;
    m_bFloating = ReadInt(app, section, "Floating", 0) != 0;
    m_bHorz = ReadInt(app, section, "Horz", 1) != 0;
    m_pointPos = CPoint(ReadInt(app, section, "XPos", -1), ReadInt(app, section, "YPos", -1));
    m_nMRUWidth = ReadInt(app, section, "MRUWidth", 32767);
    m_uMRUDockID = static_cast<UINT>(ReadInt(app, section, "MRUDockID", 0));
    m_rectMRUDockPos = CRect(
        ReadInt(app, section, "MRUDockLeftPos", 0), ReadInt(app, section, "MRUDockTopPos", 0),
        ReadInt(app, section, "MRUDockRightPos", 0), ReadInt(app, section, "MRUDockBottomPos", 0));
    m_dwMRUFloatStyle = static_cast<DWORD>(ReadInt(app, section, "MRUFloatStyle", 0));
    m_ptMRUFloatPos =
        CPoint(ReadInt(app, section, "MRUFloatXPos", 0), ReadInt(app, section, "MRUFloatYPos", 0));
    m_arrBarID.clear();
    const int bars = ReadInt(app, section, "Bars", 0);
    m_bDockBar = bars > 0;
    // A damaged count must not make us read (or allocate) without end.
    for (int i = 0; i < bars && i < 4096; ++i) {
        CString key;
        key.Format("Bar#%d", i);
        m_arrBarID.push_back(static_cast<UINT>(ReadInt(app, section, key, 0)));
    }
    return TRUE;
}

void CDockState::SaveState(LPCTSTR lpszProfileName) const {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    for (size_t i = 0; i < m_arrBarInfo.size(); ++i)
        m_arrBarInfo[i].SaveState(lpszProfileName, static_cast<int>(i));
    app->WriteProfileInt(SummarySection(lpszProfileName), "Bars",
                         static_cast<int>(m_arrBarInfo.size()));
}

void CDockState::LoadState(LPCTSTR lpszProfileName) {
    Clear();
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const int count = ReadInt(app, SummarySection(lpszProfileName), "Bars", 0);
    for (int i = 0; i < count && i < 4096; ++i) {
        CControlBarInfo info;
        if (info.LoadState(lpszProfileName, i))
            m_arrBarInfo.push_back(std::move(info));
    }
}
