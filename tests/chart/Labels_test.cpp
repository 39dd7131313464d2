// Labels and notations: what a label draws with and without fill and border, its low-colour
// look, its anchor line, in-place editing, the properties popup, and a notation that keeps its
// first size and follows its point.
#include "ChartTestUtil.h"
#include "platform/ui/Input.h"

namespace kq::chart::test {
namespace {

constexpr COLORREF kPlot = RGB(250, 250, 200);

class LabelDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        points_ = Points(11, [](int i) { return double(i); });
        chart_.SetShowLegend(false);
        chart_.SetInnerColor(kPlot);
        chart_.SetData(points_.data(), 11, 0, 0, 0, true);
        chart_.GetCurve(0).SetVisible(false);
        chart_.GetXAxis(0).SetVisible(false);
        chart_.GetYAxis(0).SetVisible(false);
    }
    void Paint(ChartCanvas& canvas) { chart_.PaintChart(&canvas.dc, CRect(0, 0, 300, 200)); }
    std::vector<TDataPoint> points_;
    CXGraph chart_;
};

TEST_F(LabelDrawing, TransparentLabelWithoutBorderDrawsOnlyItsTextAndAnchor) {
    ChartCanvas empty(300, 200);
    Paint(empty);
    CXGraphLabel* label = chart_.InsertLabel(CRect(150, 40, 250, 90), "Peak");
    label->m_bTransparent = true;
    label->m_bBorder = false;
    label->m_crTextColor = RGB(200, 0, 0);
    label->m_nCurve = 0;
    ChartCanvas canvas(300, 200);
    Paint(canvas);
    int text = 0, line = 0, other = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
            const COLORREF c = canvas.At(x, y);
            if (c == empty.At(x, y))
                continue;
            if (c == kBlack)
                ++line;
            else if (CRect(150, 40, 250, 90).PtInRect(CPoint(x, y)))
                ++text;  // glyphs and their smoothed edges
            else
                ++other;
        }
    EXPECT_GT(text, 10);
    EXPECT_GT(line, 20);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(canvas.At(150, 40), kPlot);  // no border

    // The anchor curve goes: no line.
    chart_.DeleteCurve(0);
    EXPECT_EQ(label->m_nCurve, -1);
    label->m_nCurve = 5;  // a stale index is skipped as well
    ChartCanvas without(300, 200);
    Paint(without);
    EXPECT_EQ(without.Count(kBlack), 0);
}

TEST_F(LabelDrawing, LowColourLabelIsWhiteWithBlackText) {
    CXGraphLabel* label = chart_.InsertLabel(CRect(20, 20, 120, 60), "WWW");
    label->m_crBkColor = RGB(0, 0, 255);
    label->m_crTextColor = RGB(255, 255, 0);
    ChartCanvas canvas(300, 200);
    canvas.dc.m_bScaleComputed = true;
    canvas.dc.m_bLowColor = true;
    chart_.PaintChart(&canvas.dc, CRect(0, 0, 300, 200));
    EXPECT_EQ(canvas.Count(RGB(0, 0, 255)), 0);
    EXPECT_EQ(canvas.Count(RGB(255, 255, 0)), 0);
    EXPECT_EQ(canvas.At(21, 21), kWhite);
    EXPECT_EQ(canvas.At(20, 20), kBlack);  // the border
}

TEST_F(LabelDrawing, NotationKeepsItsFirstSizeAndFollowsItsPoint) {
    chart_.InsertDataNotation(0, 4);
    chart_.InsertDataNotation(0, 99);  // no such point: nothing
    ASSERT_EQ(chart_.m_Objects.GetCount(), 2);
    auto* notation = static_cast<CXGraphDataNotation*>(chart_.m_Objects.GetTail());
    EXPECT_EQ(notation->m_cText, "[5] : 4.000 ,4.000 ");
    ChartCanvas canvas(300, 200);
    Paint(canvas);
    const CSize size = notation->m_clRect.Size();
    const CPoint before = notation->m_clRect.TopLeft();
    EXPECT_GT(size.cx, 10);
    notation->SetTextMember("a much longer text than before");
    chart_.GetYAxis(0).SetRange(0, 20);
    Paint(canvas);
    EXPECT_EQ(notation->m_clRect.Size(), size);
    EXPECT_EQ(notation->m_clRect.left, before.x);
    EXPECT_GT(notation->m_clRect.top, before.y);  // the point is lower on the taller axis
    const double xy[2] = {4, 4};
    EXPECT_EQ(notation->m_clRect.top, chart_.GetYAxis(0).GetPointForValue(xy).y - 20);
}

CXGraphLabel* g_opened = nullptr;

// A chart that answers its label's popup menu with Return when the menu waits.
class CMenuAnsweringChart : public CXGraph {
  public:
    int idles = 0;
    void OnEnterIdle(UINT why, CWnd*) {
        if (why != MSGF_MENU)
            return;
        if (++idles > 1) {
            ::EndMenu();
            return;
        }
        kq::ui::InjectKey(VK_DOWN, true);
        kq::ui::InjectKey(VK_DOWN, false);
        kq::ui::InjectKey(VK_RETURN, true);
        kq::ui::InjectKey(VK_RETURN, false);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMenuAnsweringChart, CXGraph)
ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

using LabelEditing = ChartWindowTest;

TEST_F(LabelEditing, PopupOffersPropertiesWhichOpensTheDialog) {
    auto* chart = MakeChart<CMenuAnsweringChart>();
    CXGraphLabel* label = chart->InsertLabel(CRect(20, 20, 200, 80), "old");
    auto* dialog = CXGraphLabel::s_pfnShowDialog;
    CXGraphLabel::s_pfnShowDialog = [](CXGraphLabel* l) { g_opened = l; };
    label->ShowProperties();
    EXPECT_EQ(g_opened, label);
    EXPECT_GE(chart->idles, 1);
    CXGraphLabel::s_pfnShowDialog = dialog;
    g_opened = nullptr;
}

TEST_F(LabelEditing, EditOpensOverTheTextAndStoresWhatWasTyped) {
    CXGraph* chart = MakeChart();
    CXGraphLabel* label = chart->InsertLabel(CRect(20, 20, 200, 80), "old");
    label->SetAlignment(2);
    label->BeginEdit();
    Pump();
    CWnd* edit = chart->GetDlgItem(CXGraph::kLabelEditId);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(label->m_bEditing);
    EXPECT_EQ(edit->GetStyle() & (ES_CENTER | ES_RIGHT), static_cast<DWORD>(ES_RIGHT));
    int from = -1, to = -1;
    label->GetEdit()->GetSel(from, to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 3);
    Type("new");
    label->EndEdit();
    EXPECT_EQ(label->m_cText, "new");
    EXPECT_FALSE(label->m_bEditing);
    EXPECT_EQ(chart->GetDlgItem(CXGraph::kLabelEditId), nullptr);

    label->m_bCanEdit = false;
    label->BeginEdit();
    EXPECT_EQ(chart->GetDlgItem(CXGraph::kLabelEditId), nullptr);
    label->EndEdit();
    EXPECT_EQ(label->m_cText, "new");
}

}  // namespace
}  // namespace kq::chart::test
