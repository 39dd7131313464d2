// A bar's six sizes in the profile: section "<profile>-SCBar-<id>", keys "sizeHorzCX" ...
// "sizeFloatCY". A stored size is raised to the bar's minimum and kept inside the virtual screen,
// so a damaged or foreign profile cannot make a bar vanish or outgrow every monitor.
#include <algorithm>

#include "app/bars/ViewBarBase.h"
#include "platform/ui/SystemMetrics.h"

namespace {

CString SectionOf(LPCTSTR profile, UINT id) {
    CString section;
    section.Format("%s-SCBar-%d", profile, static_cast<int>(id));
    return section;
}

struct SizeKeys {
    const char* cx;
    const char* cy;
};
constexpr SizeKeys kKeys[3] = {
    {"sizeHorzCX", "sizeHorzCY"}, {"sizeVertCX", "sizeVertCY"}, {"sizeFloatCX", "sizeFloatCY"}};

}  // namespace

void CViewBarBase::SetMinimumSizes(CSize horz, CSize vert, CSize floating) {
    m_szMinHorz = horz;
    m_szMinVert = vert;
    m_szMinFloat = floating;
}

CSize CViewBarBase::GetSize(int kind) const {
    return kind == 0 ? m_szFloat : kind == 1 ? m_szHorz : m_szVert;
}

void CViewBarBase::LoadState(LPCTSTR lpszProfileName) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const CString section = SectionOf(lpszProfileName, GetDlgCtrlID());
    const int screenCx = std::max(1, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    const int screenCy = std::max(1, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    CSize* sizes[3] = {&m_szHorz, &m_szVert, &m_szFloat};
    const CSize minimums[3] = {m_szMinHorz, m_szMinVert, m_szMinFloat};
    for (int i = 0; i < 3; ++i) {
        const int cx = static_cast<int>(app->GetProfileInt(section, kKeys[i].cx, sizes[i]->cx));
        const int cy = static_cast<int>(app->GetProfileInt(section, kKeys[i].cy, sizes[i]->cy));
        sizes[i]->cx = std::clamp(cx, std::min(minimums[i].cx, screenCx), screenCx);
        sizes[i]->cy = std::clamp(cy, std::min(minimums[i].cy, screenCy), screenCy);
    }
}

void CViewBarBase::SaveState(LPCTSTR lpszProfileName) const {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const CString section = SectionOf(lpszProfileName, GetDlgCtrlID());
    const CSize sizes[3] = {m_szHorz, m_szVert, m_szFloat};
    for (int i = 0; i < 3; ++i) {
        app->WriteProfileInt(section, kKeys[i].cx, sizes[i].cx);
        app->WriteProfileInt(section, kKeys[i].cy, sizes[i].cy);
    }
}
