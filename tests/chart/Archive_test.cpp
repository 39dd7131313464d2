// The chart archive: its bytes against the record tables, a full chart through save and load,
// atomic writing, and hostile files that must leave the chart as it was.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "ChartArchiveSamples.h"
#include "ChartTestUtil.h"

namespace kq::chart::test {
namespace {

namespace fs = std::filesystem;

// Little-endian bytes as the archive writes them.
class Bytes {
  public:
    Bytes& I32(int32_t v) { return Raw(&v, 4); }
    Bytes& U16(uint16_t v) { return Raw(&v, 2); }
    Bytes& B(bool v) { return U8(v ? 1 : 0); }
    Bytes& U8(uint8_t v) { return Raw(&v, 1); }
    Bytes& F64(double v) { return Raw(&v, 8); }
    Bytes& Text(const std::string& s) {
        U8(static_cast<uint8_t>(s.size()));
        return Raw(s.data(), s.size());
    }
    // A class tag at the class's first object: new-class tag, schema 1, the name.
    Bytes& NewClass(const std::string& name) {
        U16(0xFFFF).U16(1).U16(static_cast<uint16_t>(name.size()));
        return Raw(name.data(), name.size());
    }
    // The 27-byte object record: seven flags, the rectangle, the colour.
    Bytes& Base(bool visible, CRect r, COLORREF color) {
        B(false).B(true).B(true).B(false).B(false).B(visible).B(true);
        I32(r.left).I32(r.top).I32(r.right).I32(r.bottom);
        return I32(static_cast<int32_t>(color));
    }
    Bytes& Raw(const void* p, size_t n) {
        const auto* b = static_cast<const BYTE*>(p);
        v.insert(v.end(), b, b + n);
        return *this;
    }
    std::vector<BYTE> v;
};

Bytes Settings(int flags) {
    Bytes b;
    b.I32(flags).I32(RGB(1, 2, 3)).I32(RGB(4, 5, 6)).I32(RGB(7, 8, 9));
    b.B(false).B(true).I32(0).B(false).I32(12);
    b.I32(6).I32(7).I32(8).I32(9).I32(11).I32(-1);
    return b;
}

Bytes& LabelRecord(Bytes& b, const std::string& text) {
    b.Base(true, CRect(10, 20, 110, 70), RGB(0, 0, 0)).Text(text);
    LOGFONT lf{};
    lf.lfHeight = 14;
    std::strcpy(lf.lfFaceName, "Arial");
    b.Raw(&lf, sizeof lf);
    return b.I32(RGB(255, 255, 0)).I32(RGB(0, 0, 255)).B(true).B(false).I32(2).I32(-1);
}

class ChartArchive : public ChartWindowTest {
  protected:
    std::string Path(const std::string& name) const { return folder_.Path() + "/" + name; }
    static std::string FileText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(ChartArchive, SettingsAloneAreTheFiftyOneBytesOfTheTable) {
    CXGraph chart;
    chart.SetBackColor(RGB(1, 2, 3));
    chart.SetOuterColor(RGB(4, 5, 6));
    chart.SetInnerColor(RGB(7, 8, 9));
    chart.m_bDoubleBuffer = false;
    chart.m_LegendAlignment = 0;
    chart.m_bSnapCursor = false;
    chart.m_nSnapRange = 12;
    chart.SetMargins(6, 7, 8, 9);
    chart.m_nAxisSpace = 11;
    chart.m_nCurveUnderMouse = 2;  // this session's mouse, written as none
    ASSERT_TRUE(chart.Save(Path("s.xg").c_str(), 1 | 8));
    const std::string file = FileText(Path("s.xg"));
    const std::vector<BYTE> expected = Settings(1).v;
    ASSERT_EQ(file.size(), 51u);
    EXPECT_EQ(std::vector<BYTE>(file.begin(), file.end()), expected);

    EXPECT_FALSE(chart.Save(Path("none.xg").c_str(), 0));
    EXPECT_FALSE(chart.Save(Path("none.xg").c_str(), 8));
    EXPECT_FALSE(fs::exists(Path("none.xg")));
    // Nothing but settings: the file's curves (none) replace the chart's.
    CXGraph other;
    auto points = Points(5, [](int i) { return i; });
    other.SetData(points.data(), 5, 0, 0, 0, true);
    ASSERT_TRUE(other.Load(Path("s.xg").c_str()));
    EXPECT_EQ(other.GetBackColor(), RGB(1, 2, 3));
    EXPECT_EQ(other.m_nSnapRange, 12);
    EXPECT_EQ(other.GetCurveCount(), 0);
    EXPECT_EQ(ArchiveBytes(other, 1), expected);
}

TEST_F(ChartArchive, AFullChartComesBackByteForByteAndPaintsTheSamePixels) {
    SamplePoints points;
    CXGraph* chart = MakeChart();
    FillSampleChart(*chart, points);
    chart->m_nCurveUnderMouse = 1;
    const std::vector<BYTE> saved = ArchiveBytes(*chart, 7);

    // The object tags: a new class, a repeat of it by class index, then the second class.
    const auto find = [&saved](const std::vector<BYTE>& needle) {
        return std::search(saved.begin(), saved.end(), needle.begin(), needle.end()) -
               saved.begin();
    };
    Bytes labelTag, notationTag;
    labelTag.NewClass("CXGraphLabel");
    notationTag.NewClass("CXGraphDataNotation");
    const auto label = find(labelTag.v);
    const auto notation = find(notationTag.v);
    ASSERT_LT(label, static_cast<long>(saved.size()));
    ASSERT_LT(notation, static_cast<long>(saved.size()));
    const size_t secondLabel = static_cast<size_t>(label) + 18 + 106 + 5;
    EXPECT_EQ(saved[secondLabel], 0x01);
    EXPECT_EQ(saved[secondLabel + 1], 0x80);
    EXPECT_EQ(static_cast<size_t>(notation), secondLabel + 2 + 106 + 6);
    EXPECT_EQ(find({0x04, 0x80}) > notation, true);

    CXGraph* loaded = MakeChart();
    ASSERT_TRUE(LoadBytes(*loaded, saved));
    EXPECT_EQ(ArchiveBytes(*loaded, 7), saved);
    EXPECT_EQ(loaded->m_Objects.GetCount(), 5);  // the cursor label and the four stored
    EXPECT_EQ(loaded->m_Objects.GetHead(), &loaded->GetCursorLabel());
    EXPECT_EQ(loaded->m_nCurveUnderMouse, -1);
    EXPECT_EQ(loaded->GetCurve(0).GetLabel(), chart->GetCurve(0).GetLabel());
    EXPECT_TRUE(loaded->GetXAxis(0).GetTimeAxis());
    EXPECT_EQ(loaded->GetYAxis(1).m_AxisType, CXGraphAxis::yAxis);
    EXPECT_EQ(loaded->GetCurve(1).m_pGraph, loaded);
    for (POSITION pos = loaded->m_Objects.GetHeadPosition(); pos != nullptr;)
        EXPECT_EQ(static_cast<CXGraphObject*>(loaded->m_Objects.GetNext(pos))->m_pGraph, loaded);

    const CRect all(0, 0, 400, 300);
    ChartCanvas a(400, 300), b(400, 300);
    chart->PaintChart(&a.dc, all);
    loaded->PaintChart(&b.dc, all);
    EXPECT_EQ(a.Pixels(), b.Pixels());

    // Loading again adds the stored measurements once more.
    ASSERT_TRUE(LoadBytes(*loaded, saved));
    EXPECT_EQ(loaded->m_Measures.size(), 4u);
    EXPECT_EQ(loaded->m_Objects.GetCount(), 5);
}

TEST_F(ChartArchive, StructureWithoutSettingsKeepsTheLoadingChartsColours) {
    SamplePoints points;
    CXGraph chart;
    FillSampleChart(chart, points);
    CXGraph other;
    other.SetBackColor(RGB(99, 98, 97));
    ASSERT_TRUE(LoadBytes(other, ArchiveBytes(chart, 2)));
    EXPECT_EQ(other.GetBackColor(), RGB(99, 98, 97));
    EXPECT_EQ(other.GetCurveCount(), 3);
    EXPECT_EQ(other.m_Objects.GetCount(), 1);
    EXPECT_TRUE(other.m_Measures.empty());
}

TEST_F(ChartArchive, AComposedArchiveLoadsIntoTheModelItDescribes) {
    Bytes b = Settings(5);
    b.I32(1).I32(0).I32(3).I32(0).I32(4);  // one measurement
    b.I32(2);
    LabelRecord(b.NewClass("CXGraphLabel"), "Spitze");
    b.NewClass("CXGraphDataNotation").Base(true, CRect(1, 2, 3, 4), RGB(5, 5, 5));
    b.F64(1.5).F64(-2.25).I32(0).I32(3).Text("[4]");
    CXGraph chart;
    ASSERT_TRUE(LoadBytes(chart, b.v));
    EXPECT_EQ(chart.GetInnerColor(), RGB(7, 8, 9));
    EXPECT_EQ(chart.m_nAxisSpace, 11);
    ASSERT_EQ(chart.m_Measures.size(), 1u);
    EXPECT_EQ(chart.m_Measures[0].nIndex2, 4);
    ASSERT_EQ(chart.m_Objects.GetCount(), 3);
    POSITION pos = chart.m_Objects.FindIndex(1);
    auto* label = dynamic_cast<CXGraphLabel*>(chart.m_Objects.GetAt(pos));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->m_cText, "Spitze");
    EXPECT_EQ(label->m_clRect, CRect(10, 20, 110, 70));
    EXPECT_EQ(label->m_crTextColor, RGB(0, 0, 255));
    EXPECT_EQ(label->GetAlignment(), 2);
    EXPECT_TRUE(label->m_bCanMove);
    auto* note = dynamic_cast<CXGraphDataNotation*>(chart.m_Objects.GetTail());
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->m_fYVal, -2.25);
    EXPECT_EQ(note->m_nIndex, 3);
    EXPECT_EQ(ArchiveBytes(chart, 5), b.v);
}

// "µm/°C ÄÖÜ" as the archive keeps it (code page 1252) and as the program holds it (UTF-8).
const std::string kUnitStored =
    "\xB5m/\xB0"
    "C \xC4\xD6\xDC";
const CString kUnit =
    "\xC2\xB5m/\xC2\xB0"
    "C \xC3\x84\xC3\x96\xC3\x9C";

LOGFONT ArialFont(int height, int weight) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strcpy(lf.lfFaceName, "Arial");
    return lf;
}

