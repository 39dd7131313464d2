// The chart archive: flags, then the settings, the curves and axes, and the measurements and
// free objects as the flags say. A file is read into a separate model and moved into the chart
// only when every record of it was good, so a bad file leaves the chart as it was; it is written
// whole to a temporary file that replaces the target only when complete.
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"
#include "platform/gfx/codec/AtomicFile.h"

namespace {

using kq::chart::Clamped;

// The archive's output streamed into a file that replaces its target only when committed.
class AtomicArchiveFile : public CFile {
  public:
    explicit AtomicArchiveFile(kq::gfx::AtomicFile& out) : out_(out) {}
    void Write(const void* data, UINT count) override {
        if (!out_.Write(data, count))
            AfxThrowFileException(CFileException::diskFull);
    }
    void Flush() override {}
    void Close() override {}

  private:
    kq::gfx::AtomicFile& out_;
};

// Runs one archive pass; false when the archive or the memory gave out.
template <class Pass>
bool Guarded(Pass pass) {
    try {
        pass();
    } catch (CException* e) {
        e->Delete();
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

constexpr int kSettings = 1;
constexpr int kStructure = 2;
constexpr int kObjects = 4;
constexpr int kAllParts = kSettings | kStructure | kObjects;

// The smallest record of each kind the file can hold, so that a count is checked against the
// bytes left before anything is made for it.
constexpr ULONGLONG kCurveRecordBytes = 89;
constexpr ULONGLONG kAxisRecordBytes = 243;
constexpr ULONGLONG kMeasureRecordBytes = 16;
constexpr ULONGLONG kObjectRecordBytes = 54;
// Margins and spacings a window can use without its rectangle arithmetic overflowing.
constexpr int kPixelLimit = 100000;

struct ChartSettings {
    DWORD back = 0, outer = 0, inner = 0;
    bool doubleBuffer = true, showLegend = true, snap = true;
    int legend = 1, snapRadius = 10, left = 5, top = 5, right = 5, bottom = 5, axisSpace = 5;
};

// Everything one archive can hold, read but not yet part of any chart.
}  // namespace

struct ChartArchiveModel {
    int flags = 0;
    ChartSettings settings;
    std::vector<CXGraphDataSerie> curves;
    std::vector<CXGraphAxis> xAxes;
    std::vector<CXGraphAxis> yAxes;
    std::vector<CXGraphMeasure> measures;
    std::vector<std::unique_ptr<CXGraphObject>> objects;
};

namespace {

void ReadSettings(CArchive& ar, ChartSettings& s) {
    int curveUnderMouse = 0;
    ar >> s.back >> s.outer >> s.inner >> s.doubleBuffer >> s.showLegend >> s.legend >> s.snap >>
        s.snapRadius >> s.left >> s.top >> s.right >> s.bottom >> s.axisSpace >> curveUnderMouse;
    s.back &= 0x00FFFFFF;
    s.outer &= 0x00FFFFFF;
    s.inner &= 0x00FFFFFF;
    s.snapRadius = Clamped(s.snapRadius, 0, kPixelLimit);
    for (int* v : {&s.left, &s.top, &s.right, &s.bottom, &s.axisSpace})
        *v = Clamped(*v, -kPixelLimit, kPixelLimit);
}

void ReadAxes(CArchive& ar, std::vector<CXGraphAxis>& axes, int type) {
    const int count = ReadArchiveCount(ar, kAxisRecordBytes);
    axes.resize(static_cast<size_t>(count));
    for (CXGraphAxis& axis : axes) {
        axis.Serialize(ar);
        axis.m_AxisType = type;
    }
}

void ReadObjects(CArchive& ar, std::vector<std::unique_ptr<CXGraphObject>>& objects) {
    const int count = ReadArchiveCount(ar, kObjectRecordBytes);
    for (int i = 0; i < count; ++i) {
        CObject* read = ar.ReadObject(RUNTIME_CLASS(CXGraphObject));
        if (read == nullptr)
            AfxThrowArchiveException(CArchiveException::badIndex);
        for (const auto& held : objects)
            if (held.get() == read)  // a reference to an object read before
                AfxThrowArchiveException(CArchiveException::badIndex);
        const CRuntimeClass* kind = read->GetRuntimeClass();
        if (kind != RUNTIME_CLASS(CXGraphLabel) && kind != RUNTIME_CLASS(CXGraphDataNotation)) {
            delete read;
            AfxThrowArchiveException(CArchiveException::badClass);
        }
        objects.emplace_back(static_cast<CXGraphObject*>(read));
    }
}

// Throws the archive's exception on anything the chart could not hold.
void ReadModel(CArchive& ar, ChartArchiveModel& m) {
    ar >> m.flags;
    if ((m.flags & kAllParts) == 0)
        AfxThrowArchiveException(CArchiveException::badSchema);
    if ((m.flags & kSettings) != 0)
        ReadSettings(ar, m.settings);
    if ((m.flags & kStructure) != 0) {
        const int count = ReadArchiveCount(ar, kCurveRecordBytes);
        m.curves.resize(static_cast<size_t>(count));
        for (CXGraphDataSerie& curve : m.curves)
            curve.Serialize(ar);
        ReadAxes(ar, m.xAxes, CXGraphAxis::xAxis);
        ReadAxes(ar, m.yAxes, CXGraphAxis::yAxis);
        for (const CXGraphDataSerie& curve : m.curves)
            if (curve.m_nXAxis < 0 || curve.m_nXAxis >= static_cast<int>(m.xAxes.size()) ||
                curve.m_nYAxis < 0 || curve.m_nYAxis >= static_cast<int>(m.yAxes.size()))
                AfxThrowArchiveException(CArchiveException::badIndex);
    }
    if ((m.flags & kObjects) != 0) {
        const int count = ReadArchiveCount(ar, kMeasureRecordBytes);
        m.measures.resize(static_cast<size_t>(count));
        for (CXGraphMeasure& measure : m.measures)
            ar >> measure.nCurve1 >> measure.nIndex1 >> measure.nCurve2 >> measure.nIndex2;
        ReadObjects(ar, m.objects);
    }
}

}  // namespace

void CXGraph::EndInteraction() {
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;) {
        auto* object = static_cast<CXGraphObject*>(m_Objects.GetNext(pos));
        if (object->m_bEditing)
            object->EndEdit();
        if (object->m_bTracking)
            object->EndTracking();
    }
    m_pTracker = nullptr;
    m_pCurrentObject = nullptr;
}

void CXGraph::Serialize(CArchive& ar, int flags) {
    if (ar.IsLoading()) {
        ChartArchiveModel m;
        ReadModel(ar, m);
        AdoptModel(m);
        return;
    }
    flags &= kAllParts;
    ar << flags;
    if ((flags & kSettings) != 0) {
        ar << static_cast<DWORD>(m_crBackColor) << static_cast<DWORD>(m_crGraphColor)
           << static_cast<DWORD>(m_crInnerColor) << m_bDoubleBuffer << m_bShowLegend
           << m_LegendAlignment << m_bSnapCursor << m_nSnapRange << m_nLeftMargin << m_nTopMargin
           << m_nRightMargin << m_nBottomMargin << m_nAxisSpace;
        // The curve under the mouse belongs to this session's mouse, not to the file.
        ar << -1;
    }
    if ((flags & kStructure) != 0) {
        ar << GetCurveCount();
        for (CXGraphDataSerie& curve : m_Data)
            curve.Serialize(ar);
        ar << GetXAxisCount();
        for (CXGraphAxis& axis : m_XAxis)
            axis.Serialize(ar);
        ar << GetYAxisCount();
        for (CXGraphAxis& axis : m_YAxis)
            axis.Serialize(ar);
    }
    if ((flags & kObjects) != 0) {
        ar << static_cast<int>(m_Measures.size());
        for (const CXGraphMeasure& measure : m_Measures)
            ar << measure.nCurve1 << measure.nIndex1 << measure.nCurve2 << measure.nIndex2;
        // The cursor label heads the list and belongs to the chart, not to the file.
        ar << static_cast<int>(m_Objects.GetCount() - 1);
        POSITION pos = m_Objects.GetHeadPosition();
        m_Objects.GetNext(pos);
        while (pos != nullptr)
            ar.WriteObject(m_Objects.GetNext(pos));
    }
}

void CXGraph::AdoptModel(ChartArchiveModel& m) {
    ResetAll();
    if ((m.flags & kSettings) != 0) {
        const ChartSettings& s = m.settings;
        m_crBackColor = s.back;
        m_crGraphColor = s.outer;
        m_crInnerColor = s.inner;
        m_bDoubleBuffer = s.doubleBuffer;
        m_bShowLegend = s.showLegend;
        m_LegendAlignment = s.legend;
        m_bSnapCursor = s.snap;
        m_nSnapRange = s.snapRadius;
        m_nLeftMargin = s.left;
        m_nTopMargin = s.top;
        m_nRightMargin = s.right;
        m_nBottomMargin = s.bottom;
        m_nAxisSpace = s.axisSpace;
    }
    m_Data = std::move(m.curves);
    m_XAxis = std::move(m.xAxes);
    m_YAxis = std::move(m.yAxes);
    for (CXGraphDataSerie& curve : m_Data)
        curve.m_pGraph = this;
    for (CXGraphAxis& axis : m_XAxis)
        axis.m_pGraph = this;
    for (CXGraphAxis& axis : m_YAxis)
        axis.m_pGraph = this;
    m_Measures.insert(m_Measures.end(), m.measures.begin(), m.measures.end());
    for (auto& object : m.objects) {
        object->m_pGraph = this;
        m_Objects.AddTail(object.release());
    }
    Redraw();
}

BOOL CXGraph::Save(const CString& path, int flags) {
    flags &= kAllParts;
    if (flags == 0)
        return FALSE;
    EndInteraction();
    kq::gfx::AtomicFile out;
    if (!out.Open(path.GetString()))
        return FALSE;
    AtomicArchiveFile file(out);
    if (!Guarded([&] {
            CArchive ar(&file, CArchive::store, 4096);
            Serialize(ar, flags);
            ar.Close();
        }))
        return FALSE;
    return out.Commit() ? TRUE : FALSE;
}

BOOL CXGraph::Load(const CString& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    return LoadFrom(file);
}

BOOL CXGraph::LoadFrom(CFile& file) {
    return Guarded([&] {
        CArchive ar(&file, CArchive::load, 4096);
        Serialize(ar, 0);
        ar.Close();
    })
               ? TRUE
               : FALSE;
}
