// CPage: one printed page over a printer DC. It fixes the page's units (printer pixels, or
// 1000 x 1000 units stretched over the drawing rectangle), keeps the current PageState with a
// stack of saved states, and prints texts, lines, boxes, tick boxes, regions, tables and BMP
// files by row and column, in logical units or in inches, on the page or inside a region.
//
// Flags 0xFFFF (kKeepCurrent) keep the current text flags and a point size of 0 or less keeps
// the current size. Rows returned are the first row below the printed text.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/print/PageState.h"
#include "controls/print/Printer.h"

class CPrintRegion;
class CPrintTable;
struct TableLayout;

// Gives the text for a value; null stands for no text.
using PageTextProvider = std::function<const char*(uint32_t value)>;

class CPage {
  public:
    // mapMode MM_TEXT (1) or MM_ANISOTROPIC (8, the 1000-unit page); anything else is MM_TEXT.
    CPage(RECT drawingRect, CDC* dc, int mapMode);
    virtual ~CPage();
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;

    // --- units (axis HORZRES for x, VERTRES for y) ---
    // 0 for inches of 0 or less, or a DC or page that gives no scale; clamped to the int range.
    int InchesToUnits(double inches, int axis) const;
    double UnitsToInches(int units, int axis) const;
    void PointToUnits(double& row, double& column) const;
    void BoxToUnits(double& top, double& left, double& bottom, double& right) const;

    // --- state ---
    void PushState();
    // Nothing on an empty stack.
    void PopState();
    // The dmOrientation of the application's printer defaults for a printing DC, else 0.
    static int QueryOrientation(CDC* dc);

    // --- text by row and column; the by-pointer forms move the column past the text ---
    virtual void SetTextProvider(PageTextProvider provider);
    virtual int PrintTextAt(const char* text, int column, int flags, int pointSize);
    virtual void FillTableCell(TableLayout* layout, int row, int column, int pointSize, int flags,
                               const char* format, ...);
    virtual double PrintProvidedText(CPrintRegion* region, double row, double column, int flags,
                                     int pointSize, uint32_t value);
    virtual int PrintProvidedText(CPrintRegion* region, int row, int column, int flags,
                                  int pointSize, uint32_t value);
    virtual double PrintText(CPrintRegion* region, double row, double column, int flags,
                             int pointSize, const char* format, ...);
    virtual int PrintText(CPrintRegion* region, int row, int column, int flags, int pointSize,
                          const char* format, ...);
    virtual double PrintProvidedText(double row, double column, uint32_t value);
    virtual int PrintProvidedText(int row, int column, uint32_t value);
    virtual double PrintText(double row, double column, const char* format, ...);
    virtual int PrintText(int row, int column, const char* format, ...);
    virtual double PrintProvidedText(double row, double column, int flags, int pointSize,
                                     uint32_t value);
    virtual double PrintText(double row, double* column, int flags, int pointSize,
                             const char* format, ...);
    virtual double PrintText(double row, double column, int flags, int pointSize,
                             const char* format, ...);
    virtual int PrintProvidedText(int row, int column, int flags, int pointSize, uint32_t value);
    virtual int PrintText(int row, int* column, int flags, int pointSize, const char* format, ...);
    virtual int PrintText(int row, int column, int flags, int pointSize, const char* format, ...);

    // --- text in a box (word-wrapped or formatted by the flags) ---
    virtual void PrintProvidedTextBox(CPrintRegion* region, double top, double left, double bottom,
                                      double right, int flags, int pointSize, uint32_t value);
    virtual void PrintProvidedTextBox(CPrintRegion* region, int top, int left, int bottom,
                                      int right, int flags, int pointSize, uint32_t value);
    virtual void PrintTextBox(CPrintRegion* region, double top, double left, double bottom,
                              double right, int flags, int pointSize, const char* text);
    virtual void PrintTextBox(CPrintRegion* region, int top, int left, int bottom, int right,
                              int flags, int pointSize, const char* text);
    virtual void PrintProvidedTextBox(double top, double left, double bottom, double right,
                                      int flags, int pointSize, uint32_t value);
    virtual void PrintProvidedTextBox(int top, int left, int bottom, int right, int flags,
                                      int pointSize, uint32_t value);
    virtual void PrintTextBox(double top, double left, double bottom, double right, int flags,
                              int pointSize, const char* text);
    virtual void PrintTextBox(int top, int left, int bottom, int right, int flags, int pointSize,
                              const char* text);

    // --- settings; each returns the previous value ---
    // Factors of 0 or less are ignored.
    virtual double SetLineSpacing(double factor);
    // The previous face in a buffer valid until the next call; null keeps the face.
    virtual const char* SetFontFace(const char* name);
    // Where the last text ended, plus the widest character of the page font with a gap.
    virtual double GetNextColumn(bool inInches, bool withGap);
    virtual COLORREF SetTextColor(COLORREF colour);
    virtual int SetFontSize(int points);
    // Above 0 sets the limit, -1 resets it to the page size, 0 only asks.
    virtual double SetRightLimit(double inches);
    virtual int SetRightLimit(int units);
    virtual double SetBottomLimit(double inches);
    virtual int SetBottomLimit(int units);

