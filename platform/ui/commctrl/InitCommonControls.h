// Registration of the common control classes. A program calls one of these once before it
// creates such controls (dialog templates included); calling again does no harm.
#pragma once

#include "platform/base/WinTypes.h"

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;  // trackbar, status bar, toolbar, tool tips
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
constexpr DWORD ICC_DATE_CLASSES = 0x00000100;
constexpr DWORD ICC_STANDARD_CLASSES = 0x00004000;

// Registers the classes the flags name; FALSE for a null argument.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
// Registers every common control class.
void InitCommonControls();
