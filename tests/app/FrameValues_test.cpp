// What the frame computes without windows: clock and date texts, status texts, settings names and
// codes, the view-state record, the window table and the page order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/SettingsValues.h"
#include "app/StatusTexts.h"
#include "app/WindowTable.h"
#include "foundation/ClockTexts.h"
#include "foundation/Environment.h"
#include "foundation/Language.h"
#include "foundation/SharedConstants.h"
#include "pages/common/PageTable.h"
#include "platform/framework/Framework.h"

namespace {

TEST(ClockTexts, TimeDateAndDurationFollowTheLanguage) {
    EXPECT_EQ(FormatTimePaneText(12, 30, LANGUAGE_ENGLISH), " 12:30 PM");
    EXPECT_EQ(FormatTimePaneText(0, 15, LANGUAGE_ENGLISH), " 12:15 AM");
    EXPECT_EQ(FormatTimePaneText(23, 5, LANGUAGE_ENGLISH), " 11:05 PM");
    EXPECT_EQ(FormatTimePaneText(9, 5, LANGUAGE_GERMAN), " 09:05 Uhr");
    EXPECT_EQ(FormatTimePaneText(9, 5, LANGUAGE_FRENCH), " 09:05 ");
    EXPECT_EQ(FormatDateText(24, 12, 2026, LANGUAGE_ENGLISH), " 12/24/2026 ");
    EXPECT_EQ(FormatDateText(4, 7, 2026, LANGUAGE_GERMAN), " 04.07.2026 ");
    EXPECT_EQ(FormatDateText(31, 12, 1969, LANGUAGE_GERMAN), "n.a.");
    EXPECT_EQ(FormatDateText(1, 13, 2026, LANGUAGE_GERMAN), "n.a.");
    EXPECT_EQ(FormatDateText(0, 1, 2026, LANGUAGE_GERMAN), "n.a.");
    EXPECT_EQ(FormatTimeText(3600 * 25 + 61), " 01:01:01");
}

TEST(StatusTexts, NoTextIsAFormatAndCutsKeepWholeCharacters) {
    EXPECT_EQ(CollapseDoubledPercent("%s"), "%s");
    EXPECT_EQ(CollapseDoubledPercent("50 %"), "50 %");
    EXPECT_EQ(CollapseDoubledPercent("50 %%"), "50 %");
    const CString umlauts = "\xC3\xA4\xC3\xB6\xC3\xBC";  // äöü
    EXPECT_EQ(CutUtf8(umlauts, 3), "\xC3\xA4");
    EXPECT_EQ(CutUtf8(umlauts, 4), "\xC3\xA4\xC3\xB6");
    EXPECT_EQ(CutUtf8("abc", 255), "abc");
}

TEST(StatusTexts, ConversionSpeedTurnsIntoMegabytesAt500) {
    EXPECT_EQ(
        FormatConversionProgress("Bitte warten... (Speicherfortschritt:", "Speichergeschwindigkeit",
                                 "s", 42.0, 123.0, true, LANGUAGE_GERMAN),
        "Bitte warten... (Speicherfortschritt: 42 %  Speichergeschwindigkeit: 123 KB/s)");
    EXPECT_EQ(FormatConversionProgress("W", "S", "s", 42.0, 499.9, true, LANGUAGE_GERMAN),
              "W 42 %  S: 500 KB/s)");
    EXPECT_EQ(FormatConversionProgress("W", "S", "s", 42.0, 500.0, true, LANGUAGE_GERMAN),
              "W 42 %  S: 0,5 MB/s)");
    EXPECT_EQ(FormatConversionProgress("W", "S", "sec", 7.0, 2048.0, true, LANGUAGE_ENGLISH),
              "W  7 %  S: 2.0 MB/sec)");
    EXPECT_EQ(FormatConversionProgress("W", "S", "s", 42.0, 1.0, false, LANGUAGE_GERMAN),
              "W 42 %)");
    EXPECT_EQ(FormatConversionProgress("W", "S", "s", 42.0, 1.0 / 0.0, true, LANGUAGE_GERMAN),
              "W 42 %)");
}

TEST(SettingsValues, NamesLanguagesVersionsAndFlags) {
    EXPECT_EQ(PortEntryName(7, "State  ID"), "007_State  ID");
    EXPECT_EQ(PortEntryName(255, "Name"), "255_Name");
    EXPECT_EQ(MapLanguageOffset(0), 0);
    EXPECT_EQ(MapLanguageOffset(1000), 1000);
    EXPECT_EQ(MapLanguageOffset(2000), 4000);
    EXPECT_EQ(MapLanguageOffset(3000), 1000);
    EXPECT_EQ(MapLanguageOffset(5), 1000);
    EXPECT_EQ(MapLanguageOffset(4000), 1000);
    EXPECT_EQ(StoredLanguageOffset(4000), 2000);
    EXPECT_EQ(SettingsVersionText(" 2.04 "), "2.04");
    EXPECT_EQ(SettingsVersionText("2.04b"), "2.04");
    for (int value = 0; value < 4; ++value) {
        BOOL first = FALSE;
        BOOL second = FALSE;
        DecodeViewUseShowWindow(value, first, second);
        EXPECT_EQ(first, (value & 1) != 0) << value;
        EXPECT_EQ(second, value > 1) << value;
        EXPECT_EQ(EncodeViewUseShowWindow(first, second), value);
    }
}

TEST(SettingsValues, TheViewStateRecordIs18LittleEndianValuesWithValidSums) {
    ViewStateRecord record;
    record.folderState[2] = 0;
    record.checkState[5] = 0x01020304;
    record.Seal();
    EXPECT_EQ(record.size, 72U);
    EXPECT_TRUE(CEnvironment::StructChecksum(&record, sizeof(record), &record.size, &record.byteSum,
                                             &record.runningSum, 0));
    const std::array<uint8_t, 72> bytes = record.ToBytes();
    EXPECT_EQ(bytes[8], 0);  // folder state 2
    EXPECT_EQ(bytes[(7 + 5) * 4], 0x04);
    EXPECT_EQ(bytes[(7 + 5) * 4 + 3], 0x01);
    EXPECT_EQ(bytes[15 * 4], 72);
    EXPECT_EQ(bytes[16 * 4], static_cast<uint8_t>(record.byteSum));
    EXPECT_EQ(bytes[17 * 4 + 1], static_cast<uint8_t>(record.runningSum >> 8));
}

TEST(WindowTable, AwaitedSlotsCompleteOnTheLastOneWhateverTheOrder) {
    std::vector<UINT> codes = {WM_USER,     WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 4,
                               WM_USER + 5, WM_USER + 6, WM_USER + 7, WM_USER + 8, 1011,
                               1012,        1013,        1014,        1015,        1016,
                               1210,        1525};
    std::mt19937 random(42);
    for (int round = 0; round < 20; ++round) {
        std::vector<UINT> order = codes;
        std::shuffle(order.begin(), order.end(), random);
        // Duplicates and the slots that are never awaited, mixed in.
        order.insert(order.begin() + 3, order[1]);
        order.insert(order.begin() + 5, 1229);
        order.insert(order.begin() + 7, 1260);
        order.insert(order.begin() + 2, 1233);
        CWindowTable table;
        CCmdTarget app;
        table.Fill(WindowSlot::Application, &app);
        CCmdTarget windows[32];
        int completions = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            const bool wasComplete = table.AllAwaitedFilled();
            table.Fill(*CWindowTable::SlotOfCode(order[i], false), &windows[i]);
            completions += !wasComplete && table.AllAwaitedFilled();
        }
        EXPECT_EQ(completions, 1);
        // The first registration of a code stays.
        const UINT duplicated = order[3];
        const auto first = std::find(order.begin(), order.end(), duplicated) - order.begin();
        EXPECT_EQ(table.Get(*CWindowTable::SlotOfCode(duplicated, false)),
                  &windows[static_cast<size_t>(first)]);
    }
}

