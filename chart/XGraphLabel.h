// Text objects of the chart: a free label (moved and sized with the tracker, edited in place,
// optionally tied to a curve by a line) and a data-point notation (a small flag above one point
// of one curve).
#pragma once

#include "chart/XGraphObject.h"
#include "platform/framework/Controls.h"

class CXGraphLabel : public CXGraphObject {
    DECLARE_SERIAL(CXGraphLabel)
  public:
    static constexpr UINT kPropertiesCommand = 60006;

    CXGraphLabel();
    ~CXGraphLabel() override;
    CXGraphLabel(const CXGraphLabel&) = delete;
    CXGraphLabel& operator=(const CXGraphLabel&) = delete;

    void Serialize(CArchive& ar) override;
    void Draw(CDCEx* dc) override;
    void BeginEdit() override;
    void EndEdit() override;
    void ShowProperties() override;
    void SetTextMember(const CString& text) override { m_cText = text; }

    void SetLogFont(const LOGFONT& lf);
    void SetColor(COLORREF color) { m_crBkColor = color; }
    // 0 left, 1 centred, 2 right.
    void SetAlignment(int format) { m_nAlignment = kq::chart::Clamped(format, 0, 2); }
    int GetAlignment() const { return m_nAlignment; }
    CEdit* GetEdit() { return &m_Edit; }

    CString m_cText = " ";
    CEdit m_Edit;
    CFont m_Font;
    COLORREF m_crBkColor;
    COLORREF m_crTextColor = RGB(0, 0, 0);
    bool m_bBorder = true;
    bool m_bTransparent = false;
    int m_nAlignment = 0;
    int m_nCurve = -1;

    // Opens the label dialog on this label when "Properties" is picked (the chart's label
    // dialog unless replaced).
    static void (*s_pfnShowDialog)(CXGraphLabel* label);

  private:
    // The popup at the mouse cursor; the command picked, 0 for none.
    UINT TrackPropertiesMenu();
};

class CXGraphDataNotation : public CXGraphObject {
    DECLARE_SERIAL(CXGraphDataNotation)
  public:
    CXGraphDataNotation();
    ~CXGraphDataNotation() override = default;
    CXGraphDataNotation(const CXGraphDataNotation&) = delete;
    CXGraphDataNotation& operator=(const CXGraphDataNotation&) = delete;

    void Serialize(CArchive& ar) override;
    void Draw(CDCEx* dc) override;
    void SetTextMember(const CString& text) override { m_cText = text; }

    CFont m_Font;
    bool m_bPositioned = false;
    double m_fXVal = 0.0;
    double m_fYVal = 0.0;
    int m_nCurve = -1;
    int m_nIndex = -1;
    CString m_cText;
};

// DrawText flags and edit styles of a label alignment 0..2.
UINT LabelDrawTextFlags(int alignment);
DWORD LabelEditStyle(int alignment);
