// An in-memory table of named columns read from and written to character-separated text files.
// A table holds doubles or texts (chosen by its read flags) and remembers the file each column
// came from. Failures set an error text and return a failure value (the sentinel for doubles,
// -1 for counts and lengths, false for changes); only reading passes a header/data mismatch
// (error 0008) on as an exception.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "chart/CsvTextColumn.h"
#include "platform/base/WinTypes.h"

class CCsvTable;
class CCsvLineSource;

// A rectangle of a table: two corners (column, row) in either order, both ends included.
struct CCsvRange {
    int nColumnA = 0;
    int nRowA = 0;
    int nColumnB = 0;
    int nRowB = 0;
    const CCsvTable* pTable = nullptr;
};
// The range in the file format, with its table's separator.
std::ostream& operator<<(std::ostream& out, const CCsvRange& range);

class CCsvTable {
  public:
    enum : DWORD { RF_READ_AS_DOUBLE = 1, READ_AS_STRING = 2, RF_APPEND = 4 };
    // What a failing double query returns.
    static constexpr double kFailureValue = 1234567890987654400.0;

    CCsvTable();
    explicit CCsvTable(DWORD readFlags);
    CCsvTable(const std::string& fileName, DWORD readFlags);
    CCsvTable(const CCsvTable& other) = default;
    CCsvTable& operator=(const CCsvTable& other) = default;
    explicit CCsvTable(const CCsvRange& range);
    // One-column tables of doubles (RF_READ_AS_DOUBLE) or texts (READ_AS_STRING).
    CCsvTable(const std::string& name, const std::vector<double>& values);
    CCsvTable(const std::string& name, const std::vector<std::string>& values);
    ~CCsvTable();

    void Clear();

    // Reading: false with an error text when the file cannot be opened or read; a header whose
    // field count differs from the first data line's throws std::runtime_error (error 0008).
    bool Read(const std::string& fileName, DWORD readFlags);
    bool ReadFile(const std::string& fileName);
    // Reads text as if it were the contents of a file named sourceName.
    bool ReadText(std::string_view text, const std::string& sourceName);
    // Writes through a temporary file in the target's folder renamed over the target; false
    // (and the old file kept) when a text cannot be written unquoted or the disk refuses.
    bool Write(const std::string& fileName, const std::string& separator);
    void SetSeparator(const std::string& separator) { m_strSeparator = separator; }
    const std::string& GetSeparator() const { return m_strSeparator; }
    const std::string& GetErrorText() const { return m_strError; }
    const std::string& GetFileName() const { return m_strFileName; }
    DWORD GetReadFlags() const { return dwReadFlags; }
    void SetReadFlags(DWORD flags) { dwReadFlags = flags; }
    void SetReserveSize(int size) { m_nReserveSize = size; }

    // Queries.
    int GetColumnCount() const { return static_cast<int>(m_HeaderNames.size()); }
    // -1 for a column the table does not hold (of its kind).
    int GetRowCount(int column) const;
    int GetMaxRowCount() const;
    double GetData(int column, int row);
    double GetData(const std::string& name, int row);
    // The text's length; the buffer forms copy at most size - 1 characters and terminate.
    int GetString(int column, int row, std::string& text);
    int GetString(const std::string& name, int row, std::string& text);
    int GetString(int column, int row, char* buffer, size_t size);
    int GetString(const std::string& name, int row, char* buffer, size_t size);
    int GetColumn(int column, std::vector<double>& values);
    int GetColumn(const std::string& name, std::vector<double>& values);
    int GetColumn(int column, std::vector<std::string>& values);
    int GetColumn(const std::string& name, std::vector<std::string>& values);
    int GetHeaderName(int column, std::string& name);
    int GetHeaderName(int column, char* buffer, size_t size);
    // The first column at or after start named name; -1 when none.
    int FindColumn(const std::string& name, int start = 0) const;
    // The same among the columns read from file, start counting from that file's first column.
    int FindColumn(const std::string& name, const std::string& file, int start = 0);

    // Changes.
    bool AddColumn(const std::string& name, int count, double value);
    bool AddColumn(const std::string& name, int count, const std::string& value);
    bool AddColumn(const std::string& name, const std::vector<double>& values);
    bool AddColumn(const std::string& name, const std::vector<std::string>& values);
    bool AddValue(int column, double value);
    bool AddValue(int column, const std::string& value);
    bool AddValues(int column, const std::vector<double>& values);
    bool AddValues(int column, const std::vector<std::string>& values);
    bool SetData(int column, int row, double value);
    bool SetString(int column, int row, const std::string& value);
    bool Append(const CCsvTable& other);
    bool RemoveColumn(int column);
    CCsvRange GetRange(int columnA, int rowA, int columnB, int rowB) const;

    // Whether every header and text can stand in a file unquoted with the separator (which
    // must not be empty); sets the error text when not.
    bool IsWritable();
    // The table in the file format (no checks of the texts).
    std::string Format() const;

  private:
    enum class Kind { None, Doubles, Texts };
    Kind GetKind() const;
    void AppendHeader(std::string& text) const;
    // Appends rows from row on until about bytes more are in text; returns the next row.
    int AppendRows(int row, size_t bytes, std::string& text) const;
    // The header and the rows into the file, chunk by chunk, flushed and synced.
    bool WriteText(std::FILE* file) const;
    bool ReadSource(CCsvLineSource& lines);
    bool ReadLines(CCsvLineSource& lines);
    // Runs a change, turning an exception into the error text and false.
    template <typename Change>
    bool Changed(Change change);
    void CheckColumn(int column, Kind kind) const;

    std::string m_strSeparator = ",";
    DWORD dwReadFlags = RF_READ_AS_DOUBLE;
    int m_nReserveSize = 65535;
    std::string m_strFileName;
    std::string m_strError;
    std::vector<std::string> m_HeaderNames;
    std::vector<std::string> m_SourceFiles;
    std::vector<CCsvTextColumn> m_StringColumns;
    std::vector<std::vector<double>> m_DoubleColumns;

    friend std::ostream& operator<<(std::ostream& out, const CCsvRange& range);
};

// A copy of the first table with the second appended.
CCsvTable operator+(const CCsvTable& first, const CCsvTable& second);

namespace kq::chart {

// A field as a double, like atof but in the "C" form whatever the process locale: leading
// blanks skipped, the longest number at the start taken, 0 when there is none. With
// commaIsPoint a field without '.' reads its first ',' as the decimal point.
double ParseCsvNumber(std::string_view field, bool commaIsPoint);
// The shortest text that reads back to the same double ("1", "0.5", "-0", "1e+300").
std::string FormatCsvNumber(double value);

}  // namespace kq::chart
