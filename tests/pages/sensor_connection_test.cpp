// The connection page on the application with simulated sensors: the rows after a search, the
// enabling boxes, opening and closing a row, refused baud changes and refreshes, a baud change
// that the sensor takes and the next search finds, and the search after Update.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>

#include "app/AppTest.h"
#include "controls/list/CDropListBox.h"
#include "controls/list/CDropWnd.h"
#include "controls/list/CXCombo.h"
#include "foundation/Language.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "platform/base/Clock.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/Input.h"
#include "platform/ui/Timers.h"
#include "platform/ui/paint/Screenshot.h"

namespace apptest {
namespace {

class ConnectionPage : public AppTest {
  protected:
    // A sensor behind the maker's USB port, and a port where nothing answers.
    void StartWithSensor(bool networkPort = false) {
        PrepareStore();
        sim_->AddSensor("COM1 Tarvik USB sensor interface port", 1111);
        sim_->AddSilentPort("COM10 Other serial port");
        // A device server's redirected port whose server is declared nowhere: every check of
        // the server fails.
        if (networkPort)
            sim_->AddSensor("COM5 Lantronix CPR Port", 5555);
        frame_ = StartAndComplete();
        ASSERT_NE(frame_, nullptr);
        Run(4000);
        ASSERT_TRUE(frame_->IsWindowVisible());
        page_ = frame_->GetConnectionPage();
        ASSERT_NE(page_, nullptr);
        frame_->SetOperatingMode(PAGE_CONNECTION);
        Run(100);
    }
    // Sensors on COM1 and COM3; the start opens COM1.
    void StartWithTwoSensors() {
        PrepareStore();
        sim_->AddSensor("COM1 Tarvik USB sensor interface port", 1111);
        sim_->AddSensor("COM3 Tarvik USB sensor interface port", 3333);
        frame_ = StartAndComplete();
        ASSERT_NE(frame_, nullptr);
        Run(4000);
        page_ = frame_->GetConnectionPage();
        frame_->SetOperatingMode(PAGE_CONNECTION);
        Run(100);
    }
    CString Cell(int row, int column) { return page_->m_listPorts.GetItemText(row, column); }
    int RowOf(const char* port) {
        for (int row = 0; row < page_->m_listPorts.GetItemCount(); ++row) {
            if (Cell(row, 0).Find(port) >= 0)
                return row;
        }
        return -1;
    }
    void DoubleClick(int row) {
        NMITEMACTIVATE item{};
        item.hdr.hwndFrom = page_->m_listPorts.m_hWnd;
        item.hdr.idFrom = CDlgSensorConnection::IDC_PORT_LIST;
        item.hdr.code = NM_DBLCLK;
        item.iItem = row;
        page_->SendMessage(WM_NOTIFY, CDlgSensorConnection::IDC_PORT_LIST,
                           reinterpret_cast<LPARAM>(&item));
    }
    void ChooseRate(int row, const char* text) {
        page_->SetBaudrateCellText(row, text);
        page_->SendMessage(WM_XLISTCTRL_COMBO_SELECTION, static_cast<WPARAM>(row),
                           CDlgSensorConnection::COL_BAUDRATE);
    }

    void ClickRow(int row) {
        NMITEMACTIVATE item{};
        item.hdr.hwndFrom = page_->m_listPorts.m_hWnd;
        item.hdr.idFrom = CDlgSensorConnection::IDC_PORT_LIST;
        item.hdr.code = NM_CLICK;
        item.iItem = row;
        page_->SendMessage(WM_NOTIFY, CDlgSensorConnection::IDC_PORT_LIST,
                           reinterpret_cast<LPARAM>(&item));
    }
    // A row's rectangle in the page's coordinates.
    CRect RowRect(int row) {
        CRect rect;
        page_->m_listPorts.GetItemRect(row, &rect, LVIR_BOUNDS);
        page_->m_listPorts.ClientToScreen(&rect);
        page_->ScreenToClient(&rect);
        return rect;
    }
    // A click into the Baud rate cell opens its choices when the cell offers any.
    bool BaudCellOpens(int row) {
        CRect cell;
        page_->m_listPorts.GetSubItemRect(row, CDlgSensorConnection::COL_BAUDRATE, LVIR_BOUNDS,
                                          cell);
        const LPARAM at = MAKELPARAM(cell.CenterPoint().x, cell.CenterPoint().y);
        page_->m_listPorts.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        page_->m_listPorts.SendMessage(WM_LBUTTONUP, 0, at);
        Run(50);
        const bool open = page_->m_listPorts.GetOpenCombo() != nullptr;
        page_->m_listPorts.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        Run(50);
        return open;
    }

