// What all owner-drawn menus share: the image list with its command array, the
// operating-system class, the registered pop-up handles and the cached theme test. Built on
// first use (so it goes before the graphics layer's handle table at exit) and freed by
// BCMenu::ReleaseClassResources.
#pragma once

#include <vector>

#include "platform/gfx/ImageList.h"
#include "platform/ui/UiTypes.h"

namespace kq::controls::menu {

struct ClassState {
    CImageList images;          // created with the first registration
    std::vector<int> commands;  // the command of each image of the list
    int osClass = -1;           // -1 until computed
    std::vector<HMENU> registered;
    bool themeTested = false;
    bool classicTheme = false;
};

ClassState& TheClassState();
void ResetClassState();

// Image and strip sizes of the flat look.
constexpr int kImageSize = 16;
constexpr int kStripWidth = kImageSize + 7;

}  // namespace kq::controls::menu
