// A region is placed once (its background painted then); a title moves its inner top below the
// title band.
#include "controls/print/PrintRegion.h"

#include <algorithm>

#include "controls/print/Page.h"

namespace {

// The band below a measured title.
constexpr int kTitleMargin = 10;

}  // namespace

bool CPrintRegion::Place(CPage* owner, int boxTop, int boxLeft, int boxRight, int boxBottom) {
    page = owner;
    top = boxTop;
    left = boxLeft;
    right = boxRight;
    bottom = boxBottom;
    const PageState& state = page->State();
    if (top < 0 || left < 0 || right > state.pageWidth || bottom > state.pageHeight)
        return false;
    bottom = std::min(bottom, state.bottom);
    right = std::min(right, state.right);
    if (top > bottom || left > right)
        return false;
    innerLeft = left + 1;
    innerTop = top + 1;
    page->PushState();
    PageState& s = page->State();
    s.SetBox(left, top, right, bottom);
    s.fillFlags = fill;
    page->Printer().OutputFill(s);
    page->PopState();
    return true;
}

void CPrintRegion::PrintTitle(const char* text, int pointSize, int textFlags, int fillFlags) {
    page->PushState();
    PageState& s = page->State();
    s.SetBox(left, top, right, bottom);
    s.text = text != nullptr ? text : "";
    if (pointSize > 0)
        s.pointSize = pointSize;
    if (textFlags & kTextFilledBox) {
        // Measured with the flags the state already has; the title's own come afterwards.
        s.bottom = 0;
        page->Printer().MeasureText(s, 1.0);
        s.bottom = s.textBox.bottom + kTitleMargin;
    } else {
        s.bottom = top + page->InchesToUnits(2.0 * s.pointSize / 72.0, VERTRES);
    }
    s.textFlags = textFlags | kTextSingleLine | kTextVCentred;
    s.fillFlags = fillFlags;
    page->Printer().OutputText(s, 1.0);
    innerTop = s.bottom + 1;
    page->PopState();
}

void CPrintRegion::DrawFrame() {
    page->PushState();
    PageState& s = page->State();
    s.SetBox(left, top, right, bottom);
    page->Printer().OutputBox(s, 1);
    page->PopState();
}
