// The report list filled as the sensor connection page fills it (256 ports x 8 columns, colours,
// a check-box, a combo and a progress column), against the plain list view with the same texts:
// a full repaint, one cell changed and repainted at once, and the page's refill under a
// window-update lock.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "bench/BenchTarget.h"
#include "controls/list/CXListCtrl.h"
#include "platform/framework/Framework.h"

namespace {

constexpr int kRows = 256;
constexpr int kColumns = 8;
constexpr int kCheckColumn = 1;
constexpr int kComboColumn = 5;
constexpr int kProgressColumn = 7;

std::string CellText(int row, int column) {
    return column == 0 ? "COM" + std::to_string(row + 1)
                       : "Sensor " + std::to_string(row) + "." + std::to_string(column);
}

// The report list hides the list view's row and text setters with its own; both fill alike.
template <typename List>
void FillTexts(List& list) {
    for (int row = 0; row < kRows; ++row) {
        list.InsertItem(row, CellText(row, 0).c_str());
        for (int column = 1; column < kColumns; ++column)
            list.SetItemText(row, column, CellText(row, column).c_str());
    }
}

// A page with one list of each kind; only the one being measured is shown.
struct Lists {
    Lists() {
        page.CreateEx(0, AfxRegisterWndClass(0), "page", WS_POPUP | WS_VISIBLE, 0, 0, 900, 700,
                      nullptr, nullptr);
        const DWORD style = WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS;
        xlist.Create(style, CRect(0, 0, 900, 700), &page, 1);
        plain.Create(style, CRect(0, 0, 900, 700), &page, 2);
        for (CListCtrl* list : {static_cast<CListCtrl*>(&xlist), &plain}) {
            list->SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
            for (int column = 0; column < kColumns; ++column)
                list->InsertColumn(column, "Column", LVCFMT_LEFT, 110);
        }
        bauds.Add("9600");
        bauds.Add("115200");
        FillPlain();
        FillRich();
    }
    ~Lists() { page.DestroyWindow(); }
    void FillPlain() { FillTexts(plain); }
    void FillRich() {
        FillTexts(xlist);
        for (int row = 0; row < kRows; ++row) {
            xlist.SetItemTextColored(row, 0, nullptr, RGB(0, 0, 128), RGB(255, 255, 224));
            xlist.SetCheckbox(row, kCheckColumn, row % 2);
            xlist.SetComboBox(row, kComboColumn, TRUE, &bauds, 2, row % 2);
            xlist.SetProgress(row, kProgressColumn);
            xlist.UpdateProgress(row, kProgressColumn, row % 101);
        }
    }
    void Show(CWnd& list) {
        xlist.ShowWindow(&list == &xlist ? SW_SHOW : SW_HIDE);
        plain.ShowWindow(&list == &plain ? SW_SHOW : SW_HIDE);
        list.UpdateWindow();
    }

    CWnd page;
    CXListCtrl xlist;
    CListCtrl plain;
    CStringArray bauds;
};

std::unique_ptr<Lists>& SharedSlot() {
    static std::unique_ptr<Lists> lists;
    return lists;
}

Lists& Shared() {
    if (!SharedSlot())
        SharedSlot() = std::make_unique<Lists>();
    return *SharedSlot();
}

void Repaint(CWnd& list) {
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void BM_FullRepaint_ReportList(benchmark::State& state) {
    Lists& lists = Shared();
    lists.Show(lists.xlist);
    for (auto _ : state)
        Repaint(lists.xlist);
}
BENCHMARK(BM_FullRepaint_ReportList)->Unit(benchmark::kMillisecond);

void BM_FullRepaint_PlainListView(benchmark::State& state) {
    Lists& lists = Shared();
    lists.Show(lists.plain);
    for (auto _ : state)
        Repaint(lists.plain);
}
BENCHMARK(BM_FullRepaint_PlainListView)->Unit(benchmark::kMillisecond);

void BM_OneCellChanged_ReportList(benchmark::State& state) {
    Lists& lists = Shared();
    lists.Show(lists.xlist);
    int n = 0;
    for (auto _ : state) {
        lists.xlist.SetItemText(3, 3, (n++ % 2) ? "scanning" : "found");
    }
}
BENCHMARK(BM_OneCellChanged_ReportList)->Unit(benchmark::kMillisecond);

template <typename List>
double Refill(Lists& lists, List& list) {
    lists.Show(list);
    const auto start = std::chrono::steady_clock::now();
    list.LockWindowUpdate();
    list.DeleteAllItems();
    FillTexts(list);
    list.UnlockWindowUpdate();
    list.UpdateWindow();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The page's refill of the report list against the same refill of the plain list view, timed
// in the same iterations.
void BM_Refill_ReportList(benchmark::State& state) {
    Lists& lists = Shared();
    double report = 0, plain = 0;
    for (auto _ : state) {
        const double t = Refill(lists, lists.xlist);
        report += t;
        state.SetIterationTime(t);
        plain += Refill(lists, lists.plain);
    }
    kqbench::Targets(state).AtMost("x_plain_list", report / plain, 2.0);
}
BENCHMARK(BM_Refill_ReportList)->UseManualTime()->Unit(benchmark::kMillisecond);

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
