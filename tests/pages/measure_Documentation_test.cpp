// The documentation record's stored form and the texts written around the exported rows.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "pages/measurement/DocumentationTexts.h"

namespace dt = documentation_texts;

TEST(MeasureDocumentationRecord, DefaultsMatchTheGoldenBytes) {
    const DocumentationRecord record = DocumentationRecord::Defaults(0);
    std::array<uint8_t, 60> golden{};
    golden[16] = 1;    // show units
    golden[20] = 1;    // ';'
    golden[28] = ',';  // decimal separator
    golden[32] = 2;    // export size
    golden[48] = 60;
    golden[52] = 48;    // byte sum
    golden[56] = 0xCC;  // sum of running sums, 972
    golden[57] = 0x03;
    EXPECT_EQ(record.ToBytes(), golden);
    EXPECT_EQ(DocumentationRecord::Defaults(1000).decimalSeparator, '.');
    EXPECT_EQ(DocumentationRecord::Defaults(4000).decimalSeparator, ',');
}

TEST(MeasureDocumentationRecord, OnlyAWholeSealedInRangeBlobIsTaken) {
    DocumentationRecord stored = DocumentationRecord::Defaults(0);
    stored.measuredValueMode = 1;
    stored.lineEnd = 3;
    stored.Seal();
    const auto bytes = stored.ToBytes();
    DocumentationRecord out;
    ASSERT_TRUE(DocumentationRecord::FromBytes(bytes.data(), 60, 0, out));
    EXPECT_EQ(out.ToBytes(), bytes);

    for (size_t length : {0, 59, 61}) {
        std::vector<uint8_t> blob(bytes.begin(), bytes.end());
        blob.resize(length);
        EXPECT_FALSE(DocumentationRecord::FromBytes(blob.data(), length, 1000, out));
        EXPECT_EQ(out.ToBytes(), DocumentationRecord::Defaults(1000).ToBytes());
    }
    auto badSum = bytes;
    badSum[4] = 1;
    EXPECT_FALSE(DocumentationRecord::FromBytes(badSum.data(), 60, 0, out));
    // Sealed, but a mode out of range.
    stored.diagramMode = 7;
    stored.Seal();
    EXPECT_FALSE(DocumentationRecord::FromBytes(stored.ToBytes().data(), 60, 0, out));
    EXPECT_EQ(out.diagramMode, 0);
}

TEST(MeasureDocumentationRecord, CodesGiveTheirTextsAndTheClashIsSeen) {
    DocumentationRecord record = DocumentationRecord::Defaults(1000);
    const char* separators[] = {"\t", ";", ",", ".", " "};
    const char* lineEnds[] = {"\r\n", "\n\r", "\r", "\n"};
    for (int i = 0; i < 5; ++i) {
        record.columnSeparator = i;
        EXPECT_EQ(record.ColumnSeparatorText(), separators[i]);
        EXPECT_EQ(record.SeparatorsClash(), i == 3);
    }
    for (int i = 0; i < 4; ++i) {
        record.lineEnd = i;
        EXPECT_EQ(record.LineEndText(), lineEnds[i]);
    }
}

TEST(MeasureDocumentationTexts, AutomaticNamesPerMode) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 7;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 3;
    const CString stamp = dt::FormatFileStamp(local);
    EXPECT_EQ(stamp, "2026-12-07_09-05-03");
    const CString dirs[3] = {"/d/Messwerte/", "/d/IONIO", ""};
    const CString prefixes[3] = {"MW", "IONIO", "DM"};
    dt::AutoFileNames names = dt::MakeAutoFileNames(dirs, prefixes, stamp, 1);
    EXPECT_EQ(names.valuesIndexed, "/d/Messwerte/MW_2026-12-07_09-05-03");
    EXPECT_EQ(names.valuesConstant, "/d/Messwerte/MW");
    EXPECT_EQ(names.resultsIndexed, "/d/IONIO/IONIO_2026-12-07_09-05-03");
    EXPECT_EQ(names.resultsConstant, "/d/IONIO/IONIO");
    EXPECT_EQ(names.diagram, "DM_2026-12-07_09-05-03.bmp");
    EXPECT_EQ(dt::MakeDiagramFileName("/x", "DM", stamp, 2), "/x/DM.bmp");
}

namespace {

// A small CSV reader: fields of one record, quotes undone; lines end at the given text.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text, char separator,
                                              const std::string& lineEnd) {
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            rows.back().push_back(field);
            field.clear();
        } else if (text.compare(i, lineEnd.size(), lineEnd) == 0) {
            rows.back().push_back(field);
            field.clear();
            rows.emplace_back();
            i += lineEnd.size() - 1;
        } else {
            field += c;
        }
    }
    rows.pop_back();
    return rows;
}

