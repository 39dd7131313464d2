// Drawing a table: header band, border, row and column lines and cell frames from the layout,
// then cell texts on request. Every position is truncated toward zero from the layout's doubles.
#include "controls/print/PrintTable.h"

#include <string>

#include "controls/print/FillColours.h"
#include "controls/print/Page.h"
#include "controls/print/PrinterGeometry.h"

namespace {

constexpr int kHeaderTextFlags = kTextVCentred | kTextCentred | kTextFilledBox | kTextBold;
constexpr int kSingleCentredLine = kTextVCentred | kTextSingleLine;
constexpr double kLineFactor = 1.5;

int Trunc(double value) {
    return kq::print::TruncateToInt(value);
}

}  // namespace

TableLayout::TableLayout() = default;
TableLayout::~TableLayout() = default;

CPrintTable::CPrintTable(TableLayout* layout, CPage* page)
    : m_state(&page->State()), m_layout(layout), m_page(page), m_pageSerial(page->Serial()) {}

int CPrintTable::RowHeight(int body) {
    const TableLayout& t = *m_layout;
    const double factor = (body != 0 || t.headerRows == 1) ? kLineFactor : 1.0;
    // In the 1000-unit page the point size counts directly as units.
    const double size = m_state->dc->GetMapMode() == MM_TEXT
                            ? t.pointSize / 72.0 * m_page->LogPixelsY()
                            : static_cast<double>(t.pointSize);
    const int height = Trunc(size * factor);
    return body != 0 ? height * t.linesPerRow : height;
}

int CPrintTable::HeaderBand() {
    return RowHeight(0) * m_layout->headerRows;
}

int CPrintTable::CellTop(int row) {
    return Trunc(HeaderBand() + m_layout->top + double(RowHeight(1)) * row);
}

int CPrintTable::CellLeft(int column) const {
    int x = Trunc(m_layout->left);
    for (int c = 0; c < column; ++c)
        x += Trunc(m_layout->column[c].width);
    return x;
}

int CPrintTable::CellRight(int column) const {
    return Trunc(CellLeft(column) + m_layout->column[column].width);
}

void CPrintTable::Draw() {
    TableLayout& t = *m_layout;
    m_page->PushState();
    if (t.equalColumns == 1) {
        const int width = Trunc(t.right - t.left) / t.columns;
        for (int c = 0; c < t.columns; ++c)
            t.column[c].width = width;
    }
    DrawHeader();
    DrawBorder();
    DrawRowLines();
    DrawColumnLines();
    for (int c = 0; c < t.columns; ++c)
        for (int r = 0; r < t.rows; ++r)
            DrawCellFrame(r, c);
    m_page->PopState();
}

void CPrintTable::DrawHeader() {
    TableLayout& t = *m_layout;
    if (t.noHeader == 1)
        return;
    m_page->SetFontSize(t.pointSize);
    const int band = HeaderBand();
    const int top = Trunc(t.top);
    m_page->DrawBox(top, Trunc(t.left), Trunc(t.top + band), Trunc(t.right), t.lineWidth, 0, 0);
    // The last column takes up what the widths leave of the box, or gives back what they exceed.
    const int widths = CellLeft(t.columns);
    t.column[t.columns - 1].width += t.right - widths;

    PageState& s = *m_state;
    int x = Trunc(t.left);
    for (int c = 0; c < t.columns; ++c) {
        const int cellRight = Trunc(x + t.column[c].width);
        s.SetBox(x, top, cellRight, top + band);
        s.text = !t.column[c].title.empty() ? t.column[c].title : "Col " + std::to_string(c + 1);
        s.textFlags = kHeaderTextFlags;
        s.fillFlags = t.headerFill;
        {
            FillColours colours(s.dc, t.headerFill);
            m_page->Printer().OutputText(s, 2.0);
        }
        m_page->SetLastRight(s.lastRight);
        x = cellRight;
    }
}

