// The value formatter against snprintf of the same numbers: best-unit mode over values spread
// over every decade (snprintf given the same decimals), and append-unit mode against snprintf of
// number, blank and unit.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "kq_res.h"
#include "pages/common/DisplayHelper.h"
#include "platform/base/Resource.h"

namespace {

constexpr int kValues = 100000;

struct Inputs {
    Inputs() {
        kq::InstallResources(kq_res_bundle());
        unsigned state = 777u;
        for (int i = 0; i < kValues; ++i) {
            state = state * 1103515245u + 12345u;
            const double mantissa = 1.0 + ((state >> 8) % 9000) / 1000.0;
            const double value = mantissa * std::pow(10.0, i % 17 - 2);
            char text[40];
            std::snprintf(text, sizeof text, "%.6g", value);
            texts.emplace_back(text);
            values.push_back(value);
        }
    }
    std::vector<CString> texts;
    std::vector<double> values;
};

const Inputs& TheInputs() {
    static const Inputs inputs;
    return inputs;
}

class OneUnit : public IChannelUnitSource {
  public:
    int GetRecordOfChannel(int channel) const override { return channel; }
    char GetChannelUnitLetter(int) const override { return 'D'; }
    int GetChannelUnitIndex(int) const override { return 0; }
    bool GetChannelUnitText(int, int, CString& text) const override {
        text = "N·m";
        return true;
    }
};

void BM_BestUnit_FormatValue(benchmark::State& state) {
    const Inputs& in = TheInputs();
    CDisplayHelper helper;
    for (auto _ : state) {
        for (const CString& text : in.texts)
            benchmark::DoNotOptimize(helper.FormatValue(0, text, 'D', 1));
    }
}
BENCHMARK(BM_BestUnit_FormatValue)->Unit(benchmark::kMillisecond);

void BM_BestUnit_Reference_Snprintf(benchmark::State& state) {
    const Inputs& in = TheInputs();
    char text[64];
    for (auto _ : state) {
        for (size_t i = 0; i < in.values.size(); ++i) {
            const int decimals = static_cast<int>(i % 3);
            std::snprintf(text, sizeof text, "%.*f", decimals, in.values[i]);
            benchmark::DoNotOptimize(text);
        }
    }
}
BENCHMARK(BM_BestUnit_Reference_Snprintf)->Unit(benchmark::kMillisecond);

void BM_AppendUnit_FormatValue(benchmark::State& state) {
    const Inputs& in = TheInputs();
    OneUnit units;
    CDisplayHelper helper;
    helper.SetChannelUnits(&units);
    for (auto _ : state) {
        for (const CString& text : in.texts)
            benchmark::DoNotOptimize(helper.FormatValue(0, text, 0, 0));
    }
}
BENCHMARK(BM_AppendUnit_FormatValue)->Unit(benchmark::kMillisecond);

void BM_AppendUnit_Reference_Snprintf(benchmark::State& state) {
    const Inputs& in = TheInputs();
    char text[96];
    for (auto _ : state) {
        for (const CString& number : in.texts) {
            std::snprintf(text, sizeof text, "%s %s", number.GetString(), "N·m");
            benchmark::DoNotOptimize(text);
        }
    }
}
BENCHMARK(BM_AppendUnit_Reference_Snprintf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
