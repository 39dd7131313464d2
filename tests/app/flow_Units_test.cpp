// The pieces of the flow that run without windows: channel records, trigger thresholds, the log
// entry and the whole-or-nothing export file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/flow/ExportFile.h"
#include "app/flow/LogEntry.h"
#include "app/flow/TriggerThreshold.h"
#include "foundation/Units.h"
#include "pages/common/ChannelRecord.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct TempFolder {
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kq-flow-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

TEST(ChannelRecord, TorqueUnitsThenTheScalingAndCorruptBytesClamped) {
    ChannelRecord record;
    ResetChannelRecord(record, 0);
    BuildUnitList(record, 'D', FALSE, TRUE, "kp", 2.5);
    ASSERT_GT(record.iUnitCount, 1);
    EXPECT_EQ(record.astrUnit[record.iUnitCount], "kp");
    EXPECT_EQ(record.adUnitFactor[record.iUnitCount], 2.5);
    EXPECT_EQ(record.adUnitFactor[0], GetTorqueUnitFactor(0));
    TakeOverConfigBytes(record, record.iUnitCount, 40, 255, 7, 0);
    EXPECT_EQ(record.iUnitIndex, record.iUnitCount);  // the scaling may be chosen
    EXPECT_EQ(record.CurrentUnitText(), "kp");
    EXPECT_EQ(record.iDecimals, 7);
    EXPECT_EQ(record.iAveraging, 9);
    EXPECT_EQ(record.iSignInversion, 0);
    TakeOverConfigBytes(record, 200, 3, 2, 1, 1);
    EXPECT_EQ(record.iUnitIndex, 1);  // out of the list: the default unit
    EXPECT_EQ(record.iSignInversion, 1);
    EXPECT_EQ(ClampViewState(9), 1);

    // Without a usable scaling the slot reads "n.a." and cannot be chosen.
    BuildUnitList(record, 'D', FALSE, TRUE, "kp", 0.0);
    TakeOverConfigBytes(record, record.iUnitCount, 2, 2, 0, 0);
    EXPECT_EQ(record.iUnitIndex, 0);
    EXPECT_EQ(record.astrUnit[record.iUnitCount], "n.a.");

    // A letter without a table lists the other quantity's units; 'Y' with the angle flag angles.
    ChannelRecord other;
    BuildUnitList(other, '?', FALSE, FALSE, "", 0.0);
    ChannelRecord misc;
    BuildUnitList(misc, 'X', FALSE, FALSE, "", 0.0);
    EXPECT_EQ(other.iUnitCount, misc.iUnitCount);
    EXPECT_EQ(other.astrUnit[0], misc.astrUnit[0]);
    ChannelRecord angle;
    BuildUnitList(angle, 'Y', TRUE, FALSE, "", 0.0);
    double factor = 0;
    EXPECT_EQ(angle.aiUnitId[0], GetAngleUnit(0, factor));

    ResetChannelRecord(record, 4);
    EXPECT_EQ(record.astrUnit[0], "n.a.");
    EXPECT_EQ(record.iDecimals, 2);
    EXPECT_EQ(record.ucViewState, 3);
}

TEST(TriggerThreshold, HysteresisArmsBeforeTheLevelFires) {
    BYTE armed = 0;
    EXPECT_FALSE(CheckThreshold(0, 11, 10, 2, armed));
    EXPECT_FALSE(CheckThreshold(0, 12, 10, 2, armed));
    EXPECT_FALSE(CheckThreshold(0, 7, 10, 2, armed));
    EXPECT_EQ(armed, 1);
    EXPECT_FALSE(CheckThreshold(0, 9.9, 10, 2, armed));
    EXPECT_TRUE(CheckThreshold(0, 10.0, 10, 2, armed));

    armed = 0;  // hysteresis 0: at the level it arms and fires at once
    EXPECT_TRUE(CheckThreshold(0, 5, 5, 0, armed));
    armed = 0;
    EXPECT_FALSE(CheckThreshold(1, 1, 5, 1, armed));  // falling: unarmed below the level
    EXPECT_FALSE(CheckThreshold(1, 6, 5, 1, armed));
    EXPECT_TRUE(CheckThreshold(1, 5, 5, 1, armed));
    armed = 1;
    EXPECT_FALSE(CheckThreshold(2, 100, 5, 1, armed));
    EXPECT_FALSE(CheckThreshold(0, std::nan(""), 5, 1, armed));
}

