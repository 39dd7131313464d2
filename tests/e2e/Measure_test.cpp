// Steps five and six of the road: a measurement on the one sensor of the bench, its values saved
// as CSV, the diagram as BMP and printed to PDF; each file read back by a reader of its own.
#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "Files.h"
#include "Road.h"
#include "platform/ui/WinUser.h"
#include "res/measure_adjust.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using MeasureAndSave = Road;

constexpr int kDateTitle = 5470;
constexpr int kEndOfStorage = 5804;
constexpr int kDuration = 5803;
constexpr int kFileList = 0x0460;  // the file dialog's list of files

TEST_F(MeasureAndSave, TheRecordingIsSavedAsCsvBmpAndPdf) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 3000));
    const std::string csv = root_ + "/values.csv";
    const std::string bmp = root_ + "/diagram.bmp";
    const std::string pdf = root_ + "/diagram.pdf";
    ASSERT_TRUE(SaveValues(*app_, csv));
    ASSERT_TRUE(PrintToPdf(*app_, pdf));
    // The diagram's save dialog lists the operator's folder, never the program's temporary
    // pictures (the print has just written one).
    std::vector<std::string> listed;
    bool shown = false;
    app_->ForgetAnswers();
    app_->WhenModal([&](HWND dialog) {
        HWND files = ::GetDlgItem(dialog, kFileList);
        const int count = static_cast<int>(::SendMessage(files, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char name[MAX_PATH] = {};
            ::SendMessage(files, LB_GETTEXT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(name));
            listed.emplace_back(name);
        }
        shown = true;
        return AppDriver::Press(dialog, IDCANCEL);
    });
    app_->Command(kCommandSaveDiagram);
    ASSERT_TRUE(app_->RunUntil([&] { return shown; }, 5000));
    for (const std::string& name : listed)
        EXPECT_EQ(name.find("TEMP"), std::string::npos) << name;
    app_->ForgetAnswers();
    ASSERT_TRUE(SaveDiagram(*app_, bmp));
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;

    // The CSV opens with its documentation header (the start date first) and ends with the
    // stop block.
    const std::string text = ReadCp1252File(csv);
    EXPECT_EQ(text.rfind(TableText(kDateTitle, LanguageOffset()), 0), 0u) << text;
    EXPECT_NE(text.find(TableText(kEndOfStorage, LanguageOffset())), std::string::npos) << text;

    const BmpFacts image = ReadBmp(bmp);
    EXPECT_TRUE(image.valid);
    // At the documentation page's export size (a bitmap of 800 x 705 less its margins), not at
    // the docked bar's height.
    EXPECT_GT(image.width, 700);
    EXPECT_GT(image.height, 600);

    // One A4 page (595 x 842 points, either way round).
    const PdfFacts print = ReadPdf(pdf);
    EXPECT_EQ(print.pages, 1);
    EXPECT_NEAR(std::min(print.width, print.height), 595, 2);
    EXPECT_NEAR(std::max(print.width, print.height), 842, 2);
}

// The number after the label of a line of the file ("Dauer [s];3,200" reads 3.2).
double NumberAfter(const std::string& text, const std::string& label) {
    const size_t at = text.find(label);
    if (at == std::string::npos)
        return -1;
    std::string number = text.substr(at + label.size() + 1, 12);
    std::replace(number.begin(), number.end(), ',', '.');
    return std::strtod(number.c_str(), nullptr);
}

TEST_F(MeasureAndSave, TheCsvRowsHoldTheSimulatedLoad) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    // The page counts the value sets. The sensor's first set comes a period after its start,
    // so three seconds of clock can hold 29: the stop waits for the thirtieth on the page.
    const auto shown = [&] {
        const std::string counted = WindowText(FindControl(app_->FrameWindow(), IDC_MD_COUNT));
        return std::atoi(counted.substr(counted.find(':') + 1).c_str());
    };
    const int64_t lagBefore = app_->LagMs();
    ASSERT_TRUE(
        Measure(*app_, 3000, [&] { app_->RunUntil([&] { return shown() >= 30; }, 10000); }));
    // The sensor streamed through the time the program's clock lost on a loaded machine too.
    const double lostSeconds = static_cast<double>(app_->LagMs() - lagBefore) / 1000.0;
    const int shownCount = shown();
    // The operator saves a while after the stop.
    app_->Run(1500);
    const std::string csv = root_ + "/values.csv";
    ASSERT_TRUE(SaveValues(*app_, csv));
    const CsvFacts facts = ReadCsvRows(csv);
    ASSERT_TRUE(facts.valid) << ReadFile(csv);
    const int rows = facts.rows;
    // Three seconds of measuring at ten value sets a second: one row per value set counted on
    // the page, numbered without a gap, and the measurement's duration in the stop block (from
    // the click on Start, through the sensor's start, to the end of the recording).
    EXPECT_GE(rows, 30) << ReadFile(csv);
    EXPECT_EQ(rows, shownCount);
    EXPECT_TRUE(facts.numbered);
    const double duration =
        NumberAfter(ReadCp1252File(csv), TableText(kDuration, LanguageOffset()));
    // The stop block gives whole seconds, cut: the value sets span less than one more.
    EXPECT_GE((duration + lostSeconds + 1) * 10, rows - 1) << lostSeconds << " s lost";
    EXPECT_LE(duration * 10, rows + 12) << "counted to the save, not to the stop";
    // Channel A follows the sine load of 200 +- 100 N·m with a period of 8 s (its steepest
    // change 79 N·m/s, 7.9 N·m from one value set to the next), channel B its constant 10 N·m,
    // within the last digit shown.
    EXPECT_GE(facts.lowA, 99.9);
    EXPECT_LE(facts.highA, 300.1);
    EXPECT_LE(facts.stepA, 79.0 / 10 + 0.5);
    EXPECT_NEAR(facts.lowB, 10.0, 0.1);
    EXPECT_NEAR(facts.highB, 10.0, 0.1);
}

// A stop after a count, chosen on the settings page as the operator does, ends a run begun with
// Start once it holds that many rows.
TEST_F(MeasureAndSave, AStopAfterACountEndsTheRunAtThatManyRows) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ShowPage(*app_, kCommandMeasureSettings);
    HWND frame = app_->FrameWindow();
    HWND stopCode = FindControl(frame, IDC_ADJ_STOP_CODE);
    HWND stopCount = FindControl(frame, IDC_ADJ_STOP_COUNT);
    ASSERT_TRUE(stopCode && stopCount);
    ChooseItem(*app_, stopCode, 7);  // "Anzahl Messwerte"
    TypeInto(*app_, stopCount, "30");
    ShowPage(*app_, kCommandMeasureDiagram);
    HWND start = FindControl(frame, IDC_MD_START);
    ASSERT_TRUE(start != nullptr && ::IsWindowEnabled(start));
    app_->Click(start);
    app_->Run(500);
    ASSERT_TRUE(app_->RunUntil(
        [&] {
            return ::IsWindowEnabled(start) != FALSE && IsCommandEnabled(*app_, kCommandSaveValues);
        },
        20000))
        << "the run never ended by itself";
    const std::string csv = root_ + "/values.csv";
    ASSERT_TRUE(SaveValues(*app_, csv));
    const CsvFacts facts = ReadCsvRows(csv);
    ASSERT_TRUE(facts.valid) << ReadFile(csv);
    EXPECT_EQ(facts.rows, 30) << ReadFile(csv);
}

}  // namespace
}  // namespace e2e
