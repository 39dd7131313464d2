// The texts of the Ethernet interface set-up (German ids; a language adds its offset).
#pragma once

#include "platform/base/CString.h"

constexpr int IDS_ETH_CAPTION = 5780;
constexpr int IDS_ETH_PORT = 5781;
constexpr int IDS_ETH_SERVER = 5782;
constexpr int IDS_ETH_FIRMWARE = 5783;
constexpr int IDS_ETH_SETTINGS = 5784;
constexpr int IDS_ETH_STATE = 5785;
constexpr int IDS_ETH_BAUDRATE = 5786;
constexpr int IDS_ETH_DEFAULTS = 5787;
constexpr int IDS_ETH_STATE_CONNECTED = 5788;
constexpr int IDS_ETH_STATE_NO_ANSWER = 5789;
constexpr int IDS_ETH_STATE_NO_SERVER = 5790;
constexpr int IDS_ETH_BAUD_NOT_CHANGED = 5791;
constexpr int IDS_ETH_DEFAULTS_NOT_WRITTEN = 5792;
constexpr int IDS_ETH_DEFAULTS_WRITTEN = 5793;
constexpr int IDS_ETH_WARNING_NO_ANSWER = 5794;  // %s COM number, %s host
constexpr int IDS_ETH_SETTINGS_FORMAT = 5795;    // baud, data bits, parity, stop bits, flow, port

// The text of id in the language of `languageOffset`; revised French falls back to the old block
// as every text of the application does.
CString EthernetText(int id, int languageOffset);

// The banner as it may be shown: control bytes and bytes that are no UTF-8 become '.'.
CString PrintableBanner(const std::string& banner);
