// Labels of an axis: values formatted alone with the axis's format (dates on time axes), label
// and title sizes for the chart's layout, fonts, and the band and marker-line records.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"
#include "platform/base/OleDateTime.h"

namespace {

// The precision of a fixed-point format ("%5.2f" has 2); -1 for any other format.
int FixedPrecision(const CString& format) {
    const int dot = format.ReverseFind('.');
    if (dot < 0 || format.GetLength() < dot + 3 || format[format.GetLength() - 1] != 'f')
        return -1;
    const CString digits = format.Mid(dot + 1, format.GetLength() - dot - 2);
    if (digits.IsEmpty() || digits.GetLength() > 2 || digits.SpanIncluding("0123456789") != digits)
        return -1;
    return std::atoi(digits.GetString());
}

// The fewest decimals that write the step exactly, from `least` on, at most 8.
int DecimalsOfStep(double step, int least) {
    constexpr int kMostDecimals = 8;
    for (int decimals = least; decimals < kMostDecimals; ++decimals) {
        const double scaled = step * std::pow(10.0, decimals);
        if (std::fabs(scaled - std::round(scaled)) <= 1e-6 * scaled)
            return decimals;
    }
    return kMostDecimals;
}

}  // namespace

CString CXGraphAxis::FormatNumber(const CString& format, double value) const {
    CString text;
    text.Format(format, value);
    // A small negative value rounded to nothing reads "0", not "-0".
    const int minus = text.Find('-');
    if (minus >= 0 && minus + 1 < text.GetLength() && text[minus + 1] == '0' &&
        text.FindOneOf("123456789") < 0)
        text.SetAt(minus, ' ');
    if (m_cDecimalPoint != '.')
        text.Replace('.', m_cDecimalPoint);
    return text;
}

CString CXGraphAxis::FormatLabel(double value) const {
    if (m_bDateTime)
        return COleDateTime(value).Format(m_cDisplayFmt);
    return FormatNumber(m_cDisplayFmt, value);
}

CString CXGraphAxis::FormatTickLabel(double value, double step) const {
    const int precision = m_bDateTime ? -1 : FixedPrecision(m_cDisplayFmt);
    if (precision < 0 || !(step > 0.0) || !std::isfinite(step) ||
        step >= std::pow(10.0, -precision) * (1.0 - 1e-9))
        return FormatLabel(value);
    const int dot = m_cDisplayFmt.ReverseFind('.');
    CString format;
    format.Format("%s.%df", m_cDisplayFmt.Left(dot).GetString(),
                  DecimalsOfStep(step, precision + 1));
    return FormatNumber(format, value);
}

void CXGraphAxis::SetDecimals(int n) {
    static const char* const kFormats[] = {"%5.0f", "%5.1f", "%5.2f", "%5.3f"};
    m_cDisplayFmt = n >= 0 && n <= 3 ? kFormats[n] : "%5.2f";
}

CString CXGraphAxis::FormatSeconds(double seconds) const {
    CString text;
    if (m_bWholeNumbers) {
        text.Format("%d", static_cast<int>(seconds > 0 ? seconds + 0.1 : seconds));
    } else if (seconds > 3600) {
        const int hours = static_cast<int>(seconds / 3600);
        const int minutes = static_cast<int>((seconds - hours * 3600.0) / 60);
        const int secs = static_cast<int>(seconds - hours * 3600.0 - minutes * 60.0);
        text.Format("%d:%.2d:%.2d", hours, minutes, secs);
    } else {
        text.Format("%.3f", seconds);
    }
    return text;
}

double CXGraphAxis::RoundToDecimals(double v, int n) {
    double t = v * std::pow(10.0, n + 1);
    t = v >= 0 ? t + 5 : t - 5;
    t /= 10;
    return std::trunc(t) / std::pow(10.0, n);
}

