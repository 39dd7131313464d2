// The operator saves the values of a run with Ctrl+M and starts the next run at once, before
// the save's worker has written a row: the file holds the run that was saved.
#include "Files.h"
#include "Road.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using PendingSave = Road;

TEST_F(PendingSave, AStartRightAfterCtrlMLeavesTheSavedRunInTheFile) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 2000));
    HWND frame = app_->FrameWindow();
    HWND start = FindControl(frame, IDC_MD_START);
    HWND stop = FindControl(frame, IDC_MD_STOP);
    ASSERT_TRUE(start != nullptr && stop != nullptr && ::IsWindowEnabled(start));
    const std::string csv = root_ + "/pending.csv";
    app_->WhenModal(
        [csv](HWND dialog) { return AppDriver::FillAndPress(dialog, edt1, csv, IDOK); });
    app_->WhenModal([](HWND box) { return AppDriver::Press(box, IDYES); });
    app_->Key('M', true);
    app_->ForgetAnswers();
    app_->Click(start);
    ASSERT_TRUE(app_->RunUntil([&] { return ::IsWindowEnabled(stop) != FALSE; }, 5000));
    app_->Run(1000);
    app_->Click(stop);
    ASSERT_TRUE(app_->RunUntil([&] { return ::IsWindowEnabled(start) != FALSE; }, 10000));
    app_->Run(4000);  // past the worker's first tick
    const CsvFacts facts = ReadCsvRows(csv);
    ASSERT_TRUE(facts.valid) << ReadFile(csv);
    // Two seconds at ten value sets a second.
    EXPECT_GE(facts.rows, 15) << ReadFile(csv);
    EXPECT_TRUE(facts.numbered);
}

}  // namespace
}  // namespace e2e
