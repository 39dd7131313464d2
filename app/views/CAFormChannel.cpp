#include "app/views/CAFormChannel.h"

#include "app/MainFrame.h"
#include "foundation/SharedConstants.h"

IMPLEMENT_DYNAMIC(CAFormChannelX, CFormView)
IMPLEMENT_DYNCREATE(CAFormChannelA, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelB, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelC, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelD, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelP1, CAFormChannelX)
IMPLEMENT_DYNCREATE(CAFormChannelP2, CAFormChannelX)

CAFormChannelX::CAFormChannelX(int channel) : CFormView(IDD), m_iChannel(channel) {}

void CAFormChannelX::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (m_bRegistered)
        return;
    m_bRegistered = TRUE;
    PostFormRegistration(this, WM_REGISTER_CHANNEL_VIEW_A + static_cast<UINT>(m_iChannel));
}

BOOL CAFormChannelX::PreTranslateMessage(MSG* pMsg) {
    if (OfferToShortcutKeys(pMsg))
        return TRUE;
    return CFormView::PreTranslateMessage(pMsg);
}
