// The next start is usable whatever the session before left: with each page shown at Exit, and
// with a single sensor, a multi-port device or more sensors than one device holds, every page is
// chosen from the navigation tree and from the menu after the restart, and on the measure page
// Start and Trigger are enabled once the sensor is ready and a run records values. One simulator
// serves each road; only the program starts again.
#include <cstdlib>
#include <cstring>
#include <functional>

#include "Road.h"
#include "app/MainFrame.h"
#include "pages/sensor/PortRowTexts.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/CommCtrl.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

struct PageChoice {
    UINT command;
    int treeRow;  // the page's row of the navigation tree
    const char* name;
};

constexpr PageChoice kPages[] = {
    {kCommandConnection, 7, "connection"},    {kCommandInformation, 8, "information"},
    {kCommandMeasureSettings, 9, "settings"}, {kCommandDocumentation, 10, "documentation"},
    {kCommandCalibration, 11, "calibration"}, {kCommandMeasureDiagram, 12, "measure"},
    {kCommandDiagnostic, 13, "diagnostic"},
};

constexpr UINT kCommandChannelA = 10031;
constexpr int kChannelValueField = 1006;
constexpr int kColumnSerial = 4;
constexpr int kChoiceAttempts = 5;

class Restart : public Road {
  protected:
    // More sensors than one device holds: none is opened at the first start, the operator opens
    // 1002 on the connection page.
    void StartOnEveryPortAndOpenOne() {
        StartOnPorts(0, kBenchPorts);
        HWND list = ShowPortList(*app_);
        ASSERT_NE(list, nullptr);
        int row = -1;
        ASSERT_TRUE(app_->RunUntil(
            [&] {
                const auto rows = ListRows(list, kPortListColumns);
                for (size_t i = 0; i < rows.size(); ++i)
                    row = rows[i][kColumnSerial] == "1002" ? static_cast<int>(i) : row;
                return row >= 0 && IsConnectionPageIdle(*app_);
            },
            15000));
        app_->DoubleClickAt(ListCell(list, row, kColumnSerial));
    }

    // The program sees the ports `first` to `first + count - 1` of the bench.
    void StartOnPorts(size_t first, size_t count) {
        StartBench();
        app_->SetExtraPorts(bench_->ExtraPortsText(first, count));
        StartApp();
    }

    // The pages from `first` to `last` of the tree shown at Exit in turn, the program started
    // again from what it wrote, and the restart worked through.
    void RestartOnPages(size_t first, size_t last) {
        ASSERT_TRUE(WaitForSensorOpen(*app_));
        for (size_t index = first; index <= last; ++index) {
            const PageChoice& exitPage = kPages[index];
            SCOPED_TRACE(std::string("the page shown at Exit: ") + exitPage.name);
            ShowPage(*app_, exitPage.command);
            ASSERT_TRUE(IsPageShown(*app_, exitPage.command));
            ASSERT_TRUE(app_->Close());
            app_->ReloadSettings();
            ASSERT_TRUE(app_->Start());
            ASSERT_TRUE(WaitForMainWindow(*app_));
            ASSERT_TRUE(WaitForSensorOpen(*app_));
            EXPECT_TRUE(IsPageShown(*app_, exitPage.command));
            ChooseEveryPage();
            MeasureBriefly();
            EXPECT_TRUE(app_->messages.empty()) << app_->messages.front().text;
        }
        ASSERT_TRUE(app_->Close());
    }

    // A page chosen as an operator chooses it: again while the frame refuses it for a moment
    // (within 50 ms of the last change, while the sensor answers a request).
    bool Choose(const std::function<void()>& act, UINT command) {
        for (int attempt = 0; attempt < kChoiceAttempts; ++attempt) {
            app_->Run(60);  // no hand chooses twice within 50 ms
            act();
            if (app_->RunUntil([&] { return IsPageShown(*app_, command); }, 300))
                return true;
            app_->RunUntil([&] { return !app_->Frame()->m_bRequestOutstanding; }, 2000);
        }
        return false;
    }

    void ChooseEveryPage() {
        CMainFrame* frame = app_->Frame();
        HWND tree = frame->m_wndTree.m_hWnd;
        for (const PageChoice& page : kPages) {
            // Beside the measure page's diagram the tree is shorter than its items: the operator
            // scrolls the item into sight.
            HTREEITEM handle = frame->m_ahTreeItems[page.treeRow];
            ::SendMessage(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(handle));
            RECT item{};
            std::memcpy(&item, &handle, sizeof handle);
            ASSERT_TRUE(
                ::SendMessage(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item)));
            POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
            ::ClientToScreen(tree, &centre);
            EXPECT_TRUE(Choose([&] { app_->ClickAt(centre); }, page.command))
                << "from the tree: " << page.name;
        }
        for (const PageChoice& page : kPages) {
            EXPECT_TRUE(Choose([&] { app_->Command(page.command); }, page.command))
                << "from the menu: " << page.name;
        }
    }

    // Start and Trigger enabled once the sensor is ready; a short run records values.
    void MeasureBriefly() {
        ShowPage(*app_, kCommandMeasureDiagram);
        HWND frame = app_->FrameWindow();
        HWND start = FindControl(frame, IDC_MD_START);
        HWND trigger = FindControl(frame, IDC_MD_TRIGGER);
        EXPECT_TRUE(app_->RunUntil(
            [&] {
                return ::IsWindowEnabled(start) != FALSE && ::IsWindowEnabled(trigger) != FALSE;
            },
            10000))
            << "Start and Trigger stay disabled";
        // Before any run the sensor's values show, and the view menu offers the channel views.
        HWND value = FindControl(frame, kChannelValueField);
        EXPECT_TRUE(app_->RunUntil(
            [&] { return WindowText(value).find_first_of("0123456789") != std::string::npos; },
            3000))
            << WindowText(value);
        EXPECT_TRUE(IsCommandEnabled(*app_, kCommandChannelA));
        ASSERT_TRUE(Measure(*app_, 500));
        const std::string count = WindowText(FindControl(frame, IDC_MD_COUNT));
        const size_t colon = count.find(':');
        EXPECT_GT(colon != std::string::npos ? std::atoi(count.c_str() + colon + 1) : 0, 0)
            << count;
    }
};

// Each road in two halves, each in time on a loaded machine too.
TEST_F(Restart, OnTheSensorPagesWithOneSensor) {
    StartOnPorts(0, 1);  // the sensor 1001
    RestartOnPages(0, 3);
}

TEST_F(Restart, OnTheMeasurePagesWithOneSensor) {
    StartOnPorts(0, 1);
    RestartOnPages(4, 6);
}

TEST_F(Restart, OnTheSensorPagesWithTheMultiPortDevice) {
    StartOnPorts(2, 4);  // the four ports of the device 1003
    RestartOnPages(0, 3);
}

TEST_F(Restart, OnTheMeasurePagesWithTheMultiPortDevice) {
    StartOnPorts(2, 4);
    RestartOnPages(4, 6);
}

TEST_F(Restart, OnTheSensorPagesWithMoreSensorsThanOneDeviceHolds) {
    StartOnEveryPortAndOpenOne();
    RestartOnPages(0, 3);
}

TEST_F(Restart, OnTheMeasurePagesWithMoreSensorsThanOneDeviceHolds) {
    StartOnEveryPortAndOpenOne();
    RestartOnPages(4, 6);
}

}  // namespace
}  // namespace e2e
