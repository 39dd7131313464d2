// Lines, boxes and tick boxes of a page, on the page or relative to a region (clamped to the
// region's right and bottom, drawn in the region's colours). The state comes back as it was.
#include <algorithm>
#include <optional>

#include "controls/print/FillColours.h"
#include "controls/print/Page.h"
#include "controls/print/PrintRegion.h"
#include "controls/print/PrinterGeometry.h"
#include "controls/print/TextLimits.h"

using kq::print::ClampToInt;

namespace {

struct Box {
    int top, left, bottom, right;
};

// A region-relative box moved to page units and clamped to the region.
Box InRegion(const CPrintRegion& region, int top, int left, int bottom, int right) {
    return {std::min(ClampToInt(int64_t{top} + region.innerTop), region.bottom),
            std::min(ClampToInt(int64_t{left} + region.innerLeft), region.right),
            std::min(ClampToInt(int64_t{bottom} + region.innerTop), region.bottom),
            std::min(ClampToInt(int64_t{right} + region.innerLeft), region.right)};
}

}  // namespace

// --- lines ---

void CPage::DrawLine(int top, int left, int bottom, int right, int penWidth, int lineStyle) {
    PushState();
    if (lineStyle != kKeepCurrent)
        m_state.lineStyle = lineStyle;
    m_state.SetBox(left, top, right, bottom);
    m_printer.OutputLine(m_state, penWidth);
    PopState();
}

void CPage::DrawLine(double top, double left, double bottom, double right, int penWidth,
                     int lineStyle) {
    BoxToUnits(top, left, bottom, right);
    DrawLine(static_cast<int>(top), static_cast<int>(left), static_cast<int>(bottom),
             static_cast<int>(right), penWidth, lineStyle);
}

void CPage::DrawLine(CPrintRegion* region, int top, int left, int bottom, int right, int penWidth,
                     int lineStyle) {
    if (region == nullptr)
        return DrawLine(top, left, bottom, right, penWidth, lineStyle);
    const Box box = InRegion(*region, top, left, bottom, right);
    FillColours colours(m_state.dc, region->fill);
    DrawLine(box.top, box.left, box.bottom, box.right, penWidth, lineStyle);
}

void CPage::DrawLine(CPrintRegion* region, double top, double left, double bottom, double right,
                     int penWidth, int lineStyle) {
    BoxToUnits(top, left, bottom, right);
    DrawLine(region, static_cast<int>(top), static_cast<int>(left), static_cast<int>(bottom),
             static_cast<int>(right), penWidth, lineStyle);
}

// --- boxes ---

void CPage::DrawBox(int top, int left, int bottom, int right, int penWidth, int fill,
                    int lineStyle) {
    PushState();
    if (lineStyle != kKeepCurrent)
        m_state.lineStyle = lineStyle;
    if (fill != kKeepCurrent)
        m_state.fillFlags = fill;
    m_state.SetBox(left, top, right, bottom);
    m_printer.OutputBox(m_state, penWidth);
    PopState();
}

void CPage::DrawBox(double top, double left, double bottom, double right, int penWidth, int fill,
                    int lineStyle) {
    BoxToUnits(top, left, bottom, right);
    DrawBox(static_cast<int>(top), static_cast<int>(left), static_cast<int>(bottom),
            static_cast<int>(right), penWidth, fill, lineStyle);
}

void CPage::DrawBox(CPrintRegion* region, int top, int left, int bottom, int right, int penWidth,
                    int fill, int lineStyle) {
    if (region == nullptr)
        return DrawBox(top, left, bottom, right, penWidth, fill, lineStyle);
    const Box box = InRegion(*region, top, left, bottom, right);
    FillColours colours(m_state.dc, region->fill);
    DrawBox(box.top, box.left, box.bottom, box.right, penWidth, fill, lineStyle);
}

void CPage::DrawBox(CPrintRegion* region, double top, double left, double bottom, double right,
                    int penWidth, int fill, int lineStyle) {
    BoxToUnits(top, left, bottom, right);
    DrawBox(region, static_cast<int>(top), static_cast<int>(left), static_cast<int>(bottom),
            static_cast<int>(right), penWidth, fill, lineStyle);
}

// --- tick boxes ---

void CPage::PrintTickBox(const char* label, bool checked, int row, int column, int pointSize,
                         int labelFirst, int penWidth, int fill, int textFlags) {
    PushState();
    // A square the size of the font.
    const double points = pointSize > 0 ? pointSize : m_state.pointSize;
    const int sideX = InchesToUnits(points / 72.0, HORZRES);
    const int sideY = InchesToUnits(points / 72.0, VERTRES);
    const std::string text = kq::print::LiteralLabel(label);
    if (labelFirst == 1) {
        PrintRowText(nullptr, row, column, text.c_str(), textFlags, pointSize);
        column = static_cast<int>(GetNextColumn(false, true));
    } else {
        PrintRowText(nullptr, row, ClampToInt(int64_t{column} + 2 * int64_t{sideX}), text.c_str(),
                     textFlags, pointSize);
    }
    const int bottom = ClampToInt(int64_t{row} + sideY);
    const int right = ClampToInt(int64_t{column} + sideX);
    DrawBox(row, column, bottom, right, penWidth, 0, 0);
    if (checked) {
        if (fill != 0) {
            DrawBox(row, column, bottom, right, penWidth, fill, 0);
        } else {
            DrawLine(row, column, bottom, right, penWidth, 0);
            DrawLine(bottom, column, row, right, penWidth, 0);
        }
    }
    PopState();
}

void CPage::PrintTickBox(const char* label, bool checked, double row, double column, int pointSize,
                         int labelFirst, int penWidth, int fill, int textFlags) {
    PointToUnits(row, column);
    PrintTickBox(label, checked, static_cast<int>(row), static_cast<int>(column), pointSize,
                 labelFirst, penWidth, fill, textFlags);
}

void CPage::PrintTickBox(CPrintRegion* region, const char* label, bool checked, int row, int column,
                         int pointSize, int labelFirst, int penWidth, int fill, int textFlags) {
    if (region == nullptr)
        return PrintTickBox(label, checked, row, column, pointSize, labelFirst, penWidth, fill,
                            textFlags);
    PushState();
    {
        FillColours colours(m_state.dc, region->fill);
        m_state.bottom = region->bottom;
        m_state.right = region->right;
        m_state.left = region->innerLeft;
        PrintTickBox(label, checked, ClampToInt(int64_t{row} + region->innerTop),
                     ClampToInt(int64_t{column} + region->innerLeft), pointSize, labelFirst,
                     penWidth, fill, textFlags);
    }
    PopState();
}

void CPage::PrintTickBox(CPrintRegion* region, const char* label, bool checked, double row,
                         double column, int pointSize, int labelFirst, int penWidth, int fill,
                         int textFlags) {
    PointToUnits(row, column);
    PrintTickBox(region, label, checked, static_cast<int>(row), static_cast<int>(column), pointSize,
                 labelFirst, penWidth, fill, textFlags);
}

// --- regions ---

CPrintRegion* CPage::AddRegion(int top, int left, int bottom, int right, int fill) {
    auto region = std::make_unique<CPrintRegion>(fill);
    if (!region->Place(this, top, left, right, bottom))
        return nullptr;
    m_regions.push_back(std::move(region));
    return m_regions.back().get();
}

CPrintRegion* CPage::AddRegion(double top, double left, double bottom, double right, int fill) {
    BoxToUnits(top, left, bottom, right);
    return AddRegion(static_cast<int>(top), static_cast<int>(left), static_cast<int>(bottom),
                     static_cast<int>(right), fill);
}
