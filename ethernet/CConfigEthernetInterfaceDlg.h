// The set-up of the Ethernet interface behind a redirected COM port: the device server that the
// port's declaration names, its firmware banner, its serial settings, its baud rate and its
// default settings. The connection page runs it modally (Config button) and also builds it
// without a window, to use the operations below during the port search and before a baud
// change. The operations show no message; the caller does. They run on the GUI thread and wait
// on the network in real time, bounded, serving messages sent from other threads meanwhile.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ethernet/DeviceServerLookup.h"
#include "platform/framework/Controls.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/Dialog.h"
#include "res/resource.h"

class CConfigEthernetInterfaceDlg : public CDialog {
  public:
    enum { IDD = IDD_CONFIG_ETHERNET_INTERFACE };

    // comNumberText: "12" (or "COM12"); row: the connection page's row of the port.
    CConfigEthernetInterfaceDlg(const CString& comNumberText, int row, int languageOffset,
                                CWnd* pParent = nullptr);

    // Sets the device server's serial rate (a standard rate, 300 to 921600): "save" keeps it
    // over a restart, otherwise it holds until the server restarts. TRUE on its confirmation.
    BOOL ChangeXPicoBaudrate(int rate, BOOL save);
    // TRUE when the server's setup menu answers: banner, setup mode, settings.
    BOOL TestXPicoConnection();
    // Echo requests to the server, attempts clamped to 1-3, 777 ms apart; TRUE on an answer.
    BOOL PingXPico(int attempts);
    // The warning for a device server that does not answer, in the dialog's language.
    CString WarningAboutXpicoConnection() const;
    // Writes and stores the default settings (CSetDefaults); TRUE on the confirmation.
    BOOL SetDefaultSettings();

    bool HasDeviceServer() const { return m_server.has_value(); }
    const std::optional<DeviceServerAddress>& DeviceServer() const { return m_server; }
    int Row() const { return m_iRow; }
    // The dialog changed the server's settings (its rate, or the defaults), whatever it ended
    // with: a port open on that server runs on a line set up anew.
    bool WroteServerSettings() const { return m_bWroteServer; }
    // What the last visit of the setup menu showed (empty before one).
    const std::string& Banner() const { return m_strBanner; }
    const std::vector<std::pair<std::string, std::string>>& Settings() const { return m_settings; }

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnDefaults();

    DECLARE_MESSAGE_MAP()

  private:
    CString Text(int id) const;
    void SetLanguageTexts();
    // Reads banner and settings (one visit, then "quit") and shows them with the state.
    void ReadAndShowServer();
    void ShowSettings(bool reachable);

    CString m_strComNumber;
    int m_iRow = -1;
    int m_iLanguageOffset = 0;
    std::optional<DeviceServerAddress> m_server;
    std::string m_strBanner;
    std::vector<std::pair<std::string, std::string>> m_settings;
    CComboBox m_comboBaudrate;
    bool m_bWroteServer = false;
};