TEST(WindowTable, PerRunSlotsTakeTheLatestAndOneCodeServesTwoDialogs) {
    CWindowTable table;
    CCmdTarget first, second, notice;
    EXPECT_EQ(CWindowTable::SlotOfCode(1229, false), WindowSlot::CalibDoCalib);
    EXPECT_EQ(CWindowTable::SlotOfCode(1229, true), WindowSlot::SaveMwMessage);
    EXPECT_EQ(CWindowTable::SlotOfCode(1234, false), std::nullopt);
    table.Fill(WindowSlot::CalibZero, &first);
    table.Clear(&first);
    table.Fill(WindowSlot::CalibZero, &second);
    table.Fill(WindowSlot::SaveMwMessage, &notice);
    EXPECT_EQ(table.Get(WindowSlot::CalibZero), &second);
    EXPECT_EQ(table.Get(WindowSlot::SaveMwMessage), &notice);
    table.Fill(WindowSlot::CalibZero, &first);
    EXPECT_EQ(table.Get(WindowSlot::CalibZero), &first);
}

TEST(PageTable, StepsThroughTheCycleAndAveragingCodes) {
    EXPECT_EQ(StepPageId(PAGE_DIAGNOSTIC, 1), PAGE_CONNECTION);
    EXPECT_EQ(StepPageId(PAGE_LOGO, 0), PAGE_CONNECTION);
    EXPECT_EQ(StepPageId(PAGE_CONNECTION, 0), PAGE_MEASURE_DIAGRAM);
    EXPECT_EQ(StepPageId(PAGE_MEASURE_DIAGRAM, 1), PAGE_CONNECTION);
    EXPECT_EQ(StepPageId(PAGE_INFORMATION, 1), PAGE_MEASURE_ADJUST);
    EXPECT_EQ(PageIndexOf(PAGE_DIAGNOSTIC), 7);
    EXPECT_EQ(PageIndexOf(134), -1);
    EXPECT_EQ(AveragingLengthFromCode(1), 1);
    EXPECT_EQ(AveragingLengthFromCode(3), 4);
    EXPECT_EQ(AveragingLengthFromCode(9), 256);
    EXPECT_EQ(AveragingLengthFromCode(0), 1);
    EXPECT_EQ(AveragingLengthFromCode(10), 1);
}

}  // namespace
