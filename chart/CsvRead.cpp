// Reading a CSV table: the text is taken line by line (LF or CR LF, blank lines skipped, a
// byte-order mark dropped), split at the whole separator; fields beyond the header's count are
// ignored and missing ones are empty. Empty fields inside a column read as 0 (or ""), those after
// its last value are dropped, so columns of different lengths come back as they were written.
#include <locale.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "chart/CsvErrors.h"
#include "chart/CsvTable.h"

namespace csv = kq::chart::csv;

namespace kq::chart {

namespace {

locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

double ParseCsvNumber(std::string_view field, bool commaIsPoint) {
    size_t start = 0;
    while (start < field.size() && IsBlank(field[start]))
        ++start;
    field.remove_prefix(start);
    std::string commaFixed;
    if (commaIsPoint && field.find('.') == std::string_view::npos) {
        size_t comma = field.find(',');
        if (comma != std::string_view::npos) {
            commaFixed.assign(field);
            commaFixed[comma] = '.';
            field = commaFixed;
        }
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error == std::errc() &&
        (end == field.data() + field.size() || (*end != 'x' && *end != 'X')))
        return value;
    // Signs, hexadecimal and out-of-range numbers: the C library's reading in the "C" form.
    std::string text(field.substr(0, 512));
    return strtod_l(text.c_str(), nullptr, CLocale());
}

}  // namespace kq::chart

namespace {

// The lines of a text one by one, without their line ends; blank lines are left out.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            text_.remove_prefix(3);
    }
    bool Next(std::string_view& line) {
        while (!text_.empty()) {
            size_t end = text_.find('\n');
            line = text_.substr(0, end);
            text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (!line.empty())
                return true;
        }
        return false;
    }
    // An upper bound of the lines left.
    size_t Remaining() const {
        return static_cast<size_t>(std::count(text_.begin(), text_.end(), '\n')) + 1;
    }

  private:
    std::string_view text_;
};

// The fields of a line split at the whole separator.
void SplitFields(std::string_view line, std::string_view separator,
                 std::vector<std::string_view>& fields) {
    fields.clear();
    if (separator.empty()) {
        fields.push_back(line);
        return;
    }
    while (true) {
        size_t at = separator.size() == 1 ? line.find(separator[0]) : line.find(separator);
        fields.push_back(line.substr(0, at));
        if (at == std::string_view::npos)
            return;
        line.remove_prefix(at + separator.size());
    }
}

}  // namespace

bool CCsvTable::Read(const std::string& fileName, DWORD readFlags) {
    m_strFileName = fileName;
    dwReadFlags = readFlags;
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) {
        m_strError = std::string(csv::kNoFile) + "\nDetails: " + fileName;
        return false;
    }
    std::string contents;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long size = std::ftell(file);
        if (size > 0)
            contents.reserve(static_cast<size_t>(size));
        std::rewind(file);
    }
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        contents.append(chunk, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        m_strError = std::string(csv::kReadFailed) + "\nDetails: " + fileName;
        return false;
    }
    return ReadText(contents, fileName);
}

bool CCsvTable::ReadText(std::string_view text, const std::string& sourceName) {
    m_strFileName = sourceName;
    try {
        return ReadLines(text);
    } catch (const std::exception& e) {
        m_strError = e.what();
        throw;
    } catch (...) {
        m_strError = csv::kUnknown;
        throw;
    }
}

bool CCsvTable::ReadLines(std::string_view text) {
    if (!(dwReadFlags & RF_APPEND))
        Clear();
    LineReader reader(text);
    std::string_view line;
    if (!reader.Next(line))
        return true;
    std::vector<std::string_view> fields;
    SplitFields(line, m_strSeparator, fields);
    const std::vector<std::string_view> headers = fields;
    const size_t rows = reader.Remaining();
    LineReader ahead = reader;
    if (ahead.Next(line)) {
        SplitFields(line, m_strSeparator, fields);
        if (fields.size() != headers.size())
            throw std::runtime_error(csv::kHeaderCount);
    }
    Kind kind = GetKind();
    const size_t first = m_HeaderNames.size();
    // Every stored value takes at least one byte of the text: the columns together never reserve
    // more than the text could fill, whatever the header promises.
    const size_t reserve =
        std::min(rows, std::max(static_cast<size_t>(std::max(0, m_nReserveSize)), text.size()) /
                           std::max<size_t>(1, headers.size()));
    // Columns of the other kind stay in step with the headers.
    m_DoubleColumns.resize(first);
    m_StringColumns.resize(first);
    for (std::string_view header : headers) {
        m_HeaderNames.emplace_back(header);
        m_SourceFiles.push_back(m_strFileName);
        m_DoubleColumns.emplace_back();
        m_StringColumns.emplace_back();
        if (kind == Kind::Doubles)
            m_DoubleColumns.back().reserve(reserve);
        else if (kind == Kind::Texts)
            m_StringColumns.back().Reserve(reserve, text.size() / headers.size());
    }
    if (kind == Kind::None)
        return true;

    const bool commaIsPoint = m_strSeparator != ",";
    std::vector<size_t> pendingEmpty(headers.size(), 0);
    while (reader.Next(line)) {
        SplitFields(line, m_strSeparator, fields);
        for (size_t c = 0; c < headers.size(); ++c) {
            std::string_view field = c < fields.size() ? fields[c] : std::string_view();
            if (field.empty()) {
                ++pendingEmpty[c];
                continue;
            }
            if (kind == Kind::Doubles) {
                auto& column = m_DoubleColumns[first + c];
                column.insert(column.end(), pendingEmpty[c], 0.0);
                column.push_back(kq::chart::ParseCsvNumber(field, commaIsPoint));
            } else {
                auto& column = m_StringColumns[first + c];
                column.PushEmpty(pendingEmpty[c]);
                column.PushBack(field);
            }
            pendingEmpty[c] = 0;
        }
    }
    return true;
}