    CMainFrame* frame_ = nullptr;
    CDlgSensorConnection* page_ = nullptr;
};

TEST_F(ConnectionPage, TheRowsShowWhatTheSearchFoundAndCOM1AndCOM10StayApart) {
    StartWithSensor();
    const int sensor = RowOf("[COM1]");
    const int silent = RowOf("[COM10]");
    ASSERT_GE(sensor, 0);
    ASSERT_GE(silent, 0);
    EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_STATE), "aktiv");
    EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_SERIAL), "1111");
    EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_BAUDRATE), "115,2k");
    EXPECT_NE(Cell(sensor, CDlgSensorConnection::COL_TYPE), "n.a.");
    EXPECT_NE(Cell(sensor, CDlgSensorConnection::COL_TYPE).Find("(Rev.: "), -1);
    EXPECT_EQ(Cell(silent, CDlgSensorConnection::COL_STATE), "nicht verfügbar");
    for (int column : {2, 3, 4, 5, 7})
        EXPECT_EQ(Cell(silent, column), "n.a.") << column;
    EXPECT_EQ(page_->CountSensorPorts(), 1);
    EXPECT_TRUE(page_->m_bUpdateEnabled);
}

TEST_F(ConnectionPage, TheRowsFollowALanguageSwitchAndTheColumnsKeepTheirShares) {
    StartWithSensor();
    const int sensor = RowOf("[COM1]");
    const int silent = RowOf("[COM10]");
    // Whatever the titles' lengths, the Interface column keeps its share of the list, where
    // the COM numbers that tell the rows apart are shown.
    auto expectWholeTitles = [this](const char* language) {
        CRect list;
        page_->m_listPorts.GetWindowRect(&list);
        const auto widths = PortListColumnWidths(list.Width());
        // The list adds its header's spacing on both sides of every column.
        const int spacing = 2 * page_->m_listPorts.m_HeaderCtrl.GetSpacing();
        for (int column = 0; column < kPortListColumns; ++column)
            EXPECT_EQ(page_->m_listPorts.GetColumnWidth(column), widths[column] + spacing)
                << column << " in " << language;
    };
    expectWholeTitles("German");
    frame_->SendMessage(WM_COMMAND, 10021);  // French, on the page
    Run(100);
    expectWholeTitles("French");
    EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_STATE), "actif");
    EXPECT_EQ(Cell(silent, CDlgSensorConnection::COL_STATE), "non disponible");
    frame_->SendMessage(WM_COMMAND, 10020);  // English
    Run(100);
    expectWholeTitles("English");
    frame_->SetOperatingMode(PAGE_INFORMATION);
    Run(100);
    frame_->SetOperatingMode(PAGE_CONNECTION);
    Run(100);
    EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_STATE), "active");
    EXPECT_EQ(Cell(silent, CDlgSensorConnection::COL_STATE), "not available");
}

TEST_F(ConnectionPage, EverySensorPageRepaintsWholeAfterALanguageSwitch) {
    StartWithSensor();
    const std::pair<UINT, CWnd*> pages[] = {{PAGE_CONNECTION, frame_->GetConnectionPage()},
                                            {PAGE_INFORMATION, frame_->GetInformationPage()},
                                            {PAGE_CALIBRATION, frame_->GetCalibrationPage()}};
    UINT language = 10021;  // French, then English, then French
    for (const auto& [id, page] : pages) {
        frame_->SetOperatingMode(id);
        Run(100);
        ASSERT_FALSE(page->GetUpdateRect(nullptr)) << id;
        frame_->SendMessage(WM_COMMAND, language);
        language = language == 10021 ? 10020 : 10021;
        // No caption that got shorter leaves a remnant: the whole page paints again.
        CRect pending;
        CRect client;
        page->GetUpdateRect(&pending);
        page->GetClientRect(&client);
        EXPECT_EQ(pending, client) << id;
    }
}

