// The CSV table's Write and Read of 20 columns of 17-digit values (doubles and texts) against
// two references timed in the same iterations: a raw write of the same bytes in the same folder
// (fwrite, flush and sync) or a raw read of them (read() into a buffer), and a plain loop that
// formats or parses the same values with std::to_chars / std::from_chars in memory. Counters:
// MB/s, the ratios to both references, ns per byte; targets for the tables of texts: at most 2x
// the to_chars or from_chars loop, and ns per byte at 1e6 rows at most 1.5x that at 1e4. The
// writes are timed on the steady clock (the sync waits for the disk), the reads in the thread's
// CPU time.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchTarget.h"
#include "chart/CsvTable.h"
#include "tests/base/ScopedTempFolder.h"

namespace {

constexpr int kColumns = 20;
constexpr int kSmallestRows = 10000;
constexpr int kLargestRows = 1000000;

// Removed with its files when the program ends.
const std::string& Folder() {
    static const kq::test::ScopedTempFolder folder;
    return folder.Path();
}

double Value(int column, int row) {
    return (row + 1) * 1.2345678901234567 + column * 0.1234567890123456;
}

CCsvTable MakeTable(int rows, bool texts) {
    CCsvTable table(texts ? CCsvTable::READ_AS_STRING : CCsvTable::RF_READ_AS_DOUBLE);
    for (int c = 0; c < kColumns; ++c) {
        std::vector<double> values(static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r)
            values[static_cast<size_t>(r)] = Value(c, r);
        if (!texts) {
            table.AddColumn("C" + std::to_string(c), values);
            continue;
        }
        std::vector<std::string> strings;
        strings.reserve(values.size());
        for (double v : values)
            strings.push_back(kq::chart::FormatCsvNumber(v));
        table.AddColumn("C" + std::to_string(c), strings);
    }
    return table;
}

void RawWrite(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fflush(file);
    ::fsync(fileno(file));
    std::fclose(file);
}

// The least a read of the file costs: read() into a buffer that holds it.
size_t RawRead(const std::string& path, std::string& buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    size_t got = 0;
    for (ssize_t n; fd >= 0 && got < buffer.size() &&
                    (n = ::read(fd, buffer.data() + got, buffer.size() - got)) > 0;)
        got += static_cast<size_t>(n);
    if (fd >= 0)
        ::close(fd);
    return got;
}

// Formats every value of the table with to_chars into one buffer.
size_t FormatLoop(int rows) {
    std::string out;
    char buffer[32];
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            auto end = std::to_chars(buffer, buffer + sizeof buffer, Value(c, r)).ptr;
            out.append(buffer, end);
            out += c + 1 < kColumns ? ',' : '\n';
        }
    return out.size();
}

// Parses every field of the bytes with from_chars.
double ParseLoop(const std::string& bytes) {
    double sum = 0.0;
    const char* p = bytes.data() + bytes.find('\n') + 1;
    const char* end = bytes.data() + bytes.size();
    while (p < end) {
        double v = 0.0;
        p = std::from_chars(p, end, v).ptr;
        sum += v;
        while (p < end && (*p == ',' || *p == '\r' || *p == '\n'))
            ++p;
    }
    return sum;
}

// The ns per byte of the smallest table of each kind, for the larger ones' growth target.
double& SmallestNsPerByte(bool reading, bool texts) {
    static double smallest[2][2] = {};
    return smallest[reading][texts];
}

void Report(benchmark::State& state, bool reading, double bytes, double op, double raw,
            double conv) {
    const double n = static_cast<double>(state.iterations());
    const bool texts = state.range(1) != 0;
    const double nsPerByte = op / n / bytes * 1e9;
    state.counters["MB/s"] = bytes * n / op / 1e6;
    state.counters["x_raw"] = op / raw;
    state.counters["ns_per_byte"] = nsPerByte;
    state.counters["x_charconv"] = op / conv;
    if (!texts)
        return;  // the targets name the tables of texts
    kqbench::Targets targets(state);
    targets.AtMost("x_charconv", op / conv, 2.0);
    double& smallest = SmallestNsPerByte(reading, texts);
    if (state.range(0) == kSmallestRows)
        smallest = nsPerByte;
    else if (state.range(0) == kLargestRows && smallest > 0)
        targets.AtMost("x_ns_per_byte_of_1e4", nsPerByte / smallest, 1.5);
}

void BM_CsvWrite(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const bool texts = state.range(1) != 0;
    CCsvTable table = MakeTable(rows, texts);
    const std::string path = Folder() + "/write.csv";
    const std::string rawPath = Folder() + "/raw.csv";
    const std::string bytes = table.Format();
    double op = 0, raw = 0, conv = 0;
    for (auto _ : state) {
        const double t =
            kqbench::Seconds([&] { benchmark::DoNotOptimize(table.Write(path, ",")); });
        op += t;
        state.SetIterationTime(t);
        raw += kqbench::Seconds([&] { RawWrite(rawPath, bytes); });
        conv += kqbench::Seconds([&] { benchmark::DoNotOptimize(FormatLoop(rows)); });
    }
    Report(state, false, static_cast<double>(bytes.size()), op, raw, conv);
    std::filesystem::remove(path);
    std::filesystem::remove(rawPath);
}

void BM_CsvRead(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const bool texts = state.range(1) != 0;
    const std::string path = Folder() + "/read.csv";
    MakeTable(rows, false).Write(path, ",");
    std::string bytes(std::filesystem::file_size(path), '\0');
    std::string buffer = bytes;
    RawRead(path, bytes);
    double op = 0, raw = 0, conv = 0;
    // The file stays in the page cache: reading it waits on nothing, so the thread's CPU time
    // is the whole cost of each, and a core taken away for a while does not count.
    for (auto _ : state) {
        CCsvTable table;
        const double t = kqbench::CpuSeconds([&] {
            benchmark::DoNotOptimize(
                table.Read(path, texts ? CCsvTable::READ_AS_STRING : CCsvTable::RF_READ_AS_DOUBLE));
        });
        op += t;
        state.SetIterationTime(t);
        raw += kqbench::CpuSeconds([&] { benchmark::DoNotOptimize(RawRead(path, buffer)); });
        conv += kqbench::CpuSeconds([&] { benchmark::DoNotOptimize(ParseLoop(bytes)); });
    }
    Report(state, true, static_cast<double>(bytes.size()), op, raw, conv);
    std::filesystem::remove(path);
}

BENCHMARK(BM_CsvWrite)
    ->ArgsProduct({{kSmallestRows, 100000, kLargestRows}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvRead)
    ->ArgsProduct({{kSmallestRows, 100000, kLargestRows}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
