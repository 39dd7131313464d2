// The rows of the connection page: one per port-table entry, filled from the entry's state and
// sensor record, the multi-port devices painted in their group colours, the enabling boxes and
// the search's progress bars in the State cells.
#include "foundation/Language.h"
#include "foundation/PortText.h"
#include "pages/common/ChannelViewControl.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/common/ValueFormat.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/PortRowTexts.h"
#include "res/TextIds.h"
#include "sensor/CMasterSlaveDetector.h"
#include "sensor/CTarvik_Send.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

bool HoldsNoCase(const CString& text, const char* part) {
    CString lower = text;
    lower.MakeLower();
    return lower.Find(part) >= 0;
}

bool IsNetworkPortName(const CString& name) {
    return HoldsNoCase(name, "lantronix cpr port");
}

CString StateText(int state, const CString& portName) {
    switch (state) {
        case PORT_STATE_NOT_PROBED:
            return IsNetworkPortName(portName) ? GetLanguageString(IDS_UNDEFINED)
                                               : CString("ignored device (C6)");
        case PORT_STATE_OPEN_FAILED:
        case PORT_STATE_NO_ANSWER:
        case 10:
            return GetLanguageString(IDS_PORT_NOT_AVAILABLE);
        case PORT_STATE_FOUND:
            return GetLanguageString(IDS_AVAILABLE);
        case PORT_STATE_UNSUPPORTED:
            return GetLanguageString(IDS_NOT_SUPPORTED);
        case PORT_STATE_OPEN:
            return GetLanguageString(IDS_ACTIVE);
        case PORT_STATE_CHECKING:
            return GetLanguageString(IDS_CHECK_INTERFACE);
        default:
            return "ignored device (C8)";
    }
}

CString Number(DWORD value) {
    CString text;
    text.Format("%d", static_cast<int>(value));
    return text;
}

}  // namespace

CString CDlgSensorConnection::RangeText(const SensorEntry& entry) const {
    const SensorRecord& record = entry.record;
    const int stator = record.ucStatorId;
    const bool oneChannel =
        stator == 7 || ((stator == 5 || stator == 9) && record.ucDeviceKind == 1);
    // Each channel's range with its unit, as the channel views show a range (value kind 2).
    IChannelViewControl* view = m_pHost != nullptr ? m_pHost->ChannelViewControl(0) : nullptr;
    auto channelText = [&](int channel) {
        const CString number = CTarvik_Send::TarSend_GetRangeText(record, channel);
        if (view == nullptr)
            return number;
        return view->FormatChannelValue(number, static_cast<char>(record.ucUnitLetter[channel]), 2);
    };
    CString text = channelText(0);
    if (!oneChannel)
        text += "/" + channelText(1);
    return text;
}

CString CDlgSensorConnection::TypeText(const SensorEntry& entry) const {
    const SensorRecord& record = entry.record;
    CString type = CTarvik_Send::TarSend_GetStatorTypeName(
        record.ucStatorId, record.ucStatorRevision, record.ucDeviceKind, record.ucDigitalInputKind,
        m_iLanguageOffset);
    if (entry.strPortText.Find("Tarvik USB") < 0 && entry.strDisplayText.Find("Tarvik USB") < 0)
        type = AdaptInterfaceName(
            type, m_iLanguageOffset,
            IsNetworkPortName(entry.strPortText) || IsNetworkPortName(entry.strDisplayText));
    CString revision;
    revision.Format(" (Rev.: %d)", static_cast<int>(record.ucStatorRevision));
    return type + revision;
}

