#include "pages/measurement/CDlgDiagnostic.h"

#include <iterator>

#include "app/MainFrame.h"
#include "foundation/Language.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDlgDiagnostic, CSettingsPage)

namespace {

const PageLabel kLabels[] = {{IDC_DIAG_GROUPS_LABEL, IDS_DIAG_GROUPS}};

}  // namespace

BOOL CDlgDiagnostic::OnInitDialog() {
    CSettingsPage::OnInitDialog();
    SetLanguageTexts();
    return TRUE;
}

BOOL CDlgDiagnostic::SetLanguageTexts() {
    BOOL all = SetLabelTexts(kLabels, std::size(kLabels));
    CString text;
    for (int id : {IDS_DIAG_MASTER, IDS_DIAG_NO_GROUPS})
        all = FindLanguageString(id, text) && all;
    ShowGroups();
    return all;
}

void CDlgDiagnostic::StartMultiportDetection() {
    CMainFrame* frame = GetMainFrame();
    m_detector.Clear();
    if (frame == nullptr)
        return;
    m_detector.AddCandidates(frame->m_aEntries, COM_MAX_PORTS);
    m_detector.Detect();
    ShowGroups();
    frame->SetTimer(CMainFrame::TIMER_MULTIPORT_EVALUATION, 20, nullptr);
}

std::vector<CMultiportGroup> CDlgDiagnostic::GetMultiportResult() const {
    std::vector<CMultiportGroup> groups;
    for (int i = 0; i < m_detector.GetResultCount(); ++i)
        groups.push_back(m_detector.GetResult(i));
    return groups;
}

void CDlgDiagnostic::ShowGroups() {
    if (m_hWnd == nullptr)
        return;
    CString text;
    for (const CMultiportGroup& group : GetMultiportResult()) {
        CString line;
        line.Format("%lu:", static_cast<unsigned long>(group.dwSerialNumber));
        for (const CString& com : group.comNumbers)
            line += " COM" + com;
        if (!group.strMasterComNumber.IsEmpty())
            line +=
                " (" + GetLanguageString(IDS_DIAG_MASTER) + " COM" + group.strMasterComNumber + ")";
        text += line + "\n";
    }
    if (text.IsEmpty())
        text = GetLanguageString(IDS_DIAG_NO_GROUPS);
    SetDlgItemText(IDC_DIAG_GROUPS, text);
}
