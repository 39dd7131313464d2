// What the export asks of the documentation page: separators, storage modes, the automatic file
// names of one measurement, the header written before its rows, the stop and result blocks after
// them, and the check that an enabled automatic storage has somewhere to go.
#include "foundation/DateTimeText.h"
#include "foundation/Language.h"
#include "pages/common/ExportHeaderSource.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CValidation_IO_NIO.h"
#include "pages/measurement/MeasureConfigValues.h"
#include "platform/base/Ticks.h"
#include "platform/base/Time.h"
#include "platform/framework/MessageBox.h"
#include "res/resource.h"

namespace dt = documentation_texts;

namespace {

const char* const kMeasurandNames[6] = {"A", "B", "C", "D", "P1", "P2"};

CDateTimeText TextsOf(const CTime& moment) {
    CDateTimeText texts(LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH_OLD, LANGUAGE_SPANISH,
                        GetLanguageOffset());
    texts.Update(moment);
    return texts;
}

CDateTimeText Now() {
    return TextsOf(CTime::GetCurrentTime());
}

}  // namespace

int CDlgDocumentation::GetDecimalSeparatorLanguage() const {
    return m_sDocumentation.DecimalSeparatorChar() == '.' ? LANGUAGE_ENGLISH : LANGUAGE_GERMAN;
}

CString CDlgDocumentation::GetTargetDirectory(int kind) const {
    return m_strTexts[kind == 1 ? kIONIOTargetDirectory : kMWTargetDirectory];
}

CString CDlgDocumentation::GetAutoFileName(int kind, BOOL constant) const {
    if (kind == 1)
        return constant ? m_names.resultsConstant : m_names.resultsIndexed;
    return constant ? m_names.valuesConstant : m_names.valuesIndexed;
}

void CDlgDocumentation::MakeAutoFileNames(int mode) {
    std::tm local{};
    CTime::GetCurrentTime().GetLocalTm(&local);
    m_strStamp = dt::FormatFileStamp(local);
    if (mode == 1) {
        m_names.diagram =
            dt::MakeDiagramFileName(m_strTexts[kDMTargetDirectory], m_strTexts[kDMPrefix],
                                    m_strStamp, m_sDocumentation.diagramMode);
        return;
    }
    const CString dirs[3] = {m_strTexts[kMWTargetDirectory], m_strTexts[kIONIOTargetDirectory],
                             m_strTexts[kDMTargetDirectory]};
    const CString prefixes[3] = {m_strTexts[kMWPrefix], m_strTexts[kIONIOPrefix],
                                 m_strTexts[kDMPrefix]};
    m_names = dt::MakeAutoFileNames(dirs, prefixes, m_strStamp, m_sDocumentation.diagramMode);
}

std::vector<CString> CDlgDocumentation::GetPrintAddressLines() const {
    return dt::SplitLines(m_strTexts[kAddress]);
}

std::vector<CString> CDlgDocumentation::GetPrintCommentLines() const {
    return dt::SplitLines(m_strTexts[kComment]);
}

IExportHeaderSource* CDlgDocumentation::HeaderSource() const {
    if (m_pHeaderSource != nullptr)
        return m_pHeaderSource;
    return dynamic_cast<IExportHeaderSource*>(GetPageHost());
}

dt::HeaderInput CDlgDocumentation::HeaderLabels() const {
    dt::HeaderInput in;
    in.headline = m_strTexts[kHeadline];
    in.address = m_strTexts[kAddress];
    in.comment = m_strTexts[kComment];
    in.dateLabel = GetLanguageString(IDS_DATE);
    in.timeLabel = GetLanguageString(IDS_DOC_TIME);
    in.typeLabel = GetLanguageString(IDS_SENSOR_TYPE);
    in.serialLabel = GetLanguageString(IDS_SERIAL_NUMBER);
    in.rangeLabel = GetLanguageString(IDS_UPPER_RANGE_VALUE);
    return in;
}