TEST_F(ConnectionPage, DoubleClicksCloseAndOpenARowAndTheBusyPortIsRefused) {
    StartWithSensor();
    const int sensor = RowOf("[COM1]");
    DoubleClick(sensor);
    Run(500);
    EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_STATE), "verfügbar");
    EXPECT_EQ(frame_->m_iOpenEntry, -1);
    frame_->m_iActivatedCount = 4;  // as a multi-port device left it
    DoubleClick(sensor);
    Run(1500);
    EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_STATE), "aktiv");
    EXPECT_EQ(frame_->m_iOpenEntry, sensor);
    EXPECT_EQ(frame_->m_iActivatedCount, 1);  // one sensor's layout from now on

    // Enter on the selected row closes it and opens it again; the page stays shown.
    page_->m_listPorts.SetItemState(sensor, LVIS_SELECTED | LVIS_FOCUSED,
                                    LVIS_SELECTED | LVIS_FOCUSED);
    page_->m_listPorts.SetSelectionMark(sensor);
    page_->m_listPorts.SetFocus();
    for (const char* state : {"verfügbar", "aktiv"}) {
        kq::ui::InjectKey(VK_RETURN, true);
        kq::ui::InjectKey(VK_RETURN, false);
        Run(1500);
        EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_STATE), state);
        EXPECT_TRUE(page_->IsWindowVisible());
    }

    // A port that is not available says why, and nothing is opened or posted.
    boxes_.clear();
    DoubleClick(RowOf("[COM10]"));
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text.Find("Die COM Schnittstelle \""), 0);
    EXPECT_NE(boxes_[0].text.Find("kann nicht aktiviert werden."), -1);
    EXPECT_FALSE(page_->m_bActivationBusy);
    EXPECT_EQ(frame_->m_iOpenEntry, sensor);
}

TEST_F(ConnectionPage, RefusedBaudChangesPutTheCellBackAndWriteNothing) {
    StartWithSensor();
    const int sensor = RowOf("[COM1]");
    // The same rate does nothing.
    ChooseRate(sensor, "115,2k");
    Run(100);
    EXPECT_TRUE(boxes_.empty());

    // An unknown text: its message, the cell back, nothing written.
    ChooseRate(sensor, "9600");
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_BAUDRATE), "115,2k");
    Run(500);
    EXPECT_EQ(frame_->m_iPendingBaudrate, 0);

    // A row that is not active: 5671 after 20 ms, and the cell back.
    boxes_.clear();
    DoubleClick(sensor);
    Run(500);
    ChooseRate(sensor, "230,4k");
    Run(100);
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text, GetLanguageString(5671));
    EXPECT_EQ(Cell(sensor, CDlgSensorConnection::COL_BAUDRATE), "115,2k");
}

TEST_F(ConnectionPage, TheSensorTakesTheNewRateAndTheNextSearchFindsItThere) {
    StartWithSensor();
    const int sensor = RowOf("[COM1]");
    ChooseRate(sensor, "230,4k");
    Run(3000);
    EXPECT_EQ(sim_->ports[0]->device->Sensor(0).BaudRate(), 230400);
    EXPECT_EQ(frame_->m_iPendingBaudrate, 230400);
    // The simulated sensor's restart silence is kept on the test's clock, which the run moved past
    // it: the next search finds it at the new rate.
    ASSERT_FALSE(sim_->ports[0]->device->Sensor(0).IsRestarting(kq::MonotonicMillis()));
    frame_->COM_BuildPortTable(2);
    Run(5000);
    EXPECT_EQ(sim_->ports[0]->device->Sensor(0).BaudRate(), 230400);
    const int row = RowOf("[COM1]");
    ASSERT_GE(row, 0);
    EXPECT_EQ(Cell(row, CDlgSensorConnection::COL_STATE), "aktiv");
    EXPECT_EQ(Cell(row, CDlgSensorConnection::COL_BAUDRATE), "230,4k");
    EXPECT_FALSE(page_->m_bActivationBusy);
}

