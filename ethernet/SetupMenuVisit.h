// One visit to a device server's setup menu: connect to the setup port, enter setup mode and
// read the settings, do the work, and leave. The whole visit is bounded (a connect 2 s, a line
// 3 s, the visit 8 s), so that a silent or unreachable server cannot hang the GUI thread.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ethernet/DeviceServerLookup.h"
#include "ethernet/SetupMenuClient.h"

constexpr int kSetupConnectTimeoutMs = 2000;
constexpr int kSetupOperationTimeoutMs = 8000;

// What the server showed on entering setup mode.
struct SetupSnapshot {
    std::string banner;
    std::vector<std::pair<std::string, std::string>> settings;
};

// True when the server was reached, setup mode entered and `work` returned true. `seen`
// receives the banner and settings whenever setup mode was entered.
bool VisitSetupMenu(const DeviceServerAddress& server,
                    const std::function<bool(SetupMenuClient&)>& work,
                    SetupSnapshot* seen = nullptr);
