// Text by row and column: every form (region or page, inches or units, formatted or provided,
// with or without flags and size) sets the state's row, prints through PrintTextAt and answers
// the row below the text, plus the extra of a line spacing above 1.
#include <cstdarg>
#include <optional>

#include "controls/print/FillColours.h"
#include "controls/print/Page.h"
#include "controls/print/PrintRegion.h"
#include "controls/print/PrinterGeometry.h"
#include "controls/print/TextLimits.h"

namespace {

// The formatting buffer holds 5120 bytes with the terminator.
constexpr size_t kFormattedBytes = 5119;

}  // namespace

using kq::print::ClampToInt;

// Formats the arguments after `format` into m_formatted.
#define KQ_FORMAT_INTO_BUFFER(format)                                          \
    do {                                                                       \
        va_list args;                                                          \
        va_start(args, format);                                                \
        m_formatted = kq::print::FormatLimited(kFormattedBytes, format, args); \
        va_end(args);                                                          \
    } while (false)

void CPage::ApplyTextStyle(int flags, int pointSize) {
    if (flags != kKeepCurrent)
        m_state.textFlags = flags;
    if (pointSize > 0)
        m_state.pointSize = pointSize;
}

const char* CPage::ProvidedText(uint32_t value) const {
    const char* text = m_provider ? m_provider(value) : nullptr;
    return text != nullptr ? text : "";
}

int CPage::PrintTextAt(const char* text, int column, int flags, int pointSize) {
    if (column > m_state.right || m_state.top > m_state.bottom)
        return m_state.top;
    m_state.text = text != nullptr ? text : "";
    ApplyTextStyle(flags, pointSize);
    m_state.left = column == -1 ? m_state.lastRight : column;
    // Nothing printed: the row stays where it is.
    if (m_state.text.empty())
        return m_state.top;
    m_printer.OutputText(m_state, m_lineSpacing);
    m_lastRight = m_state.lastRight;
    return m_state.textBox.bottom;
}

int CPage::PrintRowText(CPrintRegion* region, int row, int column, const char* text, int flags,
                        int pointSize) {
    std::optional<FillColours> colours;
    int innerTop = 0;
    if (region != nullptr) {
        PushState();
        m_state.left = region->innerLeft;
        m_state.right = region->right;
        m_state.bottom = region->bottom;
        innerTop = region->innerTop;
        row = ClampToInt(int64_t{row} + innerTop);
        column = ClampToInt(int64_t{column} + region->innerLeft);
        colours.emplace(m_state.dc, region->fill);
    }
    m_state.top = row;
    const bool printable =
        text != nullptr && *text != '\0' && column <= m_state.right && row <= m_state.bottom;
    int64_t result = PrintTextAt(text, column, flags, pointSize);
    if (printable && m_lineSpacing > 1.0) {
        const int line = InchesToUnits(m_state.pointSize / 72.0, VERTRES);
        result += static_cast<int64_t>(line * (m_lineSpacing - 1.0));
    }
    if (region != nullptr) {
        result -= innerTop;
        colours.reset();
        PopState();
    }
    return ClampToInt(result);
}

double CPage::PrintRowText(CPrintRegion* region, double row, double column, const char* text,
                           int flags, int pointSize) {
    PointToUnits(row, column);
    const int result = PrintRowText(region, static_cast<int>(row), static_cast<int>(column), text,
                                    flags, pointSize);
    return UnitsToInches(result, VERTRES);
}

double CPage::PrintProvidedText(CPrintRegion* region, double row, double column, int flags,
                                int pointSize, uint32_t value) {
    if (!m_provider)
        return 0.0;
    return PrintRowText(region, row, column, ProvidedText(value), flags, pointSize);
}

int CPage::PrintProvidedText(CPrintRegion* region, int row, int column, int flags, int pointSize,
                             uint32_t value) {
    if (!m_provider)
        return 0;
    return PrintRowText(region, row, column, ProvidedText(value), flags, pointSize);
}

double CPage::PrintText(CPrintRegion* region, double row, double column, int flags, int pointSize,
                        const char* format, ...) {
    KQ_FORMAT_INTO_BUFFER(format);
    return PrintRowText(region, row, column, m_formatted.c_str(), flags, pointSize);
}

int CPage::PrintText(CPrintRegion* region, int row, int column, int flags, int pointSize,
                     const char* format, ...) {
    KQ_FORMAT_INTO_BUFFER(format);
    return PrintRowText(region, row, column, m_formatted.c_str(), flags, pointSize);
}

double CPage::PrintProvidedText(double row, double column, uint32_t value) {
    if (!m_provider)
        return 0.0;
    return PrintRowText(nullptr, row, column, ProvidedText(value), kKeepCurrent, 0);
}

int CPage::PrintProvidedText(int row, int column, uint32_t value) {
    if (!m_provider)
        return 0;
    return PrintRowText(nullptr, row, column, ProvidedText(value), kKeepCurrent, 0);
}

double CPage::PrintText(double row, double column, const char* format, ...) {
    KQ_FORMAT_INTO_BUFFER(format);
    return PrintRowText(nullptr, row, column, m_formatted.c_str(), kKeepCurrent, 0);
}

int CPage::PrintText(int row, int column, const char* format, ...) {
    KQ_FORMAT_INTO_BUFFER(format);
    return PrintRowText(nullptr, row, column, m_formatted.c_str(), kKeepCurrent, 0);
}

double CPage::PrintProvidedText(double row, double column, int flags, int pointSize,
                                uint32_t value) {
    if (!m_provider)
        return 0.0;
    return PrintRowText(nullptr, row, column, ProvidedText(value), flags, pointSize);
}

double CPage::PrintText(double row, double* column, int flags, int pointSize, const char* format,
                        ...) {
    KQ_FORMAT_INTO_BUFFER(format);
    const double result = PrintRowText(nullptr, row, column != nullptr ? *column : 0.0,
                                       m_formatted.c_str(), flags, pointSize);
    if (column != nullptr)
        *column = GetNextColumn(true, false);
    return result;
}

double CPage::PrintText(double row, double column, int flags, int pointSize, const char* format,
                        ...) {
    KQ_FORMAT_INTO_BUFFER(format);
    return PrintRowText(nullptr, row, column, m_formatted.c_str(), flags, pointSize);
}

int CPage::PrintProvidedText(int row, int column, int flags, int pointSize, uint32_t value) {
    if (!m_provider)
        return 0;
    return PrintRowText(nullptr, row, column, ProvidedText(value), flags, pointSize);
}

int CPage::PrintText(int row, int* column, int flags, int pointSize, const char* format, ...) {
    KQ_FORMAT_INTO_BUFFER(format);
    const int result = PrintRowText(nullptr, row, column != nullptr ? *column : 0,
                                    m_formatted.c_str(), flags, pointSize);
    if (column != nullptr)
        *column = static_cast<int>(GetNextColumn(false, false));
    return result;
}

int CPage::PrintText(int row, int column, int flags, int pointSize, const char* format, ...) {
    KQ_FORMAT_INTO_BUFFER(format);
    return PrintRowText(nullptr, row, column, m_formatted.c_str(), flags, pointSize);
}
