// Where the parts of a window's non-client area lie, in window coordinates (0, 0 is the window's
// top-left corner), following the same geometry as the default WM_NCCALCSIZE and WM_NCHITTEST.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

struct CaptionButton {
    bool present = false;
    bool enabled = false;
    RECT rect{};
};

struct NonClientLayout {
    int frame = 0;      // thickness of the outer frame
    RECT frameInner{};  // inside the outer frame
    bool caption = false;
    bool toolCaption = false;
    RECT captionBar{};   // without the separating line below it
    RECT captionLine{};  // that line
    RECT icon{};         // empty when no system menu icon is shown
    RECT text{};
    CaptionButton close;
    CaptionButton maximize;  // drawn as restore while maximised
    CaptionButton minimize;
    bool menuBar = false;
    RECT menu{};
    RECT edge{};  // around the client area and scroll bars
    int edgeThickness = 0;
    bool vscroll = false;
    bool hscroll = false;
    RECT vscrollRect{};
    RECT hscrollRect{};
    RECT sizeBox{};  // the corner between both scroll bars
};

struct NonClientFacts {
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT classStyle = 0;
    bool menuBar = false;
    bool hasIcon = false;
    SIZE window{};  // size of the window
    RECT client{};  // client rectangle in window coordinates
};

NonClientLayout LayoutNonClient(const NonClientFacts& facts);

}  // namespace kq::ui::detail
