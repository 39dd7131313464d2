// The CSV body over random separators, line ends, decimals, columns, curves and unit texts:
// never a crash, and every row holds the same number of separators outside quotes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/flow/CsvBody.h"
#include "tests/app/flow_Fakes.h"

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    uint8_t Byte() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    double Value() {
        double v = 0;
        uint8_t bytes[8];
        for (uint8_t& b : bytes)
            b = Byte();
        std::memcpy(&v, bytes, sizeof v);
        return v;
    }
};

size_t SeparatorsOutsideQuotes(const std::string& line, char separator) {
    size_t count = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == separator)
            ++count;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    static const char* const kSeparators[] = {"\t", ";", ",", ".", " "};
    CsvLayout layout;
    layout.separator = kSeparators[in.Byte() % 5];
    layout.lineEnd = "\n";  // one line end, so rows split cleanly
    layout.decimalComma = in.Byte() & 1;
    const int columns = in.Byte() % 8;
    for (int c = 0; c < columns; ++c)
        layout.columns.push_back(static_cast<int>(in.Byte() % 8) - 1);
    layout.xChannel = static_cast<int>(in.Byte() % 8) - 1;
    flowtest::FakeDiagram diagram;
    for (int c = 0; c < 6; ++c) {
        layout.decimals[c] = in.Byte() % 12;
        std::string unit;
        for (int n = in.Byte() % 6; n > 0; --n)
            unit += static_cast<char>(in.Byte());
        layout.unitText[c] = CsvUnitText(unit);
        std::vector<double> values(in.Byte() % 5);
        for (double& v : values)
            v = in.Value();
        diagram.Fill(c, values);
    }
    layout.rowCount = CsvRowCount(layout, diagram, in.Byte() & 1, in.Value(), in.Byte() & 1);
    std::string out;
    WriteCsvRows(layout, diagram, out);
    size_t expected = SIZE_MAX;
    size_t at = 0;
    while (at < out.size()) {
        size_t end = out.find('\n', at);
        // A line end inside a quoted unit text would split a row: none may be there.
        if (end == std::string::npos)
            std::abort();
        const size_t count = SeparatorsOutsideQuotes(out.substr(at, end - at), layout.separator[0]);
        if (expected != SIZE_MAX && count != expected)
            std::abort();
        expected = count;
        at = end + 1;
    }
    return 0;
}
