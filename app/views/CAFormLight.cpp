// The light view: each state change loads that state's bitmap into the picture (IDC_PICTURE,
// a bitmap static that stretches its image), and every resize makes the picture the largest
// square of the client, centred along the longer side.
// A state's bitmap (about 2 MB decoded) is loaded the first time it is shown and kept, so that
// a measurement's start and end do not decode it again.
#include "app/views/CAFormLight.h"

#include <algorithm>

#include "app/MainFrame.h"
#include "foundation/SharedConstants.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/Static.h"

IMPLEMENT_DYNCREATE(CAFormLight, CFormView)

BEGIN_MESSAGE_MAP(CAFormLight, CFormView)
ON_WM_SIZE()
END_MESSAGE_MAP()

CAFormLight::CAFormLight() : CFormView(IDD) {}

CAFormLight::~CAFormLight() {
    // The picture hands images back and never frees one that was set on it.
    for (HBITMAP image : m_ahStateImage) {
        if (image != nullptr)
            ::DeleteObject(image);
    }
}

UINT CAFormLight::BitmapOfState(int state) {
    switch (state) {
        case LIGHT_NONE:
            return 212;
        case LIGHT_PASSED:
            return 213;
        case LIGHT_YELLOW:
            return 215;
        case LIGHT_FAILED:
            return 214;
        default:
            return 0;
    }
}

HWND CAFormLight::Picture() const {
    return m_hWnd != nullptr ? ::GetDlgItem(m_hWnd, IDC_PICTURE) : nullptr;
}

void CAFormLight::SetPictureImage() {
    const HWND picture = Picture();
    if (picture == nullptr)
        return;
    // Until an image is set, the picture shows the template's, which is that of no result.
    if (m_hImage == nullptr && m_iLightState == LIGHT_NONE)
        return;
    HBITMAP& image = m_ahStateImage[m_iLightState - LIGHT_NONE];
    if (image == nullptr)
        image = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(BitmapOfState(m_iLightState)));
    if (image == nullptr || image == m_hImage)
        return;
    auto* old = reinterpret_cast<HGDIOBJ>(
        ::SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image)));
    if (old != nullptr && m_hImage == nullptr)
        ::DeleteObject(old);  // the template's
    m_hImage = image;
}

void CAFormLight::SetLightState(int state) {
    if (BitmapOfState(state) == 0)
        return;
    m_iLightState = state;
    const HWND picture = Picture();
    if (picture == nullptr)
        return;  // the first update sets the picture
    ::ShowWindow(picture, SW_HIDE);
    SetPictureImage();
    CRect client;
    GetClientRect(&client);
    OnSize(SIZE_RESTORED, client.Width(), client.Height());
}

void CAFormLight::OnSize(UINT nType, int cx, int cy) {
    CFormView::OnSize(nType, cx, cy);
    if (m_bFirstUpdatePending || nType == SIZE_MAXSHOW || nType == SIZE_MAXHIDE)
        return;
    const HWND picture = Picture();
    if (picture == nullptr)
        return;
    const int side = std::max(0, std::min(cx, cy));
    const int offset = (std::max(cx, cy) - side) / 2;
    ::SetWindowPos(picture, HWND_TOP, cx > cy ? offset : 0, cy > cx ? offset : 0, side, side,
                   SWP_FRAMECHANGED);
    ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
    ::ShowWindow(picture, SW_SHOW);
}

void CAFormLight::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (m_bFirstUpdatePending) {
        m_pMainFrame = GetMainFrame();
        PostFormRegistration(this, WM_REGISTER_LIGHT_VIEW);
        // A state set before now is shown from here on; the template's grey until then.
        if (m_iLightState != LIGHT_NONE && m_hImage == nullptr)
            SetPictureImage();
        if (const HWND picture = Picture())
            ::ShowWindow(picture, SW_SHOW);
        m_bFirstUpdatePending = FALSE;
    }
    EnableWindow(TRUE);
}

BOOL CAFormLight::PreTranslateMessage(MSG* pMsg) {
    if (OfferToShortcutKeys(pMsg))
        return TRUE;
    return CFormView::PreTranslateMessage(pMsg);
}
