// Construction and copying of an axis: the chart keeps its axes by value, so a copy carries
// every setting and rebuilds its own fonts.
#include "chart/XGraph.h"

IMPLEMENT_SERIAL(CXGraphAxis, CXGraphObject, 1)

CXGraphAxis::CXGraphAxis() {
    SetFont("Arial", 13, FW_NORMAL);
    SetTitleFont("Arial", 14, FW_BOLD);
}

CXGraphAxis::CXGraphAxis(const CXGraphAxis& other) : CXGraphObject() {
    *this = other;
}

CXGraphAxis::~CXGraphAxis() = default;

CXGraphAxis& CXGraphAxis::operator=(const CXGraphAxis& other) {
    if (this == &other)
        return *this;
    m_bVisible = other.m_bVisible;
    m_pGraph = other.m_pGraph;
    m_crColor = other.m_crColor;
    m_bSelected = other.m_bSelected;
    m_ColorRanges = other.m_ColorRanges;
    m_ZoomHistory = other.m_ZoomHistory;
    m_AxisMarkers = other.m_AxisMarkers;
    m_fMin = other.m_fMin;
    m_fMax = other.m_fMax;
    m_fCurMin = other.m_fCurMin;
    m_fCurMax = other.m_fCurMax;
    m_fStep = other.m_fStep;
    m_bScaled = other.m_bScaled;
    m_fScaleFromMin = other.m_fScaleFromMin;
    m_fScaleFromMax = other.m_fScaleFromMax;
    m_fScaleFromStep = other.m_fScaleFromStep;
    m_fScaledMin = other.m_fScaledMin;
    m_fScaledMax = other.m_fScaledMax;
    m_fHeadSpace = other.m_fHeadSpace;
    m_fMarkerSpace = other.m_fMarkerSpace;
    m_fRange = other.m_fRange;
    m_nTop = other.m_nTop;
    m_nLeft = other.m_nLeft;
    m_nLength = other.m_nLength;
    m_AxisType = other.m_AxisType;
    m_nLinear = other.m_nLinear;
    m_nPlacement = other.m_nPlacement;
    m_bShowMarkers = other.m_bShowMarkers;
    m_bDateTime = other.m_bDateTime;
    m_bShowGrid = other.m_bShowGrid;
    m_bAutoScale = other.m_bAutoScale;
    m_cLabel = other.m_cLabel;
    m_cDisplayFmt = other.m_cDisplayFmt;
    m_nArcSize = other.m_nArcSize;
    m_nMarkerSize = other.m_nMarkerSize;
    m_nTickSize = other.m_nTickSize;
    m_crGridColor = other.m_crGridColor;
    m_nGridStyle = other.m_nGridStyle;
    m_bWholeNumbers = other.m_bWholeNumbers;
    LOGFONT lf{};
    const_cast<CFont&>(other.m_Font).GetLogFont(&lf);
    SetFont(&lf);
    const_cast<CFont&>(other.m_TitleFont).GetLogFont(&lf);
    SetTitleFont(&lf);
    return *this;
}