int CXGraphAxis::GetMaxLabelWidth(CDCEx* dc, double length) {
    CFont* old = dc->SelectObject(&m_Font);
    const double lo = HasRange() ? m_fCurMin : 0.0;
    const double hi = HasRange() ? m_fCurMax : 0.0;
    double step = length > 0.0 && m_nLinear != 0 && HasRange() ? UsableStep(length) : 0.0;
    // An auto-scaling Y axis takes its step when it is drawn, one label height per tick at
    // most: the labels are measured at that step when it is finer.
    if (step > 0.0 && m_bAutoScale && m_AxisType == yAxis && !m_bDateTime) {
        const double label = std::max(1, GetMaxLabelHeight(dc));
        const int ticks = static_cast<int>(std::max(2.0, std::min(length / label, length / 2.0)));
        const double nice = GetNiceStep(ticks, lo, hi);
        if (nice > 0.0 && nice < step)
            step = nice;
    }
    const int w1 = GetMultilineTextExtent(dc, FormatTickLabel(lo, step)).cx;
    const int w2 = GetMultilineTextExtent(dc, FormatTickLabel(hi, step)).cx;
    dc->SelectObject(old);
    return static_cast<int>((w1 > w2 ? w1 : w2) * 1.4) + m_nTickSize;
}

int CXGraphAxis::GetMaxLabelHeight(CDCEx* dc) {
    CFont* old = dc->SelectObject(&m_Font);
    const double v = std::isfinite(m_fMin) && m_fMin < m_fMax ? m_fMin : 0.0;
    const int h = GetMultilineTextExtent(dc, FormatLabel(v)).cy;
    dc->SelectObject(old);
    return h + m_nTickSize;
}

CSize CXGraphAxis::GetTitleSize(CDCEx* dc) {
    CFont* old = dc->SelectObject(&m_TitleFont);
    const CSize size = GetMultilineTextExtent(dc, m_cLabel);
    dc->SelectObject(old);
    return size;
}

void CXGraphAxis::SetFont(const CString& face, int height, int weight) {
    const LOGFONT lf = MakeChartLogFont(face, height, weight);
    SetFont(&lf);
}

void CXGraphAxis::SetTitleFont(const CString& face, int height, int weight) {
    const LOGFONT lf = MakeChartLogFont(face, height, weight);
    SetTitleFont(&lf);
}

void CXGraphAxis::SetFont(const LOGFONT* lf) {
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(lf);
}

void CXGraphAxis::SetTitleFont(const LOGFONT* lf) {
    m_TitleFont.DeleteObject();
    m_TitleFont.CreateFontIndirect(lf);
}

void CXGraphAxis::SetColorRange(int i, double from, double to, COLORREF color1, COLORREF color2,
                                const CString& text, int style) {
    if (i < 0 || i > static_cast<int>(m_ColorRanges.size()))
        return;
    ColorRange range;
    range.dMin = from;
    range.dMax = to;
    range.crMinColor = color1;
    range.crMaxColor = color2;
    range.nStyle = style;
    std::strncpy(range.szLabel, text, sizeof range.szLabel - 1);
    if (i == static_cast<int>(m_ColorRanges.size()))
        m_ColorRanges.push_back(range);
    else
        m_ColorRanges[static_cast<size_t>(i)] = range;
    if (m_pGraph != nullptr && m_pGraph->GetSafeHwnd() != nullptr)
        m_pGraph->Invalidate(TRUE);
}

void CXGraphAxis::DeleteColorRange(int i) {
    if (i >= 0 && i < static_cast<int>(m_ColorRanges.size()))
        m_ColorRanges.erase(m_ColorRanges.begin() + i);
}

void CXGraphAxis::SetAxisMarker(int i, double value, COLORREF color, int penStyle) {
    if (i < 0 || i > static_cast<int>(m_AxisMarkers.size()))
        return;
    AxisMarker marker;
    marker.fValue = value;
    marker.crColor = color;
    marker.nStyle = penStyle;
    m_Font.GetLogFont(&marker.lfFont);
    if (m_AxisType == xAxis) {
        marker.lfFont.lfEscapement = 900;
        marker.lfFont.lfOrientation = 900;
        marker.lfFont.lfClipPrecision = CLIP_LH_ANGLES;
    }
    if (i == static_cast<int>(m_AxisMarkers.size()))
        m_AxisMarkers.push_back(marker);
    else
        m_AxisMarkers[static_cast<size_t>(i)] = marker;
    if (m_pGraph != nullptr && m_pGraph->GetSafeHwnd() != nullptr)
        m_pGraph->Invalidate(TRUE);
}

void CXGraphAxis::DeleteAxisMarker(int i) {
    if (i >= 0 && i < static_cast<int>(m_AxisMarkers.size()))
        m_AxisMarkers.erase(m_AxisMarkers.begin() + i);
}
