// The caption bar of a docked view bar: the active or inactive caption colour, a gradient when
// the system draws gradient captions, the bar's title in a small sans-serif face (turned along a
// bar docked at the top or bottom), and the close button at its end. The caption is active
// while the keyboard focus is inside the bar.
#include "app/bars/SizingControlBarCF.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/paint/WindowDcs.h"

IMPLEMENT_DYNAMIC(CSizingControlBarCF, CSizingControlBarG)

BEGIN_MESSAGE_MAP(CSizingControlBarCF, CSizingControlBarG)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_NCLBUTTONUP()
ON_WM_WINDOWPOSCHANGED()
ON_MESSAGE(WM_SETTEXT, &CSizingControlBarCF::OnSetText)
END_MESSAGE_MAP()

namespace {

constexpr int kGradientBands = 64;

int FamilyFound(const LOGFONT*, const TEXTMETRIC*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool SystemHasFamily(LPCSTR family) {
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamilies(screen, family, &FamilyFound, reinterpret_cast<LPARAM>(&found));
    ::ReleaseDC(nullptr, screen);
    return found;
}

COLORREF Mix(COLORREF start, COLORREF end, int band) {
    auto part = [&](int shift) {
        const int a = static_cast<int>((start >> shift) & 0xFF);
        const int b = static_cast<int>((end >> shift) & 0xFF);
        return static_cast<COLORREF>((a * (kGradientBands - band) + b * band) / kGradientBands)
               << shift;
    };
    return part(0) | part(8) | part(16);
}

}  // namespace

CSizingControlBarCF::CSizingControlBarCF()
    : m_strCaptionFace(ChooseCaptionFace(SystemHasFamily("Tahoma"))) {}

CString CSizingControlBarCF::ChooseCaptionFace(bool tahomaPresent) {
    return tahomaPresent ? CString("Tahoma") : CString("Arial");
}

void CSizingControlBarCF::PaintGripper(CDC* pDC, CRect rcClient) {
    if (!HasGripper())
        return;
    const CRect button = CloseButtonRect();
    const bool alongLeft = IsHorzDocked() != FALSE;
    const CRect caption = alongLeft
                              ? CRect(button.left, rcClient.top, button.right, rcClient.bottom)
                              : CRect(rcClient.left, button.top, rcClient.right, button.bottom);

    const COLORREF start = ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    BOOL gradient = FALSE;
    ::SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    if (!gradient) {
        pDC->FillSolidRect(&caption, start);
    } else {
        // The caption runs from its start to the close button: left to right, or bottom to top.
        const COLORREF end =
            ::GetSysColor(m_bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
        const int length = alongLeft ? caption.Height() : caption.Width();
        for (int i = 0; i < kGradientBands; ++i) {
            const int from = length * i / kGradientBands;
            const int to = length * (i + 1) / kGradientBands;
            CRect band = caption;
            if (alongLeft) {
                band.bottom = caption.bottom - from;
                band.top = caption.bottom - to;
            } else {
                band.left = caption.left + from;
                band.right = caption.left + to;
            }
            pDC->FillSolidRect(&band, Mix(start, end, i));
        }
    }

    CString title;
    GetWindowText(title);
    CFont font;
    const int height = -::MulDiv(85, pDC->GetDeviceCaps(LOGPIXELSY), 720);
    font.CreateFont(height, 0, alongLeft ? 900 : 0, alongLeft ? 900 : 0, FW_NORMAL, FALSE, FALSE,
                    FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH, m_strCaptionFace);
    CFont* old = pDC->SelectObject(&font);
    pDC->SetTextColor(::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    pDC->SetBkMode(TRANSPARENT);
    CRect clip = caption;
    if (alongLeft)
        clip.top = button.bottom + 2;
    else
        clip.right = button.left - 2;
    const int thickness = -height;
    if (alongLeft)
        pDC->ExtTextOut(caption.left + (caption.Width() - thickness) / 2, caption.bottom - 2,
                        ETO_CLIPPED, &clip, title, nullptr);
    else
        pDC->ExtTextOut(caption.left + 2, caption.top + (caption.Height() - thickness) / 2,
                        ETO_CLIPPED, &clip, title, nullptr);
    pDC->SelectObject(old);
    PaintCloseButton(pDC);
}

void CSizingControlBarCF::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CSizingControlBarG::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (!HasGripper())
        return;
    CWnd* focus = CWnd::GetFocus();
    const BOOL active = focus != nullptr && IsChild(focus);
    if (active != m_bActive) {
        m_bActive = active;
        SendMessage(WM_NCPAINT);
    }
}

void CSizingControlBarCF::OnLButtonDown(UINT nFlags, CPoint point) {
    if (CWnd* child = GetWindow(GW_CHILD))
        child->SetFocus();
    m_bActive = TRUE;
    SendMessage(WM_NCPAINT);
    CSizingControlBarG::OnLButtonDown(nFlags, point);
}

LRESULT CSizingControlBarCF::OnSetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CSizingControlBarG::OnSetText(wParam, lParam);
    SendMessage(WM_NCPAINT);
    return result;
}
