#include "ports/CPortManGui.h"

#include "platform/ui/WinUser.h"

CPortManGui::CPortManGui(HWND hOwner, UINT nEventMessage, UINT nDataMessage, BOOL bNotifyOwner,
                         BOOL bFollowDevices)
    : m_hOwner(hOwner),
      m_nEventMessage(nEventMessage),
      m_nDataMessage(nDataMessage),
      m_bNotifyOwner(bNotifyOwner) {
    if (m_bNotifyOwner) {
        kq::ports::DeviceChangeBroadcaster::AddWindow(m_hOwner);
    }
    if (bFollowDevices) {
        kq::ports::DeviceChangeBroadcaster::AddFollower(this, ServingThreadId());
    }
}

CPortManGui::~CPortManGui() {
    kq::ports::DeviceChangeBroadcaster::RemoveFollower(this);
    if (m_bNotifyOwner) {
        kq::ports::DeviceChangeBroadcaster::RemoveWindow(m_hOwner);
    }
}

DWORD CPortManGui::ServingThreadId() const {
    return GetWindowThreadProcessId(m_hOwner, nullptr);
}

void CPortManGui::OnReceive(const BYTE* data, DWORD length) {
    SendMessage(m_hOwner, m_nDataMessage, length, reinterpret_cast<LPARAM>(data));
}

void CPortManGui::OnPortEvent(WPARAM event, LPARAM state) {
    PostMessage(m_hOwner, m_nEventMessage, event, state);
}
