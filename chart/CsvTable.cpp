// The CSV table's columns: construction, queries with their error texts and sentinels, and the
// changes (adding, setting, appending and removing columns, sub-tables). Every access is
// bounds-checked: a table appended from one of the other kind has headers without columns.
#include "chart/CsvTable.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "chart/CsvErrors.h"

namespace csv = kq::chart::csv;

namespace {

int CopyToBuffer(const std::string& text, char* buffer, size_t size) {
    if (buffer != nullptr && size > 0) {
        size_t n = std::min(text.size(), size - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int>(text.size());
}

// The column holding the cell, after checking both indexes.
template <typename Column>
Column& CellColumn(std::vector<Column>& columns, int column, int row) {
    if (column < 0 || static_cast<size_t>(column) >= columns.size() || row < 0 ||
        static_cast<size_t>(row) >= columns[static_cast<size_t>(column)].size())
        throw std::out_of_range(csv::kBadIndex);
    return columns[static_cast<size_t>(column)];
}

}  // namespace

CCsvTable::CCsvTable() = default;

CCsvTable::CCsvTable(DWORD readFlags) : dwReadFlags(readFlags) {}

CCsvTable::CCsvTable(const std::string& fileName, DWORD readFlags) : dwReadFlags(readFlags) {
    ReadFile(fileName);
}

CCsvTable::CCsvTable(const std::string& name, const std::vector<double>& values)
    : dwReadFlags(RF_READ_AS_DOUBLE) {
    AddColumn(name, values);
}

CCsvTable::CCsvTable(const std::string& name, const std::vector<std::string>& values)
    : dwReadFlags(READ_AS_STRING) {
    AddColumn(name, values);
}

CCsvTable::CCsvTable(const CCsvRange& range) {
    if (range.pTable == nullptr)
        return;
    const CCsvTable& source = *range.pTable;
    dwReadFlags = source.dwReadFlags;
    m_strSeparator = source.m_strSeparator;
    Kind kind = GetKind();
    int firstColumn = std::max(0, std::min(range.nColumnA, range.nColumnB));
    int lastColumn =
        std::min(source.GetColumnCount() - 1, std::max(range.nColumnA, range.nColumnB));
    int firstRow = std::max(0, std::min(range.nRowA, range.nRowB));
    int lastRow = std::max(range.nRowA, range.nRowB);
    for (int c = firstColumn; c <= lastColumn; ++c) {
        auto at = static_cast<size_t>(c);
        m_HeaderNames.push_back(source.m_HeaderNames[at]);
        m_SourceFiles.push_back(source.m_SourceFiles[at]);
        if (kind == Kind::Doubles) {
            m_DoubleColumns.emplace_back();
            if (at < source.m_DoubleColumns.size())
                for (int r = firstRow; r <= lastRow && r < source.GetRowCount(c); ++r)
                    m_DoubleColumns.back().push_back(
                        source.m_DoubleColumns[at][static_cast<size_t>(r)]);
        } else if (kind == Kind::Texts) {
            m_StringColumns.emplace_back();
            if (at < source.m_StringColumns.size())
                for (int r = firstRow; r <= lastRow && r < source.GetRowCount(c); ++r)
                    m_StringColumns.back().PushBack(
                        source.m_StringColumns[at][static_cast<size_t>(r)]);
        }
    }
}

CCsvTable::~CCsvTable() {
    Clear();
}

void CCsvTable::Clear() {
    m_strError.clear();
    std::vector<std::string>().swap(m_HeaderNames);
    std::vector<std::string>().swap(m_SourceFiles);
    std::vector<CCsvTextColumn>().swap(m_StringColumns);
    std::vector<std::vector<double>>().swap(m_DoubleColumns);
}

CCsvTable::Kind CCsvTable::GetKind() const {
    if (dwReadFlags & RF_READ_AS_DOUBLE)
        return Kind::Doubles;
    return (dwReadFlags & READ_AS_STRING) ? Kind::Texts : Kind::None;
}

bool CCsvTable::ReadFile(const std::string& fileName) {
    return Read(fileName, dwReadFlags);
}

int CCsvTable::GetRowCount(int column) const {
    if (column < 0 || column >= GetColumnCount())
        return -1;
    auto at = static_cast<size_t>(column);
    switch (GetKind()) {
        case Kind::Doubles:
            return at < m_DoubleColumns.size() ? static_cast<int>(m_DoubleColumns[at].size()) : -1;
        case Kind::Texts:
            return at < m_StringColumns.size() ? static_cast<int>(m_StringColumns[at].size()) : -1;
        default:
            return 0;
    }
}

int CCsvTable::GetMaxRowCount() const {
    int rows = 0;
    for (int c = 0; c < GetColumnCount(); ++c)
        rows = std::max(rows, GetRowCount(c));
    return rows;
}

void CCsvTable::CheckColumn(int column, Kind kind) const {
    size_t held = kind == Kind::Doubles ? m_DoubleColumns.size() : m_StringColumns.size();
    if (column < 0 || column >= GetColumnCount() || static_cast<size_t>(column) >= held)
        throw std::out_of_range(csv::kBadIndex);
}

double CCsvTable::GetData(int column, int row) {
    if (GetKind() != Kind::Doubles) {
        m_strError = csv::kNotDoubles;
        return kFailureValue;
    }
    try {
        return CellColumn(m_DoubleColumns, column, row)[static_cast<size_t>(row)];
    } catch (const std::exception& e) {
        m_strError = e.what();
    }
    return kFailureValue;
}

double CCsvTable::GetData(const std::string& name, int row) {
    int column = FindColumn(name);
    if (column < 0) {
        m_strError = csv::kNameNotFound;
        return kFailureValue;
    }
    return GetData(column, row);
}

int CCsvTable::GetString(int column, int row, std::string& text) {
    if (GetKind() != Kind::Texts) {
        m_strError = csv::kNotStrings;
        return -1;
    }
    try {
        text = CellColumn(m_StringColumns, column, row)[static_cast<size_t>(row)];
        return static_cast<int>(text.size());
    } catch (const std::exception& e) {
        m_strError = e.what();
    }
    return -1;
}

int CCsvTable::GetString(const std::string& name, int row, std::string& text) {
    int column = FindColumn(name);
    if (column < 0) {
        m_strError = csv::kNameNotFound;
        return -1;
    }
    return GetString(column, row, text);
}

int CCsvTable::GetString(int column, int row, char* buffer, size_t size) {
    std::string text;
    int length = GetString(column, row, text);
    return length < 0 ? -1 : CopyToBuffer(text, buffer, size);
}

int CCsvTable::GetString(const std::string& name, int row, char* buffer, size_t size) {
    std::string text;
    int length = GetString(name, row, text);
    return length < 0 ? -1 : CopyToBuffer(text, buffer, size);
}

int CCsvTable::GetColumn(int column, std::vector<double>& values) {
    try {
        CheckColumn(column, Kind::Doubles);
        values = m_DoubleColumns[static_cast<size_t>(column)];
        return static_cast<int>(values.size());
    } catch (...) {
        m_strError = csv::kGetData;
    }
    return -1;
}

int CCsvTable::GetColumn(const std::string& name, std::vector<double>& values) {
    int column = FindColumn(name);
    if (column < 0) {
        m_strError = csv::kNameNotFound;
        return -1;
    }
    return GetColumn(column, values);
}

int CCsvTable::GetColumn(int column, std::vector<std::string>& values) {
    try {
        CheckColumn(column, Kind::Texts);
        values = m_StringColumns[static_cast<size_t>(column)].Texts();
        return static_cast<int>(values.size());
    } catch (...) {
        m_strError = csv::kGetData;
    }
    return -1;
}

int CCsvTable::GetColumn(const std::string& name, std::vector<std::string>& values) {
    int column = FindColumn(name);
    if (column < 0) {
        m_strError = csv::kNameNotFound;
        return -1;
    }
    return GetColumn(column, values);
}

int CCsvTable::GetHeaderName(int column, std::string& name) {
    if (column < 0 || column >= GetColumnCount()) {
        m_strError = csv::kGetString;
        return -1;
    }
    name = m_HeaderNames[static_cast<size_t>(column)];
    return static_cast<int>(name.size());
}

int CCsvTable::GetHeaderName(int column, char* buffer, size_t size) {
    std::string name;
    return GetHeaderName(column, name) < 0 ? -1 : CopyToBuffer(name, buffer, size);
}

int CCsvTable::FindColumn(const std::string& name, int start) const {
    for (int c = std::max(0, start); c < GetColumnCount(); ++c)
        if (m_HeaderNames[static_cast<size_t>(c)] == name)
            return c;
    return -1;
}

int CCsvTable::FindColumn(const std::string& name, const std::string& file, int start) {
    auto first = std::find(m_SourceFiles.begin(), m_SourceFiles.end(), file);
    if (first == m_SourceFiles.end()) {
        m_strError = csv::kFileNotFound;
        return -1;
    }
    for (int c = static_cast<int>(first - m_SourceFiles.begin()) + std::max(0, start);
         c < GetColumnCount(); ++c) {
        auto at = static_cast<size_t>(c);
        if (m_SourceFiles[at] == file && m_HeaderNames[at] == name)
            return c;
    }
    return -1;
}

template <typename Change>
bool CCsvTable::Changed(Change change) {
    try {
        change();
        return true;
    } catch (const std::exception& e) {
        m_strError = e.what();
    } catch (...) {
        m_strError = csv::kUnknown;
    }
    return false;
}

bool CCsvTable::AddColumn(const std::string& name, int count, double value) {
    return AddColumn(name, std::vector<double>(static_cast<size_t>(std::max(0, count)), value));
}

bool CCsvTable::AddColumn(const std::string& name, int count, const std::string& value) {
    return AddColumn(name,
                     std::vector<std::string>(static_cast<size_t>(std::max(0, count)), value));
}

bool CCsvTable::AddColumn(const std::string& name, const std::vector<double>& values) {
    return Changed([&] {
        m_DoubleColumns.resize(m_HeaderNames.size());
        m_DoubleColumns.push_back(values);
        m_HeaderNames.push_back(name);
        m_SourceFiles.emplace_back();
    });
}

bool CCsvTable::AddColumn(const std::string& name, const std::vector<std::string>& values) {
    return Changed([&] {
        m_StringColumns.resize(m_HeaderNames.size());
        m_StringColumns.emplace_back(values);
        m_HeaderNames.push_back(name);
        m_SourceFiles.emplace_back();
    });
}

bool CCsvTable::AddValue(int column, double value) {
    return AddValues(column, std::vector<double>{value});
}

bool CCsvTable::AddValue(int column, const std::string& value) {
    return AddValues(column, std::vector<std::string>{value});
}

bool CCsvTable::AddValues(int column, const std::vector<double>& values) {
    return Changed([&] {
        CheckColumn(column, Kind::Doubles);
        auto& target = m_DoubleColumns[static_cast<size_t>(column)];
        target.insert(target.end(), values.begin(), values.end());
    });
}

bool CCsvTable::AddValues(int column, const std::vector<std::string>& values) {
    return Changed([&] {
        CheckColumn(column, Kind::Texts);
        m_StringColumns[static_cast<size_t>(column)].Append(values);
    });
}

bool CCsvTable::SetData(int column, int row, double value) {
    return Changed(
        [&] { CellColumn(m_DoubleColumns, column, row)[static_cast<size_t>(row)] = value; });
}

bool CCsvTable::SetString(int column, int row, const std::string& value) {
    return Changed(
        [&] { CellColumn(m_StringColumns, column, row).Set(static_cast<size_t>(row), value); });
}

bool CCsvTable::Append(const CCsvTable& other) {
    return Changed([&] {
        m_HeaderNames.insert(m_HeaderNames.end(), other.m_HeaderNames.begin(),
                             other.m_HeaderNames.end());
        m_SourceFiles.insert(m_SourceFiles.end(), other.m_SourceFiles.begin(),
                             other.m_SourceFiles.end());
        m_DoubleColumns.insert(m_DoubleColumns.end(), other.m_DoubleColumns.begin(),
                               other.m_DoubleColumns.end());
        m_StringColumns.insert(m_StringColumns.end(), other.m_StringColumns.begin(),
                               other.m_StringColumns.end());
    });
}

bool CCsvTable::RemoveColumn(int column) {
    return Changed([&] {
        if (column < 0 || column >= GetColumnCount())
            throw std::out_of_range(csv::kBadIndex);
        auto at = static_cast<std::ptrdiff_t>(column);
        m_HeaderNames.erase(m_HeaderNames.begin() + at);
        m_SourceFiles.erase(m_SourceFiles.begin() + at);
        if (static_cast<size_t>(column) < m_DoubleColumns.size())
            m_DoubleColumns.erase(m_DoubleColumns.begin() + at);
        if (static_cast<size_t>(column) < m_StringColumns.size())
            m_StringColumns.erase(m_StringColumns.begin() + at);
    });
}

CCsvRange CCsvTable::GetRange(int columnA, int rowA, int columnB, int rowB) const {
    return CCsvRange{columnA, rowA, columnB, rowB, this};
}

CCsvTable operator+(const CCsvTable& first, const CCsvTable& second) {
    CCsvTable sum(first);
    sum.Append(second);
    return sum;
}
