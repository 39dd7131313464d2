// Constants that every part of the application shares: where the settings live, the settings
// version, and the numbers of the messages that join the sensor communication, the main frame
// and its views.
#pragma once

#include "platform/base/WinTypes.h"

// The company key under HKEY_CURRENT_USER\Software and the application's name below it.
constexpr const char* kRegistryCompany = "Brevan S.A.S.";
constexpr const char* kApplicationName = "KQ7-B";
constexpr const char* kRegistryPath = "Software\\Brevan S.A.S.\\KQ7-B";
// A stored settings version other than this one wipes the whole key at start.
constexpr const char* kSettingsVersion = "2.04";

// Messages from the port library to the main frame.
constexpr UINT WM_PORT_DATA = 2000;
constexpr UINT WM_PORT_EVENT = 2200;
constexpr UINT WM_PORT_DATA_FIRST = 2101;  // per-port data of a multi-port device: 2101..2104
constexpr UINT WM_PORT_DATA_LAST = 2104;

// Registration of the views at the main frame: wParam the view, lParam the code below.
constexpr UINT WM_REGISTER_CHANNEL_VIEW_A = 1011;  // channels A, B, C, D, P1, P2: 1011..1016
constexpr UINT WM_REGISTER_DIAGRAM_VIEW = 1210;
constexpr UINT WM_REGISTER_START_UP_WINDOW = 1260;
constexpr UINT WM_REGISTER_LIGHT_VIEW = 1525;
constexpr LPARAM kFormViewRegistration = 222;
constexpr LPARAM kDialogRegistration = 999;
constexpr LPARAM kStartUpDirectRegistration = 456;

// Channel indexes.
enum ChannelIndex : int {
    CHANNEL_A = 0,
    CHANNEL_B = 1,
    CHANNEL_C = 2,
    CHANNEL_D = 3,
    CHANNEL_P1 = 4,
    CHANNEL_P2 = 5,
    CHANNEL_LIGHT = 6,
};
