// The axis and curve pages and the label dialog on a real chart: time steps and number formats,
// typing without messages, the enabling rules, derived curves and their names, the marker list
// against the chart's painters, and the label's "Properties" dialog run modally.
#include <gtest/gtest.h>

#include <functional>

#include "chart/ChartTestUtil.h"
#include "chart/dialogs/AxisDlg.h"
#include "chart/dialogs/AxisPageRules.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/ChartTexts.h"
#include "chart/dialogs/CurveDlg.h"
#include "chart/dialogs/DerivedCurveDlgs.h"
#include "chart/dialogs/LabelDlg.h"
#include "foundation/Language.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/commctrl/InitCommonControls.h"
#include "platform/ui/controls/ComboBox.h"

namespace {

using kq::chart::test::ChartCanvas;
using kq::chart::test::ChartWindowTest;
using kq::chart::test::Points;

TEST(AxisPageRules, TimeStepsLoadInTheLargestWholeUnit) {
    auto split = [](double seconds) {
        kq::chart::TimeStep s = kq::chart::SplitTimeStep(seconds / 86400.0);
        return std::make_pair(s.count, s.unit);
    };
    EXPECT_EQ(split(86400), std::make_pair(24, 2));
    EXPECT_EQ(split(90), std::make_pair(90, 0));
    EXPECT_EQ(split(7200), std::make_pair(2, 2));
    EXPECT_EQ(split(3599.9999998), std::make_pair(1, 2));
    EXPECT_EQ(split(2 * 86400), std::make_pair(2, 3));
    EXPECT_EQ(split(120), std::make_pair(2, 1));
    EXPECT_EQ(split(0), std::make_pair(1, 0));
    EXPECT_DOUBLE_EQ(kq::chart::TimeStepDays(22118400, 3), 22118400.0);
    EXPECT_DOUBLE_EQ(kq::chart::TimeStepDays(256, 3), 256.0);
}

TEST(AxisPageRules, RangesChooseExponentOrFixedFormats) {
    EXPECT_EQ(kq::chart::NumberFormatFor(0, 2e6, 2), "%5.2e");
    EXPECT_EQ(kq::chart::NumberFormatFor(0, 0.5, 2), "%5.2f");
    EXPECT_EQ(kq::chart::NumberFormatFor(0, 1e-7, 2), "%5.2e");
    EXPECT_EQ(kq::chart::NumberFormatFor(0, 0, 2), "%5.2f");
    EXPECT_EQ(kq::chart::DecimalsOfFormat("%5.3f", 0), 3);
    EXPECT_EQ(kq::chart::DecimalsOfFormat("%5.12f", 0), 6);
    EXPECT_EQ(kq::chart::DecimalsOfFormat("%d", 4), 4);
    EXPECT_EQ(kq::chart::UnescapeLineFeeds(kq::chart::EscapeLineFeeds("%H\n%M")), "%H\n%M");
    EXPECT_EQ(kq::chart::EscapeLineFeeds("a\nb"), "a\\nb");
}

TEST(CurveFormula, ZeroCoefficientsAddNoTerm) {
    const double two[] = {1, 0, 3};
    EXPECT_EQ(kq::chart::PolynomialFormula(two, 3), "f(x)=1.0000e+00*X^0+\n3.0000e+00*X^2");
    const double last[] = {1, 2, 0};
    EXPECT_EQ(kq::chart::PolynomialFormula(last, 3), "f(x)=1.0000e+00*X^0+\n2.0000e+00*X^1+\n");
}

// Owners that run a step on every idle turn of a modal dialog they own: the sheet (for the
// curve page's dialogs) and the chart's top-level window (for the label dialog).
using IdleStep = std::function<void(CWnd* dialog)>;
class CIdleSheet : public CChartPage {
  public:
    using CChartPage::CChartPage;
    IdleStep step;
    void OnEnterIdle(UINT why, CWnd* who) {
        if (why == MSGF_DIALOGBOX && step)
            step(CWnd::FromHandlePermanent(who->m_hWnd));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIdleSheet, CChartPage)
ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

class CIdleHost : public CWnd {
  public:
    IdleStep step;
    void OnEnterIdle(UINT why, CWnd* who) {
        if (why == MSGF_DIALOGBOX && step)
            step(CWnd::FromHandlePermanent(who->m_hWnd));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIdleHost, CWnd)
ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

class ChartPages : public ChartWindowTest {
  protected:
    void SetUp() override {
        ChartWindowTest::SetUp();
        InitCommonControls();
        ASSERT_TRUE(host_.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE,
                                   CRect(0, 0, 500, 400), nullptr, 0));
        chart_ = new CXGraph;
        ASSERT_TRUE(chart_->Create(CXGraph::kClassName, "", WS_CHILD | WS_VISIBLE,
                                   CRect(0, 0, 400, 300), &host_, 1));
        points_ = Points(7, [](int i) { return i % 2 == 0 ? i : -i; });
        chart_->SetData(points_.data(), 7, 0, 0, 0, true);
        chart_->GetCurve(0).SetLabel("Torque");
        sheet_ = std::make_unique<CIdleSheet>(chart_);
        ASSERT_TRUE(sheet_->Create(IDD_XG_PROPERTIES, chart_));
        sheet_->ShowWindow(SW_SHOW);
        Pump();
    }
    void TearDown() override {
        sheet_.reset();
        chart_->DestroyWindow();
        delete chart_;
        host_.DestroyWindow();
        ChartWindowTest::TearDown();
    }
    void Show(int tab) {
        sheet_->GetTabCtrl().SetCurSel(tab);
        sheet_->ShowPage(tab);
    }
    static void Type(CWnd* page, int id, const std::string& text) {
        HWND edit = ::GetDlgItem(page->GetSafeHwnd(), id);
        ::SetWindowText(edit, "");
        for (size_t n = 1; n <= text.size(); ++n)
            ::SetWindowText(edit, text.substr(0, n).c_str());
    }
    static bool Enabled(CWnd* page, int id) {
        return ::IsWindowEnabled(::GetDlgItem(page->GetSafeHwnd(), id)) != FALSE;
    }
    static void Click(CWnd* page, int id) {
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                          reinterpret_cast<LPARAM>(::GetDlgItem(page->GetSafeHwnd(), id)));
    }
    CIdleHost host_;
    CXGraph* chart_ = nullptr;
    std::vector<TDataPoint> points_;
    std::unique_ptr<CIdleSheet> sheet_;
};

TEST_F(ChartPages, TheChoicesAndTheColourBoxesSpeakTheLanguageOfTheMoment) {
    auto item = [](CWnd* page, int id, int index) {
        char text[64] = {};
        ::SendDlgItemMessage(page->GetSafeHwnd(), id, CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    const struct {
        int language;
        const char* right;
        const char* line;
        const char* automatic;
    } languages[] = {{LANGUAGE_GERMAN, "Rechts", "Linie", "Automatisch"},
                     {LANGUAGE_FRENCH, "Droite", "Ligne", "Automatique"},
                     {LANGUAGE_ENGLISH, "Right", "Line", "Automatic"}};
    const int before = GetLanguageOffset();
    for (const auto& l : languages) {
        SetLanguageOffset(l.language);
        sheet_->ShowWindow(SW_HIDE);
        sheet_->ShowWindow(SW_SHOW);
        Pump();
        EXPECT_EQ(item(sheet_->GetPage(0), IDC_XG_LEGENDPOS, 1), l.right);
        EXPECT_EQ(item(sheet_->GetPage(1), IDC_XG_PLACEMENT, 1), l.right);
        EXPECT_EQ(item(sheet_->GetCurveDlg(), IDC_XG_DRAWMODE, 0), l.line);
        EXPECT_EQ(kq::chart::ChartTextOf(kq::chart::ChartText::Automatic), l.automatic);
    }
    SetLanguageOffset(before);
}

TEST_F(ChartPages, TypingSignsAndExponentsBringsNoMessageAndApplyWritesTheRange) {
    Show(1);
    CAxisDlg& axis = *sheet_->GetAxisDlg();
    axis.CheckDlgButton(IDC_XG_AUTOSCALE, BST_UNCHECKED);
    Click(&axis, IDC_XG_AUTOSCALE);
    EXPECT_TRUE(Enabled(&axis, IDC_XG_AXMIN));
    EXPECT_FALSE(Enabled(&axis, IDC_XG_TIMESTEP));
    Type(&axis, IDC_XG_AXMIN, "-5");
    Type(&axis, IDC_XG_AXMAX, "1e-7");
    Type(&axis, IDC_XG_STEP, "-1");
    Type(&axis, IDC_XG_DECIMALS, "2");
    EXPECT_TRUE(boxes_.empty());
    ASSERT_TRUE(axis.Apply());
    CXGraphAxis& y = chart_->GetYAxis(0);
    EXPECT_EQ(y.m_fCurMin, -5.0);
    EXPECT_EQ(y.m_fCurMax, 1e-7);
    EXPECT_GT(y.m_fStep, 0.0);  // the axis chose its own step
    EXPECT_FALSE(y.GetAutoScale());

    // The enabling matrix: time axis swaps the number fields for the time fields.
    axis.CheckDlgButton(IDC_XG_TIMEAXIS, BST_CHECKED);
    Click(&axis, IDC_XG_TIMEAXIS);
    EXPECT_FALSE(Enabled(&axis, IDC_XG_AXMIN));
    EXPECT_TRUE(Enabled(&axis, IDC_XG_TIMESTEP));
    EXPECT_FALSE(Enabled(&axis, IDC_XG_DECIMALS));
    EXPECT_TRUE(Enabled(&axis, IDC_XG_TIMEFORMAT));
    axis.CheckDlgButton(IDC_XG_AUTOSCALE, BST_CHECKED);
    Click(&axis, IDC_XG_AUTOSCALE);
    EXPECT_FALSE(Enabled(&axis, IDC_XG_TIMESTEP));
    EXPECT_TRUE(Enabled(&axis, IDC_XG_TIMEFORMAT));
}

TEST_F(ChartPages, ATimeAxisLoadsItsStepAndTakesPickersAndFormats) {
    CXGraphAxis& x = chart_->GetXAxis(0);
    x.SetTimeAxis(true);
    x.SetAutoScale(false);
    x.SetCurrentRange(45000.0, 45001.0, 3599.9999998 / 86400.0);
    x.m_fStep = 3599.9999998 / 86400.0;
    x.SetDisplayFmt("%H:%M\n%d.%m.");
    sheet_->SelectXAxis(0);
    Show(1);
    CAxisDlg& axis = *sheet_->GetAxisDlg();
    EXPECT_EQ(axis.m_nTimeStep, 1);
    EXPECT_EQ(axis.m_nTimeUnit, 2);
    EXPECT_EQ(axis.m_cTimeFormat, "%H:%M\\n%d.%m.");

    Type(&axis, IDC_XG_TIMESTEP, "256");
    axis.m_nTimeUnit = 3;
    ::SendDlgItemMessage(axis.m_hWnd, IDC_XG_TIMEUNIT, CB_SETCURSEL, 3, 0);
    Type(&axis, IDC_XG_TIMEFORMAT, "%s%n%d");
    ASSERT_TRUE(axis.Apply());
    EXPECT_DOUBLE_EQ(x.m_fStep, 256.0);
    EXPECT_EQ(x.GetDisplayFmt(), "%s%n%d");
    // The hostile format is stored as typed and painted without harm.
    chart_->Invalidate();
    Pump();
}

TEST_F(ChartPages, GridStyleItemsDrawTheirDashesOnTheHighlightWhenSelected) {
    ChartCanvas canvas(40, 16);
    DRAWITEMSTRUCT item{};
    item.CtlID = IDC_XG_GRIDSTYLE;
    item.itemID = PS_DASH;
    item.itemState = ODS_SELECTED;
    item.hDC = canvas.dc.GetSafeHdc();
    item.rcItem = {0, 0, 40, 16};
    kq::chart::DrawPenStyleItem(item);
    EXPECT_EQ(canvas.At(1, 6), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(1, 5), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(canvas.Count(::GetSysColor(COLOR_HIGHLIGHT), CRect(0, 6, 40, 7)), 0);  // a gap
}

TEST_F(ChartPages, MarkerItemsMatchTheChartsPaintersAndGreyWhenDisabled) {
    Show(2);
    CCurveDlg& curve = *sheet_->GetCurveDlg();
    for (UINT symbol = 0; symbol < 8; ++symbol) {
        for (bool disabled : {false, true}) {
            ChartCanvas item(16, 16);
            ChartCanvas expected(16, 16);
            DRAWITEMSTRUCT draw{};
            draw.CtlType = ODT_COMBOBOX;
            draw.CtlID = IDC_XG_MARKERSYMBOL;
            draw.itemID = symbol;
            draw.itemState = disabled ? ODS_DISABLED : 0;
            draw.hDC = item.dc.GetSafeHdc();
            draw.rcItem = {0, 0, 16, 16};
            curve.SendMessage(WM_DRAWITEM, IDC_XG_MARKERSYMBOL, reinterpret_cast<LPARAM>(&draw));
            expected.dc.FillSolidRect(CRect(0, 0, 16, 16), ::GetSysColor(COLOR_WINDOW));
            chart_->GetMarkerPainter(static_cast<int>(symbol))(
                2, 2, 10, disabled ? ::GetSysColor(11) : RGB(0, 0, 0), 0, &expected.dc);
            EXPECT_EQ(item.Pixels(), expected.Pixels()) << symbol << " " << disabled;
        }
    }
}

TEST_F(ChartPages, FillAndMarkerControlsFollowTheirBoxes) {
    Show(2);
    CCurveDlg& curve = *sheet_->GetCurveDlg();
    curve.CheckDlgButton(IDC_XG_FILL, BST_UNCHECKED);
    Click(&curve, IDC_XG_FILL);
    EXPECT_FALSE(Enabled(&curve, IDC_XG_FILLSTYLE3));
    EXPECT_FALSE(Enabled(&curve, IDC_XG_FILLCURVE));
    curve.CheckDlgButton(IDC_XG_FILL, BST_CHECKED);
    curve.CheckDlgButton(IDC_XG_SHOWMARKER, BST_CHECKED);
    curve.CheckDlgButton(IDC_XG_MARKERTYPE, BST_UNCHECKED);
    curve.CheckDlgButton(IDC_XG_RDSYM, BST_CHECKED);
    Click(&curve, IDC_XG_RDSYM);
    EXPECT_TRUE(Enabled(&curve, IDC_XG_FILLSTYLE3));
    EXPECT_TRUE(Enabled(&curve, IDC_XG_MARKERSYMBOL));
    ASSERT_TRUE(curve.Apply());
    EXPECT_TRUE(chart_->GetCurve(0).m_bFillBeneath);
    EXPECT_EQ(chart_->GetCurve(0).GetMarkerType(), 1);
    EXPECT_EQ(chart_->GetCurve(0).m_nFillCurve, -1);  // one curve: nothing to fill to
}

TEST_F(ChartPages, AMovingAverageOfSevenPointsWidensTheAxesAndKeepsTheEditedCurve) {
    CCurveDlg& curve = *sheet_->GetCurveDlg();
    int maximum = 0;
    sheet_->step = [&](CWnd* who) {
        auto* dialog = dynamic_cast<CMovingAvgDlg*>(who);
        if (dialog == nullptr)
            return;
        int lower = 0;
        dialog->m_Spin.GetRange32(lower, maximum);
        ::SendDlgItemMessage(dialog->m_hWnd, IDC_XG_DRAWMODE, CB_SETCURSEL, 1, 0);
        ::SetDlgItemText(dialog->m_hWnd, IDC_XG_WINDOWSIZE, "3");
        ::PostMessage(dialog->m_hWnd, WM_COMMAND, IDOK, 0);
    };
    curve.AddMovingAverage();
    EXPECT_EQ(maximum, 3);
    ASSERT_EQ(chart_->GetCurveCount(), 2);
    EXPECT_EQ(chart_->GetCurve(1).GetLabel(), "Torque AVG, linear");
    EXPECT_EQ(chart_->GetCurve(1).GetCount(), 7);
    const CXGraphAxis& y = chart_->GetYAxis(0);
    EXPECT_LE(y.m_fMin, -5.0);
    EXPECT_GE(y.m_fMax, 6.0);
    EXPECT_EQ(sheet_->GetCurrentCurveIndex(), 0);

    // One point: no dialog, nothing added.
    TDataPoint one{1, 1};
    chart_->SetData(&one, 1, 0, 0, 0, false, true);
    curve.AddMovingAverage();
    EXPECT_EQ(chart_->GetCurveCount(), 2);
}

TEST_F(ChartPages, APolynomialTrendGetsItsFormulaLabel) {
    CCurveDlg& curve = *sheet_->GetCurveDlg();
    const INT_PTR objects = chart_->m_Objects.GetCount();
    sheet_->step = [](CWnd* who) {
        auto* dialog = dynamic_cast<CTrendDlg*>(who);
        if (dialog == nullptr)
            return;
        ::SetDlgItemText(dialog->m_hWnd, IDC_XG_DEGREE, "3");
        ::SetDlgItemText(dialog->m_hWnd, IDC_XG_EXTENSION, "2");
        ::PostMessage(dialog->m_hWnd, WM_COMMAND, IDOK, 0);
    };
    curve.AddPolynomialTrend();
    ASSERT_EQ(chart_->GetCurveCount(), 2);
    EXPECT_EQ(chart_->GetCurve(1).GetLabel(), "Torque Trend (poly.) ");
    EXPECT_EQ(chart_->GetCurve(1).GetCount(), 9);
    ASSERT_EQ(chart_->m_Objects.GetCount(), objects + 1);
    auto* label = dynamic_cast<CXGraphLabel*>(chart_->m_Objects.GetTail());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->m_cText.Left(5), "f(x)=");
}

TEST_F(ChartPages, AnExtensionAboveTheLimitIsRefused) {
    CCurveDlg& curve = *sheet_->GetCurveDlg();
    int tries = 0;
    sheet_->step = [&](CWnd* who) {
        auto* dialog = dynamic_cast<CTrendDlg*>(who);
        if (dialog == nullptr)
            return;
        if (tries++ == 0) {
            ::SetDlgItemText(dialog->m_hWnd, IDC_XG_EXTENSION, "100000001");
            ::PostMessage(dialog->m_hWnd, WM_COMMAND, IDOK, 0);
        } else {
            ::PostMessage(dialog->m_hWnd, WM_COMMAND, IDCANCEL, 0);
        }
    };
    curve.AddLinearTrend();
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(chart_->GetCurveCount(), 1);
}

TEST_F(ChartPages, TheLabelDialogListsCurvesAndAppliesItsFields) {
    CXGraphLabel* label = chart_->InsertLabel(CRect(20, 20, 120, 60), "note");
    label->m_crTextColor = RGB(0, 0, 200);
    bool checked = false;
    host_.step = [&](CWnd* who) {
        auto* dialog = dynamic_cast<CLabelDlg*>(who);
        if (dialog == nullptr || checked)
            return;
        checked = true;
        CString first;
        dialog->m_CurveCombo.GetLBText(0, first);
        EXPECT_EQ(first, "01 Torque");
        dialog->CheckDlgButton(IDC_XG_BORDER, BST_UNCHECKED);
        dialog->CheckDlgButton(IDC_XG_TRANSPARENT, BST_CHECKED);
        ::SendDlgItemMessage(dialog->m_hWnd, IDC_XG_ALIGNMENT, CB_SETCURSEL, 2, 0);
        dialog->m_CurveCombo.SetCurSel(0);
        dialog->m_Color.SetColor(RGB(9, 9, 90));
        ::PostMessage(dialog->m_hWnd, WM_COMMAND, IDOK, 0);
    };
    CXGraphLabel::s_pfnShowDialog(label);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(label->m_bBorder);
    EXPECT_TRUE(label->m_bTransparent);
    EXPECT_EQ(label->GetAlignment(), 2);
    EXPECT_EQ(label->m_nCurve, 0);
    EXPECT_EQ(label->m_crBkColor, RGB(9, 9, 90));
}

}  // namespace
