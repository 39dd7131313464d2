// The scale step of an adjustment. Its input form takes full scale, scaling value and digits per
// channel and checks them; shown again as the reading form it starts the loaded reading, which
// the engine ends through CloseIfVisible. Cancel in the reading form stops the reading first, so
// only a reading started from the confirmed input can lead to a write.
#include "foundation/EditHelpers.h"
#include "foundation/Language.h"
#include "pages/common/ChannelViewControl.h"
#include "pages/common/DisplayHelper.h"
#include "pages/common/PageHost.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CalibrationMath.h"
#include "pages/sensor/CalibrationStepDialogs.h"
#include "platform/framework/MessageBox.h"
#include "res/TextIds.h"
#include "sensor/CTarvik_Send.h"

namespace {

constexpr int IDC_FULL_SCALE[2] = {1221, 1329};
constexpr int IDC_SCALE[2] = {1222, 1330};
constexpr int IDC_DIGITS[2] = {1335, 1336};
// The unit beside the full-scale edit and beside the scaling edit of each channel.
constexpr int IDC_UNIT_FULL_SCALE[2] = {1223, 1331};
constexpr int IDC_UNIT_SCALE[2] = {1224, 1332};
constexpr int IDC_CHANNEL_B_ONLY[] = {1329, 1330, 1336, 1331, 1332, 1334, 1338, 1346};
constexpr int IDC_COPY_TO_B = 1346;
constexpr int IDC_NOT_LOADED = 1469;
constexpr unsigned short kNotLoadedIcon = 179;
constexpr DWORD kDefaultDigits = 10000;
constexpr int kFieldCharacters = 5;
// What the five-character field takes and what the sensor can reach, whichever is less.
constexpr DWORD kMaximumTypedDigits = calib::kMaximumDigits < 99999 ? calib::kMaximumDigits : 99999;

}  // namespace

IMPLEMENT_DYNAMIC(CDlgCalibMsgGetValueEnd, CCalibStepDialog)

BEGIN_MESSAGE_MAP(CDlgCalibMsgGetValueEnd, CCalibStepDialog)
ON_BN_CLICKED(IDC_COPY_TO_B, &CDlgCalibMsgGetValueEnd::OnCopyToB)
ON_EN_CHANGE(1222, &CDlgCalibMsgGetValueEnd::OnScaleTypedA)
ON_EN_CHANGE(1330, &CDlgCalibMsgGetValueEnd::OnScaleTypedB)
END_MESSAGE_MAP()

BOOL CDlgCalibMsgGetValueEnd::OnInitDialog() {
    CCalibStepDialog::OnInitDialog();
    if (m_ledNotLoaded.m_hWnd == nullptr && m_ledNotLoaded.SubclassDlgItem(IDC_NOT_LOADED, this)) {
        m_ledNotLoaded.SetNumberOfStates(1, false);
        m_ledNotLoaded.LoadStateIcon(0, kNotLoadedIcon, 16, 16);
    }
    for (int ch = 0; ch < 2; ++ch) {
        SendDlgItemMessage(IDC_SCALE[ch], EM_LIMITTEXT, 8, 0);
        SendDlgItemMessage(IDC_DIGITS[ch], EM_LIMITTEXT, kFieldCharacters, 0);
    }
    return TRUE;
}