void CDlgSensorConnection::FillAvailableRowCells(int row, const SensorEntry& entry,
                                                 COLORREF background) {
    m_listPorts.SetItemTextColored(row, COL_ENABLING, "", kBlack, background);
    CStringArray& choices = m_aBaudChoices[row];
    choices.RemoveAll();
    choices.Add(BaudrateText(tarvik::kBaud115200));
    choices.Add(BaudrateText(tarvik::kBaud230400));
    // A failed device-server check leaves the rate unknown: the cell is shown, not offered.
    const int choice = BaudrateChoiceIndex(entry.iBaudrate);
    m_listPorts.SetItemTextColored(row, COL_BAUDRATE, choices[choice < 0 ? 0 : choice], kBlack,
                                   background);
    m_listPorts.SetComboBox(row, COL_BAUDRATE, choice >= 0, &choices, 2, choice < 0 ? 0 : choice);
    m_listPorts.SetItemTextColored(row, COL_ADDRESS, Number(entry.ucAddress), kBlack, background);
    m_listPorts.SetItemTextColored(row, COL_SERIAL, Number(entry.record.dwSerialNumber), kBlack,
                                   background);
    m_listPorts.SetItemTextColored(row, COL_RANGE, RangeText(entry), kBlack, background);
    m_listPorts.SetItemTextColored(row, COL_TYPE, TypeText(entry), kBlack, background);
}

void CDlgSensorConnection::FillPortRow(const CString& displayName, int row, int state,
                                       DWORD serialNumber, COLORREF background) {
    if (m_listPorts.m_hWnd == nullptr || row < 0 || row >= COM_MAX_PORTS)
        return;
    (void)serialNumber;  // the entry's record holds it, with the rest of the row
    if (row < m_listPorts.GetItemCount())
        m_listPorts.SetItemTextColored(row, COL_INTERFACE, displayName, kBlack, background);
    else
        row = m_listPorts.InsertItem(row, displayName, kBlack, background);
    if (row < 0)
        return;
    const SensorEntry* entry = m_pHost != nullptr ? &m_pHost->Dialogue().m_aEntries[row] : nullptr;
    const CString portName = entry != nullptr ? entry->strPortText : displayName;
    m_listPorts.SetItemTextColored(row, COL_STATE, StateText(state, portName), kBlack, background);
    // A row with a sensor has every cell of its own; the others show "n.a." where they know
    // nothing. Each cell is written once: a rebuild writes the whole table.
    if (entry != nullptr && (state == PORT_STATE_FOUND || state == PORT_STATE_OPEN)) {
        FillAvailableRowCells(row, *entry, background);
        return;
    }
    for (int column = COL_ENABLING; column < COLUMN_COUNT; ++column) {
        if (column != COL_STATE)
            m_listPorts.SetItemTextColored(row, column, kNotAvailableText, kBlack, background);
    }
    if (entry == nullptr)
        return;
    if (state == PORT_STATE_UNSUPPORTED)
        m_listPorts.SetItemTextColored(row, COL_TYPE, TypeText(*entry), kBlack, background);
}

BOOL CDlgSensorConnection::RebuildPortList(int mode) {
    if (m_listPorts.m_hWnd == nullptr || m_pHost == nullptr)
        return TRUE;
    COLORREF backgrounds[COM_MAX_PORTS];
    for (int row = 0; row < COM_MAX_PORTS; ++row) {
        COLORREF text = kBlack;
        backgrounds[row] = kWhite;
        if (mode == 2 && row < m_listPorts.GetItemCount())
            m_listPorts.GetItemColors(row, COL_INTERFACE, text, backgrounds[row]);
    }
    m_listPorts.SetRedraw(FALSE);
    ResetColumns();
    for (int n = 0; n < COM_MAX_PORTS; ++n) {
        const SensorEntry& entry = m_pHost->Dialogue().m_aEntries[n];
        if (entry.strPortName.IsEmpty() || n >= m_pHost->Dialogue().m_iEntryCount) {
            // A port of the previous search that this one did not find: shown with the state
            // it had then, never put back into the engine's table, and never openable (its
            // other cells know nothing now).
            const SensorEntry& previous = m_pHost->Dialogue().m_aPrevEntries[n];
            if (m_iUpdateState != 1 || previous.strPortName.IsEmpty())
                break;
            FillPortRow(previous.strDisplayText, n, PORT_STATE_NO_ANSWER, 0, kWhite);
            m_listPorts.SetItemTextColored(
                n, COL_STATE, StateText(previous.iState, previous.strPortText), kBlack, kWhite);
            continue;
        }
        const CString name = CComPort::COM_MakePortDisplayName(entry.strPortText);
        if (mode == 1)
            FillPortRow(name, n, PORT_STATE_CHECKING, entry.record.dwSerialNumber, kWhite);
        else
            FillPortRow(name, n, entry.iState, entry.record.dwSerialNumber,
                        mode == 0 || mode == 2 ? backgrounds[n] : kWhite);
    }
    if (mode == 0 || mode == 2)
        UpdatePortStates(-1, FALSE);
    m_listPorts.SetRedraw(TRUE);
    m_listPorts.Invalidate();
    return TRUE;
}

