// Ids of the application's resources, shared by the resource scripts and the C++ code. Only
// #define lines: the resource compiler reads nothing else from a header.
#pragma once

// Each language's texts are the German text's id plus the language's offset.
#define LANGUAGE_OFFSET_GERMAN 0
#define LANGUAGE_OFFSET_ENGLISH 1000
#define LANGUAGE_OFFSET_FRENCH 2000
// French texts are shipped in the revised block, which the program uses for French.
#define LANGUAGE_OFFSET_FRENCH_REVISED 4000

// Ethernet interface set-up dialog and its controls.
#define IDD_CONFIG_ETHERNET_INTERFACE 243
#define IDC_ETH_PORT_LABEL 1700
#define IDC_ETH_PORT 1701
#define IDC_ETH_SERVER_LABEL 1702
#define IDC_ETH_SERVER 1703
#define IDC_ETH_FIRMWARE_LABEL 1704
#define IDC_ETH_FIRMWARE 1705
#define IDC_ETH_SETTINGS_LABEL 1706
#define IDC_ETH_SETTINGS 1707
#define IDC_ETH_STATE_LABEL 1708
#define IDC_ETH_STATE 1709
#define IDC_ETH_BAUDRATE_LABEL 1710
#define IDC_ETH_BAUDRATE 1711
#define IDC_ETH_DEFAULTS 1712