CString CDlgDocumentation::BuildMeasurementInfoHeader(int kind) {
    dt::HeaderInput in = HeaderLabels();
    const CDateTimeText now = Now();
    in.startDate = now.GetDateText();
    in.startTime = now.GetTimeText();
    if (IExportHeaderSource* source = HeaderSource()) {
        in.sensors = source->GetExportSensorLines();
        in.columnTitles = source->GetExportColumnTitles(kind == 1 ? 1 : 0);
    }
    if (kind == 1 && in.columnTitles.empty()) {
        for (int id = IDS_DOC_MEASURAND; id <= IDS_DOC_VERDICT; ++id)
            in.columnTitles.push_back(GetLanguageString(id));
    }
    const CString header = dt::BuildHeader(m_sDocumentation, in);
    if (kind != 1) {
        m_strCurrentHeader = header;
        m_ullStartTick = GetTickCount64();
        m_bStopNoted = FALSE;
    }
    return header;
}

CString CDlgDocumentation::BuildStopInfoText() {
    dt::StopInput in;
    in.dateLabel = GetLanguageString(IDS_DOC_STOP_DATE);
    in.timeLabel = GetLanguageString(IDS_DOC_STOP_TIME);
    in.durationLabel = GetLanguageString(IDS_DOC_DURATION);
    in.endLabel = GetLanguageString(IDS_DOC_END_OF_SAVING);
    // A file saved after the measurement has ended still tells when it ended and how long it
    // ran, not when it was saved.
    const CDateTimeText stop = m_bStopNoted ? TextsOf(m_stopTime) : Now();
    in.stopDate = stop.GetDateText();
    in.stopTime = stop.GetTimeText();
    // The monotonic clock: a wall-clock change or midnight must not bend the duration.
    const ULONGLONG end = m_bStopNoted ? m_ullStopTick : GetTickCount64();
    in.durationSeconds = static_cast<double>(end - m_ullStartTick) / 1000.0;
    return dt::BuildStopBlock(m_sDocumentation, in);
}

void CDlgDocumentation::NoteMeasurementStop() {
    // The stop itself counts (the Stop button, a stop trigger, the duration or count), not the
    // later end of the recording.
    if (m_bStopNoted)
        return;
    m_stopTime = CTime::GetCurrentTime();
    m_ullStopTick = GetTickCount64();
    m_bStopNoted = TRUE;
}

CString CDlgDocumentation::BuildIoNioResultText() {
    PageHost* frame = GetPageHost();
    const IMeasurePanelLink* panel = frame != nullptr ? frame->MeasurePanel() : nullptr;
    const IMeasureConfigLink* adjust = frame != nullptr ? frame->MeasureConfigPage() : nullptr;
    if (panel == nullptr)
        return CString();
    dt::ResultInput in;
    for (int i = 0; i < 5; ++i)
        in.titles[i] = GetLanguageString(IDS_DOC_MEASURAND + i);
    for (int i = 0; i < 6; ++i)
        in.measurandNames[i] = kMeasurandNames[i];
    for (int i = 0; adjust != nullptr && i < 4; ++i)
        in.limits[i] = adjust->ConfigValues().limits[i];
    in.passText = GetLanguageString(IDS_PASSED);
    in.failText = GetLanguageString(IDS_FAILED);
    in.overallLabel = GetLanguageString(IDS_DOC_OVERALL);
    return dt::BuildResultBlock(m_sDocumentation, panel->Validation(), in);
}

BOOL CDlgDocumentation::CheckAutoSaveSettings() {
    const int32_t modes[3] = {m_sDocumentation.measuredValueMode, m_sDocumentation.resultMode,
                              m_sDocumentation.diagramMode};
    for (int i = 0; i < 3; ++i) {
        if (modes[i] == DocumentationRecord::kNone)
            continue;
        if (m_strTexts[2 * i].IsEmpty() || m_strTexts[2 * i + 1].IsEmpty()) {
            AfxMessageBox(GetLanguageString(IDS_MISSING_STORAGE_TARGET), MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CDlgDocumentation::CanLeavePage() {
    if (!m_bMayLeave)
        return FALSE;
    if (!CheckAutoSaveSettings())
        return FALSE;
    if (m_sDocumentation.SeparatorsClash()) {
        AfxMessageBox(GetLanguageString(IDS_DOC_SEPARATOR_CLASH), MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}
