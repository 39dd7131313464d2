// The dialog as the user sees it: the port, the server's address and setup port, its firmware
// banner and serial settings (read once on opening, then "quit"), a baud-rate choice written
// and stored by OK, and the default settings. A server that does not answer is shown as such,
// and nothing can be written to it.
#include "ethernet/CConfigEthernetInterfaceDlg.h"
#include "ethernet/CSetDefaults.h"
#include "ethernet/EthernetTexts.h"
#include "ethernet/SetupMenuVisit.h"
#include "platform/framework/Controls.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WaitCursor.h"

namespace {

constexpr int kRate115200 = 115200;
constexpr int kRate230400 = 230400;

// The connection page's texts of its two rates; the choice index is the rate's position.
const char* const kRateTexts[] = {"115,2k", "230,4k"};

}  // namespace

BEGIN_MESSAGE_MAP(CConfigEthernetInterfaceDlg, CDialog)
ON_BN_CLICKED(IDC_ETH_DEFAULTS, &CConfigEthernetInterfaceDlg::OnDefaults)
END_MESSAGE_MAP()

void CConfigEthernetInterfaceDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ETH_BAUDRATE, m_comboBaudrate);
}

void CConfigEthernetInterfaceDlg::SetLanguageTexts() {
    SetWindowText(Text(IDS_ETH_CAPTION));
    SetDlgItemText(IDC_ETH_PORT_LABEL, Text(IDS_ETH_PORT));
    SetDlgItemText(IDC_ETH_SERVER_LABEL, Text(IDS_ETH_SERVER));
    SetDlgItemText(IDC_ETH_FIRMWARE_LABEL, Text(IDS_ETH_FIRMWARE));
    SetDlgItemText(IDC_ETH_SETTINGS_LABEL, Text(IDS_ETH_SETTINGS));
    SetDlgItemText(IDC_ETH_STATE_LABEL, Text(IDS_ETH_STATE));
    SetDlgItemText(IDC_ETH_BAUDRATE_LABEL, Text(IDS_ETH_BAUDRATE));
    SetDlgItemText(IDC_ETH_DEFAULTS, Text(IDS_ETH_DEFAULTS));
    SetDlgItemText(IDCANCEL, Text(IDS_CANCEL));
}

BOOL CConfigEthernetInterfaceDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetLanguageTexts();
    SetDlgItemText(IDC_ETH_PORT, "COM" + m_strComNumber);
    for (const char* text : kRateTexts) {
        m_comboBaudrate.AddString(text);
    }
    m_comboBaudrate.SetCurSel(0);
    ReadAndShowServer();
    return TRUE;
}

void CConfigEthernetInterfaceDlg::ReadAndShowServer() {
    if (!m_server) {
        SetDlgItemText(IDC_ETH_SERVER, "");
        SetDlgItemText(IDC_ETH_STATE, Text(IDS_ETH_STATE_NO_SERVER));
        ShowSettings(false);
        return;
    }
    CString address;
    address.Format("%s, %u", CString(m_server->host.c_str()), m_server->setupPort);
    SetDlgItemText(IDC_ETH_SERVER, address);
    bool reachable;
    {
        CWaitCursor wait;
        reachable = TestXPicoConnection() != FALSE;
    }
    SetDlgItemText(IDC_ETH_STATE,
                   Text(reachable ? IDS_ETH_STATE_CONNECTED : IDS_ETH_STATE_NO_ANSWER));
    ShowSettings(reachable);
}

void CConfigEthernetInterfaceDlg::ShowSettings(bool reachable) {
    CString banner;
    CString settings;
    if (reachable) {
        banner = PrintableBanner(m_strBanner);
        const auto value = [this](const char* key) -> CString {
            for (const auto& [name, text] : m_settings) {
                if (name == key) {
                    return PrintableBanner(text);
                }
            }
            return "?";
        };
        settings.Format(Text(IDS_ETH_SETTINGS_FORMAT), value(SetupMenuClient::kBaud),
                        value(SetupMenuClient::kDataBits), value(SetupMenuClient::kParity),
                        value(SetupMenuClient::kStopBits), value(SetupMenuClient::kFlow),
                        value(SetupMenuClient::kDataPort));
        m_comboBaudrate.SetCurSel(value(SetupMenuClient::kBaud) == "230400" ? 1 : 0);
    }
    SetDlgItemText(IDC_ETH_FIRMWARE, banner);
    SetDlgItemText(IDC_ETH_SETTINGS, settings);
    for (const int id : {static_cast<int>(IDOK), IDC_ETH_DEFAULTS, IDC_ETH_BAUDRATE}) {
        if (CWnd* control = GetDlgItem(id)) {
            control->EnableWindow(reachable ? TRUE : FALSE);
        }
    }
}

void CConfigEthernetInterfaceDlg::OnOK() {
    const int choice = m_comboBaudrate.GetCurSel();
    BOOL changed;
    {
        CWaitCursor wait;
        changed = ChangeXPicoBaudrate(choice == 1 ? kRate230400 : kRate115200, TRUE);
    }
    if (!changed) {
        AfxMessageBox(Text(IDS_ETH_BAUD_NOT_CHANGED), MB_ICONEXCLAMATION);
        return;
    }
    m_bWroteServer = true;
    EndDialog(IDOK);
}

void CConfigEthernetInterfaceDlg::OnCancel() {
    EndDialog(IDCANCEL);
}

void CConfigEthernetInterfaceDlg::OnDefaults() {
    BOOL written;
    {
        CWaitCursor wait;
        written = SetDefaultSettings();
    }
    m_bWroteServer = m_bWroteServer || written;
    AfxMessageBox(Text(written ? IDS_ETH_DEFAULTS_WRITTEN : IDS_ETH_DEFAULTS_NOT_WRITTEN),
                  written ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
    if (written) {
        ReadAndShowServer();
    }
}