Bytes& AxisRecord(Bytes& b, int type, const std::string& title) {
    b.B(false).B(true).B(true).Text("%5.3f").Text(title);
    b.F64(10).F64(0).F64(10).F64(0).F64(2);
    b.I32(300).I32(40).I32(type).I32(5).I32(5);
    b.I32(RGB(0, 0, 0)).I32(RGB(150, 150, 150)).I32(PS_DOT);
    b.F64(0).B(false).F64(0).F64(10).I32(200).I32(10).I32(0).B(false);
    b.I32(1);  // one band from 2 to 4, its label in a 260-byte field
    BYTE band[288] = {};
    const double from = 2, to = 4;
    const COLORREF color = RGB(255, 230, 230);
    const int solid = 6;
    std::memcpy(band, &from, 8);
    std::memcpy(band + 8, &to, 8);
    std::memcpy(band + 16, &color, 4);
    std::memcpy(band + 20, &color, 4);
    std::memcpy(band + 24, &solid, 4);
    std::memcpy(band + 28, kUnitStored.data(), kUnitStored.size());
    b.Raw(band, sizeof band).I32(0);
    const LOGFONT label = ArialFont(13, FW_NORMAL), heading = ArialFont(14, FW_BOLD);
    return b.Raw(&label, sizeof label).Raw(&heading, sizeof heading);
}