    // --- lines, boxes, tick boxes (region forms are relative to the region's inner origin and
    // clamped to its right and bottom) ---
    virtual void DrawLine(CPrintRegion* region, double top, double left, double bottom,
                          double right, int penWidth, int lineStyle);
    virtual void DrawLine(CPrintRegion* region, int top, int left, int bottom, int right,
                          int penWidth, int lineStyle);
    virtual void DrawLine(double top, double left, double bottom, double right, int penWidth,
                          int lineStyle);
    virtual void DrawLine(int top, int left, int bottom, int right, int penWidth, int lineStyle);
    virtual void DrawBox(CPrintRegion* region, double top, double left, double bottom, double right,
                         int penWidth, int fill, int lineStyle);
    virtual void DrawBox(CPrintRegion* region, int top, int left, int bottom, int right,
                         int penWidth, int fill, int lineStyle);
    virtual void DrawBox(double top, double left, double bottom, double right, int penWidth,
                         int fill, int lineStyle);
    virtual void DrawBox(int top, int left, int bottom, int right, int penWidth, int fill,
                         int lineStyle);
    // The label is printed as it stands ("%%" prints "%"); labelFirst 1 puts it before the box.
    virtual void PrintTickBox(CPrintRegion* region, const char* label, bool checked, double row,
                              double column, int pointSize, int labelFirst, int penWidth, int fill,
                              int textFlags);
    virtual void PrintTickBox(CPrintRegion* region, const char* label, bool checked, int row,
                              int column, int pointSize, int labelFirst, int penWidth, int fill,
                              int textFlags);
    virtual void PrintTickBox(const char* label, bool checked, double row, double column,
                              int pointSize, int labelFirst, int penWidth, int fill, int textFlags);
    virtual void PrintTickBox(const char* label, bool checked, int row, int column, int pointSize,
                              int labelFirst, int penWidth, int fill, int textFlags);

    // --- tables, regions, bitmaps ---
    // Draws the grid and header and leaves the table in the layout; a table wider than the
    // right limit or with columns outside 1..25 is refused and leaves no table.
    virtual void DrawTable(TableLayout* layout);
    // A region of the page (owned by the page), its background painted; null when the box
    // reaches outside the page or is inverted.
    virtual CPrintRegion* AddRegion(int top, int left, int bottom, int right, int fill);
    virtual CPrintRegion* AddRegion(double top, double left, double bottom, double right, int fill);
    // A BMP file stretched into the box (not moved by the centring offset); true when drawn.
    virtual bool DrawBitmapFile(int top, int left, int bottom, int right, const char* path);
    virtual bool DrawBitmapFile(double top, double left, double bottom, double right,
                                const char* path);

    // --- what the page holds, for its regions, tables and callers ---
    PageState& State() { return m_state; }
    const PageState& State() const { return m_state; }
    CPrinter& Printer() { return m_printer; }
    size_t StateDepth() const { return m_stack.size(); }
    const TEXTMETRIC& Metrics() const { return m_metrics; }
    int LastRight() const { return m_lastRight; }
    void SetLastRight(int right) { m_lastRight = right; }
    int LogPixelsX() const { return m_logPixelsX; }
    int LogPixelsY() const { return m_logPixelsY; }
    int Orientation() const { return m_orientation; }
    double LineSpacing() const { return m_lineSpacing; }
    // A number no other page of this process has, so that a table knows its page.
    uint64_t Serial() const { return m_serial; }

  private:
    // The row/column text family in units; region may be null. text null prints nothing.
    int PrintRowText(CPrintRegion* region, int row, int column, const char* text, int flags,
                     int pointSize);
    double PrintRowText(CPrintRegion* region, double row, double column, const char* text,
                        int flags, int pointSize);
    // The box text family in units; region may be null.
    void PrintBoxText(CPrintRegion* region, int top, int left, int bottom, int right, int flags,
                      int pointSize, const char* text, bool keepLastRight);
    void PrintBoxText(CPrintRegion* region, double top, double left, double bottom, double right,
                      int flags, int pointSize, const char* text);
    // The provider's text for a value, empty when it has none.
    const char* ProvidedText(uint32_t value) const;
    void ApplyTextStyle(int flags, int pointSize);
    bool PrintBitmap(PageState& s);

    CPrinter m_printer;
    PageState m_state;
    // Grows as needed: the library itself nests several saves and callers may add theirs.
    std::vector<PageState> m_stack;
    int m_logPixelsX = 0;
    int m_logPixelsY = 0;
    int m_lastRight = 0;
    TEXTMETRIC m_metrics{};
    int m_orientation = 0;
    PageTextProvider m_provider;
    double m_lineSpacing = 1.0;
    double m_widthInches = 0.0;
    double m_heightInches = 0.0;
    std::vector<std::unique_ptr<CPrintRegion>> m_regions;
    std::string m_formatted;
    uint64_t m_serial = 0;
};
