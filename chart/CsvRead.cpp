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
#include <cstring>
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

// The lines of a text one by one, without their line ends; blank lines are left out.
class CCsvLineSource {
  public:
    virtual ~CCsvLineSource() = default;
    // The next line, valid until the following call; false at the end.
    virtual bool Next(std::string_view& line) = 0;
    // The size of the whole text, for estimating what the columns will hold.
    virtual size_t TotalBytes() const = 0;
};

namespace {

// The lines of text held whole in memory.
class LineReader : public CCsvLineSource {
  public:
    explicit LineReader(std::string_view text, bool atStart = true)
        : text_(text), total_(text.size()) {
        if (atStart && text_.substr(0, 3) == "\xEF\xBB\xBF")
            text_.remove_prefix(3);
    }
    bool Next(std::string_view& line) override {
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
    size_t TotalBytes() const override { return total_; }

  private:
    std::string_view text_;
    size_t total_;
};

// The lines of a file read a piece at a time into one reused buffer: a large file costs no
// memory of its size besides the table itself.
class FileLineReader : public CCsvLineSource {
  public:
    FileLineReader(std::FILE* file, size_t size) : file_(file), size_(size), buffer_(kPiece) {}
    bool Next(std::string_view& line) override {
        while (!lines_.Next(line)) {
            if (!Refill())
                return false;
        }
        return true;
    }
    size_t TotalBytes() const override { return size_; }
    bool Failed() const { return std::ferror(file_) != 0; }

  private:
    static constexpr size_t kPiece = size_t{1} << 20;

    // Keeps the unfinished line, reads on until the buffer ends in whole lines (or the file
    // ends) and hands those to the line reader.
    bool Refill() {
        if (ended_)
            return false;
        size_t kept = filled_ - taken_;
        std::memmove(buffer_.data(), buffer_.data() + taken_, kept);
        filled_ = kept;
        while (true) {
            if (filled_ == buffer_.size())
                buffer_.resize(buffer_.size() * 2);  // a line longer than the buffer
            const size_t got =
                std::fread(buffer_.data() + filled_, 1, buffer_.size() - filled_, file_);
            const size_t searched = filled_;
            filled_ += got;
            if (got == 0) {
                ended_ = true;
                taken_ = filled_;
                break;
            }
            const void* last = memrchr(buffer_.data() + searched, '\n', filled_ - searched);
            if (last != nullptr) {
                taken_ = static_cast<size_t>(static_cast<const char*>(last) - buffer_.data()) + 1;
                break;
            }
        }
        lines_ = LineReader(std::string_view(buffer_.data(), taken_), first_);
        first_ = false;
        return taken_ > 0 || !ended_;
    }

    std::FILE* file_;
    size_t size_;
    std::vector<char> buffer_;
    size_t filled_ = 0;
    size_t taken_ = 0;
    bool ended_ = false;
    bool first_ = true;
    LineReader lines_{std::string_view()};
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
    size_t size = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long end = std::ftell(file);
        size = end > 0 ? static_cast<size_t>(end) : 0;
        std::rewind(file);
    }
    FileLineReader lines(file, size);
    const size_t columnsBefore = (dwReadFlags & RF_APPEND) ? m_HeaderNames.size() : 0;
    bool read = false;
    try {
        read = ReadSource(lines);
    } catch (...) {
        std::fclose(file);
        throw;
    }
    const bool failed = lines.Failed();
    std::fclose(file);
    if (failed) {
        // What was read before the failure is not kept: a column cut short would pass for whole.
        m_HeaderNames.resize(columnsBefore);
        m_SourceFiles.resize(columnsBefore);
        m_DoubleColumns.resize(columnsBefore);
        m_StringColumns.resize(columnsBefore);
        m_strError = std::string(csv::kReadFailed) + "\nDetails: " + fileName;
        return false;
    }
    return read;
}

bool CCsvTable::ReadText(std::string_view text, const std::string& sourceName) {
    m_strFileName = sourceName;
    LineReader lines(text);
    return ReadSource(lines);
}

bool CCsvTable::ReadSource(CCsvLineSource& lines) {
    try {
        return ReadLines(lines);
    } catch (const std::exception& e) {
        m_strError = e.what();
        throw;
    } catch (...) {
        m_strError = csv::kUnknown;
        throw;
    }
}

bool CCsvTable::ReadLines(CCsvLineSource& reader) {
    if (!(dwReadFlags & RF_APPEND))
        Clear();
    std::string_view line;
    if (!reader.Next(line))
        return true;
    std::vector<std::string_view> fields;
    SplitFields(line, m_strSeparator, fields);
    // The line's text goes when the next is read.
    const std::vector<std::string> headers(fields.begin(), fields.end());
    const bool anyData = reader.Next(line);
    if (anyData) {
        SplitFields(line, m_strSeparator, fields);
        if (fields.size() != headers.size())
            throw std::runtime_error(csv::kHeaderCount);
    }
    Kind kind = GetKind();
    const size_t first = m_HeaderNames.size();
    // The rows a text of lines like the first data line holds, with room for shorter ones; the
    // columns together never reserve more than the text could fill, whatever the header promises.
    const size_t total = reader.TotalBytes();
    const size_t lineBytes = anyData ? line.size() + 1 : total + 1;
    const size_t rows = total / lineBytes + total / lineBytes / 4 + 1;
    const size_t reserve =
        std::min(rows, std::max(static_cast<size_t>(std::max(0, m_nReserveSize)), total) /
                           std::max<size_t>(1, headers.size()));
    // Columns of the other kind stay in step with the headers.
    m_DoubleColumns.resize(first);
    m_StringColumns.resize(first);
    for (const std::string& header : headers) {
        m_HeaderNames.push_back(header);
        m_SourceFiles.push_back(m_strFileName);
        m_DoubleColumns.emplace_back();
        m_StringColumns.emplace_back();
        if (kind == Kind::Doubles)
            m_DoubleColumns.back().reserve(reserve);
        else if (kind == Kind::Texts)
            m_StringColumns.back().Reserve(reserve, total / headers.size());
    }
    if (kind == Kind::None || !anyData)
        return true;

    const bool commaIsPoint = m_strSeparator != ",";
    std::vector<size_t> pendingEmpty(headers.size(), 0);
    do {
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
    } while (reader.Next(line));
    return true;
}
