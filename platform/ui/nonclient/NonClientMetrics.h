// The sizes and fonts of the non-client area in the classic look (SPI_GETNONCLIENTMETRICS):
// 8 pt Tahoma for captions (bold), menus, status bars and message boxes.
#pragma once

#include <cstddef>

#include "platform/gfx/GdiStructs.h"
#include "platform/ui/UiTypes.h"

constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;

struct NONCLIENTMETRICS {
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONT lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONT lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
    int iPaddedBorderWidth;
};
using LPNONCLIENTMETRICS = NONCLIENTMETRICS*;
using NONCLIENTMETRICSA = NONCLIENTMETRICS;
using LPNONCLIENTMETRICSA = NONCLIENTMETRICS*;
// Callers give cbSize as Windows sizes the structure: 344 with iPaddedBorderWidth, 340 (the
// older form) without; both must fill every font, lfMenuFont included.
static_assert(sizeof(NONCLIENTMETRICS) == 344 &&
                  offsetof(NONCLIENTMETRICS, iPaddedBorderWidth) == 340,
              "the structure keeps its Windows layout");

namespace kq::ui {

// Fills the structure up to its cbSize (with or without iPaddedBorderWidth); false when
// cbSize is smaller than that.
bool GetNonClientMetrics(NONCLIENTMETRICS* metrics);
// Fonts made from those descriptions, kept for the life of the program.
HFONT CaptionFont();
HFONT SmallCaptionFont();

}  // namespace kq::ui
