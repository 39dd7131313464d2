// Charts whose archives the tests, the fuzz seeds and the benchmarks share, and the byte-level
// save and load of a chart over memory.
#pragma once

#include <cmath>
#include <vector>

#include "chart/XGraph.h"
#include "platform/base/MemFile.h"

namespace kq::chart::test {

inline std::vector<BYTE> ArchiveBytes(CXGraph& chart, int flags) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        chart.Serialize(ar, flags);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

inline BOOL LoadBytes(CXGraph& chart, std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    return chart.LoadFrom(file);
}

// Points the shared curves of a sample chart refer to; they must outlive the chart.
struct SamplePoints {
    std::vector<TDataPoint> owned, shared, third;
};

// Three curves (one owning its points), one X axis that shows times and two Y axes with bands
// and marker lines, two labels, two notations and two measurements.
inline void FillSampleChart(CXGraph& chart, SamplePoints& p) {
    const auto make = [](int n, double (*f)(int)) {
        std::vector<TDataPoint> v(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            v[static_cast<size_t>(i)] = {45000.0 + i / 24.0, f(i)};
        return v;
    };
    p.owned = make(12, [](int i) { return std::sin(i * 0.5) * 10.0; });
    p.shared = make(9, [](int i) { return i * 1.5; });
    p.third = make(7, [](int i) { return 40.0 - i; });
    chart.SetData(p.owned.data(), 12, 0, 0, 0, true, true);
    chart.SetData(p.shared.data(), 9, 1, 0, 1, true);
    chart.SetData(p.third.data(), 7, 2, 0, 1, true);
    chart.GetCurve(0).SetLabel("Drehmoment \xC3\xBC\xE2\x82\xAC");
    chart.GetCurve(1).SetShowMarker(true);
    chart.GetCurve(1).SetMarker(4);
    chart.GetCurve(2).m_bFillBeneath = true;
    chart.GetCurve(2).m_crFillColor = RGB(10, 200, 30);
    chart.GetXAxis(0).SetTimeAxis(true);
    chart.GetXAxis(0).SetAxisMarker(0, 45000.1, RGB(1, 2, 3), PS_DASH);
    chart.GetYAxis(0).SetColorRange(0, -2, 2, RGB(200, 0, 0), RGB(0, 200, 0), "band", 1);
    chart.GetYAxis(1).SetAxisMarker(0, 5.0, RGB(0, 0, 0));
    chart.GetYAxis(1).SetAxisMarker(1, 7.5, RGB(9, 9, 9), PS_DOT);
    chart.GetYAxis(1).SetLabel("Nm");
    chart.InsertLabel(CRect(20, 20, 120, 60), "first")->m_nCurve = 1;
    chart.InsertLabel(CRect(200, 40, 260, 90), "second");
    chart.InsertDataNotation(0, 3);
    chart.InsertDataNotation(2, 5);
    chart.m_Measures.push_back({0, 2, 1, 4});
    chart.m_Measures.push_back({2, 1, 2, 6});
    chart.SetBackColor(RGB(12, 34, 56));
}

}  // namespace kq::chart::test