TEST_F(ChartArchive, AGoldenArchiveKeepsItsWesternTextsThroughLoadDrawAndSave) {
    Bytes b = Settings(7);
    b.I32(1).Base(true, CRect(0, 0, 0, 0), RGB(0, 128, 0)).I32(3);
    for (const double v : {0.0, 1.0, 5.0, 9.0, 10.0, 3.0})
        b.F64(v);
    b.I32(0).I32(0).I32(0).I32(0).I32(0).I32(2).I32(0).I32(0).I32(0).I32(5).I32(PS_SOLID);
    b.B(false).B(false).B(false).U16(0xFFFF).I32(RGB(0, 0, 0)).Text(kUnitStored).I32(0);
    AxisRecord(b.I32(1), CXGraphAxis::xAxis, "s");
    AxisRecord(b.I32(1), CXGraphAxis::yAxis, kUnitStored);
    b.I32(0).I32(1);
    LabelRecord(b.NewClass("CXGraphLabel"), kUnitStored);

    CXGraph chart;
    ASSERT_TRUE(LoadBytes(chart, b.v));
    EXPECT_EQ(chart.GetCurve(0).GetLabel(), kUnit);
    EXPECT_EQ(chart.GetYAxis(0).GetLabel(), kUnit);
    EXPECT_EQ(CString(chart.GetYAxis(0).m_ColorRanges.at(0).szLabel), kUnit);
    auto* label = dynamic_cast<CXGraphLabel*>(chart.m_Objects.GetTail());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->m_cText, kUnit);
    EXPECT_EQ(ArchiveBytes(chart, 7), b.v);

    ChartCanvas canvas(400, 300);
    chart.PaintChart(&canvas.dc, CRect(0, 0, 400, 300));
    EXPECT_GT(canvas.Count(RGB(255, 230, 230)), 0);  // the band
    // The label lies left of the plot, where the paint clips objects away: drawn on its own,
    // its box takes its back colour around its text.
    label->Draw(&canvas.dc);
    CRect box = label->m_clRect;
    box.DeflateRect(2, 2);
    const int yellow = canvas.Count(RGB(255, 255, 0), box);
    EXPECT_GT(yellow, 0);
    EXPECT_LT(yellow, box.Width() * box.Height());
}

