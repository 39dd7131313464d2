// The interface's default serial settings, written to the device server and stored there:
// 115200 baud, 8 data bits, no parity, 1 stop bit, no flow control. The data port is not
// touched, so the redirected COM port keeps working.
#pragma once

#include <map>
#include <string>

#include "ethernet/DeviceServerLookup.h"

class SetupMenuClient;

class CSetDefaults {
  public:
    explicit CSetDefaults(const DeviceServerAddress& server) : m_server(server) {}

    // The setting values, by the keys of the setup dialogue.
    static std::map<std::string, std::string> Values();
    // Writes and stores them; true on the server's confirmation.
    bool Write() const;
    // The same within a setup-menu visit that is already open.
    static bool WriteWith(SetupMenuClient& client);

  private:
    DeviceServerAddress m_server;
};
