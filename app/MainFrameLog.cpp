// The per-sensor service log below the local application data ("Brevan/Sensors/<serial>.txt"),
// written only when the log switch is not 1. Each entry goes out by one all-or-nothing append,
// so a failed write leaves the file as it was and only returns false.
#include <sys/stat.h>

#include "app/MainFrame.h"
#include "app/flow/LogEntry.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
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
    if (m_bWriteLog == 1)
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
    const CTime now = CTime::GetCurrentTime();
    parts.dateText = FormatDateText(now.GetDay(), now.GetMonth(), now.GetYear(), m_iLanguageOffset);
    parts.timeText = now.Format("%H:%M:%S");
    parts.serial = serial;
    parts.eventText = eventText;
    parts.extraText = extraText;
    for (int block = 0; block < 8; ++block)
        parts.blocks[block] = &TarSend_GetBlockRecord(block);
    if (IMeasureConfigSeam* config = FlowMeasureConfig()) {
        parts.checkedA = config->IsChannelChecked(0);
        parts.checkedB = config->IsChannelChecked(1);
    }
    IChannelViewSeam* viewA = FlowChannelView(0);
    IChannelViewSeam* viewB = FlowChannelView(1);
    parts.shownA = viewA != nullptr && viewA->IsViewVisible();
    parts.shownB = viewB != nullptr && viewB->IsViewVisible();
    const CString entry = BuildLogEntry(parts);
    if (kq::AppendBlock(path.GetString(), entry.GetString(),
                        static_cast<size_t>(entry.GetLength())) != 0)
        return FALSE;
    m_bLogStarted = FALSE;
    m_bLogEnded = FALSE;
    s_bFirstLogEntry = false;
    return TRUE;
}
