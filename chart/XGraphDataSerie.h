// One curve of the chart: points (x, y) referred to or owned, the axes it is plotted against,
// its look (line, dots, markers, fill), the segments of its last drawing for hit tests, and the
// trend and moving-average curves derived from it.
#pragma once

#include <memory>
#include <vector>

#include "chart/PolynomialSolver.h"
#include "chart/XGraphObject.h"

struct TDataPoint {
    double fXVal;
    double fYVal;
};

class CXGraphDataSerie : public CXGraphObject {
    DECLARE_SERIAL(CXGraphDataSerie)
  public:
    CXGraphDataSerie() = default;
    CXGraphDataSerie(const CXGraphDataSerie& other);
    CXGraphDataSerie& operator=(const CXGraphDataSerie& other);
    ~CXGraphDataSerie() override;

    void Serialize(CArchive& ar) override;
    void Draw(CDCEx* dc) override;
    void DrawMarkers(CDCEx* dc);
    void AddSegment(int x1, int y1, int x2, int y2) { m_CurveRegions.emplace_back(x1, y1, x2, y2); }

    // Points: referred to (the caller keeps them alive) or copied into an owned array. Any
    // owned array held before is freed.
    void SetPoints(TDataPoint* points, int count, bool copy);
    // Trends and averages give arrays owned by the caller (delete[]), or null.
    TDataPoint* LinearTrend(int extra);
    TDataPoint* CubicTrend(int extra);
    TDataPoint* PolynomialTrend(int coefficients, int extra);
    TDataPoint* SimpleMovingAverage(int window);
    TDataPoint* ExponentialMovingAverage(int window);
    TDataPoint* LinearMovingAverage(int window);
    TDataPoint* TriangularMovingAverage(int window);
    TDataPoint* SineMovingAverage(int window);
    static bool HitTest(int x1, int y1, int x2, int y2, int px, int py, int width);

    double GetXValue(int i) const { return i >= 0 && i < m_nCount ? m_pData[i].fXVal : 0.0; }
    double GetYValue(int i) const { return i >= 0 && i < m_nCount ? m_pData[i].fYVal : 0.0; }
    int GetCount() const { return m_nCount; }
    int GetXAxisIndex() const { return m_nXAxis; }
    int GetYAxisIndex() const { return m_nYAxis; }
    CString GetLabel() const { return m_cLabel; }
    void SetLabel(const CString& label) { m_cLabel = label; }
    int GetLineWidth() const { return m_nLineSize; }
    void SetLineWidth(int width) { m_nLineSize = width; }
    int GetLineStyle() const { return m_nLineStyle; }
    void SetLineStyle(int style) { m_nLineStyle = style; }
    int GetMarker() const { return m_nMarker; }
    void SetMarker(int symbol) { m_nMarker = kq::chart::Clamped(symbol, 0, 7); }
    int GetMarkerSize() const { return m_nMarkerSize; }
    void SetMarkerSize(int size) { m_nMarkerSize = kq::chart::Clamped(size, 1, 20); }
    int GetMarkerType() const { return m_nMarkerType; }
    void SetMarkerType(int type) { m_nMarkerType = type; }
    bool GetShowMarker() const { return m_bShowMarker; }
    void SetShowMarker(bool show) { m_bShowMarker = show; }
    // x ascends (ties allowed) over all finite points; found when the points are set.
    bool IsAscending() const { return m_bAscending; }

    TDataPoint* m_pData = nullptr;
    int m_nCount = 0;
    int m_nFirstIndex = 0;
    int m_nLastIndex = 0;
    int m_nXAxis = 0;
    int m_nYAxis = 0;
    int m_nIndex = 0;
    int m_nLineSize = 1;
    int m_nFillStyle = 6;
    int m_nMarkerType = 0;
    int m_nMarker = 0;
    int m_nMarkerSize = 10;
    int m_nLineStyle = PS_SOLID;
    bool m_bAutoDelete = false;
    bool m_bShowMarker = false;
    bool m_bFillBeneath = false;
    bool m_bFillTransparent = true;
    COLORREF m_crFillColor = RGB(255, 255, 255);
    CString m_cLabel = " ";
    int m_nDisplayType = 0;
    short m_nFillCurve = 1;
    std::vector<CRect> m_CurveRegions;
    CPolynomialSolver m_PS;

  private:
    void FreePoints();
    void FindAscending();
    TDataPoint* TrendArray(int extra, bool constantStep) const;
    // Least squares over x with the given number of coefficients, continued with the first step.
    TDataPoint* FittedTrend(int coefficients, int extra) const;
    bool m_bAscending = false;
};
