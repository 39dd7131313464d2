// Start-up of the program: the hidden frame, the pages and their registrations, the completion,
// the settings-version check, a stored bar layout the frame cannot use, the search for sensors
// and the restart hand-over.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "AppTest.h"
#include "app/Kq7View.h"
#include "foundation/RestartMutex.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/measurement/CDlgTKBk.h"
#include "platform/base/Mutex.h"
#include "platform/base/Registry.h"
#include "res/resource.h"

namespace apptest {
namespace {

using StartUp = AppTest;

TEST_F(StartUp, TheFrameStaysHiddenUntilASensorIsFoundAndThePagesWaitHiddenInTheirOrder) {
    PrepareStore();
    sim_->AddSensor("COM1 Tarvik USB sensor interface port", 1111);
    ASSERT_TRUE(Start());
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsStartUpPending());
    Pump();
    EXPECT_FALSE(frame->IsStartUpPending());
    EXPECT_FALSE(frame->IsWindowVisible());
    EXPECT_EQ(PaneText(0), "Sensor getrennt");
    EXPECT_EQ(frame->m_wndStatusBar.GetItemID(1), CMainFrame::PANE_WEEKDAY);
    EXPECT_EQ(frame->m_wndStatusBar.GetItemID(2), CMainFrame::PANE_DATE);
    EXPECT_EQ(frame->m_wndStatusBar.GetItemID(3), CMainFrame::PANE_TIME);

    // The eight pages are the view's hidden children, in the table's order; the page restored
    // (none stored: the measure configuration) is the one shown.
    CKq7View* view = frame->GetView();
    ASSERT_NE(view, nullptr);
    HWND child = ::GetWindow(view->m_hWnd, GW_CHILD);
    std::vector<UINT> order;
    for (; child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        for (int i = 0; i < kPageCount; ++i) {
            if (view->GetPage(i)->m_hWnd == child)
                order.push_back(kPageIds[i]);
        }
    }
    EXPECT_EQ(order, std::vector<UINT>(std::begin(kPageIds), std::end(kPageIds)));
    for (int i = 0; i < kPageCount; ++i)
        EXPECT_EQ((view->GetPage(i)->GetStyle() & WS_VISIBLE) != 0,
                  kPageIds[i] == PAGE_MEASURE_ADJUST)
            << i;

    // The start-up window searches; the frame shows once the sensor has answered.
    ASSERT_NE(frame->m_dlgStartUp.m_hWnd, nullptr);
    EXPECT_TRUE(frame->m_dlgStartUp.IsWindowVisible());
    Run(3000);
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_FALSE(frame->m_dlgStartUp.IsWindowVisible());
}

// A start on the page the last session showed at Exit: that page shows and works as after any
// switch (the measure page's Start and Trigger once its sensor is ready), and every page can be
// chosen after it.
constexpr UINT kTreePages[] = {PAGE_CONNECTION,    PAGE_INFORMATION, PAGE_MEASURE_ADJUST,
                               PAGE_DOCUMENTATION, PAGE_CALIBRATION, PAGE_MEASURE_DIAGRAM,
                               PAGE_DIAGNOSTIC};

class StartOnStoredPage : public AppTest, public ::testing::WithParamInterface<UINT> {};

TEST_P(StartOnStoredPage, ItShowsAgainAndEveryPageCanBeChosenAfterIt) {
    const UINT stored = GetParam();
    PrepareStore();
    app_->WriteProfileInt("AllViewState\\Configs", "ActivDisplayMenu", static_cast<int>(stored));
    CMainFrame* frame = StartWithOpenSensor();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetActivePageId(), stored);
    if (stored == PAGE_MEASURE_DIAGRAM) {
        CDlgMeasureDiagram* measure = frame->GetMeasureDiagramPage();
        EXPECT_TRUE(measure->GetDlgItem(IDC_MD_START)->IsWindowEnabled());
        EXPECT_TRUE(measure->GetDlgItem(IDC_MD_TRIGGER)->IsWindowEnabled());
        // Its bars are laid out as for a switch to it: the view menu offers the channel views.
        EXPECT_EQ(frame->m_iBarsForPage, 1);
    }
    // A switch may wait for a reply of the sensor, never for longer.
    for (UINT page : kTreePages) {
        for (int wait = 0; wait < 20 && frame->GetActivePageId() != page; ++wait) {
            frame->SetOperatingMode(page);
            Run(60);
        }
        EXPECT_EQ(frame->GetActivePageId(), page);
    }
}

