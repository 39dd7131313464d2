// The axis record: the axis's own fields in a fixed order (no base record), its bands and
// marker lines as raw fixed-size records, its two fonts as LOGFONTs. Loading checks counts
// against the bytes left and keeps every choice within what drawing can use.
#include <cmath>
#include <cstring>

#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"

namespace {

using kq::chart::Clamped;

void PutBytes(BYTE* out, size_t offset, const void* value, size_t size) {
    std::memcpy(out + offset, value, size);
}

void GetBytes(const BYTE* in, size_t offset, void* value, size_t size) {
    std::memcpy(value, in + offset, size);
}

void ReadRaw(CArchive& ar, BYTE* buffer, size_t size) {
    if (ar.Read(buffer, static_cast<UINT>(size)) != size)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

}  // namespace

void CXGraphAxis::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_bAutoScale << m_bVisible << m_bShowGrid << m_cDisplayFmt << m_cLabel;
        ar << m_fMax << m_fMin << m_fCurMax << m_fCurMin << m_fStep;
        ar << m_nTop << m_nLeft << m_AxisType << m_nArcSize << m_nTickSize;
        ar << static_cast<DWORD>(m_crColor) << static_cast<DWORD>(m_crGridColor) << m_nGridStyle;
        ar << m_fHeadSpace << m_bDateTime << m_fMarkerSpace << m_fRange << m_nLength;
        ar << m_nMarkerSize << m_nPlacement << m_bShowMarkers;
        ar << static_cast<int>(m_ColorRanges.size());
        for (const ColorRange& range : m_ColorRanges) {
            BYTE raw[kColorRangeBytes] = {};
            PutBytes(raw, 0, &range.dMin, 8);
            PutBytes(raw, 8, &range.dMax, 8);
            PutBytes(raw, 16, &range.crMinColor, 4);
            PutBytes(raw, 20, &range.crMaxColor, 4);
            PutBytes(raw, 24, &range.nStyle, 4);
            kq::ToArchiveField(range.szLabel, reinterpret_cast<char*>(raw + 28),
                               sizeof range.szLabel);
            ar.Write(raw, sizeof raw);
        }
        ar << static_cast<int>(m_AxisMarkers.size());
        for (const AxisMarker& marker : m_AxisMarkers) {
            BYTE raw[kAxisMarkerBytes] = {};
            PutBytes(raw, 0, &marker.fValue, 8);
            PutBytes(raw, 8, &marker.crColor, 4);
            raw[12] = marker.bFlag;
            raw[13] = marker.bShowValue;
            PutBytes(raw, 16, &marker.nStyle, 4);
            PutBytes(raw, 20, &marker.nSize, 4);
            const LOGFONT font = ToStoredLogFont(marker.lfFont);
            PutBytes(raw, 24, &font, sizeof font);
            ar.Write(raw, sizeof raw);
        }
        LOGFONT lf{};
        m_Font.GetLogFont(&lf);
        StoreLogFont(ar, lf);
        m_TitleFont.GetLogFont(&lf);
        StoreLogFont(ar, lf);
        return;
    }

    ar >> m_bAutoScale >> m_bVisible >> m_bShowGrid >> m_cDisplayFmt >> m_cLabel;
    double fMax = 0, fMin = 0, curMax = 0, curMin = 0;
    ar >> fMax >> fMin >> curMax >> curMin >> m_fStep;
    ar >> m_nTop >> m_nLeft >> m_AxisType >> m_nArcSize >> m_nTickSize;
    DWORD color = 0, grid = 0;
    ar >> color >> grid >> m_nGridStyle;
    ar >> m_fHeadSpace >> m_bDateTime >> m_fMarkerSpace >> m_fRange >> m_nLength;
    ar >> m_nMarkerSize >> m_nPlacement >> m_bShowMarkers;
    m_crColor = color & 0x00FFFFFF;
    m_crGridColor = grid & 0x00FFFFFF;
    // Bounds that are no range, or too narrow to scale, become the never-ranged pair that
    // program-written files hold.
    const bool full = IsScalable(fMin, fMax);
    const bool current = IsScalable(curMin, curMax);
    m_fMin = full ? fMin : DBL_MAX;
    m_fMax = full ? fMax : -DBL_MAX;
    m_fCurMin = current ? curMin : DBL_MAX;
    m_fCurMax = current ? curMax : -DBL_MAX;
    if (!std::isfinite(m_fStep))
        m_fStep = 0.1;
    if (!std::isfinite(m_fHeadSpace))
        m_fHeadSpace = 0.0;
    if (!std::isfinite(m_fMarkerSpace))
        m_fMarkerSpace = 0.0;
    if (!std::isfinite(m_fRange))
        m_fRange = 1.0;
    m_AxisType = Clamped(m_AxisType, 0, 1);
    m_nArcSize = Clamped(m_nArcSize, 1, 10);
    m_nTickSize = Clamped(m_nTickSize, 0, 50);
    m_nGridStyle = Clamped(m_nGridStyle, 0, 5);
    m_nMarkerSize = Clamped(m_nMarkerSize, 1, 20);
    m_nPlacement = Clamped(m_nPlacement, 0, 2);
    m_nLength = Clamped(m_nLength, 1, 1 << 30);
    m_nTop = Clamped(m_nTop, -(1 << 30), 1 << 30);
    m_nLeft = Clamped(m_nLeft, -(1 << 30), 1 << 30);

    const int ranges = ReadArchiveCount(ar, kColorRangeBytes);
    for (int i = 0; i < ranges; ++i) {
        BYTE raw[kColorRangeBytes];
        ReadRaw(ar, raw, sizeof raw);
        ColorRange range;
        GetBytes(raw, 0, &range.dMin, 8);
        GetBytes(raw, 8, &range.dMax, 8);
        GetBytes(raw, 16, &range.crMinColor, 4);
        GetBytes(raw, 20, &range.crMaxColor, 4);
        GetBytes(raw, 24, &range.nStyle, 4);
        kq::FromArchiveField(reinterpret_cast<const char*>(raw + 28), sizeof range.szLabel,
                             range.szLabel, sizeof range.szLabel);
        range.nStyle = Clamped(range.nStyle, 0, 6);
        m_ColorRanges.push_back(range);
    }
    const int markers = ReadArchiveCount(ar, kAxisMarkerBytes);
    for (int i = 0; i < markers; ++i) {
        BYTE raw[kAxisMarkerBytes];
        ReadRaw(ar, raw, sizeof raw);
        AxisMarker marker;
        GetBytes(raw, 0, &marker.fValue, 8);
        GetBytes(raw, 8, &marker.crColor, 4);
        marker.bFlag = raw[12] != 0 ? 1 : 0;
        marker.bShowValue = raw[13] != 0 ? 1 : 0;
        GetBytes(raw, 16, &marker.nStyle, 4);
        GetBytes(raw, 20, &marker.nSize, 4);
        LOGFONT font{};
        GetBytes(raw, 24, &font, sizeof font);
        marker.lfFont = FromStoredLogFont(font);
        marker.nStyle = Clamped(marker.nStyle, 0, 5);
        marker.nSize = Clamped(static_cast<short>(marker.nSize & 0xFFFF), 1, 50);
        m_AxisMarkers.push_back(marker);
    }
    const LOGFONT label = LoadLogFont(ar);
    const LOGFONT title = LoadLogFont(ar);
    SetFont(&label);
    SetTitleFont(&title);
}