void CPrintTable::DrawBorder() {
    TableLayout& t = *m_layout;
    int bottom = Trunc(t.top) + RowHeight(1) * t.rows;
    if (t.noHeader != 1)
        bottom += HeaderBand();
    t.bottom = bottom;
    if (t.border != 0 && t.gridless != 1)
        m_page->DrawBox(Trunc(t.top), Trunc(t.left), bottom, Trunc(t.right), t.lineWidth, 0, 0);
}

void CPrintTable::DrawRowLines() {
    const TableLayout& t = *m_layout;
    if (t.horizontalLines == 0 || t.gridless == 1)
        return;
    const int h = RowHeight(1);
    // With a header the lines lie on the top edge of each row, without one on the bottom edge.
    int y = Trunc(t.top) + (t.noHeader != 0 ? h : HeaderBand());
    int counter = 0;
    for (int r = 0; r < t.rows; ++r) {
        bool draw = t.lineEvery == 0;
        if (!draw && ++counter == t.lineEvery) {
            draw = true;
            counter = 0;
        }
        if (draw)
            m_page->DrawLine(y, Trunc(t.left), y, Trunc(t.right), t.lineWidth, 0);
        y += h;
    }
}

void CPrintTable::DrawColumnLines() {
    const TableLayout& t = *m_layout;
    if (t.verticalLines == 0 || t.gridless == 1)
        return;
    const int y1 = Trunc(t.top) + HeaderBand();
    const int y2 = y1 + RowHeight(1) * t.rows;
    PageState& s = *m_state;
    int x = Trunc(t.left);
    for (int c = 0; c + 1 < t.columns; ++c) {
        x += Trunc(t.column[c].width);
        s.SetBox(x, y1, x, y2);
        m_page->Printer().OutputLine(s, t.lineWidth);
    }
}

void CPrintTable::DrawCellFrame(int row, int column) {
    if (m_layout->lineEvery != 0)
        return;
    m_page->PushState();
    PageState& s = *m_state;
    const int top = CellTop(row);
    s.SetBox(CellLeft(column), top, CellRight(column), top + RowHeight(1));
    s.fillFlags = m_layout->column[column].fill;
    m_page->Printer().OutputBox(s, 1);
    m_page->PopState();
}

void CPrintTable::PrintCell(const char* text, int row, int column, int pointSize, int textFlags) {
    const TableLayout& t = *m_layout;
    if (row < 0 || column < 0 || row >= t.rows || column >= t.columns)
        return;
    if (pointSize < 1)
        pointSize = t.pointSize;
    else if (pointSize > t.pointSize && t.horizontalLines == 1 && t.gridless == 0)
        pointSize = t.pointSize;
    if (textFlags == kKeepCurrent)
        textFlags = m_state->textFlags;
    if (t.linesPerRow == 1)
        textFlags |= kSingleCentredLine;
    PrintInCell(text, 2, row, column, pointSize, textFlags);
}

void CPrintTable::PrintFreeCell(const char* text, int row, int column, int pointSize,
                                int textFlags) {
    const TableLayout& t = *m_layout;
    if (t.gridless == 0 || row < 0 || column < 0 || column >= t.columns)
        return;
    if (pointSize < 1)
        pointSize = t.pointSize;
    if (textFlags == kKeepCurrent)
        textFlags = m_state->textFlags;
    PrintInCell(text, 1, row, column, pointSize, textFlags);
}

void CPrintTable::PrintInCell(const char* text, int inset, int row, int column, int pointSize,
                              int textFlags) {
    PageState& s = *m_state;
    const int top = CellTop(row);
    const int fill = m_layout->column[column].fill;
    s.SetBox(CellLeft(column) + inset, top + inset, CellRight(column) - inset,
             top + RowHeight(1) - inset);
    s.text = text != nullptr ? text : "";
    s.fillFlags = fill;
    s.textFlags = textFlags;
    s.pointSize = pointSize;
    {
        FillColours colours(s.dc, fill);
        m_page->Printer().OutputText(s, 2.0);
    }
    m_page->SetLastRight(s.lastRight);
}
