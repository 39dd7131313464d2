// The object records: sizes byte for byte, round trips, and hostile bytes: every truncation,
// huge counts, bounds that are no range, out-of-range choices, unterminated face names and
// stray flag bits give an exception or a clamped, drawable object.
#include <cfloat>
#include <cmath>
#include <cstring>

#include "ChartTestUtil.h"
#include "platform/base/MemFile.h"

namespace kq::chart::test {
namespace {

std::vector<BYTE> Store(CObject& object) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.Seek(0, CFile::begin);
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(CObject& object, std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    object.Serialize(ar);
}

// True when loading the bytes throws the archive's exception (which is then deleted).
bool LoadThrows(CObject& object, std::vector<BYTE> bytes) {
    try {
        Load(object, std::move(bytes));
    } catch (CArchiveException* e) {
        e->Delete();
        return true;
    }
    return false;
}

template <class T>
void ExpectEveryTruncationThrows(const std::vector<BYTE>& bytes) {
    for (size_t n = 0; n < bytes.size(); ++n) {
        T object;
        EXPECT_TRUE(LoadThrows(object, std::vector<BYTE>(bytes.begin(), bytes.begin() + n))) << n;
    }
}

// Draws the object on a small chart, as a loaded object would be drawn.
void Draw(CXGraphObject& object) {
    static auto points = Points(5, [](int i) { return i; });
    CXGraph chart;
    chart.SetData(points.data(), 5, 0, 0, 0, true);
    object.m_pGraph = &chart;
    ChartCanvas canvas(120, 90);
    chart.PaintChart(&canvas.dc, CRect(0, 0, 120, 90));
    object.Draw(&canvas.dc);
    object.m_pGraph = nullptr;
}

TEST(ChartRecords, SizesAreByteForByte) {
    CXGraphObject base;
    const auto b = Store(base);
    ASSERT_EQ(b.size(), 27u);
    EXPECT_EQ(std::vector<BYTE>(b.begin(), b.begin() + 7),
              (std::vector<BYTE>{0, 0, 0, 0, 0, 1, 1}));

    CXGraphAxis axis;
    EXPECT_EQ(Store(axis).size(), 241u + 6 + 2);
    axis.SetColorRange(0, 1, 2, 0, 0, "band", 3);
    axis.SetAxisMarker(0, 1.5, RGB(1, 2, 3));
    axis.SetAxisMarker(1, 2.5, RGB(1, 2, 3));
    EXPECT_EQ(Store(axis).size(), 241u + 8 + 288 + 2 * 88);

    auto points = Points(3, [](int i) { return i; });
    CXGraphDataSerie serie;
    serie.SetPoints(points.data(), 3, false);
    serie.SetLabel("Torque");
    EXPECT_EQ(Store(serie).size(), 88u + 16 * 3 + 7);

    CXGraphLabel label;
    label.SetTextMember("Peak");
    EXPECT_EQ(Store(label).size(), 105u + 5);
    CXGraphDataNotation notation;
    notation.SetTextMember("[1] : 2");
    EXPECT_EQ(Store(notation).size(), 51u + 8);
}

TEST(ChartRecords, ObjectsComeBackAsTheyWere) {
    CXGraphAxis axis;
    axis.SetRange(-3, 7);
    axis.SetLabel("Torque\n[Nm]");
    axis.SetAxisMarker(0, 2.5, RGB(9, 8, 7), PS_DASH);
    axis.GetAxisMarker(0).szLabel = "limit";
    axis.SetColorRange(0, 1, 2, RGB(1, 1, 1), RGB(2, 2, 2), "band", 6);
    axis.SetFont("Courier New", 17, FW_BOLD);
    CXGraphAxis back;
    Load(back, Store(axis));
    EXPECT_EQ(back.m_fCurMin, -3);
    EXPECT_EQ(back.GetLabel(), "Torque\n[Nm]");
    ASSERT_EQ(back.GetAxisMarkerCount(), 1);
    EXPECT_EQ(back.GetAxisMarker(0).crColor, RGB(9, 8, 7));
    EXPECT_EQ(back.GetAxisMarker(0).nStyle, PS_DASH);
    EXPECT_TRUE(back.GetAxisMarker(0).szLabel.IsEmpty());  // the label is not in the record
    EXPECT_STREQ(back.m_ColorRanges.at(0).szLabel, "band");
    LOGFONT lf{};
    back.GetFont()->GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, 17);
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_EQ(Store(back), Store(axis));

    auto points = Points(4, [](int i) { return i * 1.5; });
    CXGraphDataSerie serie;
    serie.SetPoints(points.data(), 4, false);
    serie.SetMarker(3);
    serie.m_bSelected = true;
    CXGraphDataSerie loaded;
    Load(loaded, Store(serie));
    EXPECT_TRUE(loaded.m_bAutoDelete);
    EXPECT_NE(loaded.m_pData, points.data());
    EXPECT_EQ(loaded.GetYValue(3), 4.5);
    EXPECT_EQ(loaded.GetMarker(), 3);
    EXPECT_FALSE(loaded.m_bSelected);  // what was in progress is not now