TEST_F(ConnectionPage, UpdateWhileBusyRunsOnceFreeAndFindsASensorThatCameUpLater) {
    StartWithSensor();
    auto update = [this] {
        page_->SendMessage(WM_COMMAND,
                           MAKEWPARAM(CDlgSensorConnection::IDC_UPDATE_BUTTON, BN_CLICKED), 0);
    };
    // A sensor on a port that announces nothing when it comes up: the refresh lists the port,
    // the search that follows finds the sensor, and a double-click opens it.
    sim_->AddSensor("COM7 Tarvik USB sensor interface port", 7777);
    // Asked for during an activation: nothing cuts in, and the click is not lost.
    page_->m_bActivationBusy = TRUE;
    update();
    Run(2500);
    EXPECT_LT(RowOf("[COM7]"), 0);
    EXPECT_TRUE(page_->m_bUpdateEnabled);
    page_->m_bActivationBusy = FALSE;
    Run(15000);
    const int added = RowOf("[COM7]");
    ASSERT_GE(added, 0);
    EXPECT_EQ(Cell(added, CDlgSensorConnection::COL_STATE), "verfügbar");
    EXPECT_EQ(Cell(RowOf("[COM1]"), CDlgSensorConnection::COL_STATE), "aktiv");
    DoubleClick(added);
    Run(1500);
    EXPECT_EQ(Cell(RowOf("[COM7]"), CDlgSensorConnection::COL_STATE), "aktiv");
    EXPECT_TRUE(boxes_.empty()) << boxes_.front().text;
}

TEST_F(ConnectionPage, ASensorThatStalledOpensAgainByADoubleClickOnceItAnswers) {
    StartWithSensor();
    sim_->ports[0]->silent = true;
    frame_->GetMeasureDiagramPage()->OnBnClickedSingleShot();
    Run(2000);
    const int row = RowOf("[COM1]");
    ASSERT_EQ(Cell(row, CDlgSensorConnection::COL_STATE), "nicht verfügbar");
    // Still silent: the attempt leaves the row as it was.
    DoubleClick(row);
    Run(2000);
    EXPECT_EQ(Cell(RowOf("[COM1]"), CDlgSensorConnection::COL_STATE), "nicht verfügbar");
    sim_->ports[0]->silent = false;
    DoubleClick(RowOf("[COM1]"));
    Run(1500);
    EXPECT_EQ(Cell(RowOf("[COM1]"), CDlgSensorConnection::COL_STATE), "aktiv");
    EXPECT_TRUE(boxes_.empty()) << boxes_.front().text;
}

TEST_F(ConnectionPage, TheHeaderBoxEnablesEveryPortAndTheMakersPortStaysChecked) {
    StartWithSensor();
    CXListCtrl& list = page_->m_listPorts;
    // The list flips the header's box on a click: checked, then unchecked. Every row and both
    // tables follow.
    for (int expected : {1, 0}) {
        NMLISTVIEW click{};
        click.hdr.hwndFrom = list.m_hWnd;
        click.hdr.idFrom = CDlgSensorConnection::IDC_PORT_LIST;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = CDlgSensorConnection::COL_ENABLING;
        page_->SendMessage(WM_NOTIFY, CDlgSensorConnection::IDC_PORT_LIST,
                           reinterpret_cast<LPARAM>(&click));
        for (int row = 0; row < list.GetItemCount(); ++row)
            EXPECT_EQ(list.GetCheckbox(row, CDlgSensorConnection::COL_ENABLING), expected);
        EXPECT_EQ(frame_->m_aEntries[200].wEnabling, expected);
        EXPECT_EQ(frame_->m_aPrevEntries[200].wEnabling, expected);
    }
    // The maker's USB port is checked again when unchecked.
    const int sensor = RowOf("[COM1]");
    page_->SendMessage(WM_XLISTCTRL_CHECKBOX_CLICKED, static_cast<WPARAM>(sensor),
                       CDlgSensorConnection::COL_ENABLING);
    EXPECT_EQ(list.GetCheckbox(sensor, CDlgSensorConnection::COL_ENABLING), 1);
    EXPECT_EQ(frame_->m_aEntries[sensor].wEnabling, 1);
}

