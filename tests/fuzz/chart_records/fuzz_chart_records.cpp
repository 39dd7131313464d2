// Chart object records from a file: the same bytes read as an axis, a curve, a label, a
// notation and a bare object; whatever loads is drawn in a small chart.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/XGraph.h"
#include "platform/base/MemFile.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"

namespace {

bool Load(CObject& object, const uint8_t* data, size_t size) {
    std::vector<BYTE> bytes(data, data + size);
    try {
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        object.Serialize(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        return false;
    }
    return true;
}

void DrawInChart(CXGraphObject& object) {
    static TDataPoint points[] = {{0, 0}, {1, 2}, {2, 1}, {3, 3}};
    CXGraph chart;
    chart.SetData(points, 4, 0, 0, 0, true);
    chart.SetData(points, 4, 1, 0, 0, true);
    object.m_pGraph = &chart;
    auto surface = std::make_shared<kq::gfx::Surface>(160, 120);
    CDCEx dc;
    dc.Attach(kq::gfx::CreateSurfaceDC(surface));
    chart.PaintChart(&dc, CRect(0, 0, 160, 120));
    object.Draw(&dc);
    if (auto* serie = dynamic_cast<CXGraphDataSerie*>(&object))
        serie->DrawMarkers(&dc);
    object.m_pGraph = nullptr;
}

template <class T>
void Try(const uint8_t* data, size_t size) {
    T object;
    if (Load(object, data, size))
        DrawInChart(object);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Try<CXGraphAxis>(data, size);
    Try<CXGraphDataSerie>(data, size);
    Try<CXGraphLabel>(data, size);
    Try<CXGraphDataNotation>(data, size);
    Try<CXGraphObject>(data, size);
    return 0;
}
