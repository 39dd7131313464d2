// CSV tables from arbitrary bytes: read with every flag combination and four separators through
// the code that reads files. The header and column counts agree, no column has more rows than
// the input has lines, and a text table of two or more columns that can be written reads back
// equal from what writing would put in the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "chart/CsvTable.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<std::vector<std::string>> Texts(CCsvTable& table) {
    std::vector<std::vector<std::string>> columns(static_cast<size_t>(table.GetColumnCount()));
    for (int c = 0; c < table.GetColumnCount(); ++c) {
        std::string name;
        table.GetHeaderName(c, name);
        columns[static_cast<size_t>(c)].push_back(name);
        std::vector<std::string> values;
        if (table.GetColumn(c, values) >= 0)
            columns[static_cast<size_t>(c)].insert(columns[static_cast<size_t>(c)].end(),
                                                   values.begin(), values.end());
    }
    return columns;
}

void RoundTrip(CCsvTable& table) {
    if (table.GetColumnCount() < 2 || !table.IsWritable())
        return;
    std::string first;
    table.GetHeaderName(0, first);
    // A name that starts with a byte-order mark loses it on reading, as a file's first bytes do.
    if (first.rfind("\xEF\xBB\xBF", 0) == 0)
        return;
    CCsvTable back(table.GetReadFlags());
    back.SetSeparator(table.GetSeparator());
    Check(back.ReadText(table.Format(), "again"));
    Check(Texts(back) == Texts(table));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    size_t lines = 1;
    for (char c : text)
        lines += c == '\n';
    for (const char* separator : {",", ";", "\t", "; "}) {
        for (DWORD flags = 0; flags < 8; ++flags) {
            CCsvTable table(flags);
            table.SetSeparator(separator);
            try {
                Check(table.ReadText(text, "fuzz"));
            } catch (const std::runtime_error&) {
                continue;
            }
            Check(table.GetColumnCount() >= 0);
            for (int c = 0; c < table.GetColumnCount(); ++c)
                Check(table.GetRowCount(c) < static_cast<int>(lines));
            if ((flags & (CCsvTable::RF_READ_AS_DOUBLE | CCsvTable::READ_AS_STRING)) ==
                CCsvTable::READ_AS_STRING)
                RoundTrip(table);
        }
    }
    return 0;
}
