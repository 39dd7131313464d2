// The CSV table against files: the exact bytes written, round trips of awkward doubles and of
// unequal columns, the reading of untidy files, the error texts and sentinels, lookups by file,
// and writes that fail without harming the old file.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <clocale>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "base/ScopedTempFolder.h"
#include "chart/CsvTable.h"

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class CsvTable : public ::testing::Test {
  protected:
    std::string File(const std::string& name) const { return folder_ / name; }
    kq::test::ScopedTempFolder folder_;
};

TEST_F(CsvTable, WritesTheExactBytesAndReadsThemBackAsTextsAndDoubles) {
    CCsvTable table(CCsvTable::RF_READ_AS_DOUBLE);
    table.AddColumn("X1", std::vector<double>{1, 2});
    table.AddColumn("Y1", std::vector<double>{0.5, 0.25});
    ASSERT_TRUE(table.Write(File("a.csv"), ";"));
    EXPECT_EQ(Slurp(File("a.csv")), "X1;Y1\r\n1;0.5\r\n2;0.25\r\n");

    CCsvTable texts;
    texts.SetSeparator(";");
    ASSERT_TRUE(texts.Read(File("a.csv"), CCsvTable::READ_AS_STRING));
    std::string text;
    ASSERT_EQ(texts.GetHeaderName(1, text), 2);
    EXPECT_EQ(text, "Y1");
    EXPECT_EQ(texts.GetString("Y1", 1, text), 4);
    EXPECT_EQ(text, "0.25");
    char small[3];
    EXPECT_EQ(texts.GetString(1, 1, small, sizeof small), 4);
    EXPECT_STREQ(small, "0.");

    CCsvTable numbers;
    numbers.SetSeparator(";");
    ASSERT_TRUE(numbers.Read(File("a.csv"), CCsvTable::RF_READ_AS_DOUBLE));
    EXPECT_EQ(numbers.GetRowCount(0), 2);
    EXPECT_EQ(numbers.GetData("X1", 1), 2.0);
    EXPECT_EQ(numbers.GetData(1, 0), 0.5);
}

TEST_F(CsvTable, AwkwardDoublesAndUnequalColumnsRoundTrip) {
    const std::vector<double> values = {0.1 + 0.2,
                                        5e-324,
                                        1.7976931348623157e308,
                                        -0.0,
                                        86399.25,
                                        3.0,
                                        -1234567.0,
                                        std::numeric_limits<double>::infinity()};
    CCsvTable table;
    table.AddColumn("v", values);
    table.AddColumn("short", std::vector<double>{7.0, 0.0, 8.0});
    ASSERT_TRUE(table.Write(File("b.csv"), ","));
    CCsvTable back(File("b.csv"), CCsvTable::RF_READ_AS_DOUBLE);
    ASSERT_EQ(back.GetRowCount(0), static_cast<int>(values.size()));
    EXPECT_EQ(back.GetRowCount(1), 3);  // the empty fields after its end are dropped
    EXPECT_EQ(back.GetData(1, 1), 0.0);
    for (size_t i = 0; i < values.size(); ++i) {
        double v = back.GetData(0, static_cast<int>(i));
        EXPECT_EQ(v, values[i]) << i;
        EXPECT_EQ(std::signbit(v), std::signbit(values[i])) << i;
    }
    EXPECT_NE(Slurp(File("b.csv")).find("\r\n86399.25,\r\n3,\r\n"), std::string::npos);
}

