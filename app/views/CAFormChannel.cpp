// A channel view's fields, buttons and registration. The fields take what the measured-value
// flow hands them; a per-field one-shot timer (ids 11.., 21.., 31.., 41.. + channel) marks the
// field ready again after 100 ms. The buttons act on the frame's channel of this view.
#include "app/views/CAFormChannel.h"

#include "app/MainFrame.h"
#include "foundation/Language.h"
#include "foundation/SharedConstants.h"
#include "res/TextIds.h"

IMPLEMENT_DYNAMIC(CAFormChannelX, CFormView)
IMPLEMENT_DYNCREATE(CAFormChannelA, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelB, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelC, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelD, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelP1, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelP2, CAFormChannelX)

BEGIN_MESSAGE_MAP(CAFormChannelX, CFormView)
ON_BN_CLICKED(CAFormChannelX::IDC_TARA, &CAFormChannelX::OnBnClickedTara)
ON_BN_CLICKED(CAFormChannelX::IDC_MIN_RESET, &CAFormChannelX::OnBnClickedMinReset)
ON_BN_CLICKED(CAFormChannelX::IDC_MAX_RESET, &CAFormChannelX::OnBnClickedMaxReset)
ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

constexpr UINT kFieldIds[CAFormChannelX::FIELD_COUNT] = {
    CAFormChannelX::IDC_VALUE_FIELD, CAFormChannelX::IDC_TARE_FIELD, CAFormChannelX::IDC_MIN_FIELD,
    CAFormChannelX::IDC_MAX_FIELD};
// Timer id of a field = its offset + the channel index.
constexpr UINT kTimerOffsets[CAFormChannelX::FIELD_COUNT] = {11, 21, 31, 41};

}  // namespace

CAFormChannelX::CAFormChannelX(int channel) : CFormView(IDD), m_iChannel(channel) {}

CMainFrame* CAFormChannelX::Frame() const {
    return m_pMainFrame != nullptr ? m_pMainFrame : GetMainFrame();
}

void CAFormChannelX::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (!m_bFirstUpdatePending)
        return;
    m_pMainFrame = GetMainFrame();
    SetMainFrame(m_pMainFrame);
    PostFormRegistration(this, WM_REGISTER_CHANNEL_VIEW_A + static_cast<UINT>(m_iChannel));
    m_bFirstUpdatePending = FALSE;
}

BOOL CAFormChannelX::PreTranslateMessage(MSG* pMsg) {
    if (OfferToShortcutKeys(pMsg))
        return TRUE;
    // In a floating bar the focus leaves the main window's reach; Alt must still work its menu.
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU && m_pMainFrame != nullptr) {
        for (CWnd* parent = GetParent(); parent != nullptr; parent = parent->GetParent()) {
            if (auto* bar = DYNAMIC_DOWNCAST(CControlBar, parent)) {
                if (bar->IsFloating())
                    m_pMainFrame->SetFocus();
                break;
            }
        }
    }
    return CFormView::PreTranslateMessage(pMsg);
}

void CAFormChannelX::ShowField(Field field, const CString& numberText) {
    m_abReady[field] = 0;
    if (m_hWnd != nullptr)
        SetTimer(kTimerOffsets[field] + static_cast<UINT>(m_iChannel), kFieldPauseMs);
    const CString text = FormatChannelValue(numberText, 0, MODE_APPEND_UNIT);
    if (CWnd* control = m_hWnd != nullptr ? GetDlgItem(kFieldIds[field]) : nullptr)
        control->SetWindowText(text);
}

void CAFormChannelX::ShowActualValue(const CString& numberText) {
    ShowField(FIELD_VALUE, numberText);
}
void CAFormChannelX::ShowTaraValue(const CString& numberText) {
    ShowField(FIELD_TARE, numberText);
}
void CAFormChannelX::ShowMinValue(const CString& numberText) {
    ShowField(FIELD_MIN, numberText);
}
void CAFormChannelX::ShowMaxValue(const CString& numberText) {
    ShowField(FIELD_MAX, numberText);
}

BOOL CAFormChannelX::IsFieldReady(int field) const {
    return field >= 0 && field < FIELD_COUNT && m_abReady[field] != 0;
}

BOOL CAFormChannelX::IsViewVisible() const {
    return m_hWnd != nullptr && IsWindowVisible();
}

BOOL CAFormChannelX::FindBestUnit(const CString& valueText, char quantityLetter, int& unitIndex,
                                  int& decimals) {
    const CString shown = FormatChannelValue(valueText, quantityLetter, MODE_BEST_UNIT, nullptr,
                                             nullptr, nullptr, &unitIndex, &decimals);
    return shown != kNotAvailableText;
}

void CAFormChannelX::OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    if (nIDEvent < 20)
        m_abReady[FIELD_VALUE] = 1;
    else if (nIDEvent < 30)
        m_abReady[FIELD_TARE] = 1;
    else if (nIDEvent < 40)
        m_abReady[FIELD_MIN] = 1;
    else if (nIDEvent < 50)
        m_abReady[FIELD_MAX] = 1;
    CFormView::OnTimer(nIDEvent);
}

CString CAFormChannelX::FormatChannelValue(const CString& text, char unitLetter, int mode,
                                           CString* numberText, CString* unitText, int* unitId,
                                           int* unitIndex, int* decimals, double* factor) {
    if (GetChannelUnits() == nullptr)
        SetMainFrame(Frame());
    const IChannelUnitSource* units = GetChannelUnits();
    const int record = units != nullptr ? units->GetRecordOfChannel(m_iChannel) : m_iChannel;
    return FormatValue(record, text, unitLetter, mode, numberText, unitText, unitId, unitIndex,
                       decimals, factor);
}

void CAFormChannelX::SetButtonTexts(const CString& tare, const CString& minimum,
                                    const CString& maximum) {
    if (m_hWnd == nullptr)
        return;
    const CString* texts[] = {&tare, &minimum, &maximum};
    const UINT ids[] = {IDC_TARA, IDC_MIN_RESET, IDC_MAX_RESET};
    for (size_t i = 0; i < 3; ++i) {
        if (CWnd* button = GetDlgItem(ids[i]))
            button->SetWindowText(*texts[i]);
    }
}

int CAFormChannelX::GetTareLock() const {
    const CMainFrame* frame = Frame();
    return frame != nullptr ? frame->Measurement().Flow().m_aiTareState[m_iChannel] : 1;
}

void CAFormChannelX::OnBnClickedTara() {
    CMainFrame* frame = Frame();
    if (frame == nullptr)
        return;
    // The view's own record, never the remapped one: the frame's tare reads the same lock.
    const int lock = frame->ToggleTareLock(m_iChannel);
    CString caption = "init";
    if (lock == 1)
        caption = GetLanguageString(IDS_TARE);
    else if (lock == 0)
        caption = GetLanguageString(IDS_TARE_CLEAR);
    if (CWnd* button = m_hWnd != nullptr ? GetDlgItem(IDC_TARA) : nullptr)
        button->SetWindowText(caption);
    frame->TareChannel(m_iChannel);
}

void CAFormChannelX::OnBnClickedMinReset() {
    if (CMainFrame* frame = Frame())
        frame->ResetChannelMinimum(m_iChannel);
}

void CAFormChannelX::OnBnClickedMaxReset() {
    if (CMainFrame* frame = Frame())
        frame->ResetChannelMaximum(m_iChannel);
}

void CAFormChannelX::SwitchTaraOn() {
    if (GetTareLock() == 0)
        OnBnClickedTara();
}