    CXGraphLabel label;
    label.SetTextMember("Peak");
    label.SetAlignment(1);
    label.m_nCurve = 2;
    label.m_bEditing = true;
    label.m_crBkColor = RGB(5, 6, 7);
    CXGraphLabel labelBack;
    Load(labelBack, Store(label));
    EXPECT_EQ(labelBack.m_cText, "Peak");
    EXPECT_EQ(labelBack.GetAlignment(), 1);
    EXPECT_EQ(labelBack.m_nCurve, 2);
    EXPECT_FALSE(labelBack.m_bEditing);
    EXPECT_EQ(labelBack.m_crBkColor, RGB(5, 6, 7));
}

TEST(ChartRecords, EveryTruncationThrows) {
    CXGraphAxis axis;
    axis.SetColorRange(0, 1, 2, 0, 0, "band", 3);
    axis.SetAxisMarker(0, 1.5, RGB(1, 2, 3));
    ExpectEveryTruncationThrows<CXGraphAxis>(Store(axis));
    auto points = Points(3, [](int i) { return i; });
    CXGraphDataSerie serie;
    serie.SetPoints(points.data(), 3, false);
    ExpectEveryTruncationThrows<CXGraphDataSerie>(Store(serie));
    CXGraphLabel label;
    ExpectEveryTruncationThrows<CXGraphLabel>(Store(label));
    CXGraphDataNotation notation;
    ExpectEveryTruncationThrows<CXGraphDataNotation>(Store(notation));
}

TEST(ChartRecords, HostileValuesAreRefusedOrClamped) {
    // A curve claiming a huge number of points.
    CXGraphDataSerie serie;
    auto bytes = Store(serie);
    const UINT huge = 0x7FFFFFF;
    std::memcpy(&bytes[27], &huge, 4);
    CXGraphDataSerie loaded;
    EXPECT_TRUE(LoadThrows(loaded, bytes));

    // Symbol 99, size 0, fill style 40, pen style 9, line width 0, draw mode 7, stray flag bits.
    auto points = Points(2, [](int i) { return i; });
    serie.SetPoints(points.data(), 2, false);
    bytes = Store(serie);
    const size_t fields = 27 + 4 + 32 + 8;    // after the points, the indices
    const int wild[] = {0, 40, 3, 99, 0, 9};  // width, fill, type, symbol, size, style
    std::memcpy(&bytes[fields + 12], wild, sizeof wild);
    bytes[0] = 0xFE;
    bytes[5] = 0x80;
    std::memcpy(&bytes[bytes.size() - 4], "\x07\x00\x00\x00", 4);
    CXGraphDataSerie clamped;
    Load(clamped, bytes);
    EXPECT_EQ(clamped.GetLineWidth(), 1);
    EXPECT_EQ(clamped.m_nFillStyle, 6);
    EXPECT_EQ(clamped.GetMarker(), 7);
    EXPECT_EQ(clamped.GetMarkerSize(), 1);
    EXPECT_EQ(clamped.GetLineStyle(), 5);
    EXPECT_EQ(clamped.m_nDisplayType, 1);
    EXPECT_FALSE(clamped.m_bSelected);
    EXPECT_TRUE(clamped.GetVisible());
    clamped.SetShowMarker(true);
    Draw(clamped);

    // An axis with NaN bounds, inverted ones, and a huge band count.
    CXGraphAxis axis;
    axis.SetRange(0, 10);
    bytes = Store(axis);
    const size_t bounds = 3 + 6 + 2;  // initial max, min, current max, min
    const double nan = NAN, lo = 5, hi = 1;
    std::memcpy(&bytes[bounds], &nan, 8);
    std::memcpy(&bytes[bounds + 16], &hi, 8);
    std::memcpy(&bytes[bounds + 24], &lo, 8);
    CXGraphAxis axisBack;
    Load(axisBack, bytes);
    EXPECT_EQ(axisBack.m_fMin, DBL_MAX);
    EXPECT_EQ(axisBack.m_fCurMax, -DBL_MAX);
    Draw(axisBack);
    bytes = Store(axis);
    const int many = 100000000;
    std::memcpy(&bytes[bytes.size() - 120 - 8], &many, 4);
    CXGraphAxis flooded;
    EXPECT_TRUE(LoadThrows(flooded, bytes));

    // A label with an unterminated face name and a format word of DT_CALCRECT.
    CXGraphLabel label;
    bytes = Store(label);
    std::memset(&bytes[27 + 2 + 28], 'A', 32);
    const UINT calc = DT_CALCRECT;
    std::memcpy(&bytes[bytes.size() - 8], &calc, 4);
    CXGraphLabel labelBack;
    Load(labelBack, bytes);
    EXPECT_EQ(labelBack.GetAlignment(), 0);
    LOGFONT lf{};
    labelBack.m_Font.GetLogFont(&lf);
    EXPECT_EQ(std::strlen(lf.lfFaceName), 31u);
    Draw(labelBack);
}

}  // namespace
}  // namespace kq::chart::test
