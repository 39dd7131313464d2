#include "app/sensorlink/ComPortManager.h"

#include "platform/base/Arrays.h"

CComPortManager::CComPortManager(HWND owner, UINT dataMessage, UINT eventMessage)
    : m_manager(owner, eventMessage, dataMessage, dataMessage == COM_MSG_RECEIVED ? TRUE : FALSE,
                FALSE) {}

bool CComPortManager::OpenPort(const CString& portName, int baudrate) {
    return baudrate > 0 && m_manager.OpenPort(portName, static_cast<DWORD>(baudrate)) != FALSE;
}

void CComPortManager::ClosePort(bool removed) {
    // A port closed after its device went away would be reopened on arrival; closing it on
    // request ends that too.
    if (m_manager.GetState() != PORTMAN_STATE_CLOSED) {
        m_manager.ClosePort(removed ? TRUE : FALSE);
    }
}

bool CComPortManager::IsPortOpen() const {
    return m_manager.GetState() == PORTMAN_STATE_OPEN;
}

bool CComPortManager::Write(std::string_view bytes) {
    return m_manager.Write(bytes.data(), static_cast<DWORD>(bytes.size())) != FALSE;
}

CString CComPortManager::GetStateText() const {
    return m_manager.GetStateText();
}

BOOL CComPortManager::OnDeviceChange(UINT event, DWORD_PTR data) {
    return m_manager.OnDeviceChange(event, data);
}

std::unique_ptr<ISensorPort> CComPortProvider::CreatePortManager(HWND owner, UINT dataMessage,
                                                                 UINT eventMessage) {
    return std::make_unique<CComPortManager>(owner, dataMessage, eventMessage);
}

std::vector<CString> CComPortProvider::EnumeratePorts(bool usbOnly) {
    CStringArray ports;
    CPortMan::EnumPorts(ports, usbOnly ? TRUE : FALSE);
    std::vector<CString> list;
    for (INT_PTR i = 0; i < ports.GetSize(); ++i) {
        list.push_back(ports[i]);
    }
    return list;
}
