// The export header on the running application: a measurement with automatic storage writes a
// file whose header names the connected sensor and titles every column of the rows below it, and
// the result file's header titles the fields of its result row.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/AppTest.h"
#include "app/views/CAFormDiagram.h"
#include "app/views/GraphicDisplayWnd.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor_fixture.h"
#include "platform/base/CodePage1252.h"

namespace apptest {
namespace {

// The file's lines as UTF-8 (the file keeps the Windows western code page).
std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream raw;
    raw << in.rdbuf();
    std::istringstream all(kq::Cp1252ToUtf8(raw.str()));
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(all, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string OnlyFileIn(const std::string& dir) {
    std::string found;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        EXPECT_TRUE(found.empty()) << "a second file " << entry.path();
        found = entry.path().string();
    }
    return found;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
    return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

class DocumentationHeader : public SensorPageTest {
  protected:
    // One sensor, both automatic files into folders of the test's own.
    void StartWithStorage() {
        frame_ = StartWithOpenSensor();
        ASSERT_NE(frame_, nullptr);
        documentation_ = frame_->GetDocumentationPage();
        panel_ = frame_->GetMeasureDiagramPage();
        ASSERT_NE(documentation_, nullptr);
        ASSERT_NE(panel_, nullptr);
        values_ = folder_ / "values";
        results_ = folder_ / "results";
        std::filesystem::create_directories(values_);
        std::filesystem::create_directories(results_);
        documentation_->m_sDocumentation.measuredValueMode = 1;
        documentation_->m_sDocumentation.resultMode = 1;
        documentation_->m_strTexts[CDlgDocumentation::kMWTargetDirectory] = values_.c_str();
        documentation_->m_strTexts[CDlgDocumentation::kIONIOTargetDirectory] = results_.c_str();
    }
    void Measure() {
        // The curve store as a start prepares it, so that the rows have their points.
        CAFormDiagram* diagram = frame_->GetDiagramView();
        ASSERT_NE(diagram, nullptr);
        const BYTE inUse[6] = {1, 1, 1, 1, 1, 1};
        ASSERT_GT(diagram->GetDiagram()->ReallocateStorage(10000, inUse), 0u);
        diagram->AssignCurvesToChannels();
        diagram->StartDiagram(TRUE);
        frame_->SetActiveChannelsAB(0);
        const BOOL sensorChannels[4] = {TRUE, TRUE, FALSE, FALSE};
        frame_->SetActiveSensorChannels(sensorChannels);
        panel_->OnBnClickedStart();
        ASSERT_TRUE(panel_->IsMeasuring());
        RunStreaming(1500);
        panel_->OnBnClickedStop();
        Run(3000);
        ASSERT_FALSE(panel_->IsMeasuring());
    }

    CMainFrame* frame_ = nullptr;
    CDlgDocumentation* documentation_ = nullptr;
    CDlgMeasureDiagram* panel_ = nullptr;
    std::string values_, results_;
};

TEST_F(DocumentationHeader, TheFileNamesItsSensorAndTitlesEveryColumnOfItsRows) {
    StartWithStorage();
    const SensorRecord& record = frame_->m_aSensorRecord[0];
    const CString unitA = frame_->RecordOfChannel(0).CurrentUnitText();
    const CString unitB = frame_->RecordOfChannel(1).CurrentUnitText();
    Measure();

    const std::vector<std::string> lines = Lines(OnlyFileIn(values_));
    ASSERT_GT(lines.size(), 8u);
    // The sensor: its type with the quantity, its serial number, its range with the unit.
    CString serial;
    serial.Format("Seriennummer;%u", static_cast<unsigned>(record.dwSerialNumber));
    EXPECT_TRUE(HasLine(lines, serial.GetString()));
    CString type;
    type.Format("Sensortyp;%u (", static_cast<unsigned>(record.dwTypeNumber));
    const auto typeLine = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.rfind(type.GetString(), 0) == 0;
    });
    ASSERT_NE(typeLine, lines.end());
    EXPECT_EQ(typeLine->back(), ')');
    const auto rangeLine = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("Messbereichsendwert;", 0) == 0;
    });
    ASSERT_NE(rangeLine, lines.end());
    EXPECT_NE(rangeLine->find_first_of("0123456789"), std::string::npos);
    EXPECT_EQ(rangeLine->find("n.a."), std::string::npos);

    // The titles line stands right above the first row and has as many fields as each row.
    const std::string titles = "Nr.;Kanal A [" + std::string(unitA.GetString()) + "];Kanal B [" +
                               std::string(unitB.GetString()) + "]";
    const auto titleLine = std::find(lines.begin(), lines.end(), titles);
    ASSERT_NE(titleLine, lines.end()) << lines.back();
    ASSERT_NE(titleLine + 1, lines.end());
    const std::string& firstRow = *(titleLine + 1);
    // Row numbers are right-aligned to the width of the last one.
    EXPECT_EQ(firstRow.find_first_not_of(' '), firstRow.find("0;")) << firstRow;
    // Each value field ends in the separator: the fields counted up to the last one match.
    const auto fields = [](const std::string& line) {
        return std::count(line.begin(), line.end(), ';') - (line.back() == ';' ? 1 : 0);
    };
    EXPECT_EQ(fields(firstRow), fields(titles));
}

TEST_F(DocumentationHeader, TheResultFileTitlesTheFieldsOfItsRow) {
    StartWithStorage();
    CDlgMeasureAdjust* adjust = frame_->GetMeasureAdjustPage();
    ASSERT_NE(adjust, nullptr);
    // Criterion 1 judges channel A: its title names the channel; criterion 2 is not judged.
    adjust->m_values.ioNioMode = 1;
    adjust->m_values.measurand[0] = 0;
    const std::string unitA = frame_->RecordOfChannel(0).CurrentUnitText().GetString();
    Measure();
    std::vector<std::string> lines = Lines(OnlyFileIn(results_));
    EXPECT_TRUE(HasLine(lines, "Datum;Uhrzeit;Maximum 1 (Kanal A [" + unitA +
                                   "]);;Bewertung 1;Maximum 2;;Bewertung 2;Gesamtbewertung"))
        << lines.size();
    CString serial;
    serial.Format("Seriennummer;%u",
                  static_cast<unsigned>(frame_->m_aSensorRecord[0].dwSerialNumber));
    EXPECT_TRUE(HasLine(lines, serial.GetString()));
}

}  // namespace
}  // namespace apptest
