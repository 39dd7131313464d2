// Scoped selection of pens, brushes and fonts into the chart's device context: each selector
// puts the previous object back when it goes out of scope. While a chart is printed, solid pen
// widths and (on request) font sizes grow by the print factors.
#pragma once

#include <memory>

#include "chart/DCEx.h"
#include "platform/base/Archive.h"

class CPenSelector {
  public:
    CPenSelector(COLORREF color, int width, CDCEx* dc, int style = PS_SOLID);
    ~CPenSelector();
    CPenSelector(const CPenSelector&) = delete;
    CPenSelector& operator=(const CPenSelector&) = delete;

  private:
    CDCEx* m_pDC;
    std::unique_ptr<CPen> m_pPen;
    CPen* m_pOldPen = nullptr;
};

class CBrushSelector {
  public:
    CBrushSelector(COLORREF color, CDCEx* dc);
    CBrushSelector(COLORREF color, int hatchStyle, CDCEx* dc);
    ~CBrushSelector();
    CBrushSelector(const CBrushSelector&) = delete;
    CBrushSelector& operator=(const CBrushSelector&) = delete;

  private:
    CDCEx* m_pDC;
    std::unique_ptr<CBrush> m_pBrush;
    CBrush* m_pOldBrush = nullptr;
};

class CFontSelector {
  public:
    CFontSelector(CFont* font, CDCEx* dc, bool scale = true);
    ~CFontSelector();
    CFontSelector(const CFontSelector&) = delete;
    CFontSelector& operator=(const CFontSelector&) = delete;

  private:
    CDCEx* m_pDC;
    std::unique_ptr<CFont> m_pScaled;
    CFont* m_pOldFont = nullptr;
};

class CQuickFont : public CFont {
  public:
    CQuickFont(const CString& face, int height, int weight, bool underline = false);
    explicit CQuickFont(const LOGFONT& lf);
    ~CQuickFont() override { DeleteObject(); }
};

// A LOGFONT with the chart's usual settings (clip precision as given).
LOGFONT MakeChartLogFont(const char* face, int height, int weight,
                         BYTE clipPrecision = CLIP_CHARACTER_PRECIS);

// A font read from a file, kept to a terminated face name and sizes a chart can draw with.
void SanitizeLogFont(LOGFONT& lf);
// A LOGFONT as a file holds it (its face name in code page 1252) and back, kept drawable.
LOGFONT ToStoredLogFont(const LOGFONT& lf);
LOGFONT FromStoredLogFont(const LOGFONT& stored);
// Reads and writes a LOGFONT as its 60 raw bytes, the face name in code page 1252.
void StoreLogFont(CArchive& ar, const LOGFONT& lf);
LOGFONT LoadLogFont(CArchive& ar);
// A count of records read from a file: not negative and with at least bytesEach bytes left for
// each, checked before anything is made for them.
int ReadArchiveCount(CArchive& ar, ULONGLONG bytesEach);
