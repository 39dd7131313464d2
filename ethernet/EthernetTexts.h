// The texts of the Ethernet interface set-up (German ids; a language adds its offset).
#pragma once

#include "platform/base/CString.h"
#include "res/TextIds.h"

// The text of id in the language of `languageOffset`; revised French falls back to the old block
// as every text of the application does.
CString EthernetText(int id, int languageOffset);

// The banner as it may be shown: control bytes and bytes that are no UTF-8 become '.'.
CString PrintableBanner(const std::string& banner);
