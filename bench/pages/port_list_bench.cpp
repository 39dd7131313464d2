// The sensor pages on the headless screen. "rebuild": the connection page's RebuildPortList(0)
// over 256 port-table entries (each with a sensor: texts, colours, a baud combo) against the same
// rows filled through report-list calls alone; the page may take at most 1.3 times as long.
// "search_step": one sub-step of the start-up search (AdvanceProgress(0) with its row's progress
// cell) against one UpdateProgress of that cell alone; at most 2 times as long.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

#include "app/MainFrame.h"
#include "kq_res.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgStartUp.h"
#include "platform/base/Resource.h"

namespace {

constexpr int kRows = COM_MAX_PORTS;

// A frame object without its window, its table full of found sensors, the connection page and
// the start-up window registered with it, and a bare report list of the page's size beside them.
struct Pages {
    Pages() {
        kq::InstallResources(kq_res_bundle());
        parent.CreateEx(0, AfxRegisterWndClass(0), "view", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 760,
                        nullptr, nullptr);
        for (int n = 0; n < kRows; ++n) {
            SensorEntry& entry = frame.m_aEntries[n];
            entry.strPortName.Format("COM%d", n + 1);
            entry.strPortText.Format("COM%d Tarvik USB sensor interface port", n + 1);
            entry.strDisplayText = CComPort::COM_MakePortDisplayName(entry.strPortText);
            entry.iState = PORT_STATE_FOUND;
            entry.iBaudrate = 115200;
            entry.record.dwSerialNumber = 10000u + static_cast<DWORD>(n);
            entry.record.ucStatorId = 5;
            entry.record.ucStatorRevision = 2;
            entry.record.ucUnitLetter[0] = 'D';
            entry.record.ucUnitLetter[1] = 'Y';
        }
        frame.m_iEntryCount = kRows;
        page.Create(MAKEINTRESOURCE(CDlgSensorConnection::IDD), &parent);
        page.MoveWindow(0, 0, 1000, 760);
        page.ShowWindow(SW_SHOW);
        frame.m_windows.Fill(WindowSlot::ConnectionPage, &page);
        startUp.Create(MAKEINTRESOURCE(CDlgStartUp::IDD), &parent);
        page.RebuildPortList(0);
        CRect rect;
        page.m_listPorts.GetWindowRect(&rect);
        page.ScreenToClient(&rect);
        reference.Create(WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS, rect, &page, 2);
        reference.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        for (int column = 0; column < CDlgSensorConnection::COLUMN_COUNT; ++column) {
            reference.InsertColumn(column, "Column", LVCFMT_LEFT,
                                   page.m_listPorts.GetColumnWidth(column));
        }
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < CDlgSensorConnection::COLUMN_COUNT; ++column)
                texts[static_cast<size_t>(row)][static_cast<size_t>(column)] =
                    page.m_listPorts.GetItemText(row, column);
        }
        bauds.Add("115,2k");
        bauds.Add("230,4k");
    }
    ~Pages() {
        startUp.DestroyWindow();
        page.DestroyWindow();
        parent.DestroyWindow();
        kq::UninstallResources(kq_res_bundle());
    }
    // What the page puts into the list, as plain calls on a report list.
    void FillReference() {
        reference.SetRedraw(FALSE);
        reference.DeleteAllItems();
        for (int row = 0; row < kRows; ++row) {
            const CString* cells = texts[static_cast<size_t>(row)].data();
            reference.InsertItem(row, cells[0], RGB(0, 0, 0), RGB(255, 255, 255));
            for (int column = 1; column < CDlgSensorConnection::COLUMN_COUNT; ++column)
                reference.SetItemTextColored(row, column, cells[column], RGB(0, 0, 0),
                                             RGB(255, 255, 255));
            reference.SetComboBox(row, CDlgSensorConnection::COL_BAUDRATE, TRUE, &bauds, 2, 0);
        }
        reference.SetRedraw(TRUE);
        reference.Invalidate();
    }

    CMainFrame frame;
    CWnd parent;
    CDlgSensorConnection page;
    CDlgStartUp startUp;
    CXListCtrl reference;
    CStringArray bauds;
    std::array<std::array<CString, CDlgSensorConnection::COLUMN_COUNT>, kRows> texts;
};

std::unique_ptr<Pages>& SharedSlot() {
    static std::unique_ptr<Pages> pages;
    return pages;
}

Pages& Shared() {
    if (!SharedSlot())
        SharedSlot() = std::make_unique<Pages>();
    return *SharedSlot();
}

void BM_Rebuild_Page(benchmark::State& state) {
    Pages& pages = Shared();
    for (auto _ : state)
        pages.page.RebuildPortList(0);
}
BENCHMARK(BM_Rebuild_Page)->Unit(benchmark::kMillisecond);

void BM_Rebuild_ListCallsOnly(benchmark::State& state) {
    Pages& pages = Shared();
    for (auto _ : state)
        pages.FillReference();
}
BENCHMARK(BM_Rebuild_ListCallsOnly)->Unit(benchmark::kMillisecond);

constexpr int kSearchedPort = 3;

void BM_SearchStep_StartUpWindow(benchmark::State& state) {
    Pages& pages = Shared();
    pages.startUp.ShowProgressBar(kRows);
    pages.startUp.SetProgressActive(TRUE);
    pages.startUp.SetPortProgress(kSearchedPort);
    // Sub-steps past a port's last one keep its row's bar full: each still draws the cell.
    for (auto _ : state)
        pages.startUp.AdvanceProgress(0);
    pages.startUp.StopProgress();
}
BENCHMARK(BM_SearchStep_StartUpWindow)->Unit(benchmark::kMicrosecond);

void BM_SearchStep_ProgressCellOnly(benchmark::State& state) {
    Pages& pages = Shared();
    CXListCtrl& list = pages.page.m_listPorts;
    list.SetProgress(kSearchedPort, CDlgSensorConnection::COL_STATE);
    int percent = 0;
    for (auto _ : state) {
        list.UpdateProgress(kSearchedPort, CDlgSensorConnection::COL_STATE, percent);
        percent = (percent + 1) % 101;
    }
    list.DeleteProgress(kSearchedPort, CDlgSensorConnection::COL_STATE);
}
BENCHMARK(BM_SearchStep_ProgressCellOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SharedSlot().reset();  // the windows go before the window system does
    return 0;
}
