// Tables on a page: the caller describes one in a TableLayout and calls CPage::DrawTable, which
// draws the grid and the header and leaves a CPrintTable in the layout; CPage::FillTableCell then
// prints cell contents through it. Row heights follow the point size: 1.5 lines per text line.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/print/PageState.h"

class CPage;
class CPrintTable;

constexpr int kMaxTableColumns = 25;

struct TableColumn {
    double width = 0.0;
    std::string title;  // empty: "Col <n>" with the 1-based column number
    int fill = 0;       // fill flags of the column's cells
};

struct TableLayout {
    TableLayout();
    ~TableLayout();
    TableLayout(const TableLayout&) = delete;
    TableLayout& operator=(const TableLayout&) = delete;

    int lineEvery = 0;     // 0: every cell framed, a line per row; N: a row line every N rows
    int inInches = 0;      // box and widths in inches (converted to units by the first draw)
    int equalColumns = 0;  // 1: every column as wide as the others
    int headerFill = 0;
    int pointSize = 10;
    int lineWidth = 1;
    int columns = 0;  // 1 to kMaxTableColumns
    int rows = 0;
    int border = 0;
    int verticalLines = 0;
    int horizontalLines = 0;  // 1 in a table with lines also caps the cell text size
    int gridless = 0;         // 1: no lines; non-zero: cells printed with a 1-unit inset
    int noHeader = 0;
    int headerRows = 0;  // height of the header band in header units
    int linesPerRow = 1;
    double top = 0.0;
    double left = 0.0;
    double right = 0.0;
    double bottom = 0.0;  // output: the table's real bottom
    TableColumn column[kMaxTableColumns];
    // The table of the last successful draw; null before one and after a draw refused for its
    // column count (a table too wide for the page leaves it as it was).
    std::unique_ptr<CPrintTable> table;
    // Set once a draw has turned the box and widths into units (bottom goes back to inches).
    bool boxInUnits = false;
};

class CPrintTable {
  public:
    CPrintTable(TableLayout* layout, CPage* page);
    virtual ~CPrintTable() = default;
    CPrintTable(const CPrintTable&) = delete;
    CPrintTable& operator=(const CPrintTable&) = delete;

    virtual void Draw();
    // Text in a cell (2-unit inset); rows and columns outside the table print nothing.
    virtual void PrintCell(const char* text, int row, int column, int pointSize, int textFlags);
    // Text in a cell of a gridless table (1-unit inset); rows below the table print too.
    virtual void PrintFreeCell(const char* text, int row, int column, int pointSize, int textFlags);
    virtual void DrawHeader();
    virtual void DrawBorder();
    virtual void DrawRowLines();
    virtual void DrawColumnLines();
    // body 1: a body row; 0: one header unit.
    virtual int RowHeight(int body);
    virtual void DrawCellFrame(int row, int column);

    // The page the table was drawn on.
    uint64_t PageSerial() const { return m_pageSerial; }

  private:
    int HeaderBand();
    int CellTop(int row);
    int CellLeft(int column) const;
    int CellRight(int column) const;
    void PrintInCell(const char* text, int inset, int row, int column, int pointSize,
                     int textFlags);

    PageState* m_state;
    TableLayout* m_layout;
    CPage* m_page;
    uint64_t m_pageSerial;
};
