// The uncertainty input shows the values in force per channel and offers change and delete per
// channel; the range message shows the bounds 5 % and 0 %. Channel B is offered only to sensors
// that have it.
#include "pages/sensor/CalibUncertaintyDialogs.h"

#include <algorithm>

#include "foundation/Language.h"
#include "foundation/NumberText.h"
#include "pages/common/PageHost.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CalibrationMath.h"
#include "res/TextIds.h"

namespace {

constexpr int IDC_RADIO_A = 1475;
constexpr int IDC_RADIO_B = 1476;
constexpr int IDC_EDIT[2] = {1207, 1208};
constexpr int IDC_LABEL[2] = {1250, 1253};
constexpr int IDC_PERCENT[2] = {1378, 1379};
constexpr int IDC_CHANGE[2] = {IDOK, 3};
constexpr int IDC_DELETE[2] = {1345, 1288};
constexpr int IDC_RANGE_TEXT = 1252;

// "%f" without its trailing zeros, in the language's separator; invalid values show "0,000".
CString UncertaintyText(double value, bool valid) {
    const char separator = GetDecimalSeparatorOf(-1);
    if (!valid)
        return CString("0") + CString(separator, 1) + "000";
    CString text;
    text.Format("%f", value);
    text.TrimRight('0');
    text.TrimRight('.');
    text.Replace('.', separator);
    return text;
}

// Channel B is offered behind the maker's box and the NX interfaces, and for stator 4; never for
// a sensor with one measuring channel, which has no channel B to keep an uncertainty.
bool HasChannelB(const SensorRecord& record, bool singleChannel) {
    return !singleChannel && (record.ucDeviceKind == 0 || record.ucStatorId == 4);
}

// A one-channel sensor's dialog at its first show: three quarters of its height, Cancel moved
// up to the freed room's edge, and never below the client area the caption leaves.
void ShrinkForOneChannel(CWnd& dialog) {
    constexpr int kBottomMargin = 4;
    CRect rect;
    dialog.GetWindowRect(&rect);
    const int height = rect.Height() * 3 / 4;
    dialog.SetWindowPos(nullptr, 0, 0, rect.Width(), height,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CWnd* cancel = dialog.GetDlgItem(IDCANCEL);
    if (cancel == nullptr)
        return;
    CRect client;
    dialog.GetClientRect(&client);
    CRect button;
    cancel->GetWindowRect(&button);
    const int top = std::min(height * 72 / 100, client.Height() - button.Height() - kBottomMargin);
    cancel->SetWindowPos(nullptr, 11, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

BOOL CDlgCalibInaccuracyDefine::s_bChannelA = TRUE;

IMPLEMENT_DYNAMIC(CDlgCalibInaccuracyDefine, CDialog)
IMPLEMENT_DYNAMIC(CDlgCalibInaccuracyRangeFailure, CDialog)

BEGIN_MESSAGE_MAP(CDlgCalibInaccuracyDefine, CDialog)
ON_WM_SHOWWINDOW()
ON_EN_CHANGE(1207, &CDlgCalibInaccuracyDefine::OnChangeA)
ON_EN_CHANGE(1208, &CDlgCalibInaccuracyDefine::OnChangeB)
ON_BN_CLICKED(IDOK, &CDlgCalibInaccuracyDefine::OnChangeChannelA)
ON_BN_CLICKED(3, &CDlgCalibInaccuracyDefine::OnChangeChannelB)
ON_BN_CLICKED(1345, &CDlgCalibInaccuracyDefine::OnDeleteA)
ON_BN_CLICKED(1288, &CDlgCalibInaccuracyDefine::OnDeleteB)
ON_BN_CLICKED(1475, &CDlgCalibInaccuracyDefine::OnChannelChosen)
ON_BN_CLICKED(1476, &CDlgCalibInaccuracyDefine::OnChannelChosen)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDlgCalibInaccuracyRangeFailure, CDialog)
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CDlgCalibInaccuracyDefine::CDlgCalibInaccuracyDefine(CDlgSensorCalibration* page)
    : CDialog(IDD, page), m_pPage(page) {}

BOOL CDlgCalibInaccuracyDefine::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_RADIO_A, s_bChannelA ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_RADIO_B, s_bChannelA ? BST_UNCHECKED : BST_CHECKED);
    ApplyChannelEnabling();
    for (int id : IDC_EDIT)
        SendDlgItemMessage(id, EM_LIMITTEXT, 6, 0);
    return TRUE;
}

void CDlgCalibInaccuracyDefine::ApplyChannelEnabling() {
    for (int ch = 0; ch < 2; ++ch) {
        const BOOL enable = (ch == 0) == (s_bChannelA != FALSE);
        for (int id : {IDC_CHANGE[ch], IDC_DELETE[ch], IDC_EDIT[ch]}) {
            if (CWnd* control = GetDlgItem(id))
                control->EnableWindow(enable);
        }
    }
}

void CDlgCalibInaccuracyDefine::OnChannelChosen() {
    s_bChannelA = IsDlgButtonChecked(IDC_RADIO_A) == BST_CHECKED;
    ApplyChannelEnabling();
}

void CDlgCalibInaccuracyDefine::OnShowWindow(BOOL bShow, UINT nStatus) {
    CDialog::OnShowWindow(bShow, nStatus);
    PageHost* frame = GetPageHost();
    if (!bShow || frame == nullptr || frame->IsStartUpPending() || m_pPage == nullptr)
        return;
    if (!m_pPage->m_bFirstStepDialog && !m_pPage->m_rectStep.IsRectEmpty()) {
        const CRect& r = m_pPage->m_rectStep;
        SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (m_pPage->m_bFirstStepDialog && m_pPage->m_bSingleChannel) {
        ShrinkForOneChannel(*this);
    }
    m_pPage->m_bFirstStepDialog = FALSE;
    SetWindowText(GetLanguageString(IDS_UNCERTAINTY_CAPTION));
    CString label = GetLanguageString(IDS_UNCERTAINTY_LABEL);
    label.Remove(':');
    SetDlgItemText(IDC_LABEL[0], label + " " + GetLanguageString(IDS_CHANNEL_A) + ":");
    SetDlgItemText(IDC_LABEL[1], label + " " + GetLanguageString(IDS_CHANNEL_B) + ":");
    BOOL valid[2] = {};
    for (int ch = 0; ch < 2; ++ch) {
        const double value =
            frame->Dialogue().COM_GetActiveCalibValue(0, &valid[ch], nullptr, nullptr, ch == 0);
        SetDlgItemText(IDC_EDIT[ch], UncertaintyText(value, valid[ch] != FALSE));
    }
    const int focus = valid[0] && !valid[1] ? IDC_EDIT[1] : IDC_EDIT[0];
    if (CWnd* edit = GetDlgItem(focus)) {
        edit->SetFocus();
        edit->SendMessage(EM_SETSEL, 0, -1);
    }
    SetDlgItemText(IDC_CHANGE[0], GetLanguageString(IDS_CHANGE));
    SetDlgItemText(IDC_CHANGE[1], GetLanguageString(IDS_CHANGE));
    SetDlgItemText(IDC_DELETE[0], GetLanguageString(IDS_DELETE));
    SetDlgItemText(IDC_DELETE[1], GetLanguageString(IDS_DELETE));
    SetDlgItemText(IDCANCEL, GetLanguageString(IDS_CANCEL));
    const bool channelB =
        HasChannelB(frame->Dialogue().m_aSensorRecord[0], m_pPage->m_bSingleChannel);
    for (int id :
         {IDC_RADIO_B, IDC_LABEL[1], IDC_EDIT[1], IDC_PERCENT[1], IDC_CHANGE[1], IDC_DELETE[1]}) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(channelB ? SW_SHOW : SW_HIDE);
    }
}

void CDlgCalibInaccuracyDefine::OnChangeA() {
    CString text;
    GetDlgItemText(IDC_EDIT[0], text);
    if (!calib::ParseDecimalText(text, m_dValue[0]))
        m_dValue[0] = 0.0;
}

void CDlgCalibInaccuracyDefine::OnChangeB() {
    CString text;
    GetDlgItemText(IDC_EDIT[1], text);
    if (!calib::ParseDecimalText(text, m_dValue[1]))
        m_dValue[1] = 0.0;
}

void CDlgCalibInaccuracyDefine::Finish(double value, int action) {
    m_pPage->m_dUncertainty = value;
    m_pPage->m_iUncertaintyAction = action;
    EndDialog(IDOK);
}

void CDlgCalibInaccuracyRangeFailure::OnShowWindow(BOOL bShow, UINT nStatus) {
    CDialog::OnShowWindow(bShow, nStatus);
    PageHost* frame = GetPageHost();
    if (!bShow || frame == nullptr || frame->IsStartUpPending())
        return;
    SetWindowText(GetLanguageString(IDS_UNCERTAINTY_CAPTION));
    SetDlgItemText(IDC_RANGE_TEXT,
                   calib::ReplaceHashes(GetLanguageString(IDS_UNCERTAINTY_WRONG), "5", "0"));
    SetDlgItemText(IDOK, GetLanguageString(IDS_BACK));
}
