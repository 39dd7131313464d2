// One axis of the chart: an initial range (what the data asked for) and a current range (what is
// shown), a tick step rounded to readable values, a number or date format, fonts, colour bands
// and marker lines, conversions between values and pixels, layout measuring and its record.
#pragma once

#include <cfloat>
#include <cmath>
#include <utility>
#include <vector>

#include "chart/XGraphObject.h"

class CXGraphDataSerie;

class CXGraphAxis : public CXGraphObject {
    DECLARE_SERIAL(CXGraphAxis)
  public:
    struct ColorRange {
        double dMin = 0.0;
        double dMax = 0.0;
        COLORREF crMinColor = 0;
        COLORREF crMaxColor = 0;
        int nStyle = 0;
        char szLabel[260] = {};
    };
    struct AxisMarker {
        double fValue = 0.0;
        COLORREF crColor = 0;
        BYTE bFlag = 1;
        BYTE bShowValue = 1;
        int nStyle = PS_SOLID;
        int nSize = 1;
        LOGFONT lfFont{};
        CString szLabel;
    };
    static constexpr size_t kColorRangeBytes = 288;
    static constexpr size_t kAxisMarkerBytes = 88;
    enum EAxisType { xAxis = 0, yAxis = 1 };

    CXGraphAxis();
    CXGraphAxis(const CXGraphAxis& other);
    CXGraphAxis& operator=(const CXGraphAxis& other);
    ~CXGraphAxis() override;

    void Serialize(CArchive& ar) override;
    void Draw(CDCEx* dc) override;

    // Range.
    bool SetRange(double min, double max);
    bool SetCurrentRange(double min, double max, double step = 0.0);
    void Reset();
    void GetRange(double& min, double& max, double& step) const;
    void Scale(double factor);
    // Rounds the range outwards to steps that suit the axis's length.
    void AutoScale(CDCEx* dc);
    // Puts back the range the last AutoScale rounded, unless a range was set since: every paint
    // then lays out and rounds from the same range, so it paints the same picture.
    void RestoreUnscaledRange();
    void SetBestStep();
    // True once a range was taken (the ±DBL_MAX sentinels are gone).
    bool HasRange() const;
    // Finite bounds, min < max, and a span wide enough to map onto pixels and ticks.
    static bool IsScalable(double min, double max);

    // Step arithmetic; a step of 0 means none could be formed.
    static double GetNiceStep(int n, double min, double max);
    static double Remainder(double x, double step);
    static void AdjustToStep(double& min, double& max, double step);
    static double GetTimeStep(int n, double min, double max);
    static void AdjustTimeToStep(double& min, double& max, double step);

    // Format.
    void SetDecimals(int n);
    CString FormatSeconds(double seconds) const;
    static double RoundToDecimals(double v, int n);
    // One value as a label: a date on time axes, a number otherwise.
    CString FormatLabel(double value) const;
    // A tick's label: as FormatLabel, with the decimals the step needs when the format's own
    // would show neighbouring ticks alike.
    CString FormatTickLabel(double value, double step) const;
    // The character number labels show for the decimal point ('.' or ',').
    void SetDecimalPoint(char point) { m_cDecimalPoint = point; }
    char GetDecimalPoint() const { return m_cDecimalPoint; }

    // Fonts.
    void SetFont(const CString& face, int height, int weight);
    void SetTitleFont(const CString& face, int height, int weight);
    void SetFont(const LOGFONT* lf);
    void SetTitleFont(const LOGFONT* lf);
    CFont* GetFont() { return &m_Font; }
    CFont* GetTitleFont() { return &m_TitleFont; }

    // Bands and marker lines.
    void SetColorRange(int i, double from, double to, COLORREF color1, COLORREF color2,
                       const CString& text, int style);
    void DeleteColorRange(int i);
    void DeleteAllColorRanges() { m_ColorRanges.clear(); }
    void SetAxisMarker(int i, double value, COLORREF color, int penStyle = PS_SOLID);
    void DeleteAxisMarker(int i);
    AxisMarker& GetAxisMarker(int i) { return m_AxisMarkers.at(static_cast<size_t>(i)); }
    int GetAxisMarkerCount() const { return static_cast<int>(m_AxisMarkers.size()); }

    // Maps values of this axis to pixel columns (X) or rows (Y) with the current layout.
    struct PixelMapper {
        double origin = 0.0;
        double scale = 0.0;
        double base = 0.0;
        bool log = false;
        // Whether a curve can place a value: finite, and positive on a logarithmic axis.
        bool Accepts(double v) const { return std::isfinite(v) && (!log || v > 0.0); }
        int Map(double v) const {
            return ToPixel(log ? (v > 0.0 ? origin + (std::log10(v) - base) * scale : origin)
                               : origin + (v - base) * scale);
        }
        // Clamped to +-2^30 in double before the truncation; NaN gives 0.
        static int ToPixel(double p) {
            constexpr double kLimit = 1073741824.0;
            if (!(p > -kLimit))
                p = std::isnan(p) ? 0.0 : -kLimit;
            else if (p > kLimit)
                p = kLimit;
            return static_cast<int>(p);
        }
    };
    PixelMapper GetMapper();

