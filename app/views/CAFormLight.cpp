#include "app/views/CAFormLight.h"

#include "app/MainFrame.h"
#include "foundation/SharedConstants.h"

IMPLEMENT_DYNCREATE(CAFormLight, CFormView)

CAFormLight::CAFormLight() : CFormView(IDD) {}

void CAFormLight::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (m_bRegistered)
        return;
    m_bRegistered = TRUE;
    PostFormRegistration(this, WM_REGISTER_LIGHT_VIEW);
}

BOOL CAFormLight::PreTranslateMessage(MSG* pMsg) {
    if (OfferToShortcutKeys(pMsg))
        return TRUE;
    return CFormView::PreTranslateMessage(pMsg);
}
