// The close protocol with its refusals and deferrals, the shortcut keys, the clipboard copy and
// the window's limits.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/Kq7View.h"
#include "app/ThreadedConvertFile.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/commdlg/GlobalMemory.h"
#include "platform/ui/controls/Edit.h"
#include "protocol/BlockLayouts.h"
#include "sensor/ZMStates.h"

namespace apptest {
namespace {

class Close : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        adjust_ = frame_->GetMeasureAdjustPage();
        measure_ = frame_->GetMeasureDiagramPage();
    }
    bool Closed() { return Frame() == nullptr; }
    BOOL Keys(UINT message, UINT vk, bool ctrl, bool shift = false, HWND target = nullptr) {
        if (ctrl)
            KeyDown(VK_CONTROL);
        if (shift)
            KeyDown(VK_SHIFT);
        MSG msg{target != nullptr ? target : frame_->m_hWnd, message, vk, 0, 0, {}};
        const BOOL consumed = frame_->HandleShortcutKeys(&msg);
        if (shift)
            KeyUp(VK_SHIFT);
        if (ctrl)
            KeyUp(VK_CONTROL);
        return consumed;
    }
    CDlgMeasureAdjust* adjust_ = nullptr;
    CDlgMeasureDiagram* measure_ = nullptr;
};

TEST_F(Close, ARefusedCloseLeavesEverythingAsItWas) {
    adjust_->SetNoticeText("note");
    adjust_->ShowNotice(FALSE);
    // Opening a sensor, and the steps and block writes of the sensor pages, go on.
    for (int state : {1, 2, 45, 7, 8, 18, 20, 22, 23, 42, 48, 50}) {
        frame_->m_iZMCOMConfgFlow = state;
        CloseFrame();
        ASSERT_FALSE(Closed()) << state;
        EXPECT_EQ(adjust_->GetNoticeText(), "note");
        EXPECT_FALSE(adjust_->IsNoticeVisible());
        EXPECT_FALSE(frame_->IsWaitCursorShown());
    }
    frame_->m_iZMCOMConfgFlow = 5;
    frame_->m_iActivatedCount = 2;
    frame_->m_bMeasuring = TRUE;
    CloseFrame();
    EXPECT_FALSE(Closed());
}

TEST_F(Close, ACloseDuringTheOperatorsSerialNumberWriteIsKeptAndEndsTheProgramAfterIt) {
    frame_->m_iZMCOMConfgFlow = ZM_SET_SERIAL_NUMBER_ROTOR_OPERATION;
    CloseFrame();
    ASSERT_FALSE(Closed());
    frame_->m_iZMCOMConfgFlow = ZM_STOP_MEASURE;  // the write has ended
    Run(1000);
    EXPECT_TRUE(Closed());
}

TEST_F(Close, ASingleSensorMeasurementStopsFirstAndTheWorkerGoesOnlyWithTheClose) {
    frame_->m_iActivatedCount = 1;
    measure_->m_ucMeasuring = 1;
    // The page shown at start stopped what was not running; the close stops once more.
    const int stopsBefore = measure_->m_iStopClicks;
    CloseFrame();
    ASSERT_FALSE(Closed());
    EXPECT_EQ(measure_->m_iStopClicks, stopsBefore + 1);
    EXPECT_TRUE(frame_->m_bCloseAfterStop || frame_->m_bCloseAfterFastStop);
    ASSERT_NE(frame_->Measurement().Files().m_pConvertThread, nullptr);
    // Ctrl+M between the stop and the second close touches a living worker.
    EXPECT_TRUE(Keys(WM_KEYDOWN, 'M', true));
    CloseFrame();
    EXPECT_TRUE(Closed());
}

TEST_F(Close, AnOpenSensorHasItsConfigurationWrittenFirst) {
    sim_->AddSensor("COM1 Tarvik USB sensor interface port", 1111);
    frame_->m_bCloseWithoutSaving = FALSE;
    Run(3000);
    ASSERT_TRUE(frame_->IsWindowVisible());
    CloseFrame();
    EXPECT_FALSE(Closed());
    Run(5000);
    EXPECT_TRUE(Closed());
}

TEST_F(Close, StatesOfTheSearchGoOnAndWithoutASensorTheCloseIsImmediate) {
    frame_->m_iZMCOMConfgFlow = 57;
    adjust_->ShowNotice(FALSE);
    frame_->m_bMeasuring = FALSE;
    CKq7View* view = frame_->GetView();
    std::vector<HWND> pages;
    for (int i = 0; i < kPageCount; ++i)
        pages.push_back(view->GetPage(i)->m_hWnd);
    frame_->m_bCloseWithoutSaving = FALSE;
    CloseFrame();
    EXPECT_TRUE(Closed());
    for (HWND page : pages)
        EXPECT_FALSE(::IsWindow(page));
    EXPECT_EQ(app_->GetProfileString("Version", "Version", ""), "2.04");
}

