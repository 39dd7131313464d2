// The one record every drawing operation of the page-layout printing classes works from: the box
// to draw in, the text and its style, fill and line style, the page size and what the last text
// took. A page keeps its current record and a stack of saved copies.
#pragma once

#include <string>

#include "platform/gfx/CDC.h"

// Text style and format bits of PageState::textFlags.
constexpr int kTextBold = 0x001;
constexpr int kTextItalic = 0x002;
constexpr int kTextUnderline = 0x004;
constexpr int kTextStrikeOut = 0x008;
constexpr int kTextFilledBox = 0x010;
constexpr int kTextRight = 0x040;
constexpr int kTextCentred = 0x080;
constexpr int kTextExpandTabs = 0x100;
constexpr int kTextSingleLine = 0x200;
constexpr int kTextNoClip = 0x400;
constexpr int kTextVCentred = 0x800;
constexpr int kDefaultTextFlags = 0x420;

// Fill bits of PageState::fillFlags (first match wins, in this order).
constexpr int kFillGray = 0x01;
constexpr int kFillLightGray = 0x02;
constexpr int kFillDarkGray = 0x04;
constexpr int kFillBlack = 0x08;

// Line style bits of PageState::lineStyle (first match wins: dash, dot, dash-dot, dash-dot-dot).
constexpr int kLineDot = 0x01;
constexpr int kLineDash = 0x02;
constexpr int kLineDashDot = 0x10;
constexpr int kLineDashDotDot = 0x20;

// A flags, fill or style argument of this value keeps the current one.
constexpr int kKeepCurrent = 0xFFFF;

struct PageState {
    CDC* dc = nullptr;  // not owned
    int left = 0;
    int top = 0;
    int right = 0;   // the right limit
    int bottom = 0;  // the bottom limit
    int pointSize = 10;
    std::string text;  // for bitmap prints, the file path
    int textFlags = kDefaultTextFlags;
    int fillFlags = 0;
    int lineStyle = 0;
    std::string faceName = "Times New Roman";
    int pageWidth = 0;
    int pageHeight = 0;
    int lastRight = 0;
    int lastHeight = 10;
    RECT textBox{};   // extent of the last text; right is lastRight, bottom the row below it
    int hOffset = 0;  // added to every x coordinate when drawing
    TEXTMETRIC* metrics = nullptr;  // the page's block, refreshed by each text output

    void SetBox(int boxLeft, int boxTop, int boxRight, int boxBottom) {
        left = boxLeft;
        top = boxTop;
        right = boxRight;
        bottom = boxBottom;
    }
};
