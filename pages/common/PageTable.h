// The pages of the main view by their template ids, in the view's order, and the order in which
// Ctrl+Tab steps through them.
#pragma once

#include "platform/base/WinTypes.h"

constexpr UINT PAGE_LOGO = 131;
constexpr UINT PAGE_CONNECTION = 133;
constexpr UINT PAGE_INFORMATION = 202;
constexpr UINT PAGE_MEASURE_ADJUST = 135;
constexpr UINT PAGE_DOCUMENTATION = 136;
constexpr UINT PAGE_CALIBRATION = 137;
constexpr UINT PAGE_MEASURE_DIAGRAM = 138;
constexpr UINT PAGE_DIAGNOSTIC = 139;

constexpr int kPageCount = 8;
constexpr UINT kPageIds[kPageCount] = {
    PAGE_LOGO,          PAGE_CONNECTION,  PAGE_INFORMATION,     PAGE_MEASURE_ADJUST,
    PAGE_DOCUMENTATION, PAGE_CALIBRATION, PAGE_MEASURE_DIAGRAM, PAGE_DIAGNOSTIC};

// The view's index of a page id; -1 for an id that is no page.
int PageIndexOf(UINT id);
// The next (direction 1) or previous (0) page of the cycle 133, 202, 135, 136, 137, 138; from a
// page outside it, 133.
UINT StepPageId(UINT current, int direction);

// The logo page's origin and zoom for a client area (the logo is 161 pixels at zoom 1).
struct LogoPlacement {
    int x;
    int y;
    double zoom;
};
LogoPlacement ComputeLogoPlacement(int cx, int cy);

// Averaging length of a length code: 1-9 give 2^(code-1) samples, anything else none (1).
int AveragingLengthFromCode(int code);
