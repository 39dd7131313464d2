// The measured-value files as other programs read them: every separator the documentation page
// offers, with and without units and with either decimal sign, read back by Python's csv module;
// and a run's last row, which is the last value set measured.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "flow_FrameFixture.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

// Prints each row as "number|A value|A unit|B value|B unit", the values as Python's floats;
// rows that split into more or fewer fields print "bad|" and the row.
constexpr char kReader[] = R"(import csv, re, sys
path, delimiter = sys.argv[1], sys.argv[2]
with open(path, newline='', encoding='cp1252') as f:
    lines = f.read().splitlines(True)[1:-1]
for row in csv.reader(lines, delimiter=delimiter, skipinitialspace=delimiter == ' '):
    fields = [field for field in row if field != '']
    parts = [re.match(r'^(-?[0-9]+(?:[.,][0-9]+)?)(?: (.+))?$', field) for field in fields[1:]]
    if len(fields) != 3 or None in parts:
        print('bad|' + '|'.join(row))
        continue
    out = [fields[0]]
    for m in parts:
        out += [repr(float(m.group(1).replace(',', '.'))), m.group(2) or '']
    print('|'.join(out))
)";

std::string RunReader(const std::string& script, const std::string& file, char delimiter) {
    const std::string command =
        "/usr/bin/python3 '" + script + "' '" + file + "' '" + std::string(1, delimiter) + "'";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            out += buffer;
        ::pclose(pipe);
    }
    return out;
}

class Files : public Flow {};

TEST_F(Files, EveryFieldReadsBackAsItsNumberAndUnitWhateverTheSeparator) {
    MeasurementForTest edit(*frame_);
    const std::string script = folder_ / "reader.py";
    std::ofstream(script) << kReader;
    frame_->m_adUnitFactor[0] = 0.5;   // 487 counts: 243.5
    frame_->m_adUnitFactor[1] = 0.25;  // 40 counts: 10.00
    edit.Flow().m_aChannelRecords[0].iDecimals = 1;
    edit.Flow().m_aChannelRecords[1].iDecimals = 2;
    const CString unitA = frame_->RecordOfChannel(0).CurrentUnitText();
    const CString unitB = frame_->RecordOfChannel(1).CurrentUnitText();
    documentation_.valueMode = 1;
    const std::string file = documentation_.valueDir.GetString() + std::string("/indexed.csv");
    for (const char* separator : {"\t", ";", ",", ".", " "}) {
        for (BOOL units : {TRUE, FALSE}) {
            for (int decimalLanguage : {0, 1000}) {
                SCOPED_TRACE(std::string("separator '") + separator + "' units " +
                             std::to_string(units) + " language " +
                             std::to_string(decimalLanguage));
                std::filesystem::remove(file);
                diagram_ = FakeDiagram();
                documentation_.separator = separator;
                documentation_.units = units;
                documentation_.decimalLanguage = decimalLanguage;
                frame_->SetupMeasureValueFile(0);
                Set(487, 40);
                Set(-3, 4000);
                frame_->FinishMeasurement();
                const CString a = units ? unitA : CString();
                const CString b = units ? unitB : CString();
                const std::string expected = "0|243.5|" + std::string(a.GetString()) + "|10.0|" +
                                             b.GetString() + "\n1|-1.5|" + a.GetString() +
                                             "|1000.0|" + b.GetString() + "\n";
                EXPECT_EQ(RunReader(script, file, separator[0]), expected);
            }
        }
    }
}

// At a slow rate the load moves between value sets: the last row is the last set, not the one
// before written again.
TEST_F(Files, TheLastRowIsTheLastValueSetMeasured) {
    config_.stopCondition = 1;
    frame_->TakeOverStartStopConditions();
    Measure({5, 6, 7});
    ASSERT_EQ(diagram_.y[0].size(), 3u);
    EXPECT_EQ(diagram_.y[0].back(), 7);
}

}  // namespace
}  // namespace apptest