void CDlgCalibMsgGetValueEnd::SetTexts() {
    SetWindowText(GetLanguageString(IDS_NAVI_CALIBRATION));
    SetDlgItemText(1219, GetLanguageString(IDS_CALIB_LOAD));
    SetDlgItemText(1225, GetLanguageString(IDS_CALIB_LOAD_NOTE));
    SetDlgItemText(IDOK, GetLanguageString(IDS_NEXT));
    SetDlgItemText(IDCANCEL, GetLanguageString(IDS_CANCEL));
    SetDlgItemText(1220, GetLanguageString(IDS_CALIB_UPPER_RANGE_VALUE));
    SetDlgItemText(1159, GetLanguageString(IDS_CALIB_ADJUSTING_VALUE));
    SetDlgItemText(1333, GetLanguageString(IDS_CHANNEL_A));
    SetDlgItemText(1334, GetLanguageString(IDS_CHANNEL_B));
    SetDlgItemText(IDC_NOT_LOADED, GetLanguageString(IDS_NOT_LOADED));
    const bool single = m_pPage != nullptr && m_pPage->m_bSingleChannel;
    for (int id : IDC_CHANNEL_B_ONLY) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(single ? SW_HIDE : SW_SHOW);
    }
    if (CWnd* indicator = GetDlgItem(IDC_NOT_LOADED))
        indicator->ShowWindow(SW_HIDE);
    if (m_pPage == nullptr)
        return;
    FillChannel(0);
    FillChannel(1);
    m_bReadingForm = m_pPage->m_bReadingPhase;
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(!m_bReadingForm);
    if (!m_bReadingForm) {
        if (CWnd* edit = GetDlgItem(IDC_SCALE[0])) {
            edit->SetFocus();
            edit->SendMessage(EM_SETSEL, 0, -1);
        }
        return;
    }
    // The reading form: the run's input stands, the loaded reading starts.
    m_pPage->m_bReadingPhase = FALSE;
    UpdateProgressBar();
    PageHost* frame = m_pPage->Host();
    if (frame->Commands().COM_ZMCOMStartReadRawCalib(CALIB_PHASE_SCALE) >= 0)
        frame->WaitCursorOn();
    else
        EndDialog(IDCANCEL);
}

void CDlgCalibMsgGetValueEnd::FillChannel(int channel) {
    PageHost* frame = m_pPage->Host();
    const SensorRecord& record = frame->Dialogue().m_aSensorRecord[0];
    const int source = m_pPage->m_bSingleChannel ? 0 : channel;
    // The range in the unit that suits it, as the information page shows it; the scaling value
    // is typed in the same unit.
    CString fullScale = CTarvik_Send::TarSend_GetRangeText(record, source);
    CString unit;
    if (IChannelViewControl* view = frame->ChannelViewControl(source)) {
        CString number;
        view->FormatChannelValue(fullScale, static_cast<char>(record.ucUnitLetter[source]),
                                 CDisplayHelper::MODE_RANGE, &number, &unit);
        if (!number.IsEmpty())
            fullScale = number;
    }
    fullScale.Replace('.', GetDecimalSeparatorOf(-1));
    SetDlgItemText(IDC_FULL_SCALE[channel], fullScale);
    SetDlgItemText(IDC_UNIT_FULL_SCALE[channel], unit);
    SetDlgItemText(IDC_UNIT_SCALE[channel], unit);
    if (m_bReadingForm || m_pPage->m_bReadingPhase) {
        SetDlgItemText(IDC_SCALE[channel], m_pPage->m_strRememberedScale[channel]);
        SetDlgItemText(IDC_DIGITS[channel], m_pPage->m_strDigits[channel]);
        return;
    }
    if (m_pPage->m_bRememberScale[channel]) {
        CString remembered = m_pPage->m_strRememberedScale[channel];
        remembered.Replace('.', GetDecimalSeparatorOf(-1));
        SetDlgItemText(IDC_SCALE[channel], remembered);
        m_pPage->m_bRememberScale[channel] = FALSE;
    } else {
        SetDlgItemText(IDC_SCALE[channel], fullScale);
    }
    DWORD stored = record.dwUserDigits[channel];
    if (stored == calib::kDigitsNotSet && channel == 1)
        stored = record.dwFactoryDigits[1];
    const DWORD digits = stored == calib::kDigitsNotSet
                             ? kDefaultDigits
                             : calib::ProposedDigits(stored, record.dRange[source],
                                                     kMaximumTypedDigits, kDefaultDigits);
    CString text;
    text.Format("%d", static_cast<int>(digits));
    SetDlgItemText(IDC_DIGITS[channel], text);
}

void CDlgCalibMsgGetValueEnd::OnCopyToB() {
    CString text;
    GetDlgItemText(IDC_DIGITS[0], text);
    SetDlgItemText(IDC_DIGITS[1], text);
    GetDlgItemText(IDC_SCALE[0], text);
    SetDlgItemText(IDC_SCALE[1], text);
}