TEST_F(Close, ShortcutKeys) {
    EXPECT_TRUE(Keys(WM_KEYDOWN, VK_ESCAPE, false));
    EXPECT_FALSE(Keys(WM_KEYDOWN, 'A', false));
    EXPECT_TRUE(Keys(WM_KEYDOWN, 'S', true));
    EXPECT_TRUE(Keys(WM_KEYDOWN, 'L', true));
    EXPECT_TRUE(boxes_.empty());
    const BOOL logBefore = frame_->m_bSuppressLog;
    EXPECT_TRUE(Keys(WM_KEYDOWN, 'L', true, true));
    EXPECT_NE(frame_->m_bSuppressLog, logBefore);
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text, frame_->m_bSuppressLog ? "Log inactive" : "Log active");
    // F5 acts on release, on the connection page only.
    CDlgSensorConnection* connection = frame_->GetConnectionPage();
    EXPECT_FALSE(Keys(WM_KEYUP, VK_F5, false));
    Run(60);
    frame_->SetOperatingMode(PAGE_CONNECTION);
    EXPECT_FALSE(Keys(WM_KEYDOWN, VK_F5, false));
    EXPECT_EQ(connection->m_iPortListUpdates, 0);
    EXPECT_TRUE(Keys(WM_KEYUP, VK_F5, false));
    EXPECT_EQ(connection->m_iPortListUpdates, 1);
}

TEST_F(Close, CopyTakesTheSelectionOfAnEditOnlyAndCutsNothing) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), adjust_, 3001));
    edit.SetWindowText(
        "Pr\xC3\xBC"
        "fung");
    edit.SetSel(1, 4);
    EXPECT_TRUE(Keys(WM_KEYDOWN, 'X', true, false, edit.m_hWnd));
    ASSERT_TRUE(::OpenClipboard(frame_->m_hWnd));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(static_cast<HGLOBAL>(data))),
                 "r\xC3\xBC"
                 "f");
    GlobalUnlock(static_cast<HGLOBAL>(data));
    ::CloseClipboard();
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text,
              "Pr\xC3\xBC"
              "fung");

    CButton button;
    ASSERT_TRUE(button.Create("OK", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 50, 20), adjust_, 3002));
    ASSERT_TRUE(::OpenClipboard(frame_->m_hWnd));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_TRUE(Keys(WM_KEYDOWN, 'C', true, false, button.m_hWnd));
    ASSERT_TRUE(::OpenClipboard(frame_->m_hWnd));
    EXPECT_EQ(::GetClipboardData(CF_TEXT), nullptr);
    ::CloseClipboard();
}

TEST_F(Close, TheWindowKeepsItsMinimumAndStaysInsideTheWorkArea) {
    MINMAXINFO info{};
    frame_->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 800);
    EXPECT_EQ(info.ptMinTrackSize.y, 705);
    Run(60);
    frame_->SetOperatingMode(PAGE_MEASURE_DIAGRAM);
    frame_->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.y, 735);
    kq::ui::SetScreenSize(640, 480);
    frame_->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 640);
    EXPECT_EQ(info.ptMinTrackSize.y, 480);

    kq::ui::SetMonitors(
        {{{0, 0, 1000, 800}, {0, 0, 1000, 760}}, {{1000, 0, 2000, 800}, {1000, 0, 2000, 760}}});
    frame_->MoveWindow(100, 100, 600, 400);
    WINDOWPOS pos{frame_->m_hWnd, nullptr, 1700, 500, 0, 0, SWP_NOSIZE};
    frame_->SendMessage(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    CRect window;
    frame_->GetWindowRect(&window);
    // Pulled back into the second monitor's work area, which it mostly overlaps.
    EXPECT_EQ(pos.x, 2000 - window.Width());
    EXPECT_EQ(pos.y, 760 - window.Height());
}

// The operator chose a new baud rate and closes while the sensor stores it and restarts.
class CloseDuringBaudChange : public AppTest {};

TEST_F(CloseDuringBaudChange, TheCloseWaitsForTheRestartAndEndsWithTheRateStored) {
    CMainFrame* frame = StartWithOpenSensor();
    ASSERT_NE(frame, nullptr);
    frame->SetOperatingMode(PAGE_CONNECTION);
    Run(100);
    CDlgSensorConnection* page = frame->GetConnectionPage();
    int row = 0;
    while (row < page->m_listPorts.GetItemCount() &&
           page->m_listPorts.GetItemText(row, 0).Find("[COM1]") < 0)
        ++row;
    page->SetBaudrateCellText(row, "230,4k");
    page->SendMessage(WM_XLISTCTRL_COMBO_SELECTION, static_cast<WPARAM>(row),
                      CDlgSensorConnection::COL_BAUDRATE);
    Run(300);
    const int flow = frame->COM_GetZMCOMConfgFlow();
    ASSERT_TRUE(flow == ZM_CNFG_SET_NEW_BAUDRATE || flow == ZM_RESTART_AFTER_BAUDRATE) << flow;
    CloseFrame();
    for (int ms = 0; ms < 20000 && Frame() != nullptr; ms += 10)
        Run(10);
    EXPECT_EQ(Frame(), nullptr);
    tarvik::StatorOperationBlock operation;
    ASSERT_TRUE(
        operation.Decode(sim_->ports[0]->device->Sensor(0).Block(tarvik::kBlockStatorOperation)));
    EXPECT_EQ(operation.baudCode, 16);
}

}  // namespace
}  // namespace apptest