TEST_F(ConnectionPage, TheConfigButtonSitsInTheSelectedNetworkRowOnly) {
    StartWithSensor(true);
    const int network = RowOf("[COM5]");
    const int usb = RowOf("[COM1]");
    ASSERT_GE(network, 0);
    CWnd* config = page_->GetDlgItem(CDlgSensorConnection::IDC_CONFIG_BUTTON);
    ClickRow(network);
    Run(300);
    ASSERT_TRUE(config->IsWindowVisible());
    CRect button;
    config->GetWindowRect(&button);
    page_->ScreenToClient(&button);
    const CRect row = RowRect(network);
    EXPECT_GT(button.top, row.top);
    EXPECT_LT(button.top, row.bottom);
    EXPECT_GT(button.left, row.left);
    EXPECT_LT(button.right, row.right);
    // Its right end is the end of the Interface column, where the port's name ends.
    auto interfaceEnd = [&] {
        return RowRect(network).left + page_->m_listPorts.GetColumnWidth(0);
    };
    EXPECT_LE(std::abs(button.right - interfaceEnd()), 2);
    // A column drag on the header: the button follows the column's end and stays visible.
    CHeaderCtrl* header = page_->m_listPorts.GetHeaderCtrl();
    CPoint divider(page_->m_listPorts.GetColumnWidth(0), 5);
    header->ClientToScreen(&divider);
    MouseDown(divider);
    MouseMove(divider + CPoint(20, 0));
    MouseMove(divider + CPoint(40, 0));
    MouseUp(divider + CPoint(40, 0));
    Run(300);
    EXPECT_TRUE(config->IsWindowVisible());
    config->GetWindowRect(&button);
    // The list painting its rows again leaves the button on top of them.
    page_->m_listPorts.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Run(50);
    EXPECT_EQ(kq::ui::GetScreenPixel(button.left + 5, button.top + 5),
              ::GetSysColor(COLOR_BTNFACE));
    page_->ScreenToClient(&button);
    EXPECT_LE(std::abs(button.right - interfaceEnd()), 2);
    ClickRow(usb);
    Run(300);
    EXPECT_FALSE(config->IsWindowVisible());
}

TEST_F(ConnectionPage, ANetworkRowsRateCellKeepsItsChoicesOpenBesideTheConfigButton) {
    StartWithSensor(true);
    const int network = RowOf("[COM5]");
    ASSERT_GE(network, 0);
    CRect cell;
    page_->m_listPorts.GetSubItemRect(network, CDlgSensorConnection::COL_BAUDRATE, LVIR_BOUNDS,
                                      cell);
    page_->m_listPorts.ClientToScreen(&cell);
    Click(cell.CenterPoint());
    Run(600);
    EXPECT_TRUE(page_->GetDlgItem(CDlgSensorConnection::IDC_CONFIG_BUTTON)->IsWindowVisible());
    CXCombo* combo = page_->m_listPorts.GetOpenCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(CWnd::GetFocus(), combo);
    KeyPress(VK_ESCAPE);
    Run(200);
    EXPECT_EQ(page_->m_listPorts.GetOpenCombo(), nullptr);
}

TEST_F(ConnectionPage, ANetworkPortWhoseServerFailsItsCheckKeepsAnUnknownRateQuietly) {
    StartWithSensor(true);
    const int network = RowOf("[COM5]");
    ASSERT_GE(network, 0);
    DoubleClick(network);
    Run(1500);
    ASSERT_EQ(Cell(network, CDlgSensorConnection::COL_STATE), "aktiv");
    boxes_.clear();
    ChooseRate(network, "230,4k");
    // Three attempts with the warning between them, then the cell offers no rate.
    const size_t warnings = boxes_.size();
    EXPECT_EQ(warnings, 2U);
    EXPECT_EQ(frame_->m_aEntries[network].iBaudrate, -1);
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    Run(5000);
    // After the refresh: one notice that the rate was not changed, and no complaint about the
    // unknown rate when the row is filled again.
    int notices = 0;
    for (const auto& box : boxes_) {
        notices += box.text.Find("n.l.") == 0 ? 1 : 0;
        EXPECT_EQ(box.text.Find("BaudrateArrayIndex"), -1) << box.text.GetString();
    }
    EXPECT_EQ(notices, 1);
    const int row = RowOf("[COM5]");
    ASSERT_GE(row, 0);
    EXPECT_FALSE(BaudCellOpens(row));
    EXPECT_TRUE(BaudCellOpens(RowOf("[COM1]")));
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    EXPECT_EQ(sim_->ports[2]->device->Sensor(0).BaudRate(), 115200);
}