int CDlgSensorConnection::GroupOfRow(int row) {
    if (m_listPorts.m_hWnd == nullptr || row < 0 || row >= m_listPorts.GetItemCount())
        return -1;
    COLORREF text = kBlack;
    COLORREF background = kWhite;
    m_listPorts.GetItemColors(row, COL_INTERFACE, text, background);
    for (int group = 0; group < 4; ++group) {
        if (background == kGroupColours[group])
            return group;
    }
    return -1;
}

void CDlgSensorConnection::UpdatePortStates(int row, BOOL keep) {
    if (m_listPorts.m_hWnd == nullptr || m_pHost == nullptr)
        return;
    IDiagnosticLink* diagnostic = m_pHost->DiagnosticPage();
    // While the calibration page keeps the ports of a device apart, no group is painted.
    if (diagnostic == nullptr || !diagnostic->HasMultiportResult() ||
        m_pHost->Dialogue().m_iMultiportMode == 2) {
        m_pHost->WaitCursorOff();
        return;
    }
    CMasterSlaveDetector detector;
    detector.AddCandidates(m_pHost->Dialogue().m_aEntries, m_pHost->Dialogue().m_iEntryCount);
    detector.Detect();
    const CString active = GetLanguageString(IDS_ACTIVE);
    const CString available = GetLanguageString(IDS_AVAILABLE);
    const CString givenPort = row >= 0 ? PortNameOfRow(row) : CString();
    bool currentRowSet = false;
    const int rows = m_listPorts.GetItemCount();
    for (int g = 0; g < detector.GetResultCount() && g < 4; ++g) {
        const CMultiportGroup& group = detector.GetResult(g);
        CString groupText;
        bool decided = false;
        for (int r = 0; r < rows; ++r) {
            const CString comNumber = GetComNumberText(m_listPorts.GetItemText(r, COL_INTERFACE));
            bool member = false;
            for (const CString& number : group.comNumbers)
                member = member || number == comNumber;
            if (!member)
                continue;
            if (!decided) {
                decided = true;
                bool givenInGroup = false;
                for (const CString& port : group.portNames)
                    givenInGroup = givenInGroup || port == givenPort;
                // The sensor on the first channel: with a device open, that of its first port.
                const int first = m_pHost->Dialogue().COM_GetRealSensorNo(0);
                const SensorRecord& current =
                    m_pHost->Dialogue()
                        .m_aSensorRecord[first >= 0 && first < COM_MAX_SENSORS ? first : 0];
                if (keep && givenInGroup)
                    groupText = active;
                else if (current.dwSerialNumber == group.dwSerialNumber &&
                         !m_pHost->Dialogue().COM_IsCurrentPortNotInTable())
                    groupText = active;
                else if (m_pHost->Dialogue().COM_IsCurrentPortNotInTable())
                    groupText = available;
                else
                    groupText = m_listPorts.GetItemText(r, COL_STATE);
            }
            const COLORREF colour = kGroupColours[g];
            for (int column = 0; column < COLUMN_COUNT; ++column)
                m_listPorts.SetItemColors(r, column, kBlack, colour);
            m_listPorts.SetItemText(
                r, COL_STATE, m_pHost->Dialogue().m_abGroupActivation[g] ? groupText : available);
            if (!currentRowSet && groupText == active) {
                currentRowSet = true;
                m_pHost->Commands().COM_SetCurrentRow(r);
            }
            if (r < m_pHost->Dialogue().m_iEntryCount) {
                const SensorRecord& record = m_pHost->Dialogue().m_aEntries[r].record;
                CString serial;
                serial.Format("%d (%d)", static_cast<int>(record.dwSerialNumber),
                              static_cast<int>(record.ucSensorIndex));
                m_listPorts.SetItemText(r, COL_SERIAL, serial);
            }
        }
    }
    m_listPorts.ShowWindow(SW_HIDE);
    m_listPorts.ShowWindow(SW_SHOW);
    m_pHost->WaitCursorOff();
}

