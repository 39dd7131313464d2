// The plain edit-control messages that the rich edit control answers too, by number.
#pragma once

#include "platform/base/WinTypes.h"

namespace kq::ui::commctrl::em {

constexpr UINT kGetSel = 0x00B0;
constexpr UINT kSetSel = 0x00B1;
constexpr UINT kGetRect = 0x00B2;
constexpr UINT kScroll = 0x00B5;
constexpr UINT kLineScroll = 0x00B6;
constexpr UINT kScrollCaret = 0x00B7;
constexpr UINT kGetModify = 0x00B8;
constexpr UINT kSetModify = 0x00B9;
constexpr UINT kGetLineCount = 0x00BA;
constexpr UINT kLineIndex = 0x00BB;
constexpr UINT kLineLength = 0x00C1;
constexpr UINT kReplaceSel = 0x00C2;
constexpr UINT kGetLine = 0x00C4;
constexpr UINT kLimitText = 0x00C5;
constexpr UINT kLineFromChar = 0x00C9;
constexpr UINT kGetFirstVisibleLine = 0x00CE;
constexpr UINT kSetReadOnly = 0x00CF;
constexpr UINT kGetLimitText = 0x00D5;
constexpr UINT kPosFromChar = 0x00D6;
constexpr UINT kCharFromPos = 0x00D7;

constexpr DWORD kEsReadOnly = 0x0800;
constexpr DWORD kEsNoHideSel = 0x0100;

constexpr WORD kEnChange = 0x0300;
constexpr DWORD kEnmChange = 0x00000001;

}  // namespace kq::ui::commctrl::em
