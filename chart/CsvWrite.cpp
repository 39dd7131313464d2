// Writing a CSV table: every header and text is checked first (no quoting exists, so none may
// hold the separator or a line break); the whole text goes to a temporary file beside the target,
// which is flushed, synced and renamed over it, so a failure keeps the old file.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string_view>
#include <vector>

#include "chart/CsvErrors.h"
#include "chart/CsvTable.h"

namespace csv = kq::chart::csv;

namespace kq::chart {

std::string FormatCsvNumber(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace kq::chart

namespace {

bool Unquotable(std::string_view text, const std::string& separator) {
    return text.find(separator) != std::string_view::npos ||
           text.find_first_of("\r\n") != std::string_view::npos;
}

// A one-character separator cannot stand across two texts: the column's characters are looked
// through at once.
bool UnquotableColumn(const CCsvTextColumn& column, const std::string& separator) {
    if (separator.size() != 1) {
        for (size_t r = 0; r < column.size(); ++r)
            if (Unquotable(column[r], separator))
                return true;
        return false;
    }
    const std::string_view chars = column.Chars();
    return chars.find(separator[0]) != std::string_view::npos ||
           chars.find('\r') != std::string_view::npos || chars.find('\n') != std::string_view::npos;
}

// Rows are formatted into a buffer of about this size and written before the next: a large
// table never stands in memory a second time as text.
constexpr size_t kChunkBytes = 1 << 20;

}  // namespace

void CCsvTable::AppendHeader(std::string& text) const {
    const int columns = GetColumnCount();
    for (int c = 0; c < columns; ++c) {
        text += m_HeaderNames[static_cast<size_t>(c)];
        text += c + 1 < columns ? std::string_view(m_strSeparator) : std::string_view("\r\n");
    }
}

int CCsvTable::AppendRows(int row, size_t bytes, std::string& text) const {
    const int columns = GetColumnCount();
    const int rows = GetMaxRowCount();
    const Kind kind = GetKind();
    const std::string_view separator(m_strSeparator);
    std::vector<int> lengths(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c)
        lengths[static_cast<size_t>(c)] = GetRowCount(c);
    char number[32];
    for (const size_t limit = text.size() + bytes; row < rows && text.size() < limit; ++row) {
        for (int c = 0; c < columns; ++c) {
            // A shorter column leaves its field empty.
            const auto at = static_cast<size_t>(c);
            const auto r = static_cast<size_t>(row);
            if (row < lengths[at]) {
                if (kind == Kind::Doubles) {
                    const double v = m_DoubleColumns[at][r];
                    text.append(number, std::to_chars(number, number + sizeof number, v).ptr);
                } else if (kind == Kind::Texts) {
                    text += m_StringColumns[at][r];
                }
            }
            text += c + 1 < columns ? separator : std::string_view("\r\n");
        }
    }
    return row;
}

std::string CCsvTable::Format() const {
    std::string text;
    text.reserve(static_cast<size_t>(GetMaxRowCount() + 1) * static_cast<size_t>(GetColumnCount()) *
                 20);
    AppendHeader(text);
    AppendRows(0, SIZE_MAX - text.size(), text);
    return text;
}

bool CCsvTable::WriteText(std::FILE* file) const {
    std::string text;
    text.reserve(kChunkBytes + 4096);
    AppendHeader(text);
    for (int row = 0;;) {
        row = AppendRows(row, kChunkBytes, text);
        if (std::fwrite(text.data(), 1, text.size(), file) != text.size())
            return false;
        if (row >= GetMaxRowCount())
            break;
        text.clear();
    }
    return std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
}

bool CCsvTable::IsWritable() {
    bool ok = !m_strSeparator.empty();
    for (const std::string& name : m_HeaderNames)
        ok = ok && !Unquotable(name, m_strSeparator);
    if (GetKind() == Kind::Texts)
        for (int c = 0; ok && c < GetColumnCount() && c < static_cast<int>(m_StringColumns.size());
             ++c)
            ok = !UnquotableColumn(m_StringColumns[static_cast<size_t>(c)], m_strSeparator);
    if (!ok)
        m_strError = csv::kNotWritable;
    return ok;
}

bool CCsvTable::Write(const std::string& fileName, const std::string& separator) {
    m_strSeparator = separator;
    if (!IsWritable())
        return false;
    std::string temporary = fileName + ".XXXXXX";
    int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        m_strError = std::string(csv::kWriteFailed) + "\nDetails: " + fileName;
        return false;
    }
    // The new file keeps the old one's permissions (a new one gets the usual 0644).
    struct stat old {};
    ::fchmod(descriptor, ::stat(fileName.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    std::FILE* file = ::fdopen(descriptor, "wb");
    std::string failure;
    bool written = false;
    try {
        written = file != nullptr && WriteText(file);
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (file != nullptr)
        written = std::fclose(file) == 0 && written;
    else
        ::close(descriptor);
    if (!written || std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        std::remove(temporary.c_str());
        m_strError =
            !failure.empty() ? failure : std::string(csv::kWriteFailed) + "\nDetails: " + fileName;
        return false;
    }
    return true;
}

std::ostream& operator<<(std::ostream& out, const CCsvRange& range) {
    return out << CCsvTable(range).Format();
}