TEST_F(ConnectionPage, TheSearchAfterUpdateKeepsTheSensorTheOperatorOpened) {
    StartWithTwoSensors();
    DoubleClick(RowOf("[COM3]"));
    Run(1500);
    ASSERT_EQ(Cell(RowOf("[COM3]"), CDlgSensorConnection::COL_STATE), "aktiv");
    page_->SendMessage(WM_COMMAND, MAKEWPARAM(CDlgSensorConnection::IDC_UPDATE_BUTTON, BN_CLICKED),
                       0);
    Run(15000);
    EXPECT_EQ(Cell(RowOf("[COM3]"), CDlgSensorConnection::COL_STATE), "aktiv");
    EXPECT_EQ(Cell(RowOf("[COM1]"), CDlgSensorConnection::COL_STATE), "verfügbar");
    EXPECT_EQ(frame_->m_iOpenEntry, RowOf("[COM3]"));
}

TEST_F(ConnectionPage, UpdateTellsTheMeasuringPagesAndAGonePortKeepsItsEarlierState) {
    StartWithTwoSensors();
    ASSERT_EQ(Cell(RowOf("[COM3]"), CDlgSensorConnection::COL_STATE), "verfügbar");

    // "Only previously available" ticked, then Update: the measuring pages look at the sensor
    // again when they are next shown.
    page_->CheckDlgButton(CDlgSensorConnection::IDC_ONLY_PREVIOUSLY_AVAILABLE, BST_CHECKED);
    page_->SendMessage(
        WM_COMMAND, MAKEWPARAM(CDlgSensorConnection::IDC_ONLY_PREVIOUSLY_AVAILABLE, BN_CLICKED), 0);
    page_->SendMessage(WM_COMMAND, MAKEWPARAM(CDlgSensorConnection::IDC_UPDATE_BUTTON, BN_CLICKED),
                       0);
    Run(500);
    EXPECT_TRUE(frame_->GetMeasureAdjustPage()->m_bSensorChanged);
    EXPECT_TRUE(frame_->GetMeasureDiagramPage()->m_bSensorChanged);

    // COM3's adapter is pulled without a word; the next search no longer finds its port, which
    // the list still shows as the search before found it.
    sim_->ports.erase(sim_->ports.begin() + 1);
    frame_->COM_BuildPortTable(2);
    Run(5000);
    const int gone = RowOf("[COM3]");
    ASSERT_GE(gone, 0);
    EXPECT_EQ(Cell(gone, CDlgSensorConnection::COL_STATE), "verfügbar");
    EXPECT_EQ(Cell(gone, CDlgSensorConnection::COL_SERIAL), "n.a.");
}

TEST_F(ConnectionPage, TheListStaysPaintedWhateverEndsTheRateChoice) {
    StartWithSensor();
    CXListCtrl& list = page_->m_listPorts;
    const int sensor = RowOf("[COM1]");
    CRect other = RowRect(RowOf("[COM10]"));
    page_->ClientToScreen(&other);
    auto shot = [&] { return kq::ui::CaptureScreenRect(other).pixels; };
    auto openCombo = [&] {
        CRect cell;
        list.GetSubItemRect(sensor, CDlgSensorConnection::COL_BAUDRATE, LVIR_BOUNDS, cell);
        list.ClientToScreen(&cell);
        Click(cell.CenterPoint());
        Run(200);
        return list.GetOpenCombo();
    };
    Run(300);
    const auto before = shot();
    ASSERT_NE(before, std::vector<uint32_t>(before.size(), before.front())) << "no row painted";
    const std::pair<const char*, std::function<void(CXCombo*)>> ends[] = {
        {"Enter", [&](CXCombo*) { KeyPress(VK_RETURN); }},
        {"Escape", [&](CXCombo*) { KeyPress(VK_ESCAPE); }},
        {"mouse", [&](CXCombo* combo) {
             CRect rect;
             combo->GetWindowRect(&rect);
             Click(rect.CenterPoint());
             Run(100);
             CDropListBox* drop = combo->GetDropWnd()->GetListBox();
             CRect item;
             drop->GetItemRect(combo->GetCurSel(), &item);
             drop->ClientToScreen(&item);
             MouseMove(item.CenterPoint());
             Click(item.CenterPoint());
         }}};
    for (const auto& [name, end] : ends) {
        CXCombo* combo = openCombo();
        ASSERT_NE(combo, nullptr) << name;
        end(combo);
        Run(500);
        EXPECT_EQ(list.GetOpenCombo(), nullptr) << name;
        EXPECT_TRUE(shot() == before) << name;
    }
}

}  // namespace
}  // namespace apptest
