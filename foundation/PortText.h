// Texts about ports and interfaces shown on the connection and information pages.
#pragma once

#include "platform/base/CString.h"

// The digits that follow "COM" after the last '[' of a port display text ("… [COM12]" → "12"),
// or an empty text.
CString GetComNumberText(const CString& portDisplayText);

// The interface name of a sensor type text as shown for ports that are not the maker's USB
// interface: "NX-USB" becomes "NX-RS485", and on a Lantronix CPR port "NX-RS485" becomes "NX-ETH".
CString AdaptInterfaceName(const CString& typeText, int languageOffset, bool onLantronixCprPort);

// The maker's model names as they are shown to the user.
CString AdaptModelNames(const CString& text);
