// The measured values as the sensors' users open them: a German file read by LibreOffice Calc and
// by Python's csv module in the Windows western code page shows its headers and units as the
// program showed them; a file saved under a bare name lands in the documentation page's folder
// of measured values, and an automatic file in the folder typed there.
#include <cstdlib>
#include <filesystem>

#include "Files.h"
#include "Road.h"
#include "platform/ui/Styles.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/dialog/DialogCodes.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Files1252 = Road;

constexpr char kUnit[] = "N\xC2\xB7m";   // N·m
constexpr char kMisread[] = "\xC3\x82";  // Â, what UTF-8 bytes of "·" turn into in 1252
constexpr int kChannelTitle = 5321;      // "Kanal A"
constexpr int kFileNameEdit = 0x0480;

// Every cell of the file as Python's csv module reads it in code page 1252, one a line.
std::string CellsOf(const std::string& path) {
    static const char* const kScript = R"(
import csv, sys
with open(sys.argv[1], encoding='cp1252', newline='') as f:
    for row in csv.reader(f, delimiter=';'):
        for cell in row:
            print(cell)
)";
    std::string output;
    return RunPython(kScript, {path}, &output) ? output : std::string();
}

// The file opened in LibreOffice Calc with the German import settings and the Windows western
// character set, as the spreadsheet's XML; empty without soffice.
std::string OpenInCalc(const std::string& folder, const std::string& name) {
    const std::string command = "cd '" + folder + "' && HOME='" + folder +
                                "' soffice --headless --infilter=\"CSV:59,34,1,1,,1031\" "
                                "--convert-to fods '" +
                                name + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return "";
    return ReadFile(folder + "/" + name.substr(0, name.rfind('.')) + ".fods");
}

TEST_F(Files1252, AGermanFileOpensWithItsHeadersAndUnits) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    app_->Command(kCommandGerman);
    app_->Run(100);
    ASSERT_TRUE(Measure(*app_, 1500));
    const std::string csv = root_ + "/werte.csv";
    ASSERT_TRUE(SaveValues(*app_, csv));

    const std::string cells = CellsOf(csv);
    ASSERT_FALSE(cells.empty()) << "Python could not read the file in code page 1252";
    EXPECT_NE(cells.find(TableText(kChannelTitle, 0)), std::string::npos) << cells;
    EXPECT_NE(cells.find(kUnit), std::string::npos) << cells;
    EXPECT_EQ(cells.find(kMisread), std::string::npos) << cells;

    if (std::system("command -v soffice > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice is not installed";
    const std::string sheet = OpenInCalc(root_, "werte.csv");
    ASSERT_FALSE(sheet.empty());
    EXPECT_NE(sheet.find(kUnit), std::string::npos);
    EXPECT_EQ(sheet.find(kMisread), std::string::npos);
}

TEST_F(Files1252, ValuesSavedUnderABareNameGoToTheDocumentationFolder) {
    // The documentation page's folder of measured values, made by an earlier automatic storage.
    const std::string folder = root_ + "/data/Brevan/Messwerte";
    std::filesystem::create_directories(folder);
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 1000));
    // The operator types only a name into the save dialog.
    app_->WhenModal([](HWND dialog) {
        return AppDriver::FillAndPress(dialog, kFileNameEdit, "bare.csv", IDOK);
    });
    app_->WhenModal([](HWND box) { return AppDriver::Press(box, IDYES); });
    app_->Command(kCommandSaveValues);
    EXPECT_TRUE(
        app_->RunUntil([&] { return std::filesystem::exists(folder + "/bare.csv"); }, 10000));
}

// A folder that does not exist yet, typed into the documentation page's field of measured values,
// takes the automatically stored file: the folders on its way are made.
TEST_F(Files1252, AnAutomaticFileGoesToTheNestedFolderTypedOnTheDocumentationPage) {
    const std::string folder = root_ + "/typed/nested/values";
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ShowPage(*app_, kCommandDocumentation);
    HWND frame = app_->FrameWindow();
    app_->Click(FindControl(frame, IDC_DOC_MW_MODE1));
    TypeInto(*app_, ::GetWindow(FindControl(frame, IDC_DOC_MW_DIR), GW_CHILD), folder.c_str());
    ASSERT_TRUE(Measure(*app_, 1000));
    auto stored = [&] {
        std::error_code error;
        for (const auto& file : std::filesystem::directory_iterator(folder, error)) {
            if (file.path().extension() == ".csv")
                return true;
        }
        return false;
    };
    EXPECT_TRUE(app_->RunUntil(stored, 10000));
    EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
}

}  // namespace
}  // namespace e2e
