// The set-up dialog run modally on the headless screen: what it shows of the server, OK that
// stores the chosen rate, Cancel that writes nothing, the default settings, and a server that
// does not answer.
#include "EthernetTest.h"
#include "ethernet/CConfigEthernetInterfaceDlg.h"

using devsrvsim::DevSrvFault;

namespace ethtest {
namespace {

// Runs `onOpen` once the dialog has initialised itself (the operations behind it are blocking
// calls, so everything they show is there by then).
class ScriptedDialog : public CConfigEthernetInterfaceDlg {
  public:
    using CConfigEthernetInterfaceDlg::CConfigEthernetInterfaceDlg;
    std::function<void(ScriptedDialog&)> onOpen;

    CString Field(int id) const {
        CString text;
        GetDlgItemText(id, text);
        return text;
    }
    bool Enabled(int id) const { return GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    void Press(int id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void PostPress(int id) { PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  protected:
    BOOL OnInitDialog() override {
        const BOOL result = CConfigEthernetInterfaceDlg::OnInitDialog();
        if (onOpen) {
            onOpen(*this);
        }
        return result;
    }
};

TEST_F(EthernetTest, TheDialogShowsTheServerAndOkStoresTheChosenRate) {
    auto& server = StartServer("127.0.0.31");
    Declare({PortOf(server)});
    const CString com = ComNumberOf(server);
    ScriptedDialog dialog(com, 0, 1000);
    dialog.onOpen = [&](ScriptedDialog& dlg) {
        EXPECT_EQ(dlg.Field(IDC_ETH_PORT), "COM" + com);
        EXPECT_EQ(dlg.Field(IDC_ETH_SERVER),
                  CString(("127.0.0.31, " + std::to_string(server.SetupPort())).c_str()));
        EXPECT_EQ(dlg.Field(IDC_ETH_FIRMWARE), "XPico 6.11.0.3");
        EXPECT_EQ(dlg.Field(IDC_ETH_SETTINGS),
                  CString(("115200 baud, 8 data bits, parity none, 1 stop bits, flow control "
                           "none, data port " +
                           std::to_string(server.DataPort()))
                              .c_str()));
        EXPECT_EQ(dlg.Field(IDC_ETH_STATE), "connected");
        EXPECT_EQ(dlg.Field(IDC_ETH_DEFAULTS), "Default settings");
        EXPECT_TRUE(dlg.Enabled(IDOK));
        EXPECT_EQ(dlg.SendDlgItemMessage(IDC_ETH_BAUDRATE, CB_GETCURSEL), 0);
        dlg.SendDlgItemMessage(IDC_ETH_BAUDRATE, CB_SETCURSEL, 1);
        dlg.PostPress(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(server.Stored().baud, 230400);
    EXPECT_EQ(server.Current().baud, 230400);
    EXPECT_TRUE(dialog.WroteServerSettings());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(EthernetTest, AnUnconfirmedChangeKeepsTheDialogOpenWithAMessage) {
    auto& server = StartServer("127.0.0.36", DevSrvFault::MissingConfirmation);
    Declare({PortOf(server)});
    ScriptedDialog dialog(ComNumberOf(server), 0, 1000);
    dialog.onOpen = [&](ScriptedDialog& dlg) {
        dlg.SendDlgItemMessage(IDC_ETH_BAUDRATE, CB_SETCURSEL, 1);
        dlg.Press(IDOK);
        EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
        ASSERT_EQ(boxes_.size(), 1u);
        EXPECT_EQ(boxes_[0].text, "The baud rate of the device server was not changed.");
        dlg.PostPress(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), 2);
    EXPECT_EQ(server.Stored().baud, 115200);
    EXPECT_FALSE(dialog.WroteServerSettings());
}

TEST_F(EthernetTest, CancelWritesNothing) {
    auto& server = StartServer("127.0.0.32");
    Declare({PortOf(server)});
    ScriptedDialog dialog(ComNumberOf(server), 0, 0);
    dialog.onOpen = [](ScriptedDialog& dlg) {
        dlg.SendDlgItemMessage(IDC_ETH_BAUDRATE, CB_SETCURSEL, 1);
        dlg.PostPress(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), 2);
    EXPECT_EQ(server.Stored().baud, 115200);
    EXPECT_EQ(server.Current().baud, 115200);
    EXPECT_EQ(server.ConnectionCount(), 1) << "only the reading on opening";
    EXPECT_FALSE(dialog.WroteServerSettings());
}

TEST_F(EthernetTest, DefaultSettingsFromTheDialog) {
    auto& server = StartServer("127.0.0.33");
    Declare({PortOf(server)});
    ScriptedDialog dialog(ComNumberOf(server), 0, 1000);
    dialog.onOpen = [](ScriptedDialog& dlg) {
        dlg.Press(IDC_ETH_DEFAULTS);
        dlg.PostPress(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), 2);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "The default settings were written.");
    EXPECT_EQ(server.ConnectionCount(), 3) << "reading, writing, reading again";
    // Cancelled, yet the server's line was set up anew: an open port on it must know.
    EXPECT_TRUE(dialog.WroteServerSettings());
}

TEST_F(EthernetTest, AServerThatDoesNotAnswerCannotBeWrittenInAnyLanguage) {
    auto& server = StartServer("127.0.0.34", DevSrvFault::Refuse);
    Declare({PortOf(server)});
    const struct {
        int offset;
        const char* caption;
        const char* state;
        const char* cancel;
    } languages[] = {{0, "Ethernet-Schnittstelle einrichten", "antwortet nicht", "Abbrechen"},
                     {1000, "Ethernet interface set-up", "does not answer", "Cancel"},
                     {4000, "Configuration de l'interface Ethernet", "ne répond pas", "Annuler"}};
    for (const auto& language : languages) {
        ScriptedDialog dialog(ComNumberOf(server), 0, language.offset);
        dialog.onOpen = [&](ScriptedDialog& dlg) {
            CString caption;
            dlg.GetWindowText(caption);
            EXPECT_EQ(caption, language.caption);
            EXPECT_EQ(dlg.Field(IDC_ETH_STATE), language.state);
            EXPECT_EQ(dlg.Field(IDCANCEL), language.cancel);
            EXPECT_EQ(dlg.Field(IDC_ETH_FIRMWARE), "");
            EXPECT_FALSE(dlg.Enabled(IDOK));
            EXPECT_FALSE(dlg.Enabled(IDC_ETH_DEFAULTS));
            dlg.PostPress(IDCANCEL);
        };
        EXPECT_EQ(dialog.DoModal(), 2) << language.offset;
    }
}

TEST_F(EthernetTest, TheBannerIsShownWithoutItsControlBytes) {
    auto& server =
        StartServer("127.0.0.35", DevSrvFault::None, "", "XPico\x01 6.11\x7f \xc3\xa9\xff");
    Declare({PortOf(server)});
    ScriptedDialog dialog(ComNumberOf(server), 0, 1000);
    dialog.onOpen = [](ScriptedDialog& dlg) {
        EXPECT_EQ(dlg.Field(IDC_ETH_FIRMWARE), "XPico. 6.11. \xc3\xa9.");
        dlg.PostPress(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), 2);
}

TEST_F(EthernetTest, APortWithoutServerSaysSo) {
    ScriptedDialog dialog("42", 0, 1000);
    dialog.onOpen = [](ScriptedDialog& dlg) {
        EXPECT_EQ(dlg.Field(IDC_ETH_STATE), "no device server behind this port");
        EXPECT_FALSE(dlg.Enabled(IDOK));
        dlg.PostPress(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), 2);
}

}  // namespace
}  // namespace ethtest
