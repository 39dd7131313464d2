// Tables on the page: the layout owns the table of its last draw, and a cell is filled only
// through a table drawn on this very page.
#include <cstdarg>

#include "controls/print/Page.h"
#include "controls/print/PrintTable.h"
#include "controls/print/TextLimits.h"

namespace {

constexpr size_t kCellTextBytes = 999;

}  // namespace

void CPage::DrawTable(TableLayout* layout) {
    if (layout == nullptr)
        return;
    TableLayout& t = *layout;
    const PageState saved = m_state;
    if (t.noHeader == 1)
        t.headerRows = 0;
    if (t.columns < 1 || t.columns > kMaxTableColumns) {
        t.table.reset();
        return;
    }
    // The box and widths stay in units after the first draw, so later draws take them as
    // they are.
    if (t.inInches != 0 && !t.boxInUnits) {
        t.top = InchesToUnits(t.top, VERTRES);
        t.left = InchesToUnits(t.left, HORZRES);
        t.right = InchesToUnits(t.right, HORZRES);
        for (int c = 0; c < t.columns; ++c)
            t.column[c].width = InchesToUnits(t.column[c].width, HORZRES);
        t.boxInUnits = true;
    }
    // A table wider than the page is not drawn; the layout keeps the table it had.
    if (t.right > m_state.right)
        return;
    t.table = std::make_unique<CPrintTable>(layout, this);
    t.table->Draw();
    m_state = saved;
    if (t.inInches != 0)
        t.bottom = UnitsToInches(static_cast<int>(t.bottom), VERTRES);
}

void CPage::FillTableCell(TableLayout* layout, int row, int column, int pointSize, int flags,
                          const char* format, ...) {
    if (layout == nullptr || !layout->table || layout->table->PageSerial() != m_serial)
        return;
    PushState();
    va_list args;
    va_start(args, format);
    const std::string text = kq::print::FormatLimited(kCellTextBytes, format, args);
    va_end(args);
    if (layout->gridless == 0)
        layout->table->PrintCell(text.c_str(), row, column, pointSize, flags);
    else
        layout->table->PrintFreeCell(text.c_str(), row, column, pointSize, flags);
    m_lastRight = m_state.lastRight;
    PopState();
}