INSTANTIATE_TEST_SUITE_P(EachPage, StartOnStoredPage, ::testing::ValuesIn(kTreePages));

TEST_F(StartUp, ASecondInitialUpdateMakesNoPageAndPostsNothing) {
    PrepareStore();
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    CKq7View* view = frame->GetView();
    std::vector<HWND> before;
    for (int i = 0; i < kPageCount; ++i)
        before.push_back(view->GetPage(i)->m_hWnd);
    view->OnInitialUpdate();
    Pump();
    for (int i = 0; i < kPageCount; ++i)
        EXPECT_EQ(view->GetPage(i)->m_hWnd, before[static_cast<size_t>(i)]);
    EXPECT_EQ(frame->GetPageWindow(PAGE_LOGO), view->GetPage(0));
}

TEST_F(StartUp, ALateRegistrationOfAWindowThatHasGoneIsDropped) {
    PrepareStore();
    CMainFrame* frame = StartAndComplete();
    CWnd* gone = new CWnd;
    gone->CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 1, 1), frame, 77);
    frame->PostMessage(1230, reinterpret_cast<WPARAM>(gone), kDialogRegistration);
    gone->DestroyWindow();
    Pump();
    EXPECT_EQ(frame->GetRegisteredWindow(WindowSlot::CalibZero), nullptr);
    delete gone;

    CWnd live;
    live.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 1, 1), frame, 78);
    frame->PostMessage(1230, reinterpret_cast<WPARAM>(&live), kDialogRegistration);
    Pump();
    EXPECT_EQ(frame->GetRegisteredWindow(WindowSlot::CalibZero), &live);
    frame->UnregisterWindow(&live);
    EXPECT_EQ(frame->GetRegisteredWindow(WindowSlot::CalibZero), nullptr);
    live.DestroyWindow();
}

TEST_F(StartUp, AnotherSettingsVersionWipesTheWholeKeyAfterTheRecentFilesWereRead) {
    for (const char* version : {"2.04 ", "2.03"}) {
        NewApplication();
        app_->SetRegistryKey(kRegistryCompany);
        app_->WriteProfileString("Version", "Version", version);
        app_->WriteProfileInt("DespiteReset", "LastUsedSerialNo", 77);
        app_->WriteProfileString("Recent File List", "File1", "/data/old.kq");
        app_->SetRegistryKey(kRegistryCompany);
        app_->LoadStdProfileSettings(4);
        app_->CheckSettingsVersion();
        EXPECT_EQ((*app_->m_pRecentFileList)[0], "/data/old.kq") << version;
        EXPECT_EQ(app_->GetProfileInt("DespiteReset", "LastUsedSerialNo", 0), 0) << version;
    }
    NewApplication();
    PrepareStore();
    app_->WriteProfileInt("DespiteReset", "LastUsedSerialNo", 77);
    app_->CheckSettingsVersion();
    EXPECT_EQ(app_->GetProfileInt("DespiteReset", "LastUsedSerialNo", 0), 77);
}

