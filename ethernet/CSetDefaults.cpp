#include "ethernet/CSetDefaults.h"

#include "ethernet/SetupMenuVisit.h"

std::map<std::string, std::string> CSetDefaults::Values() {
    return {
        {SetupMenuClient::kBaud, "115200"}, {SetupMenuClient::kDataBits, "8"},
        {SetupMenuClient::kParity, "none"}, {SetupMenuClient::kStopBits, "1"},
        {SetupMenuClient::kFlow, "none"},
    };
}

bool CSetDefaults::WriteWith(SetupMenuClient& client) {
    return client.ChangeSerial(Values()) && client.Commit(true);
}

bool CSetDefaults::Write() const {
    return VisitSetupMenu(m_server, &CSetDefaults::WriteWith);
}