void CDlgSensorConnection::SetEnablingOfAllPorts(int flag) {
    if (m_pHost == nullptr)
        return;
    for (int i = 0; i < COM_MAX_PORTS; ++i)
        m_pHost->Commands().COM_SetEntryEnabling(i, static_cast<WORD>(flag));
}

void CDlgSensorConnection::SetCheckboxCellsOk() {
    if (m_listPorts.m_hWnd == nullptr)
        return;
    for (int row = 0; row < m_listPorts.GetItemCount(); ++row) {
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            if (m_listPorts.GetCheckbox(row, column) >= 0)
                m_listPorts.SetItemText(row, column, column == COL_ENABLING ? " " : "OK");
        }
    }
    m_listPorts.Invalidate();
}

void CDlgSensorConnection::SetPortRowStateAndSerial(int row, const CString& stateText,
                                                    const CString& serialText) {
    if (m_listPorts.m_hWnd == nullptr || row < 0 || row >= m_listPorts.GetItemCount())
        return;
    m_listPorts.SetItemText(row, COL_STATE, stateText);
    m_listPorts.SetItemText(row, COL_SERIAL, serialText);
}

int CDlgSensorConnection::CountSensorPorts() const {
    if (m_pHost == nullptr)
        return 0;
    int count = 0;
    for (int i = 0; i < m_pHost->Dialogue().m_iEntryCount; ++i) {
        const CString& text = m_pHost->Dialogue().m_aEntries[i].strPortText;
        if (HoldsNoCase(text, "tarvik usb") || IsNetworkPortName(text))
            ++count;
    }
    return count;
}

void CDlgSensorConnection::StartRowProgress(int row) {
    if (row < 0)
        return;
    m_rowProgress[row] = 0;
    if (m_listPorts.m_hWnd != nullptr && row < m_listPorts.GetItemCount())
        m_listPorts.SetProgress(row, COL_STATE);
}

void CDlgSensorConnection::UpdateRowProgress(int row, int percent) {
    auto it = m_rowProgress.find(row);
    if (it == m_rowProgress.end())
        return;
    it->second = percent;
    if (m_listPorts.m_hWnd != nullptr && row < m_listPorts.GetItemCount())
        m_listPorts.UpdateProgress(row, COL_STATE, percent);
}

void CDlgSensorConnection::EndRowProgress() {
    if (m_listPorts.m_hWnd != nullptr) {
        for (int row = 0; row < m_listPorts.GetItemCount(); ++row)
            m_listPorts.DeleteProgress(row, COL_STATE);
    }
    m_rowProgress.clear();
}

void CDlgSensorConnection::ShowRowProgressAgain() {
    if (m_listPorts.m_hWnd == nullptr)
        return;
    for (const auto& [row, percent] : m_rowProgress) {
        if (row >= m_listPorts.GetItemCount())
            continue;
        m_listPorts.SetProgress(row, COL_STATE);
        m_listPorts.UpdateProgress(row, COL_STATE, percent);
    }
}

int CDlgSensorConnection::RowProgress(int row) const {
    const auto it = m_rowProgress.find(row);
    return it != m_rowProgress.end() ? it->second : -1;
}
