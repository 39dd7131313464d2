// The operations of the Ethernet set-up that the connection page uses without showing the
// dialog: the connection test, the baud-rate change, the echo test and its warning, and the
// default settings. Each is one bounded visit of the device server; none shows a message.
#include <string>

#include "ethernet/CConfigEthernetInterfaceDlg.h"
#include "ethernet/CSetDefaults.h"
#include "ethernet/EchoProbe.h"
#include "ethernet/EthernetTexts.h"
#include "ethernet/SetupMenuVisit.h"
#include "platform/io/SerialPort.h"

namespace {

constexpr int kLowestRate = 300;
constexpr int kHighestRate = 921600;

bool IsStandardRate(int rate) {
    return rate >= kLowestRate && rate <= kHighestRate && kq::BaudRateToSpeed(rate) != 0;
}

}  // namespace

CConfigEthernetInterfaceDlg::CConfigEthernetInterfaceDlg(const CString& comNumberText, int row,
                                                         int languageOffset, CWnd* pParent)
    : CDialog(IDD, pParent),
      m_strComNumber(comNumberText),
      m_iRow(row),
      m_iLanguageOffset(languageOffset),
      m_server(FindDeviceServer(comNumberText)) {
    m_strComNumber.Trim();
    if (m_strComNumber.Left(3).CompareNoCase("COM") == 0) {
        m_strComNumber = m_strComNumber.Mid(3);
    }
}

CString CConfigEthernetInterfaceDlg::Text(int id) const {
    return EthernetText(id, m_iLanguageOffset);
}

BOOL CConfigEthernetInterfaceDlg::TestXPicoConnection() {
    if (!m_server) {
        return FALSE;
    }
    SetupSnapshot seen;
    const bool answered = VisitSetupMenu(
        *m_server, [](SetupMenuClient& client) { return client.Quit(); }, &seen);
    if (!seen.banner.empty()) {
        m_strBanner = seen.banner;
        m_settings = seen.settings;
    }
    return answered ? TRUE : FALSE;
}

BOOL CConfigEthernetInterfaceDlg::ChangeXPicoBaudrate(int rate, BOOL save) {
    if (!m_server || !IsStandardRate(rate)) {
        return FALSE;
    }
    const auto change = [rate, save](SetupMenuClient& client) {
        return client.ChangeSerial({{SetupMenuClient::kBaud, std::to_string(rate)}}) &&
               client.Commit(save != FALSE);
    };
    return VisitSetupMenu(*m_server, change) ? TRUE : FALSE;
}

BOOL CConfigEthernetInterfaceDlg::PingXPico(int attempts) {
    if (!m_server) {
        return FALSE;
    }
    return EchoDeviceServer(*m_server, attempts) ? TRUE : FALSE;
}

CString CConfigEthernetInterfaceDlg::WarningAboutXpicoConnection() const {
    CString warning;
    warning.Format(Text(IDS_ETH_WARNING_NO_ANSWER), m_strComNumber,
                   CString(m_server ? m_server->host.c_str() : "?"));
    return warning;
}

BOOL CConfigEthernetInterfaceDlg::SetDefaultSettings() {
    if (!m_server) {
        return FALSE;
    }
    return CSetDefaults(*m_server).Write() ? TRUE : FALSE;
}
