// Chart archives from a file: a refused file leaves the chart's own archive unchanged; an
// accepted one saves, loads and saves again to the same bytes and paints once off screen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "chart/XGraph.h"
#include "platform/base/MemFile.h"
#include "platform/gfx/SurfaceDc.h"

namespace {

std::vector<BYTE> Saved(CXGraph& chart) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        chart.Serialize(ar, 7);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

BOOL Loaded(CXGraph& chart, std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    return chart.LoadFrom(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TDataPoint points[] = {{0, 0}, {1, 2}, {2, 1}, {3, 3}};
    CXGraph chart;
    chart.SetData(points, 4, 0, 0, 0, true);
    chart.InsertLabel(CRect(10, 10, 60, 40), "before");
    const std::vector<BYTE> before = Saved(chart);
    if (!Loaded(chart, std::vector<BYTE>(data, data + size))) {
        if (Saved(chart) != before)
            std::abort();
        return 0;
    }
    const std::vector<BYTE> first = Saved(chart);
    CXGraph again;
    if (!Loaded(again, first) || Saved(again) != first)
        std::abort();
    auto surface = std::make_shared<kq::gfx::Surface>(320, 240);
    CDCEx dc;
    dc.Attach(kq::gfx::CreateSurfaceDC(surface));
    again.PaintChart(&dc, CRect(0, 0, 320, 240));
    return 0;
}