TEST_F(CsvTable, UntidyFilesReadLineByLine) {
    // A BOM, CR LF and LF lines, a blank line, a short row, a long row, a NUL byte and no final
    // line end; an empty field inside a column is 0.
    std::string bytes =
        "\xEF\xBB\xBF"
        "a;b;c\r\n1;2;3\n\n4;;6;99;100\r\n7\n" +
        std::string("8;9\0x;", 6) + std::string(100000, '5');
    Put(File("c.csv"), bytes);
    CCsvTable table;
    table.SetSeparator(";");
    ASSERT_TRUE(table.Read(File("c.csv"), CCsvTable::RF_READ_AS_DOUBLE));
    ASSERT_EQ(table.GetColumnCount(), 3);
    std::vector<double> b;
    ASSERT_EQ(table.GetColumn("b", b), 4);
    EXPECT_EQ(b, (std::vector<double>{2, 0, 0, 9}));  // "9" stops at the NUL byte
    std::vector<double> c;
    ASSERT_EQ(table.GetColumn(2, c), 4);
    EXPECT_EQ(c[1], 6.0);
    EXPECT_EQ(c[2], 0.0);
    EXPECT_TRUE(std::isinf(c[3]));  // 100,000 digits read as one (too large) number
    EXPECT_EQ(table.GetRowCount(0), 4);

    // As texts an empty field inside a column is ""; a text changed in length leaves the others.
    CCsvTable texts;
    texts.SetSeparator(";");
    ASSERT_TRUE(texts.Read(File("c.csv"), CCsvTable::READ_AS_STRING));
    ASSERT_TRUE(texts.SetString(1, 1, "longer"));
    ASSERT_TRUE(texts.SetString(1, 0, ""));
    std::vector<std::string> textsOfB;
    ASSERT_EQ(texts.GetColumn("b", textsOfB), 4);
    EXPECT_EQ(textsOfB, (std::vector<std::string>{"", "longer", "", std::string("9\0x", 3)}));

    // A decimal comma with ";" reads as the point; with "," it is the separator.
    Put(File("d.csv"), "x;y\n0,5;1.5e3\n");
    CCsvTable comma;
    comma.SetSeparator(";");
    ASSERT_TRUE(comma.Read(File("d.csv"), CCsvTable::RF_READ_AS_DOUBLE));
    EXPECT_EQ(comma.GetData(0, 0), 0.5);
    EXPECT_EQ(comma.GetData(1, 0), 1500.0);

    // Header only: columns without rows; an empty file: an empty table.
    Put(File("e.csv"), "only,head\r\n");
    CCsvTable header(File("e.csv"), CCsvTable::RF_READ_AS_DOUBLE);
    EXPECT_EQ(header.GetColumnCount(), 2);
    EXPECT_EQ(header.GetMaxRowCount(), 0);
    Put(File("f.csv"), "");
    CCsvTable empty(File("f.csv"), CCsvTable::READ_AS_STRING);
    EXPECT_EQ(empty.GetColumnCount(), 0);
    EXPECT_TRUE(empty.GetErrorText().empty());
}

TEST_F(CsvTable, LargeFilesReadAndWriteAsTheirTextAndFailedReadsAddNothing) {
    // Megabytes of CR LF lines of every length around a field longer than a megabyte: the file
    // is read a piece at a time, its lines cut anywhere.
    std::string bytes =
        "\xEF\xBB\xBF"
        "a,b\r\n";
    for (int row = 0; bytes.size() < 3500000; ++row) {
        bytes += std::to_string(row) + "," + std::string(static_cast<size_t>(row % 97), 'x');
        bytes += row == 20000 ? std::string(1500000, 'y') + "\r\n" : "\r\n";
    }
    Put(File("large.csv"), bytes);
    CCsvTable file;
    ASSERT_TRUE(file.Read(File("large.csv"), CCsvTable::READ_AS_STRING));
    CCsvTable text(CCsvTable::READ_AS_STRING);
    ASSERT_TRUE(text.ReadText(bytes, "text"));
    ASSERT_EQ(file.GetColumnCount(), 2);
    // Written back a piece at a time, the file holds the table's whole text.
    ASSERT_TRUE(text.Write(File("again.csv"), ","));
    EXPECT_EQ(Slurp(File("again.csv")), text.Format());
    EXPECT_GT(text.Format().size(), 3400000u);
    for (int c = 0; c < 2; ++c) {
        std::vector<std::string> fromFile;
        std::vector<std::string> fromText;
        file.GetColumn(c, fromFile);
        text.GetColumn(c, fromText);
        EXPECT_EQ(fromFile, fromText);
    }
    std::string name;
    file.GetHeaderName(0, name);
    EXPECT_EQ(name, "a");

    // What cannot be read (a folder) adds no column to those already there.
    file.SetReadFlags(CCsvTable::READ_AS_STRING | CCsvTable::RF_APPEND);
    EXPECT_FALSE(file.Read(folder_.Path(), file.GetReadFlags()));
    EXPECT_EQ(file.GetErrorText(),
              "ERROR 0012: The file could not be read!\nDetails: " + folder_.Path());
    EXPECT_EQ(file.GetColumnCount(), 2);
}

TEST_F(CsvTable, NumbersIgnoreAGermanProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous != nullptr ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no German locale on this system";
    CCsvTable table;
    table.AddColumn("v", std::vector<double>{2.5});
    bool written = table.Write(File("g.csv"), ";");
    CCsvTable back;
    back.SetSeparator(";");
    bool read = back.Read(File("g.csv"), CCsvTable::RF_READ_AS_DOUBLE);
    std::setlocale(LC_NUMERIC, saved.c_str());
    ASSERT_TRUE(written && read);
    EXPECT_EQ(Slurp(File("g.csv")), "v\r\n2.5\r\n");
    EXPECT_EQ(back.GetData(0, 0), 2.5);
}