void CDlgCalibMsgGetValueEnd::OnScaleTyped(int channel) {
    CWnd* edit = GetDlgItem(IDC_SCALE[channel]);
    if (edit == nullptr)
        return;
    bool changed = false;
    const double value = FilterNumericEditInput(edit->GetSafeHwnd(), changed);
    if (!changed && m_pPage != nullptr)
        m_pPage->m_dScale[channel] = value;
}

void CDlgCalibMsgGetValueEnd::OnOK() {
    if (m_bReadingForm || m_pPage == nullptr)
        return;  // the engine ends the reading form
    if (m_pPage->m_bSingleChannel) {
        for (const int* ids : {IDC_FULL_SCALE, IDC_SCALE, IDC_DIGITS}) {
            CString text;
            GetDlgItemText(ids[0], text);
            SetDlgItemText(ids[1], text);
        }
    }
    StoreRectangle();
    CString fullScale[2];
    CString scale[2];
    bool digitsOk = true;
    for (int ch = 0; ch < 2; ++ch) {
        GetDlgItemText(IDC_FULL_SCALE[ch], fullScale[ch]);
        GetDlgItemText(IDC_SCALE[ch], scale[ch]);
        GetDlgItemText(IDC_DIGITS[ch], m_pPage->m_strDigits[ch]);
        uint32_t digits = 0;
        digitsOk = calib::ParseDigitsText(m_pPage->m_strDigits[ch], digits) && digitsOk;
        m_pPage->m_dwDigits[ch] = digits;
        m_pPage->m_strRememberedScale[ch] = scale[ch];
    }
    if (RefuseDigitsBeyondSensor())
        return;
    const BOOL accepted = m_pPage->CheckScaleInputs(fullScale, scale) && digitsOk;
    m_pPage->m_bWrongScale = !accepted;
    EndDialog(IDOK);
}

BOOL CDlgCalibMsgGetValueEnd::RefuseDigitsBeyondSensor() {
    for (int ch = 0; ch < 2; ++ch) {
        if (m_pPage->m_dwDigits[ch] <= kMaximumTypedDigits)
            continue;
        CString maximum;
        maximum.Format("%u", static_cast<unsigned>(kMaximumTypedDigits));
        const CString text = calib::ReplaceHashes(
            calib::ReplaceChannelLetter(GetLanguageString(IDS_CALIB_DIGITS_TOO_LARGE),
                                        static_cast<char>('A' + ch)),
            maximum, maximum);
        AfxMessageBox(text, MB_ICONWARNING);
        if (CWnd* edit = GetDlgItem(IDC_DIGITS[m_pPage->m_bSingleChannel ? 0 : ch])) {
            edit->SetFocus();
            edit->SendMessage(EM_SETSEL, 0, -1);
        }
        return TRUE;
    }
    return FALSE;
}

void CDlgCalibMsgGetValueEnd::OnCancel() {
    if (m_bReadingForm && m_pPage != nullptr) {
        // The reading stops before the dialog goes: its end can no longer write anything.
        m_pPage->Host()->Commands().COM_ZMCOMStopReadRawCalib();
        m_pPage->Host()->WaitCursorOff();
        m_bReadingForm = FALSE;
    }
    CCalibStepDialog::OnCancel();
}

void CDlgCalibMsgGetValueEnd::CloseIfVisible() {
    if (m_pPage != nullptr)
        m_pPage->Host()->WaitCursorOff();
    if (m_hWnd == nullptr || !IsWindowVisible())
        return;
    if (m_bReadingForm) {
        m_bReadingForm = FALSE;
        EndDialog(IDOK);
    } else {
        // The input form is not confirmed: the run is over.
        if (m_pPage != nullptr)
            m_pPage->EndRun();
        EndDialog(IDCANCEL);
    }
}

void CDlgCalibMsgGetValueEnd::ShowNotLoaded() {
    if (CWnd* indicator = m_hWnd != nullptr ? GetDlgItem(IDC_NOT_LOADED) : nullptr)
        indicator->ShowWindow(SW_SHOW);
}
