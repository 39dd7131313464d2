// Filling the information page from the sensor records: label texts, one sensor's fields, the
// encoder fields, the no-sensor state, what each layout shows, and the four lists of several
// sensors (sorted by position, the rows without a number last).
#include <cstring>

#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "res/TextIds.h"
#include "sensor/CTarvik_Send.h"
#include "sensor/ChanState.h"

namespace {

constexpr const char* kNotAvailable = "n.a.";

struct LabelText {
    int id;
    int textId;
    bool colon;
};

constexpr LabelText kLabels[] = {
    {1058, IDS_NAVI_INFORMATION, false},
    {1075, IDS_COMMON, false},
    {1044, IDS_SENSOR_TYPE, true},
    {1046, IDS_SERIAL_NUMBER_LABEL, true},
    {1052, IDS_ID, true},
    {1053, IDS_REVISION, true},
    {1059, IDS_CHANNEL_A, false},
    {1077, IDS_CHANNEL_B, false},
    {1471, IDS_SERIAL_NUMBER_LABEL, false},
    {1473, IDS_SERIAL_NUMBER_LABEL, false},
    {1061, IDS_UPPER_RANGE_VALUE, false},
    {1079, IDS_UPPER_RANGE_VALUE, false},
    {1063, IDS_ACCURACY_CLASS, false},
    {1081, IDS_ACCURACY_CLASS, false},
    {1247, IDS_UNCERTAINTY_COLUMN, false},
    {1205, IDS_UNCERTAINTY_COLUMN, false},
    {1065, IDS_FACTORY_ADJUSTMENT, false},
    {1066, IDS_ADJUSTMENT_CREATED_AT, true},
    {1069, IDS_USER_ADJUSTMENT, false},
    {1070, IDS_ADJUSTMENT_CREATED_AT, true},
    {1462, IDS_QUADRATURE_ENCODER, false},
    {1463, IDS_IMPULSES_PER_REVOLUTION, true},
    {1465, IDS_IMPULSES_PER_REVOLUTION, true},
    {1399, IDS_IDENTIFICATION, false},
    {1377, IDS_FACTORY_ADJUSTMENT, false},
    {1368, IDS_USER_ADJUSTMENT, false},
    {1369, IDS_PROPERTIES, false},
    {1414, IDS_SERIAL_NUMBER_LABEL, false},
};

constexpr int kMultiOnly[] = {1356, 1357, 1358, 1360, 1399, 1377, 1368, 1369, 1414};
constexpr int kSingleOnly[] = {1044, 1045, 1046, 1047, 1052, 1053, 1054, 1055, 1057,
                               1059, 1061, 1062, 1063, 1064, 1065, 1066, 1067, 1068,
                               1069, 1070, 1071, 1072, 1075, 1247, 1248, 1471, 1472};
constexpr int kChannelB[] = {1073, 1074, 1077, 1079, 1081, 1205, 1206, 1473, 1474};

struct Column {
    int textId;  // 0: the literal heading
    const char* heading;
    int format;
    int width;
};

constexpr Column kIdentification[] = {
    {IDS_ROW_NUMBER, "", LVCFMT_CENTER, 32},  {IDS_INTERFACE_PURPOSE, "", LVCFMT_LEFT, 180},
    {IDS_SENSOR_TYPE, "", LVCFMT_CENTER, 64}, {IDS_SERIAL_NUMBER, "", LVCFMT_CENTER, 80},
    {IDS_ID, "", LVCFMT_CENTER, 24},          {IDS_REVISION, "", LVCFMT_CENTER, 54}};
constexpr Column kAdjustment[] = {{IDS_ROW_NUMBER, "", LVCFMT_CENTER, 32},
                                  {IDS_DATE, "", LVCFMT_CENTER, 80},
                                  {IDS_STATE, "", LVCFMT_CENTER, 80},
                                  {0, "", LVCFMT_CENTER, 2}};
constexpr Column kProperties[] = {{IDS_ROW_NUMBER, "", LVCFMT_CENTER, 32},
                                  {0, " - ", LVCFMT_CENTER, 0},
                                  {IDS_UPPER_RANGE_VALUE, "", LVCFMT_CENTER, 112},
                                  {IDS_ACCURACY_CLASS, "", LVCFMT_CENTER, 110},
                                  {IDS_UNCERTAINTY_COLUMN, "", LVCFMT_CENTER, 105}};

template <size_t N>
void SetColumns(CListCtrl& list, const Column (&columns)[N]) {
    while (list.DeleteColumn(0)) {
    }
    for (size_t i = 0; i < N; ++i) {
        const CString heading = columns[i].textId != 0 ? GetLanguageString(columns[i].textId)
                                                       : CString(columns[i].heading);
        list.InsertColumn(static_cast<int>(i), heading, columns[i].format, columns[i].width);
    }
}

// Rows carry their position (0..3) as item data, 0xFF for a sensor without one: the rows follow
// the positions and the unnumbered ones go last, in their order.
int CompareByPosition(LPARAM first, LPARAM second, LPARAM) {
    return static_cast<int>(first) - static_cast<int>(second);
}

CString NumberText(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

}  // namespace

BOOL CDlgSensorInformationPkr::SetLabelTexts() {
    BOOL all = TRUE;
    for (const LabelText& label : kLabels) {
        CString text;
        all &= FindLanguageString(label.textId, text) ? TRUE : FALSE;
        SetText(label.id, label.colon ? text + ":" : text);
    }
    return all;
}

BOOL CDlgSensorInformationPkr::SetLanguageTexts() {
    const BOOL all = UpdateSensorInformation(FALSE);
    RepaintAfterNewTexts(this);
    return all;
}

BOOL CDlgSensorInformationPkr::UpdateSensorInformation(BOOL force) {
    if (m_hWnd == nullptr)
        return TRUE;
    const BOOL all = SetLabelTexts();
    if (!force && !IsWindowVisible()) {
        // What changed while hidden is shown when the page comes up, not a layout check later.
        m_iRefreshOnShow = 1;
        return all;
    }
    if (Host() == nullptr)
        return all;
    std::memcpy(m_aShownRecord, m_pHost->Dialogue().m_aSensorRecord, sizeof m_aShownRecord);
    const bool multi = IsMulti();
    const bool open = IsCurrentPortOpen();
    const bool multiLayout = multi && open;
    const bool encoder = ChanState_GetConnectedChannelCount() > 0 ||
                         (!multi && m_pHost->Dialogue().m_aSensorRecord[0].ucStatorId == 9);
    if (open) {
        if (!multi)
            FillSingleSensor();
        if (encoder)
            FillEncoder();
    } else {
        ShowNoSensor();
    }
    ApplyVisibility(multiLayout, encoder);
    if (multiLayout) {
        FillLists();
        const int count = m_pHost->Dialogue().m_iNumberOfSensors;
        for (int i = 0; i < 4; ++i) {
            if (i < count) {
                FillSerialEdit(i);
                m_bAskBeforeChange[i] = TRUE;
            } else {
                m_bAskBeforeChange[i] = FALSE;
                m_edits[2 + i].LockChangeDetection();
                m_edits[2 + i].SetWindowText("");
            }
        }
        ShowItem(1414, true);
        ShowItem(IDC_SERIAL_A, false);
    } else if (open) {
        SetTimer(TIMER_DIALOGUE_REST, 500, nullptr);
    }
    return all;
}

void CDlgSensorInformationPkr::FillSingleSensor() {
    const SensorRecord& record = m_pHost->Dialogue().m_aSensorRecord[0];
    CString quantityA;
    CString quantityB;
    CString stator;
    SetText(1045,
            FormatSensorTypeText(0, FALSE, record.dwTypeNumber,
                                 static_cast<char>(record.ucUnitLetter[0]), &quantityA, &stator));
    FormatSensorTypeText(0, FALSE, record.dwTypeNumber, static_cast<char>(record.ucUnitLetter[1]),
                         &quantityB, nullptr);
    const CString sensor = GetLanguageString(IDS_SENSOR);
    CString line = sensor + " (" + stator + ": " + quantityA + " / " + quantityB + ")";
    if (record.ucStatorId == 7 || (record.ucStatorId == 5 && record.ucDeviceKind == 1)) {
        line = sensor + " (" + stator + ": " + quantityA + ")";
    } else if (record.ucStatorId == 5 && record.ucDeviceKind == 0) {
        const CString& port = m_pHost->Dialogue().m_strCurrentPortText;
        CString interfaceName = stator;
        if (port.Find("Lantronix CPR Port") >= 0)
            interfaceName = "NX-ETH";
        else if (port.Find("Tarvik USB") < 0)
            interfaceName = "NX-RS485";
        line = sensor + " (" + interfaceName + ": " + quantityA + " / " + quantityB + ")";
    } else if (record.ucStatorId == 5) {
        line = sensor;
    }
    SetText(1057, line);
    SetText(1047, SerialNumberText(record.dwSerialNumber));
    SetText(1054, NumberText(record.ucStatorId));
    SetText(1055, NumberText(record.ucStatorRevision));
    FillSerialEdit(0);
    FillSerialEdit(1);
    m_bAskBeforeChange[0] = m_bAskBeforeChange[1] = TRUE;
    SetText(1062, RangeText(record, 0, 0));
    SetText(1073, RangeText(record, 1, 1));
    const int language = m_pHost->GetLanguageOffset();
    SetText(1064, AccuracyText(record.ucAccuracyClass[0], language));
    SetText(1074, AccuracyText(record.ucAccuracyClass[1], language));
    SetText(1248, UncertaintyOf(0, TRUE));
    SetText(1206, UncertaintyOf(0, FALSE));
    const CString active = GetLanguageString(IDS_ACTIVE);
    const CString inactive = GetLanguageString(IDS_INACTIVE);
    SetText(1068, record.ucUsedCalib == 2 ? active : inactive);
    SetText(1067,
            DateText(record.factoryDate.iDay, record.factoryDate.iMonth, record.factoryDate.iYear));
    if (record.ucUsedCalib == 3) {
        SetText(1072,
                m_pHost->Dialogue().COM_IsUserCalibEqualFactoryCalib(0) ? active + "*" : active);
        SetText(1071,
                DateText(record.userDate.iDay, record.userDate.iMonth, record.userDate.iYear));
    } else {
        SetText(1072, inactive);
        SetText(1071, kNotAvailable);
    }
    if (CWnd* edit = GetDlgItem(IDC_SERIAL_A))
        edit->EnableWindow(TRUE);
    FillSerialEdit(0);
    FillSerialEdit(1);
}

void CDlgSensorInformationPkr::FillEncoder() {
    const bool multi = IsMulti();
    const bool both = multi && ChanState_AreBothChannelsConnected();
    if (CWnd* group = GetDlgItem(1462))
        group->MoveWindow(multi ? 38 : 22, multi ? 425 : 400, multi ? 474 : 315, both ? 62 : 45);
    for (int c = 0; c < (multi ? 2 : 1); ++c) {
        const BOOL connected =
            c == 0 ? ChanState_IsChannelAConnected() : ChanState_IsChannelBConnected();
        if (multi && !connected)
            continue;
        const int sensor = m_pHost->Dialogue().COM_GetRealSensorNo(multi ? 2 * c + 1 : 0);
        const int index = sensor >= 0 && sensor < COM_MAX_SENSORS ? sensor : 0;
        const int labelId = c == 0 ? 1463 : 1465;
        const int valueId = c == 0 ? 1464 : 1466;
        SetText(valueId,
                PulsesText(m_pHost->Dialogue().m_aSensorRecord[index].dwPulsesPerRevolution));
        const int y = (multi ? 440 : 400) + (c == 1 && both ? 20 : 0);
        if (both) {
            CString label;
            GetDlgItemText(labelId, label);
            CString numbered;
            numbered.Format("%d:  %s", c + 1, static_cast<const char*>(label));
            SetText(labelId, numbered);
        }
        const int rowY = multi ? y : y + 15;
        if (CWnd* label = GetDlgItem(labelId)) {
            label->MoveWindow(multi ? 170 : 185, rowY, 150, 15);
            label->ShowWindow(SW_SHOW);
        }
        if (CWnd* value = GetDlgItem(valueId)) {
            value->MoveWindow(multi ? 325 : 340, rowY, 50, 15);
            value->ShowWindow(SW_SHOW);
        }
    }
}

void CDlgSensorInformationPkr::ShowNoSensor() {
    SetText(1057, GetLanguageString(IDS_SENSOR));
    for (int id :
         {1045, 1047, 1054, 1055, 1062, 1064, 1248, 1073, 1074, 1206, 1067, 1068, 1071, 1072})
        SetText(id, kNotAvailable);
    for (int i = 2; i < kEditCount; ++i)
        m_edits[i].LockChangeDetection();
    m_edits[1].LockChangeDetection();
    m_edits[1].SetWindowText(kNotAvailable);
    m_edits[0].LockChangeDetection();
    m_edits[0].SetWindowText("");
    ShowItem(IDC_SERIAL_A, false);
}

void CDlgSensorInformationPkr::ApplyVisibility(bool multiLayout, bool encoder) {
    for (int id : kMultiOnly)
        ShowItem(id, multiLayout);
    for (int id : kSingleOnly)
        ShowItem(id, !multiLayout);
    // Channel B's fields belong to the one sensor's layout: over the lists they would hide them.
    for (int id : kChannelB)
        ShowItem(id, !multiLayout && ChannelBDue());
    const int count = m_pHost->Dialogue().m_iNumberOfSensors;
    for (int i = 0; i < 4; ++i) {
        ShowItem(IDC_SERIAL_MULTI + i, multiLayout);
        if (CWnd* edit = GetDlgItem(IDC_SERIAL_MULTI + i))
            edit->EnableWindow(i < count);
    }
    const bool multi = IsMulti();
    ShowItem(1462, encoder);
    const bool first = encoder && (ChanState_IsChannelAConnected() || !multi);
    ShowItem(1463, first);
    ShowItem(1464, first);
    const bool second = encoder && ChanState_IsChannelBConnected();
    ShowItem(1465, second);
    ShowItem(1466, second);
}

void CDlgSensorInformationPkr::FillLists() {
    SetText(1399, GetLanguageString(IDS_IDENTIFICATION));
    SetText(1377, GetLanguageString(IDS_FACTORY_ADJUSTMENT));
    SetText(1368, GetLanguageString(IDS_USER_ADJUSTMENT));
    SetText(1369, GetLanguageString(IDS_PROPERTIES));
    SetText(1414, GetLanguageString(IDS_SERIAL_NUMBER_LABEL));
    SetColumns(m_lists[0], kIdentification);
    SetColumns(m_lists[1], kAdjustment);
    SetColumns(m_lists[2], kAdjustment);
    SetColumns(m_lists[3], kProperties);
    for (CListCtrl& list : m_lists)
        list.DeleteAllItems();
    const int language = m_pHost->GetLanguageOffset();
    const CString active = GetLanguageString(IDS_ACTIVE);
    const CString inactive = GetLanguageString(IDS_INACTIVE);
    const int count = m_pHost->Dialogue().m_iNumberOfSensors;
    for (int i = 0; i < count && i < COM_MAX_SENSORS; ++i) {
        const SensorRecord& record = m_pHost->Dialogue().m_aSensorRecord[i];
        const int position = record.ucSensorIndex;
        const CString number =
            position < 9 ? CString(static_cast<char>('1' + position)) : CString(kNotAvailable);
        const LPARAM data = position < COM_MAX_SENSORS ? position : 0xFF;
        CString quantity;
        CString stator;
        const CString type =
            FormatSensorTypeText(i, FALSE, record.dwTypeNumber,
                                 static_cast<char>(record.ucUnitLetter[0]), &quantity, &stator);
        const CString texts[4][6] = {
            {number, stator + ": " + quantity, type, SerialNumberText(record.dwSerialNumber),
             NumberText(record.ucStatorId), NumberText(record.ucStatorRevision)},
            {number,
             DateText(record.factoryDate.iDay, record.factoryDate.iMonth, record.factoryDate.iYear),
             record.ucUsedCalib == 2 ? active : inactive, ""},
            {number, DateText(record.userDate.iDay, record.userDate.iMonth, record.userDate.iYear),
             record.ucUsedCalib == 3 ? active : inactive, ""},
            {number, CString(record.szSerialText[0]),
             RangeText(record, 0, position < COM_MAX_SENSORS ? position : 0),
             AccuracyText(record.ucAccuracyClass[0], language), UncertaintyOf(i, TRUE)}};
        const int columns[4] = {6, 4, 4, 5};
        for (int l = 0; l < 4; ++l) {
            const int row = m_lists[l].InsertItem(m_lists[l].GetItemCount(), texts[l][0]);
            for (int c = 1; c < columns[l]; ++c)
                m_lists[l].SetItemText(row, c, texts[l][c]);
            m_lists[l].SetItemData(row, static_cast<DWORD_PTR>(data));
        }
    }
    for (CListCtrl& list : m_lists)
        list.SortItems(CompareByPosition, 0);
}