    // Conversions (plot rectangle of the owner chart).
    CPoint GetPointForValue(const double* xy);
    double GetValueForPos(int pos);
    void GetIndexByXVal(int& index, double x, int curve);
    // The point search of the cursor, measurements and point editing: usually the first point
    // beyond x, the count past the last point; -1 for an empty curve.
    static int IndexByXValue(const CXGraphDataSerie& serie, double x);
    // The last point with x <= value (0 when all lie beyond), -1 for an empty curve.
    static int LastIndexAtOrBefore(const CXGraphDataSerie& serie, double x);

    // Layout. The widest label of the range; with the axis's length, as its ticks write their
    // labels at that length (a step finer than the format's decimals adds digits).
    int GetMaxLabelWidth(CDCEx* dc, double length = 0.0);
    int GetMaxLabelHeight(CDCEx* dc);
    CSize GetTitleSize(CDCEx* dc);

    // Layers of the draw.
    void DrawLog(CDCEx* dc);
    void DrawColorRanges(CDCEx* dc);
    void DrawAxisMarkers(CDCEx* dc);
    int DrawCurveMarkers(CDCEx* dc, bool draw);
    void DrawMarker(CDCEx* dc, int x, int y, int symbol, int size, COLORREF color, bool useSymbol);
    static void DrawArrow(CDCEx* dc, int x, int y, int direction, int size);

    // One-field accessors.
    void SetPlacement(int placement) { m_nPlacement = placement; }
    int GetPlacement() const { return m_nPlacement; }
    void SetShowMarker(bool show) { m_bShowMarkers = show; }
    bool GetShowMarker() const { return m_bShowMarkers; }
    void SetShowGrid(bool show) { m_bShowGrid = show; }
    bool GetShowGrid() const { return m_bShowGrid; }
    void SetAutoScale(bool on) { m_bAutoScale = on; }
    bool GetAutoScale() const { return m_bAutoScale; }
    void SetTimeAxis(bool on) { m_bDateTime = on; }
    bool GetTimeAxis() const { return m_bDateTime; }
    void SetLabel(const CString& title) { m_cLabel = title; }
    CString GetLabel() const { return m_cLabel; }
    void SetDisplayFmt(const CString& fmt) { m_cDisplayFmt = fmt; }
    CString GetDisplayFmt() const { return m_cDisplayFmt; }
    // The logarithmic scale (base 10) on or off.
    void SetLogarithmic(bool log) { m_nLinear = log ? 0 : 1; }
    bool GetLogarithmic() const { return m_nLinear == 0; }

    std::vector<ColorRange> m_ColorRanges;
    std::vector<std::pair<double, double>> m_ZoomHistory;
    std::vector<AxisMarker> m_AxisMarkers;
    double m_fMin = DBL_MAX;
    double m_fMax = -DBL_MAX;
    double m_fCurMin = DBL_MAX;
    double m_fCurMax = -DBL_MAX;
    double m_fStep = 0.1;
    double m_fHeadSpace = 0.0;
    double m_fMarkerSpace = 0.0;
    double m_fRange = 1.0;
    int m_nTop = 0;
    int m_nLeft = 0;
    int m_nLength = 1;
    CRect m_clAreaRect;
    CFont m_Font;
    CFont m_TitleFont;
    int m_AxisType = xAxis;
    int m_nLinear = 1;
    int m_nPlacement = 2;
    bool m_bShowMarkers = true;
    bool m_bDateTime = false;
    bool m_bShowGrid = true;
    bool m_bAutoScale = true;
    CString m_cLabel = " ";
    CString m_cDisplayFmt = "%5.3f";
    char m_cDecimalPoint = '.';
    int m_nArcSize = 5;
    int m_nMarkerSize = 10;
    int m_nTickSize = 5;
    COLORREF m_crGridColor = RGB(150, 150, 150);
    int m_nGridStyle = PS_DOT;
    // Whole-number mode of FormatSeconds; nothing switches it on.
    bool m_bWholeNumbers = false;

  private:
    // A number in the format, without "-0" and with the decimal point of the labels.
    CString FormatNumber(const CString& format, double value) const;
    void DrawLinear(CDCEx* dc);
    void DrawYTicks(CDCEx* dc, double pixelsPerStep);
    void DrawXTicks(CDCEx* dc, double pixelsPerStep);
    // One tick with its label and grid line; the caller selects the label font and grid pen.
    void DrawTick(CDCEx* dc, double value, int pos, bool labelled);
    // The distance of linear ticks; 0 on a logarithmic axis.
    double TickStep() const;
    // Bands, marker lines and curve markers, then the label background.
    void DrawLayers(CDCEx* dc);
    void DrawTitle(CDCEx* dc, int top, int right);
    // The logarithmic form of a range: widened when empty, clamped to the smallest bounds.
    static void LogBounds(double& min, double& max);
    void DrawAxisLine(CDCEx* dc, int top, int right);
    void SetHitRect(int top, int right);
    void ComputeLayout(CDCEx* dc);
    void ApplyFormatRule(double min, double max);
    double UsableStep(double length) const;
    void RoundRange(CDCEx* dc, double min, double max);
    // Whether the current range is AutoScale's rounding of a range kept here.
    bool IsScaledRange() const {
        return m_bScaled && m_fCurMin == m_fScaledMin && m_fCurMax == m_fScaledMax;
    }

    bool m_bScaled = false;
    double m_fScaleFromMin = 0.0;
    double m_fScaleFromMax = 0.0;
    double m_fScaleFromStep = 0.0;
    double m_fScaledMin = 0.0;
    double m_fScaledMax = 0.0;
    const CRect& PlotRect() const;
    int m_nLayoutTop = 0;
    int m_nLayoutRight = 0;
};
