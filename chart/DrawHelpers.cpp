// The selectors compute the DC's print factors once, so that a pen or font chosen before any
// scaled drawing already has its printed size.
#include "chart/DrawHelpers.h"

#include <cstring>

CPenSelector::CPenSelector(COLORREF color, int width, CDCEx* dc, int style) : m_pDC(dc) {
    dc->EnsureScale();
    int effective = width;
    if (dc->m_bPrintScaling && style == PS_SOLID)
        effective = static_cast<int>(static_cast<double>(width) * dc->m_fHorzFactor);
    m_pPen = std::make_unique<CPen>(style, effective, color);
    m_pOldPen = dc->SelectObject(m_pPen.get());
}

CPenSelector::~CPenSelector() {
    m_pDC->SelectObject(m_pOldPen);
}

CBrushSelector::CBrushSelector(COLORREF color, CDCEx* dc) : m_pDC(dc) {
    m_pBrush = std::make_unique<CBrush>(color);
    m_pOldBrush = dc->SelectObject(m_pBrush.get());
}

CBrushSelector::CBrushSelector(COLORREF color, int hatchStyle, CDCEx* dc) : m_pDC(dc) {
    m_pBrush = std::make_unique<CBrush>(hatchStyle, color);
    m_pOldBrush = dc->SelectObject(m_pBrush.get());
}

CBrushSelector::~CBrushSelector() {
    m_pDC->SelectObject(m_pOldBrush);
}

CFontSelector::CFontSelector(CFont* font, CDCEx* dc, bool scale) : m_pDC(dc) {
    dc->EnsureScale();
    if (dc->m_bPrintScaling && scale) {
        LOGFONT lf{};
        font->GetLogFont(&lf);
        lf.lfHeight = static_cast<LONG>(static_cast<double>(lf.lfHeight - 1) * dc->m_fVertFactor);
        lf.lfWidth = static_cast<LONG>(static_cast<double>(lf.lfWidth) * dc->m_fHorzFactor);
        m_pScaled = std::make_unique<CFont>();
        m_pScaled->CreateFontIndirect(&lf);
        m_pOldFont = dc->SelectObject(m_pScaled.get());
    } else {
        m_pOldFont = dc->SelectObject(font);
    }
}

CFontSelector::~CFontSelector() {
    m_pDC->SelectObject(m_pOldFont);
}

LOGFONT MakeChartLogFont(const char* face, int height, int weight, BYTE clipPrecision) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, face, sizeof lf.lfFaceName - 1);
    return lf;
}

CQuickFont::CQuickFont(const CString& face, int height, int weight, bool underline) {
    CreateFont(height, 0, 0, 0, weight, FALSE, underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
}

CQuickFont::CQuickFont(const LOGFONT& lf) {
    CreateFontIndirect(&lf);
}

void SanitizeLogFont(LOGFONT& lf) {
    const auto clamp = [](LONG v, LONG lo, LONG hi) { return v < lo ? lo : (v > hi ? hi : v); };
    lf.lfFaceName[sizeof lf.lfFaceName - 1] = '\0';
    lf.lfHeight = clamp(lf.lfHeight, -500, 500);
    lf.lfWidth = clamp(lf.lfWidth, 0, 500);
    lf.lfWeight = clamp(lf.lfWeight, 0, 1000);
}

LOGFONT ToStoredLogFont(const LOGFONT& lf) {
    LOGFONT stored = lf;
    kq::ToArchiveField(lf.lfFaceName, stored.lfFaceName, sizeof stored.lfFaceName);
    return stored;
}

LOGFONT FromStoredLogFont(const LOGFONT& stored) {
    LOGFONT lf = stored;
    kq::FromArchiveField(stored.lfFaceName, sizeof stored.lfFaceName, lf.lfFaceName,
                         sizeof lf.lfFaceName);
    SanitizeLogFont(lf);
    return lf;
}

void StoreLogFont(CArchive& ar, const LOGFONT& lf) {
    const LOGFONT stored = ToStoredLogFont(lf);
    ar.Write(&stored, sizeof stored);
}

int ReadArchiveCount(CArchive& ar, ULONGLONG bytesEach) {
    int count = 0;
    ar >> count;
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar.EnsureAvailable(static_cast<ULONGLONG>(count), bytesEach);
    return count;
}

LOGFONT LoadLogFont(CArchive& ar) {
    LOGFONT stored{};
    if (ar.Read(&stored, sizeof stored) != sizeof stored)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return FromStoredLogFont(stored);
}
