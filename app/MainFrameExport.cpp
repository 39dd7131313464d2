// The measurement's export files: set up at the start (directory, checks, header kept; nothing
// written yet), written whole at the end, and the manual saves of the values and the diagram.
// A file that could not be written leaves nothing partial, says so once (posted) and keeps the
// values for a manual save.
#include <sys/stat.h>

#include "app/MainFrame.h"
#include "app/ThreadedConvertFile.h"
#include "foundation/DateTimeText.h"
#include "foundation/Language.h"
#include "foundation/NumberText.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LastError.h"
#include "platform/base/Time.h"
#include "platform/base/Trace.h"
#include "platform/framework/commdlg/FileDialog.h"
#include "res/TextIds.h"

namespace {

constexpr char kNoValues[] = "No values registered, sorry!\n";

CString FolderOf(const CString& path) {
    const int slash = path.ReverseFind('/');
    return slash < 0 ? CString(".") : path.Left(slash);
}

CString WithoutTrailingSlash(CString folder) {
    while (folder.GetLength() > 1 && folder[folder.GetLength() - 1] == '/')
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

bool IsFolderPath(const CString& path) {
    struct stat status {};
    return ::stat(path.GetString(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Where a save dialog starts: the documentation page's folder, or the nearest folder above it
// that exists (the automatic storage creates it only at its first measurement).
CString StartFolderOf(CString folder) {
    folder = WithoutTrailingSlash(folder);
    while (folder.GetLength() > 1 && !IsFolderPath(folder)) {
        const int slash = folder.ReverseFind('/');
        if (slash < 0)
            return "";
        folder = slash == 0 ? CString("/") : folder.Left(slash);
    }
    return IsFolderPath(folder) ? folder : CString();
}

}  // namespace

CString CMainFrame::BuildFileOpenErrorText(const CString& name) {
    return GetLanguageString(IDS_THE_FILE) + " '" + name + "' " +
           GetLanguageString(IDS_FILE_IN_USE);
}

BOOL CMainFrame::OpenExportFile(CExportFile& file, const CString& name, const CString& extension,
                                int kind, int openMode) {
    (void)openMode;  // always 0: append at the end, header first
    IFlowDocumentation* documentation = FlowDocumentation();
    if (documentation == nullptr)
        return FALSE;
    const CString directory = WithoutTrailingSlash(documentation->GetTargetDirectory(kind));
    const int made = SHCreateDirectoryEx(nullptr, directory, nullptr);
    if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS) {
        // The values are kept for a manual save, which needs the header and start time.
        documentation->BuildMeasurementInfoHeader(kind);
        PostFlowMessage(GetLanguageString(IDS_VALUES_FOLDER_FAILED) + " '" + directory + "' " +
                        GetLanguageString(IDS_VALUES_FOLDER_FAILED_END));
        return FALSE;
    }
    const CString path = name + extension;
    // An automatic name always lies in its target directory.
    if (WithoutTrailingSlash(FolderOf(path)) != directory ||
        !file.Open(path.GetString(), documentation->BuildMeasurementInfoHeader(kind).GetString())) {
        PostFlowMessage(BuildFileOpenErrorText(path));
        return FALSE;
    }
    return TRUE;
}

BOOL CMainFrame::SetupMeasureValueFile(int mode) {
    IFlowDocumentation* documentation = FlowDocumentation();
    if (mode == 1) {
        const std::string path(m_measurement.Files().m_strManualFileName.GetString());
        const CString header =
            documentation != nullptr ? documentation->GetCurrentHeaderText() : "";
        if (!m_measurement.Files().m_fileMeasuredValues.IsOpen() &&
            m_measurement.EditFiles().m_fileMeasuredValues.Open(path, header.GetString(), true))
            return TRUE;
        AfxMessageBox(BuildFileOpenErrorText(m_measurement.Files().m_strManualFileName), MB_OK);
        return FALSE;
    }
    // A manual save still waiting for its ticks is completed, an export still open is closed
    // with its stop block: nothing of an earlier file is lost to this one.
    CompletePendingManualSave();
    if (m_measurement.Files().m_fileMeasuredValues.IsOpen() ||
        m_measurement.Files().m_fileResults.IsOpen()) {
        TRACE("An export was still open when the next measurement set up its files\n");
        CloseExportFile(m_measurement.EditFiles().m_fileMeasuredValues, FALSE);
        CloseExportFile(m_measurement.EditFiles().m_fileResults, FALSE);
    }
    FreeRecordBuffer(m_measurement.EditFiles().m_ucDataAvailable);
    m_measurement.BeginFiles();
    LogSensorEvent("StartMeasurement()");
    if (documentation == nullptr)
        return TRUE;
    documentation->MakeAutoFileNames(0);
    BOOL ready = TRUE;
    const int valueMode = documentation->GetMeasuredValueStorageMode();
    if (valueMode == 1 || valueMode == 2)
        ready &= OpenExportFile(m_measurement.EditFiles().m_fileMeasuredValues,
                                documentation->GetAutoFileName(0, valueMode == 2), ".csv", 0, 0);
    else
        documentation->BuildMeasurementInfoHeader(0);
    const int resultMode = documentation->GetResultStorageMode();
    if (resultMode == 1 || resultMode == 2)
        ready &= OpenExportFile(m_measurement.EditFiles().m_fileResults,
                                documentation->GetAutoFileName(1, resultMode == 2), ".csv", 1, 0);
    else
        documentation->BuildMeasurementInfoHeader(1);
    return ready;
}

CString CMainFrame::BuildResultRow() {
    CString row;
    if (!m_measurement.Flow().m_bValueRecorded)
        row += kNoValues;
    const CString separator = m_measurement.Recording().m_strColumnSeparator;
    const CTime now = CTime::GetCurrentTime();
    row +=
        FormatDateText(now.GetDay(), now.GetMonth(), now.GetYear(), m_iLanguageOffset) + separator;
    row += now.Format("%H:%M:%S") + separator;
    IFlowMeasureConfig* config = FlowMeasureConfig();
    IFlowMeasurePanel* panel = FlowPanel();
    int mode = 0;
    if (config != nullptr)
        mode = config->CheckIoNioMode(1) ? 1 : config->CheckIoNioMode(2) ? 2 : 0;
    bool allPassed = true;
    for (int criterion = 0; criterion < 2; ++criterion) {
        const int measurand = config != nullptr ? config->GetJudgedMeasurand(criterion) : -1;
        const double maximum = config != nullptr ? config->GetJudgedMaximum(criterion) : -1e99;
        // A criterion not judged, a measurand out of range or a maximum never set: " -".
        if (criterion >= mode || measurand < 0 || measurand >= COM_CHANNELS || maximum <= -1e98) {
            row += " -" + separator + " -" + separator + " -" + separator;
            continue;
        }
        const bool passed = panel != nullptr && panel->GetResultByte(criterion) != 0;
        allPassed &= passed;
        row += FormatDecimal(maximum, RecordOfChannel(measurand).iDecimals,
                             m_measurement.Recording().m_iDecimalLanguage) +
               separator + config->GetJudgedUnitLabel(criterion) + separator +
               GetLanguageString(passed ? IDS_PASSED : IDS_FAILED) + separator;
    }
    row += mode == 0 ? CString(" -") : GetLanguageString(allPassed ? IDS_PASSED : IDS_FAILED);
    return row + m_measurement.Recording().m_strLineEnd;
}

CString CMainFrame::CloseExportFile(CExportFile& file, BOOL bareLineEnd) {
    IFlowDocumentation* documentation = FlowDocumentation();
    IFlowMeasureConfig* config = FlowMeasureConfig();
    bool manualWithResult = false;
    if (m_measurement.Files().m_ucManualSavePending != 0) {
        m_measurement.EditFiles().m_ucManualSavePending = 0;
        manualWithResult = config != nullptr && !config->CheckIoNioMode(0);
    }
    if (!file.IsOpen())
        return "";
    if (bareLineEnd)
        file.Append("\n");
    else if (documentation != nullptr)
        file.Append(documentation->BuildStopInfoText().GetString());
    if (manualWithResult && documentation != nullptr) {
        file.Append(documentation->BuildIoNioResultText().GetString());
        file.Append(BuildResultRow().GetString());
    }
    const CString path = file.Path().c_str();
    if (!file.Commit())
        ReportExportFailure(path, file.Error().c_str());
    return path;
}

void CMainFrame::ReportExportFailure(const CString& path, const CString& reason) {
    CString text;
    text.Format(GetLanguageString(IDS_FILE_NOT_WRITTEN), path.GetString(), reason.GetString());
    PostFlowMessage(text);
    m_measurement.ExportFailed();
    RefreshSaveItems();
}

void CMainFrame::SaveMeasuredValuesAs() {
    CFileDialog dialog(FALSE, "csv", "*.csv", OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT,
                       "(*.csv)|*.csv|", this);
    IFlowDocumentation* documentation = FlowDocumentation();
    // The operator's files go where the documentation page sends the automatic ones.
    const CString folder =
        StartFolderOf(documentation != nullptr ? documentation->GetTargetDirectory(0) : "");
    dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : folder.GetString();
    if (dialog.DoModal() != IDOK)
        return;
    StartManualSave(dialog.GetPathName());
}

void CMainFrame::StartManualSave(const CString& path) {
    m_measurement.EditFiles().m_strManualFileName = path;
    if (!SetupMeasureValueFile(1))
        return;
    WaitCursorOn();
    m_measurement.BeginManualSave();
    // Without a worker the rows are written at once.
    if (m_measurement.Files().m_pConvertThread == nullptr ||
        m_measurement.EditFiles().m_pConvertThread->Start() != 0)
        ConvertRecordToCsv();
}

void CMainFrame::SaveDiagramAs() {
    CFileDialog dialog(FALSE, "bmp", "*.bmp", OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT,
                       "(*.bmp)|*.bmp|", this);
    IFlowDocumentation* documentation = FlowDocumentation();
    const CString target = WithoutTrailingSlash(
        documentation != nullptr ? documentation->GetDiagramTargetDirectory() : CString());
    // The dialog opens in the diagram folder itself (the automatic save makes it too), never
    // in the program's own folder above it with its temporary pictures.
    if (!target.IsEmpty())
        CreateDirectoryA(target, nullptr);
    const CString folder = StartFolderOf(target);
    dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : folder.GetString();
    if (dialog.DoModal() != IDOK)
        return;
    WaitCursorOn();
    m_measurement.EditFiles().m_strDiagramFileName = dialog.GetPathName();
    PrepareDiagramBitmap();
    if (IFlowDiagram* diagram = FlowDiagram())
        diagram->ArmSaveAsTimer();
}
