// Text in a box: the text is word-wrapped (or laid out by its flags) inside the given box; the
// page's state comes back as it was.
#include <algorithm>
#include <optional>

#include "controls/print/FillColours.h"
#include "controls/print/Page.h"
#include "controls/print/PrintRegion.h"
#include "controls/print/PrinterGeometry.h"

using kq::print::ClampToInt;

void CPage::PrintBoxText(CPrintRegion* region, int top, int left, int bottom, int right, int flags,
                         int pointSize, const char* text, bool keepLastRight) {
    if (region == nullptr && (left > m_state.right || top > m_state.bottom))
        return;
    PushState();
    m_state.text = text != nullptr ? text : "";
    ApplyTextStyle(flags, pointSize);
    std::optional<FillColours> colours;
    if (region != nullptr) {
        top = std::min(ClampToInt(int64_t{top} + region->innerTop), region->bottom);
        bottom = std::min(ClampToInt(int64_t{bottom} + region->innerTop), region->bottom);
        left = std::min(ClampToInt(int64_t{left} + region->innerLeft), region->right);
        right = std::min(ClampToInt(int64_t{right} + region->innerLeft), region->right);
        colours.emplace(m_state.dc, region->fill);
    }
    m_state.SetBox(left, top, right, bottom);
    m_printer.OutputText(m_state, m_lineSpacing);
    if (!keepLastRight)
        m_lastRight = m_state.lastRight;
    colours.reset();
    PopState();
}

void CPage::PrintBoxText(CPrintRegion* region, double top, double left, double bottom, double right,
                         int flags, int pointSize, const char* text) {
    if (region == nullptr && (left > SetRightLimit(0.0) || top > SetBottomLimit(0.0)))
        return;
    BoxToUnits(top, left, bottom, right);
    PrintBoxText(region, static_cast<int>(top), static_cast<int>(left), static_cast<int>(bottom),
                 static_cast<int>(right), flags, pointSize, text, false);
}

void CPage::PrintProvidedTextBox(CPrintRegion* region, double top, double left, double bottom,
                                 double right, int flags, int pointSize, uint32_t value) {
    if (m_provider)
        PrintBoxText(region, top, left, bottom, right, flags, pointSize, ProvidedText(value));
}

void CPage::PrintProvidedTextBox(CPrintRegion* region, int top, int left, int bottom, int right,
                                 int flags, int pointSize, uint32_t value) {
    if (m_provider)
        PrintBoxText(region, top, left, bottom, right, flags, pointSize, ProvidedText(value), true);
}

void CPage::PrintTextBox(CPrintRegion* region, double top, double left, double bottom, double right,
                         int flags, int pointSize, const char* text) {
    PrintBoxText(region, top, left, bottom, right, flags, pointSize, text);
}

void CPage::PrintTextBox(CPrintRegion* region, int top, int left, int bottom, int right, int flags,
                         int pointSize, const char* text) {
    PrintBoxText(region, top, left, bottom, right, flags, pointSize, text, true);
}

void CPage::PrintProvidedTextBox(double top, double left, double bottom, double right, int flags,
                                 int pointSize, uint32_t value) {
    if (m_provider)
        PrintBoxText(nullptr, top, left, bottom, right, flags, pointSize, ProvidedText(value));
}

void CPage::PrintProvidedTextBox(int top, int left, int bottom, int right, int flags, int pointSize,
                                 uint32_t value) {
    if (m_provider)
        PrintBoxText(nullptr, top, left, bottom, right, flags, pointSize, ProvidedText(value),
                     false);
}

void CPage::PrintTextBox(double top, double left, double bottom, double right, int flags,
                         int pointSize, const char* text) {
    PrintBoxText(nullptr, top, left, bottom, right, flags, pointSize, text);
}

void CPage::PrintTextBox(int top, int left, int bottom, int right, int flags, int pointSize,
                         const char* text) {
    PrintBoxText(nullptr, top, left, bottom, right, flags, pointSize, text, false);
}
