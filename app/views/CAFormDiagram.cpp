#include "app/views/CAFormDiagram.h"

#include "app/MainFrame.h"
#include "foundation/SharedConstants.h"

IMPLEMENT_DYNCREATE(CAFormDiagram, CFormView)

CAFormDiagram::CAFormDiagram() : CFormView(IDD) {}

void CAFormDiagram::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (m_bRegistered)
        return;
    m_bRegistered = TRUE;
    PostFormRegistration(this, WM_REGISTER_DIAGRAM_VIEW);
}

BOOL CAFormDiagram::PreTranslateMessage(MSG* pMsg) {
    if (OfferToShortcutKeys(pMsg))
        return TRUE;
    return CFormView::PreTranslateMessage(pMsg);
}
