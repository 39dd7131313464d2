// The curve page's derived curves: a moving average or a trend of the edited curve, appended to
// the chart on the same axes (which widen to take it in), named after the source; a polynomial
// trend also gets a label with its formula. The page keeps editing the source curve.
#include <new>

#include "chart/XGraph.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/CurveDlg.h"
#include "chart/dialogs/DerivedCurveDlgs.h"
#include "platform/gfx/WindowDC.h"

namespace kq::chart {

CString PolynomialFormula(const double* coefficients, int count) {
    CString formula = "f(x)=";
    CString term;
    for (int k = 0; k < count; ++k) {
        if (coefficients[k] == 0.0)
            continue;
        term.Format("%5.4e*X^%d", coefficients[k], k);
        formula += term;
        if (k != count - 1)
            formula += "+\n";
    }
    return formula;
}

}  // namespace kq::chart

namespace {

// Runs the computation; an allocation failure counts as no result.
template <typename Compute>
TDataPoint* Computed(Compute compute) {
    try {
        return compute();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

void CCurveDlg::AddMovingAverage() {
    CXGraphDataSerie* curve = Curve();
    if (curve == nullptr || curve->GetCount() < 2)
        return;
    CMovingAvgDlg dialog(this);
    dialog.m_nMaximum = curve->GetCount() / 2;
    if (dialog.DoModal() != IDOK)
        return;
    static const char* const kWords[] = {"simple", "linear", "exponential", "triangular",
                                         "sine weighted"};
    int kind = kq::chart::Clamped(dialog.m_nKind, 0, 4);
    int window = dialog.m_nWindowSize;
    curve = Curve();
    if (curve == nullptr)
        return;
    TDataPoint* points = Computed([&]() -> TDataPoint* {
        switch (kind) {
            case 0:
                return curve->SimpleMovingAverage(window);
            case 1:
                return curve->LinearMovingAverage(window);
            case 2:
                return curve->ExponentialMovingAverage(window);
            case 3:
                return curve->TriangularMovingAverage(window);
            default:
                return curve->SineMovingAverage(window);
        }
    });
    if (points == nullptr)
        return;
    CString name = curve->GetLabel() + " AVG, " + kWords[kind];
    m_pSheet->GetGraph()->AppendDerivedCurve(points, curve->GetCount(),
                                             m_pSheet->GetCurrentCurveIndex(), name);
    delete[] points;
    RedrawChart(m_pSheet->GetGraph());
}

void CCurveDlg::AddPolynomialTrend() {
    AddTrend(0);
}

void CCurveDlg::AddLinearTrend() {
    AddTrend(1);
}

void CCurveDlg::AddCubicTrend() {
    AddTrend(2);
}

void CCurveDlg::AddTrend(int kind) {
    CXGraphDataSerie* curve = Curve();
    if (curve == nullptr || curve->GetCount() < 2)
        return;
    CTrendDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    curve = Curve();
    if (curve == nullptr)
        return;
    int extension = dialog.m_nExtension;
    TDataPoint* points = Computed([&]() -> TDataPoint* {
        if (kind == 0)
            return curve->PolynomialTrend(dialog.m_nDegree, extension);
        return kind == 1 ? curve->LinearTrend(extension) : curve->CubicTrend(extension);
    });
    if (points == nullptr)
        return;
    static const char* const kSuffixes[] = {" Trend (poly.) ", " Trend (lin.)", " Trend (cub.)"};
    CString formula = kind == 0 ? kq::chart::PolynomialFormula(curve->m_PS.m_dCoefficients,
                                                               curve->m_PS.m_nCoefficients)
                                : CString();
    CString name = curve->GetLabel() + kSuffixes[kind];
    CXGraph* graph = m_pSheet->GetGraph();
    CXGraphDataSerie* added = graph->AppendDerivedCurve(points, curve->GetCount() + extension,
                                                        m_pSheet->GetCurrentCurveIndex(), name);
    delete[] points;
    if (added != nullptr && kind == 0) {
        CRect rect(200, 200, 210, 210);
        if (::IsWindow(graph->GetSafeHwnd())) {
            CClientDC dc(graph);
            dc.DrawText(formula, &rect, DT_CALCRECT);
        }
        graph->InsertLabel(rect, formula);
    }
    RedrawChart(graph);
}