TEST_F(ChartArchive, SavingDuringALabelEditStoresTheTypedText) {
    CXGraph* chart = MakeChart();
    CXGraphLabel* label = chart->InsertLabel(CRect(20, 20, 150, 80), "old");
    label->BeginEdit();
    ASSERT_TRUE(label->m_bEditing);
    label->GetEdit()->SetWindowText("typed");
    ASSERT_TRUE(chart->Save(Path("edit.xg").c_str(), 4));
    EXPECT_FALSE(label->m_bEditing);
    CXGraph back;
    ASSERT_TRUE(back.Load(Path("edit.xg").c_str()));
    EXPECT_EQ(static_cast<CXGraphLabel*>(back.m_Objects.GetTail())->m_cText, "typed");
}

TEST_F(ChartArchive, AFailedSaveKeepsTheOldFile) {
    SamplePoints points;
    CXGraph chart;
    FillSampleChart(chart, points);
    const std::string folder = Path("locked");
    fs::create_directories(folder);
    const std::string target = folder + "/chart.xg";
    std::ofstream(target) << "old";
    ::chmod(folder.c_str(), 0500);
    if (::access(folder.c_str(), W_OK) != 0) {  // not when the tests run as root
        EXPECT_FALSE(chart.Save(target.c_str(), 7));
        EXPECT_EQ(FileText(target), "old");
    }
    ::chmod(folder.c_str(), 0700);
    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(chart.Save("/dev/full", 7));
    }
    EXPECT_FALSE(chart.Save(Path("missing/chart.xg").c_str(), 7));
    EXPECT_FALSE(chart.Load(Path("missing/chart.xg").c_str()));
}

// Every refused file leaves the chart exactly as it was.
class HostileArchive : public ChartArchive {
  protected:
    void SetUp() override {
        ChartArchive::SetUp();
        FillSampleChart(chart_, points_);
        before_ = ArchiveBytes(chart_, 7);
    }
    void ExpectRefused(const std::vector<BYTE>& bytes, const std::string& what) {
        EXPECT_FALSE(LoadBytes(chart_, bytes)) << what;
        EXPECT_EQ(ArchiveBytes(chart_, 7), before_) << what;
    }
    SamplePoints points_;
    CXGraph chart_;
    std::vector<BYTE> before_;
};

TEST_F(HostileArchive, EveryTruncationIsRefused) {
    for (size_t n = 0; n < before_.size(); ++n)
        ExpectRefused(std::vector<BYTE>(before_.begin(), before_.begin() + n),
                      "cut at " + std::to_string(n));
}

