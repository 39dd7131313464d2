// The client side of a device server's setup menu (the dialogue is described in
// docs/device-server.md). Only this module knows the dialogue, so another device changes only
// here. It relies on no more than: the banner is the first line, a prompt ends in "? ", and the
// words "applied", "stored" and "bye" confirm. Every wait is bounded by the line time-out and
// by the deadline of the whole operation; whatever happens, the client leaves setup mode
// ("quit") or closes the connection, so that no server is left waiting in it.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ethernet/SetupDeadline.h"
#include "ethernet/SetupLineReader.h"
#include "ethernet/SetupTransport.h"

class SetupMenuClient {
  public:
    static constexpr int kLineTimeoutMs = 3000;
    // Settings keys of the listing and of the serial prompts.
    static constexpr const char* kBaud = "baud";
    static constexpr const char* kDataBits = "databits";
    static constexpr const char* kParity = "parity";
    static constexpr const char* kStopBits = "stopbits";
    static constexpr const char* kFlow = "flow";
    static constexpr const char* kDataPort = "dataport";

    // The transport is connected; `deadline` bounds the whole operation.
    SetupMenuClient(SetupTransport& transport, const SetupDeadline& deadline);
    // Leaves setup mode if the client is still in it, and closes.
    ~SetupMenuClient();
    SetupMenuClient(const SetupMenuClient&) = delete;
    SetupMenuClient& operator=(const SetupMenuClient&) = delete;

    // Reads the banner, enters setup mode and reads the settings up to the choice prompt.
    bool Enter();
    // The first line the server sent, as it came (may hold control bytes).
    const std::string& Banner() const { return m_banner; }
    // The "key=value" lines of the last listing, in their order.
    const std::vector<std::pair<std::string, std::string>>& Settings() const { return m_settings; }
    // The value of a listed setting, "" when it was not listed.
    std::string Setting(const std::string& key) const;

    // "serial": answers each setting's prompt with the value in `changes`, keeps the others
    // (bare CR), up to the choice prompt. False when a prompt of a changed key never came.
    bool ChangeSerial(const std::map<std::string, std::string>& changes);
    // "save" (kept over a restart) or "apply" (until the restart); true on the confirmation.
    bool Commit(bool save);
    // "quit"; true on "bye". Nothing changes on the server.
    bool Quit();

  private:
    bool Send(const std::string& line);
    SetupEvent Next();
    // Reads up to the confirmation line `word`; false on anything that ends the wait first.
    bool AwaitWord(const char* word);
    void Leave();

    SetupTransport& m_transport;
    const SetupDeadline& m_deadline;
    SetupLineReader m_reader;
    std::string m_banner;
    std::vector<std::pair<std::string, std::string>> m_settings;
    bool m_inSetupMode = false;
    bool m_open = true;
};