TEST_F(StartUp, AStoredLayoutIsKeptWhenItsBarsExistAndDroppedWhenOneIsMissing) {
    PrepareStore();
    CMainFrame* frame = StartAndComplete();
    // A floated bar's old place is listed as its id + 0x10000.
    frame->m_wndNaviBar.GetDockBarId();
    const char* section = "AllViewState\\BarState\\ViewBar";
    app_->WriteProfileInt("AllViewState\\BarState\\ViewBar-Summary", "Bars", 1);
    app_->WriteProfileInt("AllViewState\\BarState\\ViewBar-Bar0", "BarID", 0xE81B);
    app_->WriteProfileInt("AllViewState\\BarState\\ViewBar-Bar0", "Bars", 2);
    app_->WriteProfileInt("AllViewState\\BarState\\ViewBar-Bar0", "Bar#0", 0x10000 + 121);
    app_->WriteProfileInt("AllViewState\\BarState\\ViewBar-Bar0", "Bar#1", 0);
    EXPECT_TRUE(frame->VerifyBarState(section));
    app_->WriteProfileInt("AllViewState\\BarState\\ViewBar-Bar0", "Bar#1", 999);
    EXPECT_FALSE(frame->VerifyBarState(section));
    frame->m_bCloseWithoutSaving = TRUE;
    frame->DestroyWindow();
    Pump();

    // The next start completes with the default docking and forgets the layout.
    NewApplication();
    frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->IsStartUpPending());
    EXPECT_EQ(app_->GetProfileInt("AllViewState\\BarState\\ViewBar-Bar0", "Bar#1", -1), -1);
    EXPECT_TRUE(frame->VerifyBarState(section));
}

TEST_F(StartUp, TheLogoPageIsCentredAndZoomedForTheViewSize) {
    const LogoPlacement large = ComputeLogoPlacement(1201, 900);
    EXPECT_EQ(large.x, 496);
    EXPECT_EQ(large.y, 346);
    EXPECT_DOUBLE_EQ(large.zoom, 1.3);
    const LogoPlacement tiny = ComputeLogoPlacement(25, 25);
    EXPECT_EQ(tiny.x, 12);
    EXPECT_EQ(tiny.y, 12);
    EXPECT_DOUBLE_EQ(tiny.zoom, 0.0005 * 1.3);

    PrepareStore();
    app_->WriteProfileInt("AllViewState\\Configs", "ActivDisplayMenu", PAGE_LOGO);
    CMainFrame* frame = StartAndComplete();
    CKq7View* view = frame->GetView();
    view->LayoutPages(1201, 900);
    auto* logo = static_cast<CDlgTKBk*>(view->GetPage(0));
    EXPECT_EQ(logo->m_ptLogo, CPoint(496, 346));
    EXPECT_DOUBLE_EQ(logo->m_dLogoZoom, 1.3);
}

TEST_F(StartUp, AFrameThatCannotBeCreatedFailsTheStartWithoutAMenuSwap) {
    PrepareStore();
    CMainFrame::s_portProviderFactory = [] { return std::unique_ptr<ISensorPortProvider>(); };
    EXPECT_FALSE(Start());
    EXPECT_EQ(app_->m_pMainWnd, nullptr);
    EXPECT_EQ(Frame(), nullptr);
}

TEST_F(StartUp, ARestartWaitsForTheInstanceThatHoldsTheMutexAndReleasesItAtExit) {
    PrepareStore();
    std::atomic<bool> released{false};
    std::atomic<bool> holding{false};
    std::thread holder([&] {
        HANDLE mutex = ::CreateMutex(nullptr, TRUE, kRestartMutexName);
        holding = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        released = true;
        ::ReleaseMutex(mutex);
        ::CloseHandle(mutex);
    });
    while (!holding)
        std::this_thread::yield();
    ASSERT_TRUE(Start({"kq7b", "--Restart"}));
    EXPECT_TRUE(released);
    holder.join();
    EXPECT_TRUE(WasRestarted());
    app_->ExitInstance();
    EXPECT_FALSE(ReleaseRestartMutex());
}

TEST_F(StartUp, ARestartWithoutAHolderGoesStraightOn) {
    PrepareStore();
    ASSERT_TRUE(Start({"kq7b", "--Restart"}));
    EXPECT_NE(Frame(), nullptr);
}

}  // namespace
}  // namespace apptest
