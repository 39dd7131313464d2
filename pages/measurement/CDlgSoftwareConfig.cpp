// The scaling dialog: the sensor record's scaling fields shown and edited, checked before they
// are written. The sensor keeps at most 8 printable ASCII characters of a name and a single-
// precision factor, so anything else is refused with a message before a write could fail; and a
// write while the sensor measures or answers another request is refused, the dialog stays.
#include "pages/measurement/CDlgSoftwareConfig.h"

#include "foundation/Language.h"
#include "foundation/LanguageMessageBox.h"
#include "foundation/NumberText.h"
#include "pages/common/ChannelViewControl.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CValidation_IO_NIO.h"
#include "pages/measurement/MeasureAdjustChoices.h"
#include "res/measure_adjust.h"
#include "sensor/CTarvik_Send.h"

IMPLEMENT_DYNAMIC(CDlgSoftwareConfig, CDialog)

namespace {

constexpr int kChannelTexts[2] = {IDS_CHANNEL_A, IDS_CHANNEL_B};

UINT ChannelId(UINT first, int channel) {
    return first + static_cast<UINT>(channel);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgSoftwareConfig, CDialog)
ON_CONTROL_RANGE(EN_CHANGE, IDC_SWC_NAME, IDC_SWC_FACTOR + 1, &CDlgSoftwareConfig::OnFieldChanged)
ON_CONTROL_RANGE(BN_CLICKED, IDC_SWC_PRESENT, IDC_SWC_PRESENT + 1,
                 &CDlgSoftwareConfig::OnPresentClicked)
END_MESSAGE_MAP()

CDlgSoftwareConfig::CDlgSoftwareConfig(CDlgMeasureAdjust* page, int sensor)
    : m_pPage(page), m_iSensor(sensor >= 0 && sensor < COM_MAX_SENSORS ? sensor : 0) {}

CDlgSoftwareConfig::~CDlgSoftwareConfig() {
    if (m_pPage != nullptr)
        m_pPage->OnScalingDialogGone(this);
}

PageHost* CDlgSoftwareConfig::Host() const {
    return GetPageHost();
}

void CDlgSoftwareConfig::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int c = 0; c < kChannels; ++c) {
        DDX_Control(pDX, static_cast<int>(ChannelId(IDC_SWC_NAME, c)), m_editName[c]);
        DDX_Control(pDX, static_cast<int>(ChannelId(IDC_SWC_FACTOR, c)), m_editFactor[c]);
    }
}

BOOL CDlgSoftwareConfig::OnInitDialog() {
    CDialog::OnInitDialog();
    PageHost* frame = Host();
    m_iLanguage = GetLanguageOffset();
    // French is held as 4000 by the frame: the edits follow its offset member.
    int* language = frame != nullptr ? frame->LanguageOffsetVariable() : &m_iLanguage;
    for (int c = 0; c < kChannels; ++c) {
        m_editName[c].SetInputParameters(measure_adjust::kScalingNameCharacters, 0, 1000, 4000,
                                         3000, language, false, nullptr, false);
        m_editName[c].SetMaxTextLength(measure_adjust::kScalingNameLength);
        m_editFactor[c].SetInputParameters(".,0123456789", 0, 1000, 4000, 3000, language, true,
                                           nullptr, false);
        m_editFactor[c].SetMaxTextLength(24);
    }
    SetLanguageTexts();
    ShowRecord();
    return TRUE;
}

BOOL CDlgSoftwareConfig::SetLanguageTexts() {
    BOOL all = TRUE;
    auto text = [&all](int id) {
        CString found;
        if (!FindLanguageString(id, found))
            all = FALSE;
        return found;
    };
    SetWindowText(text(IDS_SWC_CAPTION));
    SetDlgItemText(IDC_SWC_NAME_TITLE, text(IDS_SWC_NAME));
    SetDlgItemText(IDC_SWC_FACTOR_TITLE, text(IDS_SWC_FACTOR));
    SetDlgItemText(IDC_SWC_PREVIEW_TITLE, text(IDS_SWC_PREVIEW));
    SetDlgItemText(IDCANCEL, text(IDS_CANCEL));
    const CString present = text(IDS_SWC_PRESENT);
    for (int c = 0; c < kChannels; ++c) {
        CString label;
        label.Format(present.GetString(), text(kChannelTexts[c]).GetString());
        SetDlgItemText(static_cast<int>(ChannelId(IDC_SWC_PRESENT, c)), label);
    }
    return all;
}

void CDlgSoftwareConfig::ShowRecord() {
    PageHost* frame = Host();
    if (frame == nullptr)
        return;
    const SensorRecord& record = frame->Dialogue().m_aSensorRecord[m_iSensor];
    for (int c = 0; c < kChannels; ++c) {
        CheckDlgButton(static_cast<int>(ChannelId(IDC_SWC_PRESENT, c)),
                       record.ucScalingPresent[c] == 1 ? BST_CHECKED : BST_UNCHECKED);
        const CString name(record.szScalingName[c],
                           static_cast<int>(strnlen(record.szScalingName[c], 8)));
        CString factor;
        if (record.dScalingFactor[c] > 0.0)
            factor.Format("%.7g", record.dScalingFactor[c]);
        for (CMyEdit* edit : {&m_editName[c], &m_editFactor[c]}) {
            edit->LockChangeDetection();
            edit->SetValueText(edit == &m_editName[c] ? name : factor);
            edit->UnlockChangeDetection();
        }
        UpdatePreview(c);
    }
}

