// Where the port library keeps its settings: sections below the application's key in the
// settings store (HKEY_CURRENT_USER).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace kq::ports {

// The application's key; every section of the port library lies below it.
constexpr const char* kDefaultSettingsKey = "Software\\Brevan S.A.S.\\KQ7-B";
// The section of each remembered port ("Ports\COM3") and of the declared extra ports.
constexpr const char* kPortSectionsKey = "Ports";
constexpr const char* kVirtualPortsKey = "VirtualPorts";

std::string SettingsKey();

// One value of a section (a key path below the settings key); nullopt when absent or of another
// type.
std::optional<std::string> ReadSettingString(const std::string& section, const char* name);
bool WriteSettingString(const std::string& section, const char* name, const std::string& value);
bool DeleteSettingValue(const std::string& section, const char* name);
// The names of the sections directly below `section`.
std::vector<std::string> ListSettingSections(const std::string& section);

}  // namespace kq::ports