TEST_F(CsvTable, FailuresGiveTheirTextsAndSentinels) {
    CCsvTable missing;
    EXPECT_FALSE(missing.Read(File("none.csv"), CCsvTable::RF_READ_AS_DOUBLE));
    EXPECT_EQ(missing.GetErrorText(), "ERROR 0007: File not found!\nDetails: " + File("none.csv"));

    Put(File("h.csv"), "a,b,c\n1,2\n");
    CCsvTable mismatch;
    EXPECT_THROW(mismatch.Read(File("h.csv"), CCsvTable::RF_READ_AS_DOUBLE), std::runtime_error);
    EXPECT_EQ(mismatch.GetErrorText(),
              "ERROR 0008: The Number of Headers is different than the Number of Data Columns!");

    CCsvTable texts("t", std::vector<std::string>{"x"});
    EXPECT_EQ(texts.GetData(0, 0), 1234567890987654400.0);
    EXPECT_EQ(texts.GetErrorText(),
              "ERROR 0004: GetData() was called while the dwReadFlags was not RF_READ_AS_DOUBLE.");
    CCsvTable numbers("n", std::vector<double>{1});
    std::string text;
    EXPECT_EQ(numbers.GetString(0, 0, text), -1);
    EXPECT_EQ(numbers.GetErrorText(),
              "ERROR 0003: GetString() was called while the dwReadFlags was not READ_AS_STRING.");
    EXPECT_EQ(numbers.GetData("m", 0), CCsvTable::kFailureValue);
    EXPECT_EQ(numbers.GetErrorText(), "ERROR 0005: Variable name not found!");
    EXPECT_EQ(numbers.GetData(0, 5), CCsvTable::kFailureValue);
    EXPECT_EQ(numbers.GetRowCount(3), -1);
    EXPECT_EQ(numbers.FindColumn("n", "other.csv"), -1);
    EXPECT_EQ(numbers.GetErrorText(), "ERROR 0006: Filename name not found!");

    // Appended across kinds: headers without columns are refused, never read past.
    CCsvTable mixed = numbers + texts;
    EXPECT_EQ(mixed.GetColumnCount(), 2);
    EXPECT_EQ(mixed.GetRowCount(1), -1);
    EXPECT_EQ(mixed.GetData(1, 0), CCsvTable::kFailureValue);
    EXPECT_FALSE(mixed.AddValue(1, 2.0));
}

TEST_F(CsvTable, AppendedFilesAreSearchedByFileAndRemovedByIndex) {
    Put(File("one.csv"), "t,v\n1,2\n");
    Put(File("two.csv"), "t,v\n3,4\n");
    CCsvTable table;
    ASSERT_TRUE(table.Read(File("one.csv"), CCsvTable::RF_READ_AS_DOUBLE));
    ASSERT_TRUE(table.Read(File("two.csv"), CCsvTable::RF_READ_AS_DOUBLE | CCsvTable::RF_APPEND));
    ASSERT_EQ(table.GetColumnCount(), 4);
    EXPECT_EQ(table.FindColumn("v"), 1);
    EXPECT_EQ(table.FindColumn("v", File("two.csv")), 3);
    EXPECT_EQ(table.FindColumn("t", File("two.csv"), 1), -1);
    EXPECT_EQ(table.GetData(table.FindColumn("v", File("two.csv")), 0), 4.0);

    // Duplicate names and shared source files: only entry 1 goes.
    ASSERT_TRUE(table.RemoveColumn(1));
    ASSERT_EQ(table.GetColumnCount(), 3);
    EXPECT_EQ(table.FindColumn("v"), 2);
    EXPECT_EQ(table.GetData(1, 0), 3.0);
    EXPECT_EQ(table.FindColumn("t", File("one.csv")), 0);
    EXPECT_FALSE(table.RemoveColumn(3));

    std::ostringstream range;
    range << table.GetRange(2, 0, 1, 5);
    EXPECT_EQ(range.str(), "t,v\r\n3,4\r\n");
}

TEST_F(CsvTable, RefusedAndFailedWritesKeepTheOldFile) {
    Put(File("keep.csv"), "old\r\n");
    CCsvTable texts("a;b", std::vector<std::string>{"x"});
    EXPECT_FALSE(texts.Write(File("keep.csv"), ";"));
    CCsvTable lines("a", std::vector<std::string>{"x\ny"});
    EXPECT_FALSE(lines.Write(File("keep.csv"), ","));
    EXPECT_FALSE(lines.Write(File("keep.csv"), ""));
    EXPECT_EQ(Slurp(File("keep.csv")), "old\r\n");

    CCsvTable big("v", std::vector<double>(100000, 0.123456789));
    EXPECT_FALSE(big.Write(folder_ / "no/such/folder.csv", ","));
    EXPECT_FALSE(big.GetErrorText().empty());

    // A file-size limit stops the write midway: false, and the old file stays.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = big.Write(File("keep.csv"), ",");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(written);
    EXPECT_EQ(Slurp(File("keep.csv")), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