void CDlgSoftwareConfig::OnFieldChanged(UINT id) {
    const bool name = id < IDC_SWC_FACTOR;
    const int channel = static_cast<int>(id - (name ? IDC_SWC_NAME : IDC_SWC_FACTOR));
    CMyEdit& edit = name ? m_editName[channel] : m_editFactor[channel];
    // The change test runs the typing filter; the preview follows every real change.
    if (edit.HasValueChanged())
        UpdatePreview(channel);
}

void CDlgSoftwareConfig::OnPresentClicked(UINT id) {
    UpdatePreview(static_cast<int>(id - IDC_SWC_PRESENT));
}

void CDlgSoftwareConfig::UpdatePreview(int channel) {
    PageHost* frame = Host();
    CString preview;
    CString name;
    CString factorText;
    m_editName[channel].GetWindowText(name);
    m_editFactor[channel].GetWindowText(factorText);
    double factor = 0.0;
    if (frame != nullptr &&
        IsDlgButtonChecked(static_cast<int>(ChannelId(IDC_SWC_PRESENT, channel))) &&
        measure_adjust::ParseNumber(factorText, factor) &&
        measure_adjust::IsValidScalingFactor(factor)) {
        const SensorRecord& record = frame->Dialogue().m_aSensorRecord[m_iSensor];
        // The range in the quantity's best unit, then in the scaled unit.
        const CString number = CTarvik_Send::TarSend_GetRangeText(record, channel);
        CString best = number;
        if (IChannelViewControl* view = frame->ChannelViewControl(channel))
            best = view->FormatChannelValue(number, static_cast<char>(record.ucUnitLetter[channel]),
                                            1);
        preview = best + " = " + FormatDecimal(record.dRange[channel] * factor, 3) + " " + name;
    }
    m_strPreview[channel] = preview;
    SetDlgItemText(static_cast<int>(ChannelId(IDC_SWC_PREVIEW, channel)), preview);
}

CString CDlgSoftwareConfig::GetPreviewText(int channel) const {
    return channel >= 0 && channel < kChannels ? m_strPreview[channel] : CString();
}

bool CDlgSoftwareConfig::ReadTyped(bool present[kChannels], CString names[kChannels],
                                   double factors[kChannels]) {
    for (int c = 0; c < kChannels; ++c) {
        present[c] = IsDlgButtonChecked(static_cast<int>(ChannelId(IDC_SWC_PRESENT, c))) != 0;
        m_editName[c].GetWindowText(names[c]);
        CString factorText;
        m_editFactor[c].GetWindowText(factorText);
        factors[c] = 0.0;
        if (!present[c])
            continue;
        if (!measure_adjust::IsValidScalingName(names[c])) {
            ShowLanguageMessageBox(IDS_SWC_BAD_NAME, MB_ICONEXCLAMATION);
            m_editName[c].SetFocus();
            return false;
        }
        if (!measure_adjust::ParseNumber(factorText, factors[c]) ||
            !measure_adjust::IsValidScalingFactor(factors[c])) {
            ShowLanguageMessageBox(IDS_SWC_BAD_FACTOR, MB_ICONEXCLAMATION);
            m_editFactor[c].SetFocus();
            return false;
        }
    }
    return true;
}

void CDlgSoftwareConfig::OnOK() {
    PageHost* frame = Host();
    if (frame == nullptr)
        return;
    bool present[kChannels] = {};
    CString names[kChannels];
    double factors[kChannels] = {};
    if (!ReadTyped(present, names, factors))
        return;
    const IMeasurePanelLink* panel = frame->MeasurePanel();
    if (!frame->IsEngineAtRest() || (panel != nullptr && panel->IsMeasuring())) {
        ShowLanguageMessageBox(IDS_SWC_BUSY, MB_ICONEXCLAMATION);
        return;
    }
    for (int c = 0; c < kChannels; ++c)
        frame->Commands().COM_TakeSoftwareScaling(m_iSensor, c, present[c] ? TRUE : FALSE, names[c],
                                                  factors[c]);
    frame->Commands().COM_WriteSoftwareConfigNow(m_iSensor, PageHost::TIMER_SW_CONFIG_WRITE);
    DestroyWindow();
}

void CDlgSoftwareConfig::OnCancel() {
    OnBnClickedCancel();
}

void CDlgSoftwareConfig::OnBnClickedCancel() {
    if (m_pPage != nullptr) {
        m_pPage->OnScalingDialogGone(this);
        m_pPage = nullptr;
    }
    DestroyWindow();
}

void CDlgSoftwareConfig::PostNcDestroy() {
    CDialog::PostNcDestroy();
    delete this;
}
