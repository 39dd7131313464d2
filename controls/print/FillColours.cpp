#include "controls/print/FillColours.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

}  // namespace

FillColours::FillColours(CDC* dc, int fill) : m_dc(dc) {
    if (m_dc == nullptr)
        return;
    if (fill > 0) {
        m_oldMode = m_dc->SetBkMode(TRANSPARENT);
        m_modeSet = true;
    }
    if (fill > 2) {
        m_oldColour = m_dc->SetTextColor(kWhite);
        m_colourSet = true;
    }
}

FillColours::~FillColours() {
    if (m_colourSet)
        m_dc->SetTextColor(m_oldColour);
    if (m_modeSet)
        m_dc->SetBkMode(m_oldMode);
}