TEST_F(HostileArchive, CountsAreCheckedBeforeAnythingIsMade) {
    for (int32_t count : {INT32_MIN, INT32_MAX, 1 << 24}) {
        ExpectRefused(Bytes().I32(2).I32(count).I32(0).I32(0).v, "curves");
        ExpectRefused(Bytes().I32(2).I32(0).I32(count).I32(0).v, "axes");
        ExpectRefused(Bytes().I32(4).I32(count).I32(0).v, "measurements");
        ExpectRefused(Bytes().I32(4).I32(0).I32(count).v, "objects");
    }
    ExpectRefused(Bytes().I32(0).v, "no parts");
    ExpectRefused(Bytes().I32(8).v, "unknown parts only");
    // A curve on an axis the file does not hold.
    CXGraph lone;
    auto points = Points(3, [](int i) { return i; });
    lone.SetData(points.data(), 3, 0, 0, 0, true);
    std::vector<BYTE> bytes = ArchiveBytes(lone, 2);
    lone.GetCurve(0).m_nYAxis = 1;
    ExpectRefused(ArchiveBytes(lone, 2), "curve on Y axis 1 of 1");
    EXPECT_TRUE(LoadBytes(lone, bytes));
}

TEST_F(HostileArchive, OnlyLabelsAndNotationsAreObjects) {
    const auto objects = [](const std::function<void(Bytes&)>& body) {
        Bytes b;
        b.I32(4).I32(0).I32(1);
        body(b);
        return b.v;
    };
    CXGraphAxis axis;
    CXGraphDataSerie curve;
    CXGraphObject base;
    const auto record = [](CObject& object) {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
        std::vector<BYTE> v(static_cast<size_t>(file.GetLength()));
        file.SeekToBegin();
        file.Read(v.data(), static_cast<UINT>(v.size()));
        return v;
    };
    const auto kind = [&](const std::string& name, CObject& object) {
        return objects([&](Bytes& b) {
            const auto r = record(object);
            b.NewClass(name).Raw(r.data(), r.size());
        });
    };
    ExpectRefused(kind("CXGraphAxis", axis), "axis");
    ExpectRefused(kind("CXGraphDataSerie", curve), "curve");
    ExpectRefused(kind("CXGraphObject", base), "base");
    ExpectRefused(objects([](Bytes& b) { b.U16(0); }), "null tag");
    ExpectRefused(objects([](Bytes& b) { LabelRecord(b.NewClass("CXGraphNothing"), "x"); }),
                  "unknown class");
    ExpectRefused(objects([](Bytes& b) {
                      b.U16(0xFFFF).U16(2).U16(12).Raw("CXGraphLabel", 12);
                      LabelRecord(b, "x");
                  }),
                  "schema 2");
    // The second object refers back to the first.
    Bytes back;
    back.I32(4).I32(0).I32(2);
    LabelRecord(back.NewClass("CXGraphLabel"), "x").U16(2);
    ExpectRefused(back.v, "back-reference");
}

TEST_F(HostileArchive, OddValuesLoadIntoSomethingThatPaints) {
    Bytes b = Settings(5);
    b.I32(1).I32(7).I32(-5).I32(99).I32(1 << 30);  // measurement of curves that do not exist
    b.I32(1);
    b.NewClass("CXGraphLabel").Base(true, CRect(INT32_MIN, 0, INT32_MAX, 50), 0).Text("x");
    LOGFONT lf{};
    lf.lfHeight = 1 << 30;
    lf.lfWidth = -(1 << 30);
    std::memset(lf.lfFaceName, 'A', sizeof lf.lfFaceName);  // no terminating zero
    b.Raw(&lf, sizeof lf).I32(0).I32(0).B(true).B(true).I32(10000).I32(77);
    CXGraph chart;
    ASSERT_TRUE(LoadBytes(chart, b.v));
    auto* label = static_cast<CXGraphLabel*>(chart.m_Objects.GetTail());
    LOGFONT got{};
    label->m_Font.GetLogFont(&got);
    EXPECT_LE(std::abs(got.lfHeight), 500);
    EXPECT_LE(std::abs(got.lfWidth), 500);
    ChartCanvas canvas(300, 200);
    chart.PaintChart(&canvas.dc, CRect(0, 0, 300, 200));
}

}  // namespace
}  // namespace kq::chart::test
