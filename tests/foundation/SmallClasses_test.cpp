#include <gtest/gtest.h>

#include "foundation/DiagnosticTrace.h"
#include "foundation/Environment.h"
#include "foundation/MovingAverageRing.h"
#include "foundation/PortText.h"
#include "foundation/StopWatch.h"
#include "platform/base/Clock.h"
#include "platform/base/Trace.h"

TEST(MovingAverageRing, EmptyPartlyFilledWrappedAndLengthOne) {
    CMovingAverageRing ring(3);
    double mean = 7;
    EXPECT_FALSE(ring.GetMean(mean));
    EXPECT_EQ(mean, 0.0);
    ring.AddValue(3);
    ring.AddValue(6);
    ASSERT_TRUE(ring.GetMean(mean));
    EXPECT_DOUBLE_EQ(mean, 4.5);
    ring.AddValue(9);
    ring.AddValue(12);  // replaces the 3
    ASSERT_TRUE(ring.GetMean(mean));
    EXPECT_DOUBLE_EQ(mean, 9.0);
    EXPECT_EQ(ring.GetCount(), 3);

    CMovingAverageRing single(1);
    single.AddValue(1);
    single.AddValue(42);
    ASSERT_TRUE(single.GetMean(mean));
    EXPECT_EQ(mean, 42.0);

    ring.SetLength(0);  // a length below one still averages nothing
    EXPECT_EQ(ring.GetLength(), 1);
    EXPECT_FALSE(ring.GetMean(mean));
}

TEST(StopWatch, MeasuresOnTheVirtualClock) {
    kq::ScopedVirtualClock clock;
    CStopWatch watch;
    EXPECT_FALSE(watch.IsValid());
    EXPECT_EQ(watch.GetElapsedSeconds(), 0.0);
    EXPECT_TRUE(watch.IsValid());
    clock->AdvanceMillis(1500);
    EXPECT_DOUBLE_EQ(watch.GetElapsedSeconds(), 1.5);
    clock->AdvanceMillis(250);
    EXPECT_DOUBLE_EQ(watch.GetElapsedSeconds(), 0.25);
}

TEST(StructChecksum, StoresAndComparesOnBothRecordSizes) {
    for (size_t length : {size_t{60}, size_t{72}}) {
        std::vector<uint32_t> record(length / 4);
        for (size_t i = 0; i < record.size(); ++i)
            record[i] = static_cast<uint32_t>(i * 2654435761u);
        DWORD* size = &record[record.size() - 3];
        DWORD* sum = &record[record.size() - 2];
        DWORD* weighted = &record[record.size() - 1];
        ASSERT_TRUE(CEnvironment::StructChecksum(record.data(), length, size, sum, weighted, 1));
        EXPECT_EQ(*size, length);
        EXPECT_TRUE(CEnvironment::StructChecksum(record.data(), length, size, sum, weighted, 0));
        // Moving one unit between two bytes keeps the plain sum but not the weighted one.
        auto* bytes = reinterpret_cast<unsigned char*>(record.data());
        bytes[0] += 1;
        bytes[1] -= 1;
        EXPECT_FALSE(CEnvironment::StructChecksum(record.data(), length, size, sum, weighted, 0));
        bytes[0] -= 1;
        bytes[1] += 1;
        *size = 0;
        EXPECT_FALSE(CEnvironment::StructChecksum(record.data(), length, size, sum, weighted, 0));
    }
}

TEST(EnvironmentText, PaddingDumpsAndNumberTexts) {
    CString t("ab");
    CEnvironment::PadWithBlanks(t, 5);
    EXPECT_EQ(t, "ab   ");
    CEnvironment::PadWithBlanks(t, 2);
    EXPECT_EQ(t, "ab   ");
    const char raw[] = {'A', '\x00', '\x0f'};
    EXPECT_EQ(CEnvironment::DumpBytes(CString(raw, 3), 0, true), "41| 0| f|\n");
    EXPECT_EQ(CEnvironment::DumpBytes(CString(raw, 3), 1, false), " A|00|00|");
    EXPECT_EQ(CEnvironment::StripTrailingZeros("12.500"), "12.5");
    EXPECT_EQ(CEnvironment::StripTrailingZeros("12.000"), "12");
    EXPECT_EQ(CEnvironment::StripTrailingZeros("1200"), "1200");
    CString time("12:34:56");
    EXPECT_TRUE(CEnvironment::RemoveAllChars(time, ':'));
    EXPECT_EQ(time, "123456");
    EXPECT_FALSE(CEnvironment::RemoveAllChars(time, ':'));
}

TEST(PortText, ComNumbersAndInterfaceNames) {
    EXPECT_EQ(GetComNumberText("Tarvik USB   [COM12]"), "12");
    EXPECT_EQ(GetComNumberText("A [x] [COM3]"), "3");
    EXPECT_EQ(GetComNumberText("[COM7] trailing [LPT1]"), "");
    EXPECT_EQ(GetComNumberText("no brackets COM4"), "");
    EXPECT_EQ(AdaptInterfaceName("Sensor NX-USB", 0, false), "Sensor NX-RS485");
    EXPECT_EQ(AdaptInterfaceName("Sensor NX-USB", 0, true), "Sensor NX-ETH");
    EXPECT_EQ(AdaptInterfaceName("Sensor NX-RS485", 1000, true), "Sensor NX-ETH");
}

TEST(DiagnosticTrace, OneLineAtATime) {
    static std::string captured;
    captured.clear();
    const auto previous = kq::SetTraceSink([](std::string_view text) { captured += text; });
    WriteDiagnosticTrace("Selection changed to item 3");
    WriteDiagnosticTrace("OnClick at (1,2):  'x'\n");
    kq::SetTraceSink(previous);
    EXPECT_EQ(captured, "Selection changed to item 3\nOnClick at (1,2):  'x'\n");
}
