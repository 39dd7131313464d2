// The control messages and codes the framework's wrappers and data exchange send and read.
#pragma once

#include "platform/base/WinTypes.h"

namespace kq::fw::ctl {

// Buttons.
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
constexpr UINT kBmGetState = 0x00F2;
constexpr UINT kBmSetState = 0x00F3;
constexpr UINT kBmSetStyle = 0x00F4;
constexpr UINT kBmClick = 0x00F5;
constexpr UINT kBmGetImage = 0x00F6;
constexpr UINT kBmSetImage = 0x00F7;
constexpr DWORD kBsTypeMask = 0x0000000F;
constexpr DWORD kBsAutoCheckBox = 0x00000003;
constexpr DWORD kBsAuto3State = 0x00000006;
constexpr DWORD kBsGroupBox = 0x00000007;
constexpr DWORD kBsAutoRadioButton = 0x00000009;

// WM_GETDLGCODE answers.
constexpr LRESULT kDlgcWantArrows = 0x0001;
constexpr LRESULT kDlgcHasSetSel = 0x0008;
constexpr LRESULT kDlgcDefPushButton = 0x0010;
constexpr LRESULT kDlgcUndefPushButton = 0x0020;
constexpr LRESULT kDlgcRadioButton = 0x0040;
constexpr LRESULT kDlgcStatic = 0x0100;
constexpr LRESULT kDlgcButton = 0x2000;

// Edits.
constexpr UINT kEmGetSel = 0x00B0;
constexpr UINT kEmSetSel = 0x00B1;
constexpr UINT kEmGetRect = 0x00B2;
constexpr UINT kEmLineScroll = 0x00B6;
constexpr UINT kEmScrollCaret = 0x00B7;
constexpr UINT kEmGetModify = 0x00B8;
constexpr UINT kEmSetModify = 0x00B9;
constexpr UINT kEmGetLineCount = 0x00BA;
constexpr UINT kEmLineIndex = 0x00BB;
constexpr UINT kEmLineLength = 0x00C1;
constexpr UINT kEmReplaceSel = 0x00C2;
constexpr UINT kEmGetLine = 0x00C4;
constexpr UINT kEmLimitText = 0x00C5;
constexpr UINT kEmCanUndo = 0x00C6;
constexpr UINT kEmUndo = 0x00C7;
constexpr UINT kEmLineFromChar = 0x00C9;
constexpr UINT kEmSetPasswordChar = 0x00CC;
constexpr UINT kEmEmptyUndoBuffer = 0x00CD;
constexpr UINT kEmGetFirstVisibleLine = 0x00CE;
constexpr UINT kEmSetReadOnly = 0x00CF;
constexpr UINT kEmSetMargins = 0x00D3;
constexpr UINT kEmGetLimitText = 0x00D5;

// List boxes.
constexpr UINT kLbAddString = 0x0180;
constexpr UINT kLbInsertString = 0x0181;
constexpr UINT kLbDeleteString = 0x0182;
constexpr UINT kLbResetContent = 0x0184;
constexpr UINT kLbSetSel = 0x0185;
constexpr UINT kLbSetCurSel = 0x0186;
constexpr UINT kLbGetSel = 0x0187;
constexpr UINT kLbGetCurSel = 0x0188;
constexpr UINT kLbGetText = 0x0189;
constexpr UINT kLbGetTextLen = 0x018A;
constexpr UINT kLbGetCount = 0x018B;
constexpr UINT kLbSelectString = 0x018C;
constexpr UINT kLbGetTopIndex = 0x018E;
constexpr UINT kLbFindString = 0x018F;
constexpr UINT kLbGetSelCount = 0x0190;
constexpr UINT kLbSetTopIndex = 0x0197;
constexpr UINT kLbGetItemRect = 0x0198;
constexpr UINT kLbGetItemData = 0x0199;
constexpr UINT kLbSetItemData = 0x019A;
constexpr UINT kLbSetItemHeight = 0x01A0;
constexpr UINT kLbGetItemHeight = 0x01A1;
constexpr UINT kLbFindStringExact = 0x01A2;
constexpr LRESULT kLbErr = -1;

// Combo boxes.
constexpr UINT kCbGetEditSel = 0x0140;
constexpr UINT kCbLimitText = 0x0141;
constexpr UINT kCbSetEditSel = 0x0142;
constexpr UINT kCbAddString = 0x0143;
constexpr UINT kCbDeleteString = 0x0144;
constexpr UINT kCbGetCount = 0x0146;
constexpr UINT kCbGetCurSel = 0x0147;
constexpr UINT kCbGetLbText = 0x0148;
constexpr UINT kCbGetLbTextLen = 0x0149;
constexpr UINT kCbInsertString = 0x014A;
constexpr UINT kCbResetContent = 0x014B;
constexpr UINT kCbFindString = 0x014C;
constexpr UINT kCbSelectString = 0x014D;
constexpr UINT kCbSetCurSel = 0x014E;
constexpr UINT kCbShowDropDown = 0x014F;
constexpr UINT kCbGetItemData = 0x0150;
constexpr UINT kCbSetItemData = 0x0151;
constexpr UINT kCbGetDroppedControlRect = 0x0152;
constexpr UINT kCbSetItemHeight = 0x0153;
constexpr UINT kCbGetItemHeight = 0x0154;
constexpr UINT kCbGetDroppedState = 0x0157;
constexpr UINT kCbFindStringExact = 0x0158;
constexpr UINT kCbGetTopIndex = 0x015B;
constexpr UINT kCbSetTopIndex = 0x015C;
constexpr UINT kCbGetDroppedWidth = 0x015F;
constexpr UINT kCbSetDroppedWidth = 0x0160;
constexpr LRESULT kCbErr = -1;

// Statics.
constexpr UINT kStmSetIcon = 0x0170;
constexpr UINT kStmGetIcon = 0x0171;
constexpr UINT kStmSetImage = 0x0172;
constexpr UINT kStmGetImage = 0x0173;

// Scroll bars.
constexpr UINT kSbmSetPos = 0x00E0;
constexpr UINT kSbmGetPos = 0x00E1;
constexpr UINT kSbmSetRange = 0x00E2;
constexpr UINT kSbmGetRange = 0x00E3;
constexpr UINT kSbmEnableArrows = 0x00E4;
constexpr UINT kSbmSetRangeRedraw = 0x00E6;

// Notification codes the framework looks at.
constexpr WORD kEnChange = 0x0300;

}  // namespace kq::fw::ctl
