#include "ethernet/SetupMenuVisit.h"

#include "ethernet/TcpSetupTransport.h"

bool VisitSetupMenu(const DeviceServerAddress& server,
                    const std::function<bool(SetupMenuClient&)>& work, SetupSnapshot* seen) {
    const SetupDeadline deadline(kSetupOperationTimeoutMs);
    TcpSetupTransport transport;
    if (!transport.Connect(server.host, server.setupPort, kSetupConnectTimeoutMs)) {
        return false;
    }
    SetupMenuClient client(transport, deadline);
    if (!client.Enter()) {
        return false;
    }
    if (seen != nullptr) {
        seen->banner = client.Banner();
        seen->settings = client.Settings();
    }
    return work(client);
}
