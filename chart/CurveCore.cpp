// Points, copies and the record of a curve. A curve either refers to its caller's array or owns
// a copy; copies of a curve duplicate owned points and share referred ones.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "chart/XGraph.h"

IMPLEMENT_SERIAL(CXGraphDataSerie, CXGraphObject, 1)

using kq::chart::Clamped;

CXGraphDataSerie::CXGraphDataSerie(const CXGraphDataSerie& other) : CXGraphObject() {
    *this = other;
}

CXGraphDataSerie& CXGraphDataSerie::operator=(const CXGraphDataSerie& other) {
    if (this == &other)
        return *this;
    m_bVisible = other.m_bVisible;
    m_pGraph = other.m_pGraph;
    m_crColor = other.m_crColor;
    SetPoints(other.m_pData, other.m_nCount, other.m_bAutoDelete);
    m_nFirstIndex = other.m_nFirstIndex;
    m_nLastIndex = other.m_nLastIndex;
    m_nXAxis = other.m_nXAxis;
    m_nYAxis = other.m_nYAxis;
    m_nIndex = other.m_nIndex;
    m_nLineSize = other.m_nLineSize;
    m_nFillStyle = other.m_nFillStyle;
    m_nMarkerType = other.m_nMarkerType;
    m_nMarker = other.m_nMarker;
    m_nMarkerSize = other.m_nMarkerSize;
    m_nLineStyle = other.m_nLineStyle;
    m_bShowMarker = other.m_bShowMarker;
    m_bFillBeneath = other.m_bFillBeneath;
    m_bFillTransparent = other.m_bFillTransparent;
    m_crFillColor = other.m_crFillColor;
    m_cLabel = other.m_cLabel;
    m_nDisplayType = other.m_nDisplayType;
    m_nFillCurve = other.m_nFillCurve;
    m_CurveRegions = other.m_CurveRegions;
    m_PS = other.m_PS;
    return *this;
}

CXGraphDataSerie::~CXGraphDataSerie() {
    FreePoints();
}

void CXGraphDataSerie::FreePoints() {
    if (m_bAutoDelete)
        delete[] m_pData;
    m_pData = nullptr;
    m_nCount = 0;
    m_bAutoDelete = false;
    m_bAscending = false;
}

void CXGraphDataSerie::SetPoints(TDataPoint* points, int count, bool copy) {
    if (points == m_pData && !copy && !m_bAutoDelete) {
        m_nCount = count;
        FindAscending();
        return;
    }
    TDataPoint* owned = nullptr;
    if (copy && points != nullptr && count > 0) {
        owned = new TDataPoint[static_cast<size_t>(count)];
        std::memcpy(owned, points, sizeof(TDataPoint) * static_cast<size_t>(count));
    }
    FreePoints();
    m_pData = copy ? owned : points;
    m_nCount = m_pData != nullptr ? std::max(count, 0) : 0;
    m_bAutoDelete = copy && owned != nullptr;
    FindAscending();
}

void CXGraphDataSerie::FindAscending() {
    m_bAscending = m_nCount > 0;
    double last = -HUGE_VAL;
    for (int i = 0; i < m_nCount && m_bAscending; ++i) {
        const double x = m_pData[i].fXVal;
        if (std::isnan(x))
            continue;
        if (x < last)
            m_bAscending = false;
        last = x;
    }
}

void CXGraphDataSerie::Serialize(CArchive& ar) {
    CXGraphObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<UINT>(m_nCount);
        if (m_nCount > 0)
            ar.Write(m_pData,
                     static_cast<UINT>(sizeof(TDataPoint) * static_cast<size_t>(m_nCount)));
        ar << m_nFirstIndex << m_nLastIndex << m_nXAxis << m_nYAxis << m_nIndex << m_nLineSize
           << m_nFillStyle << m_nMarkerType << m_nMarker << m_nMarkerSize << m_nLineStyle;
        ar << m_bShowMarker << m_bFillBeneath << m_bFillTransparent << m_nFillCurve;
        ar << static_cast<DWORD>(m_crFillColor) << m_cLabel << m_nDisplayType;
        return;
    }
    UINT count = 0;
    ar >> count;
    if (count > 0x7FFFFFF)
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar.EnsureAvailable(count, sizeof(TDataPoint));
    // Not value-initialised: every byte is read over at once.
    std::unique_ptr<TDataPoint[]> points(new TDataPoint[count]);
    if (count > 0 && ar.Read(points.get(), static_cast<UINT>(sizeof(TDataPoint) * count)) !=
                         sizeof(TDataPoint) * count)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    ar >> m_nFirstIndex >> m_nLastIndex >> m_nXAxis >> m_nYAxis >> m_nIndex >> m_nLineSize >>
        m_nFillStyle >> m_nMarkerType >> m_nMarker >> m_nMarkerSize >> m_nLineStyle;
    ar >> m_bShowMarker >> m_bFillBeneath >> m_bFillTransparent >> m_nFillCurve;
    DWORD fill = 0;
    ar >> fill >> m_cLabel >> m_nDisplayType;
    m_crFillColor = fill & 0x00FFFFFF;
    m_nLineSize = Clamped(m_nLineSize, 1, 50);
    m_nFillStyle = Clamped(m_nFillStyle, 0, 6);
    m_nMarker = Clamped(m_nMarker, 0, 7);
    m_nMarkerSize = Clamped(m_nMarkerSize, 1, 20);
    m_nLineStyle = Clamped(m_nLineStyle, 0, 5);
    m_nDisplayType = Clamped(m_nDisplayType, 0, 1);
    FreePoints();
    m_pData = points.release();
    m_nCount = static_cast<int>(count);
    m_bAutoDelete = true;
    if (m_nCount == 0) {
        delete[] m_pData;
        m_pData = nullptr;
        m_bAutoDelete = false;
    }
    FindAscending();
}
