// The image window: its bitmap, its layout by fit and origin modes, painting and clicks.
#include "controls/WndImage.h"

#include <algorithm>

#include "platform/framework/WinApp.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/controls/Static.h"

IMPLEMENT_DYNAMIC(CWndImage, CWnd)

BEGIN_MESSAGE_MAP(CWndImage, CWnd)
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {
// The click position travels as x * 65535 + y.
constexpr LPARAM kClickRowFactor = 65535;

int OriginFor(int mode, int stored, int client, int dest) {
    switch (mode) {
        case 1:
            return stored;
        case 2:
            return 0;
        case 3:
            return (client - dest) / 2;
        case 4:
            return client - dest;
        default:
            return stored;
    }
}
}  // namespace

CWndImage::CWndImage() : m_hBrush(::GetSysColorBrush(COLOR_BTNFACE)) {}

CWndImage::~CWndImage() {
    ReleaseBitmap();
}

void CWndImage::ReleaseBitmap() {
    if (m_bOwnBitmap && m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_bOwnBitmap = false;
}

BOOL CWndImage::CreateFromStatic(CWnd* pStatic) {
    if (!pStatic || !::IsWindow(pStatic->m_hWnd))
        return FALSE;
    CWnd* parent = pStatic->GetParent();
    if (!parent || !::IsWindow(parent->m_hWnd))
        return FALSE;
    CRect rc;
    pStatic->GetWindowRect(&rc);
    parent->ScreenToClient(&rc);
    const DWORD style = pStatic->GetStyle();
    const DWORD exStyle = pStatic->GetExStyle();
    CString text;
    pStatic->GetWindowText(text);
    const UINT id = static_cast<UINT>(pStatic->GetDlgCtrlID());
    auto bitmap = reinterpret_cast<HBITMAP>(pStatic->SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
    // The static gives the bitmap up; it is this control's from now on.
    if (bitmap)
        pStatic->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, 0);
    pStatic->DestroyWindow();
    if (!CreateEx(exStyle, AfxRegisterWndClass(0), text, style, rc, parent, id))
        return FALSE;
    if (bitmap) {
        SetBitmap(bitmap, true);
        SetFitMode(6);
    }
    return TRUE;
}

void CWndImage::SetBitmap(HBITMAP hBitmap, bool own) {
    if (hBitmap == m_hBitmap)
        return;
    ReleaseBitmap();
    BITMAP bm{};
    if (hBitmap && ::GetObject(hBitmap, sizeof(bm), &bm)) {
        m_hBitmap = hBitmap;
        m_bOwnBitmap = own;
        m_nWidth = bm.bmWidth;
        m_nHeight = bm.bmHeight;
    } else {
        m_nWidth = m_nHeight = 0;
    }
    m_rcImage = CRect(0, 0, m_nWidth, m_nHeight);
    RecalcLayout(true);
}

bool CWndImage::SetBitmapFromResourceName(LPCTSTR name, HINSTANCE module) {
    HBITMAP bitmap = ::LoadBitmap(module ? module : AfxGetResourceHandle(), name);
    SetBitmap(bitmap, true);
    return bitmap != nullptr;
}

bool CWndImage::SetBitmapFromResourceId(UINT id, HINSTANCE module) {
    return SetBitmapFromResourceName(MAKEINTRESOURCE(static_cast<int>(id)), module);
}

void CWndImage::SetFitMode(int mode) {
    if (mode < 1 || mode > 8)
        mode = 2;
    if (mode == m_nFitMode)
        return;
    m_nFitMode = mode;
    RecalcLayout(true);
}

void CWndImage::SetZoomXY(double zx, double zy) {
    m_dZoomX = zx;
    m_dZoomY = zy;
    m_nFitMode = 1;
    RecalcLayout(true);
}

void CWndImage::SetOrigin(int x, int y) {
    SetOriginX(x);
    SetOriginY(y);
}

void CWndImage::SetOriginX(int x) {
    m_nOriginX = x;
    m_nOriginModeX = 1;
    RecalcLayout(true);
}

void CWndImage::SetOriginY(int y) {
    m_nOriginY = y;
    m_nOriginModeY = 1;
    RecalcLayout(true);
}

void CWndImage::SetOriginModes(int horizontal, int vertical) {
    m_nOriginModeX = horizontal;
    m_nOriginModeY = vertical;
    RecalcLayout(true);
}

void CWndImage::SetBackgroundBrush(CBrush* pBrush) {
    m_hBrush = pBrush ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr;
    if (m_hWnd)
        InvalidateRect(nullptr, TRUE);
}

void CWndImage::RecalcLayout(bool invalidate) {
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const int cw = client.Width(), ch = client.Height();
    const int iw = m_rcImage.Width(), ih = m_rcImage.Height();
    if (cw == 0 || ch == 0 || m_rcImage.IsRectEmpty()) {
        m_rcDest.SetRectEmpty();
    } else {
        int w = iw, h = ih;
        double scale = 1.0;
        switch (m_nFitMode) {
            case 1:
                w = static_cast<int>(iw * m_dZoomX);
                h = static_cast<int>(ih * m_dZoomY);
                break;
            case 3:
                w = cw;
                h = ch;
                break;
            case 4:
            case 5:
            case 6:
            case 7: {
                const double sx = static_cast<double>(cw) / iw, sy = static_cast<double>(ch) / ih;
                scale = m_nFitMode == 4   ? sx
                        : m_nFitMode == 5 ? sy
                        : m_nFitMode == 6 ? std::min(sx, sy)
                                          : std::max(sx, sy);
                m_dZoomX = m_dZoomY = scale;
                w = static_cast<int>(iw * scale);
                h = static_cast<int>(ih * scale);
                break;
            }
            default:
                break;
        }
        m_rcDest = CRect(0, 0, w, h);
        m_rcDest.OffsetRect(OriginFor(m_nOriginModeX, m_nOriginX, cw, w),
                            OriginFor(m_nOriginModeY, m_nOriginY, ch, h));
        m_ptTile = m_rcDest.TopLeft();
        if (m_nFitMode == 8)
            m_rcDest = client;
    }
    if (invalidate)
        InvalidateRect(nullptr, TRUE);
}

void CWndImage::OnPaint() {
    CPaintDC dc(this);
    if (!(GetStyle() & WS_VISIBLE))
        return;
    CRect client;
    GetClientRect(&client);
    CDC image;
    image.CreateCompatibleDC(&dc);
    HGDIOBJ old = m_hBitmap ? ::SelectObject(image.m_hDC, m_hBitmap) : nullptr;
    dc.SetStretchBltMode(HALFTONE);
    if (m_nFitMode == 8) {
        if (!m_rcImage.IsRectEmpty())
            PaintTiles(dc, image, client);
    } else {
        const CRect& d = m_rcDest;
        if (!d.IsRectEmpty())
            dc.StretchBlt(d.left, d.top, d.Width(), d.Height(), &image, 0, 0, m_rcImage.Width(),
                          m_rcImage.Height(), SRCCOPY);
        CBrush* brush = CBrush::FromHandle(m_hBrush);
        if (d.IsRectEmpty()) {
            dc.FillRect(&client, brush);
        } else {
            if (d.left > 0)
                dc.FillRect(CRect(0, 0, d.left, client.bottom), brush);
            if (d.top > 0)
                dc.FillRect(CRect(d.left, 0, d.right, d.top), brush);
            if (d.right < client.right)
                dc.FillRect(CRect(d.right, 0, client.right, client.bottom), brush);
            if (d.bottom < client.bottom)
                dc.FillRect(CRect(d.left, d.bottom, d.right, client.bottom), brush);
        }
    }
    if (old)
        ::SelectObject(image.m_hDC, old);
}

void CWndImage::PaintTiles(CDC& dc, CDC& image, const CRect& client) {
    const int iw = m_rcImage.Width(), ih = m_rcImage.Height();
    for (int x = m_ptTile.x; x < client.Width(); x += iw) {
        if (x <= -client.Width())
            continue;
        for (int y = m_ptTile.y; y < client.Height(); y += ih) {
            if (y <= -client.Height())
                continue;
            dc.BitBlt(x, y, iw, ih, &image, 0, 0, SRCCOPY);
        }
    }
}

void CWndImage::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout(true);
}

void CWndImage::OnLButtonDown(UINT nFlags, CPoint point) {
    SetCapture();
    SetFocus();
    m_bButtonDown = true;
    OnMouseMove(nFlags, point);
    InvalidateRect(nullptr, TRUE);
    if (CWnd* parent = GetParent())
        parent->PostMessage(kClickMessage, static_cast<WPARAM>(GetDlgCtrlID()),
                            point.x * kClickRowFactor + point.y);
    CWnd::OnLButtonDown(nFlags, point);
}

void CWndImage::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bButtonDown)
        CWnd::OnMouseMove(nFlags, point);
}

void CWndImage::OnLButtonUp(UINT nFlags, CPoint point) {
    ::ReleaseCapture();
    m_bButtonDown = false;
    InvalidateRect(nullptr, TRUE);
    CWnd::OnLButtonUp(nFlags, point);
}
