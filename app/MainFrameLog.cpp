// The per-sensor service log below the local application data ("Brevan/Sensors/<serial>.txt"),
// written only when the log switch is not 1. Each entry goes out by one all-or-nothing append,
// so a failed write leaves the file as it was and only returns false.
#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "app/MainFrame.h"
#include "app/flow/LogEntry.h"
#include "foundation/DateTimeText.h"
#include "foundation/Language.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "platform/base/CodePage1252.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LastError.h"
#include "platform/base/Time.h"

DWORD CMainFrame::s_dwLastLogSerial = 1;
bool CMainFrame::s_bFirstLogEntry = true;

namespace {

constexpr double kLogLimitMb = 1.0;

bool MakeFolder(const CString& folder) {
    return CreateDirectoryA(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

BOOL CMainFrame::WriteApplicationLog(int sensor, const char* eventText, const char* extraText) {
    if (m_bSuppressLog == 1)
        return FALSE;
    CString base;
    if (!GetLocalAppDataPath(base))
        return FALSE;
    const SensorRecord& record =
        m_aSensorRecord[sensor >= 0 && sensor < COM_MAX_SENSORS ? sensor : 0];
    DWORD serial = record.dwStatorSerialNumber;
    if (serial == 0)
        serial = s_dwLastLogSerial;
    else
        s_dwLastLogSerial = serial;
    const CString brevan = base + "/Brevan";
    const CString folder = brevan + "/Sensors";
    if (!MakeFolder(brevan) || !MakeFolder(folder))
        return FALSE;
    CString path;
    path.Format("%s/%u.txt", folder.GetString(), static_cast<unsigned>(serial));
    struct stat status {};
    bool empty = ::stat(path, &status) != 0 || status.st_size == 0;
    if (!empty && status.st_size / 1024.0 / 1024.0 > kLogLimitMb) {
        if (!DeleteFile(path))
            return FALSE;
        empty = true;
    }
    LogEntryParts parts;
    parts.prefix = BuildLogPrefix(empty, m_bStoredVersionIsCurrent != FALSE, s_bFirstLogEntry,
                                  m_strSystemInfo);
    parts.started = m_bLogStarted;
    parts.ended = m_bLogEnded;
    CDateTimeText now(LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH_OLD, LANGUAGE_SPANISH,
                      m_iLanguageOffset);
    now.Update();
    parts.dateText = now.GetDateText();
    parts.timeText = now.GetTimeText();
    parts.serial = serial;
    parts.eventText = eventText;
    parts.extraText = extraText;
    for (int block = 0; block < 8; ++block)
        parts.blocks[block] = &TarSend_GetBlockRecord(block);
    if (IFlowMeasureConfig* config = FlowMeasureConfig()) {
        parts.checkedA = config->IsChannelChecked(0);
        parts.checkedB = config->IsChannelChecked(1);
    }
    IFlowChannelView* viewA = FlowChannelView(0);
    IFlowChannelView* viewB = FlowChannelView(1);
    parts.shownA = viewA != nullptr && viewA->IsViewVisible();
    parts.shownB = viewB != nullptr && viewB->IsViewVisible();
    // The log is read with the service's tools, which take the Windows western code page.
    const std::string entry = kq::Utf8ToCp1252(BuildLogEntry(parts).GetString());
    if (kq::AppendBlock(path.GetString(), entry.data(), entry.size()) != 0)
        return FALSE;
    m_bLogStarted = FALSE;
    m_bLogEnded = FALSE;
    s_bFirstLogEntry = false;
    return TRUE;
}

void CMainFrame::LogSensorEvent(const char* eventText) {
    const int sensors = std::clamp(m_iActivatedCount, 1, COM_MAX_SENSORS);
    for (int sensor = 0; sensor < sensors; ++sensor)
        WriteApplicationLog(sensor, eventText);
}