TEST(LogEntry, AnExtraTextReplacesTheDumpAndTheDumpHasItsLayout) {
    LogEntryParts parts;
    parts.prefix = "SYSINFO\n";
    parts.started = TRUE;
    parts.dateText = "07.12.2026";
    parts.timeText = "15:00:00";
    parts.serial = 3000000000u;
    parts.eventText = "OnCloseApp()";
    parts.extraText = "extra\n";
    const CString extra = BuildLogEntry(parts);
    EXPECT_EQ(extra.Find("Byte-Index"), -1);
    EXPECT_NE(extra.Find("Stator Serien Nr.: 3000000000   \"OnCloseApp()\"\n"), -1);
    EXPECT_NE(extra.Find("* Anwendung wurde gestartet *"), -1);
    EXPECT_TRUE(extra.Right(6) == "extra\n");

    CMemoryBlockRecord block;
    block.pszName = "Block";
    block.strLastRead = CString("AB");
    parts.blocks[0] = &block;
    parts.extraText = nullptr;
    parts.eventText = nullptr;
    parts.started = FALSE;
    parts.checkedA = TRUE;
    parts.shownB = TRUE;
    const CString dump = BuildLogEntry(parts);
    const CString expectedHead =
        "SYSINFO\nKQ7-B Version: 2.04  07.12.2026 15:00:00   Stator Serien Nr.: 3000000000   "
        "\"Sensor Verbunden\"\n" +
        CString('-', 69) + "\nByte-Index                                         0|";
    EXPECT_EQ(dump.Left(expectedHead.GetLength()), expectedHead);
    EXPECT_NE(dump.Find("READ  CHECK 0       Block                         "), -1);
    EXPECT_NE(dump.Find("WRITE CHECK 0       Block                         leer\n"), -1);
    EXPECT_NE(dump.Find("READ  CHECK 7                                     leer\n"), -1);
    const CString tail =
        "   Checkbox:\n---------\n\t\tKanal A: X\n\t\tKanal B:  \nMessanzeige:\n---------\n"
        "\t\tKanal A:  \n\t\tKanal B: X\n";
    EXPECT_EQ(dump.Right(tail.GetLength()), tail);
    EXPECT_EQ(BuildLogPrefix(true, true, false, "S"), "S");
    EXPECT_EQ(BuildLogPrefix(false, false, true, "S"), "\n\nS");
    EXPECT_EQ(BuildLogPrefix(false, true, true, "S"), "\n\n");
}

// The commit (after a write ahead, if asked) in a child whose files may not grow past limit
// bytes.
bool CommitUnderSizeLimit(CExportFile& file, rlim_t limit, bool ahead = false) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
        if (ahead)
            file.WriteAhead();
        _exit(file.Commit() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    file.Discard();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ExportFile, WholeBlocksOrNothing) {
    TempFolder folder;
    const std::string path = folder / "values.csv";
    CExportFile file;
    ASSERT_TRUE(file.Open(path, "HEAD\n"));
    EXPECT_FALSE(std::filesystem::exists(path));  // nothing before the end
    file.Append("rows\n");
    ASSERT_TRUE(file.Commit());
    ASSERT_TRUE(file.Open(path, "HEAD\n"));
    file.Append("more\n");
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadAll(path), "HEAD\nrows\nHEAD\nmore\n");

    const std::string big(256 * 1024, 'r');
    ASSERT_TRUE(file.Open(path, "HEAD\n"));
    file.Append(big);
    EXPECT_FALSE(CommitUnderSizeLimit(file, 64 * 1024));
    EXPECT_EQ(ReadAll(path), "HEAD\nrows\nHEAD\nmore\n");
    ASSERT_TRUE(file.Open(path, "MANUAL\n", true));  // a manual save replaces when complete
    file.Append(big);
    EXPECT_FALSE(CommitUnderSizeLimit(file, 64 * 1024));
    EXPECT_EQ(ReadAll(path), "HEAD\nrows\nHEAD\nmore\n");
    const std::string fresh = folder / "fresh.csv";
    ASSERT_TRUE(file.Open(fresh, "HEAD\n"));
    file.Append(big);
    EXPECT_FALSE(CommitUnderSizeLimit(file, 64 * 1024));
    EXPECT_FALSE(std::filesystem::exists(fresh));

    // A device is written directly and its failure reported.
    if (std::filesystem::exists("/dev/full")) {
        ASSERT_TRUE(file.Open("/dev/full", "HEAD\n", true));
        file.Append(big);
        EXPECT_FALSE(file.Commit());
        EXPECT_FALSE(file.Error().empty());
    }
}

TEST(ExportFile, WhatIsWrittenAheadAppearsOnlyWithTheCommit) {
    TempFolder folder;
    const std::string path = folder / "values.csv";
    const std::string rows(CExportFile::kChunk * 5 / 2, 'r');
    CExportFile file;
    ASSERT_TRUE(file.Open(path, "HEAD\n"));
    file.Text() += rows;
    file.WriteAhead();
    EXPECT_LT(file.Text().size(), CExportFile::kChunk);
    EXPECT_FALSE(std::filesystem::exists(path));
    file.Append("END\n");
    ASSERT_TRUE(file.Commit()) << file.Error();
    EXPECT_EQ(ReadAll(path), "HEAD\n" + rows + "END\n");
    EXPECT_EQ(file.BytesCommitted(), rows.size() + 9);

    // An append waits for the commit; a discarded or failed new file leaves nothing behind.
    ASSERT_TRUE(file.Open(path, "MORE\n"));
    file.Text() += rows;
    file.WriteAhead();
    EXPECT_EQ(file.Text().size(), rows.size() + 5);
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadAll(path).size(), 2 * rows.size() + 14);
    const std::string fresh = folder / "fresh.csv";
    ASSERT_TRUE(file.Open(fresh, "HEAD\n"));
    file.Text() += rows;
    file.WriteAhead();
    file.Discard();
    ASSERT_TRUE(file.Open(fresh, "HEAD\n"));
    file.Text() += rows;
    EXPECT_FALSE(CommitUnderSizeLimit(file, CExportFile::kChunk, true));
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path))
        ++entries;
    EXPECT_EQ(entries, 1u) << "only values.csv";
}

TEST(ExportFile, OnlyAWritableTargetOpens) {
    TempFolder folder;
    CExportFile file;
    std::ofstream(folder / "plain") << "x";
    EXPECT_FALSE(file.Open(folder / "plain/values.csv", ""));
    EXPECT_FALSE(file.Open(folder.path, ""));  // a folder of that name
    EXPECT_FALSE(file.Open(folder / "missing/values.csv", ""));
    if (::geteuid() != 0) {
        std::filesystem::permissions(folder / "plain", std::filesystem::perms::owner_read);
        EXPECT_FALSE(file.Open(folder / "plain", ""));
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