dt::HeaderInput SampleHeader() {
    dt::HeaderInput in;
    in.headline = "Prüfstand; \"Nord\"";
    in.address = "Brevan S.A.S.\r\nRue 1\nFrance";
    in.comment = "a,b";
    in.dateLabel = "Datum";
    in.timeLabel = "Uhrzeit";
    in.startDate = "07.12.2026";
    in.startTime = "09:05:03";
    in.typeLabel = "Sensortyp";
    in.serialLabel = "Seriennummer";
    in.rangeLabel = "Messbereichsendwert";
    in.sensors.push_back({"T 7", "12345", "100,00 Nm"});
    in.columnTitles = {"Nr.", "A [Nm]", "B [1/min]"};
    return in;
}

}  // namespace

TEST(MeasureDocumentationTexts, HeadersParseBackForEverySeparatorAndLineEnd) {
    const char separators[] = {'\t', ';', ',', '.', ' '};
    const char* lineEnds[] = {"\r\n", "\n\r", "\r", "\n"};
    const dt::HeaderInput in = SampleHeader();
    for (int s = 0; s < 5; ++s) {
        for (int e = 0; e < 4; ++e) {
            DocumentationRecord record = DocumentationRecord::Defaults(0);
            record.columnSeparator = s;
            record.lineEnd = e;
            const CString header = dt::BuildHeader(record, in);
            const auto rows = ReadCsv(header.Str(), separators[s], lineEnds[e]);
            ASSERT_EQ(rows.size(), 11U) << s << " " << e;
            EXPECT_EQ(rows[0], std::vector<std::string>{"Prüfstand; \"Nord\""});
            EXPECT_EQ(rows[1], std::vector<std::string>{"Brevan S.A.S."});
            EXPECT_EQ(rows[3], std::vector<std::string>{"France"});
            EXPECT_EQ(rows[4], std::vector<std::string>{"a,b"});
            EXPECT_EQ(rows[5], (std::vector<std::string>{"Datum", "07.12.2026"}));
            EXPECT_EQ(rows[9], (std::vector<std::string>{"Messbereichsendwert", "100,00 Nm"}));
            EXPECT_EQ(rows[10], (std::vector<std::string>{"Nr.", "A [Nm]", "B [1/min]"}));
        }
    }
    // A line break or another control character in a title leaves the row on its one line.
    dt::HeaderInput broken = in;
    broken.columnTitles = {"Nr.", "A\r\n[Nm]", "B\x0b[1/min]"};
    const std::string header = dt::BuildHeader(DocumentationRecord::Defaults(0), broken).Str();
    size_t lines = 0;
    for (size_t at = header.find("\r\n"); at != std::string::npos; at = header.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 11U);
    EXPECT_NE(header.find("A  [Nm]"), std::string::npos);
    EXPECT_EQ(header.find('\x0b'), std::string::npos);
}

TEST(MeasureDocumentationTexts, StopAndResultBlocks) {
    DocumentationRecord record = DocumentationRecord::Defaults(0);
    dt::StopInput stop{"Stoppdatum", "Stoppzeit", "Dauer [s]", "Ende",
                       "08.12.2026", "01:00:00",  90000.5};
    EXPECT_EQ(dt::BuildStopBlock(record, stop),
              "\r\nStoppdatum;08.12.2026\r\nStoppzeit;01:00:00\r\nDauer [s];90000,500\r\nEnde\r\n");

    CValidation_IO_NIO judgement;
    const int measurand[2] = {0, 2};
    const CString limits[4] = {"1", "2", "", "5"};
    const double maxima[6] = {1.5, 0, 7.25, 0, 0, 0};
    dt::ResultInput in;
    const char* titles[5] = {"Messgröße", "Min", "Max", "Maximum", "Urteil"};
    for (int i = 0; i < 5; ++i)
        in.titles[i] = titles[i];
    const char* names[6] = {"A", "B", "C", "D", "P1", "P2"};
    for (int i = 0; i < 6; ++i)
        in.measurandNames[i] = names[i];
    for (int i = 0; i < 4; ++i)
        in.limits[i] = limits[i];
    in.passText = "IO";
    in.failText = "NIO";
    in.overallLabel = "Gesamt";
    in.decimals = 2;
    const CString head = "Messgröße;Min;Max;Maximum;Urteil\r\n";
    judgement.Evaluate(0, measurand, limits, maxima);
    EXPECT_EQ(dt::BuildResultBlock(record, judgement, in), head + "Gesamt;NIO\r\n");
    judgement.Evaluate(1, measurand, limits, maxima);
    EXPECT_EQ(dt::BuildResultBlock(record, judgement, in), head + "A;1;2;1,50;IO\r\nGesamt;IO\r\n");
    judgement.Evaluate(2, measurand, limits, maxima);
    EXPECT_EQ(dt::BuildResultBlock(record, judgement, in),
              head + "A;1;2;1,50;IO\r\nC;;5;7,25;NIO\r\nGesamt;NIO\r\n");
}
