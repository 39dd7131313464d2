// The texts of a port in the list: "COMn description" as the port manager reports it, and
// "description   [COMn]" as the connection page shows it.
#pragma once

#include "platform/base/CString.h"

// "COM3 Tarvik USB sensor interface port" → "Tarvik USB   [COM3]". The maker's USB interface is
// shown as "Tarvik USB"; a port without description as "[COMn]".
CString MakePortDisplayName(const CString& portText);
// The port name back from a row text: "Tarvik USB   [COM3]" → "COM3"; a text without brackets
// gives its first word ("COM3 description" → "COM3").
CString ParsePortDisplayName(const CString& rowText);
