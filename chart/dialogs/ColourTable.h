// The 40 named colours of the colour popup, in grid order (8 per row), and the messages the
// colour button and its popup exchange.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/ui/Messages.h"

namespace kq::chart {

struct NamedColour {
    COLORREF color;
    const char* name;
};

constexpr int kColourCount = 40;
extern const NamedColour kColourTable[kColourCount];

// Sent to the colour button's parent (wParam the colour, lParam the button's id) and, for
// 1001, 1004 and 1005, from the popup to its button (lParam 0).
constexpr UINT kColourChanged = WM_USER + 1001;
constexpr UINT kColourPopupOpened = WM_USER + 1002;
constexpr UINT kColourPopupClosed = WM_USER + 1003;
constexpr UINT kColourEndOk = WM_USER + 1004;
constexpr UINT kColourEndCancel = WM_USER + 1005;

}  // namespace kq::chart
