// What the documentation page's export header asks of the frame: per connected sensor its type,
// serial number and range, and the titles of the columns in the order the rows will be written
// (the measured values' columns, or the fields of a result row).
#include <algorithm>

#include "app/MainFrame.h"
#include "app/views/CAFormChannel.h"
#include "foundation/Language.h"
#include "foundation/NumberText.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "res/resource.h"
#include "sensor/CTarvik_Send.h"

namespace {

constexpr int kPassTitle = IDS_DOC_VERDICT;
constexpr const char* kNotAvailable = "n.a.";

CString Numbered(int textId, int number) {
    CString text;
    text.Format("%s %d", GetLanguageString(textId).GetString(), number);
    return text;
}

// The range's number with the file's decimal separator, as the rows have it; its unit as it
// stands ("n.a." and a range in brackets carry no number to change).
CString WithFileDecimalSeparator(const CString& range, int decimalLanguage) {
    const int blank = range.Find(' ');
    if (blank <= 0)
        return range;
    return SetDecimalSeparator(range.Left(blank), decimalLanguage) + range.Mid(blank);
}

}  // namespace

std::vector<documentation_texts::SensorHeaderLines> CMainFrame::GetExportSensorLines() {
    std::vector<documentation_texts::SensorHeaderLines> lines;
    const int count = std::min(m_iNumberOfSensors, COM_MAX_SENSORS);
    const CDlgSensorInformationPkr* information = GetInformationPage();
    for (int sensor = 0; sensor < count; ++sensor) {
        const SensorRecord& record = m_aSensorRecord[sensor];
        const char letterA = static_cast<char>(record.ucUnitLetter[0]);
        documentation_texts::SensorHeaderLines line;
        CString statorType;
        if (information != nullptr)
            line.type = information->FormatSensorTypeText(sensor, TRUE, record.dwTypeNumber,
                                                          letterA, nullptr, &statorType);
        // Sensors without a type number of their own are named by their stator.
        if (line.type.IsEmpty())
            line.type = statorType;
        if (line.type.IsEmpty())
            line.type = kNotAvailable;
        line.serialNumber = CDlgSensorInformationPkr::SerialNumberText(record.dwSerialNumber);
        // The range as the channel view of the sensor's position shows it.
        const int position = m_iNumberOfSensors > 1 && record.ucSensorIndex < COM_MAX_SENSORS
                                 ? record.ucSensorIndex
                                 : 0;
        line.range = CTarvik_Send::TarSend_GetRangeText(record, 0);
        if (CAFormChannelX* view = GetChannelView(position))
            line.range = view->FormatChannelValue(line.range, letterA, 2);
        if (IFlowDocumentation* documentation = FlowDocumentation())
            line.range =
                WithFileDecimalSeparator(line.range, documentation->GetDecimalSeparatorLanguage());
        lines.push_back(line);
    }
    return lines;
}

CString CMainFrame::ExportChannelTitle(int channel) {
    if (channel < 0 || channel >= COM_CHANNELS)
        return "";
    CString title;
    if (channel >= 4)
        title = Numbered(IDS_QUANTITY_POWER, channel - 3);
    else if (m_iNumberOfSensors > 1)
        title = Numbered(IDS_SENSOR, channel + 1);
    else
        title = GetLanguageString(IDS_CHANNEL_A + channel);
    const CString unit = RecordOfChannel(channel).CurrentUnitText();
    if (!unit.IsEmpty() && unit != kNotAvailable)
        title += " [" + unit + "]";
    return title;
}

std::vector<CString> CMainFrame::GetExportColumnTitles(int kind) {
    std::vector<CString> titles;
    IFlowMeasureConfig* config = FlowMeasureConfig();
    if (kind == 1) {
        titles = {GetLanguageString(IDS_DATE), GetLanguageString(IDS_DOC_TIME)};
        for (int criterion = 0; criterion < 2; ++criterion) {
            CString maximum = Numbered(IDS_DOC_MAXIMUM, criterion + 1);
            const int measurand = config != nullptr ? config->GetJudgedMeasurand(criterion) : -1;
            if (measurand >= 0 && measurand < COM_CHANNELS)
                maximum += " (" + ExportChannelTitle(measurand) + ")";
            // The unit field carries the unit itself: its title stays empty.
            titles.insert(titles.end(), {maximum, "", Numbered(kPassTitle, criterion + 1)});
        }
        titles.push_back(GetLanguageString(IDS_DOC_OVERALL));
        return titles;
    }
    IFlowDiagram* diagram = FlowDiagram();
    if (diagram == nullptr)
        return titles;
    // The header comes before the recording's first value set, which captures the axis of the
    // x column: the columns are laid out with the settings' axis as that capture will take it.
    const int capturedAxis = m_measurement.Recording().m_aiAxisAssignment[0];
    if (config != nullptr)
        m_measurement.EditRecording().m_aiAxisAssignment[0] = config->GetAxisAssignment(0);
    const CsvLayout layout = BuildCsvLayout(*diagram);
    m_measurement.EditRecording().m_aiAxisAssignment[0] = capturedAxis;
    titles.push_back(GetLanguageString(IDS_ROW_NUMBER));
    if (layout.xChannel >= 0)
        titles.push_back(ExportChannelTitle(layout.xChannel));
    for (int channel : layout.columns)
        titles.push_back(ExportChannelTitle(channel));
    return titles;
}
