// Writing a CSV table: every header and text is checked first (no quoting exists, so none may
// hold the separator or a line break); the whole text goes to a temporary file beside the target,
// which is flushed, synced and renamed over it, so a failure keeps the old file.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
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

bool WriteAll(std::FILE* file, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
           std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
}

}  // namespace

std::string CCsvTable::Format() const {
    std::string text;
    const int columns = GetColumnCount();
    const int rows = GetMaxRowCount();
    text.reserve(static_cast<size_t>(rows + 1) * static_cast<size_t>(columns) * 20);
    auto endField = [&](int c) {
        if (c + 1 < columns)
            text += m_strSeparator;
        else
            text += "\r\n";
    };
    for (int c = 0; c < columns; ++c) {
        text += m_HeaderNames[static_cast<size_t>(c)];
        endField(c);
    }
    Kind kind = GetKind();
    std::vector<int> lengths(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c)
        lengths[static_cast<size_t>(c)] = GetRowCount(c);
    char number[32];
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            // A shorter column leaves its field empty.
            auto at = static_cast<size_t>(c);
            if (r < lengths[at]) {
                if (kind == Kind::Doubles) {
                    double v = m_DoubleColumns[at][static_cast<size_t>(r)];
                    text.append(number, std::to_chars(number, number + sizeof number, v).ptr);
                } else if (kind == Kind::Texts) {
                    text += m_StringColumns[at][static_cast<size_t>(r)];
                }
            }
            endField(c);
        }
    }
    return text;
}

bool CCsvTable::IsWritable() {
    bool ok = !m_strSeparator.empty();
    for (const std::string& name : m_HeaderNames)
        ok = ok && !Unquotable(name, m_strSeparator);
    if (GetKind() == Kind::Texts)
        for (int c = 0; ok && c < GetColumnCount() && c < static_cast<int>(m_StringColumns.size());
             ++c)
            for (size_t r = 0; ok && r < m_StringColumns[static_cast<size_t>(c)].size(); ++r)
                ok = !Unquotable(m_StringColumns[static_cast<size_t>(c)][r], m_strSeparator);
    if (!ok)
        m_strError = csv::kNotWritable;
    return ok;
}

bool CCsvTable::Write(const std::string& fileName, const std::string& separator) {
    m_strSeparator = separator;
    if (!IsWritable())
        return false;
    std::string text;
    try {
        text = Format();
    } catch (const std::exception& e) {
        m_strError = e.what();
        return false;
    }
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
    bool written = file != nullptr && WriteAll(file, text);
    if (file != nullptr)
        written = std::fclose(file) == 0 && written;
    else
        ::close(descriptor);
    if (!written || std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        std::remove(temporary.c_str());
        m_strError = std::string(csv::kWriteFailed) + "\nDetails: " + fileName;
        return false;
    }
    return true;
}

std::ostream& operator<<(std::ostream& out, const CCsvRange& range) {
    return out << CCsvTable(range).Format();
}
