#include "platform/base/CString.h"

#include <gtest/gtest.h>

TEST(CString, HoldsZeroBytesAndKeepsTheirLength) {
    const char frame[] = {'\x02', '\x00', 'A', '\x00', '\x7f'};
    CString s(frame, 5);
    EXPECT_EQ(s.GetLength(), 5);
    s += '\0';
    EXPECT_EQ(s.GetLength(), 6);
    EXPECT_EQ(s.Mid(1, 3).GetLength(), 3);
    EXPECT_EQ(s.Mid(2, 1), "A");
    EXPECT_EQ(s.Find('A'), 2);
    EXPECT_EQ(s.GetAt(3), '\0');
}

TEST(CString, ExtractionClampsOutOfRangeArguments) {
    CString s("abcdef");
    EXPECT_EQ(s.Mid(4), "ef");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.Mid(2, 100), "cdef");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(10), "abcdef");
    EXPECT_EQ(s.GetAt(99), '\0');
    EXPECT_EQ(s.Find('a', 99), -1);
}

TEST(CString, SearchReplaceTrimAndCase) {
    CString s("  COM12 Tarvik USB  ");
    s.Trim();
    EXPECT_EQ(s, "COM12 Tarvik USB");
    EXPECT_EQ(s.Find("Tarvik"), 6);
    EXPECT_EQ(s.ReverseFind('S'), 14);
    EXPECT_EQ(s.FindOneOf("0123456789"), 3);
    EXPECT_EQ(s.SpanIncluding("COM"), "COM");
    EXPECT_EQ(s.SpanExcluding(" "), "COM12");
    EXPECT_EQ(s.Replace("USB", "RS485"), 1);
    EXPECT_EQ(s, "COM12 Tarvik RS485");
    EXPECT_EQ(s.Remove(' '), 2);
    s.MakeLower();
    EXPECT_EQ(s, "com12tarvikrs485");
    EXPECT_EQ(s.CompareNoCase("COM12TARVIKRS485"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    CString t("xx1,2xx");
    t.Trim('x');
    EXPECT_EQ(t, "1,2");
    t.Replace(',', '.');
    EXPECT_EQ(t, "1.2");
    int pos = 0;
    CString list("a;;b;c");
    EXPECT_EQ(list.Tokenize(";", pos), "a");
    EXPECT_EQ(list.Tokenize(";", pos), "b");
    EXPECT_EQ(list.Tokenize(";", pos), "c");
    EXPECT_EQ(list.Tokenize(";", pos), "");
    EXPECT_EQ(pos, -1);
}

TEST(CString, BufferAccess) {
    CString s;
    char* p = s.GetBuffer(16);
    std::snprintf(p, 16, "%s", "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "hello");
    p = s.GetBuffer(0);
    p[0] = 'j';
    s.ReleaseBuffer(4);
    EXPECT_EQ(s, "jell");
}

TEST(CStringFormat, MatchesPrintfForTheUsualConversions) {
    CString s;
    s.Format("%d|%5d|%-5d|%05d|%+d|%x|%X|%08lX|%u", 42, -7, 3, 12, 5, 255, 255, 0xABCDEFL, 7u);
    EXPECT_EQ(s, "42|   -7|3    |00012|+5|ff|FF|00ABCDEF|7");
    s.Format("%.3f|%8.2f|%e|%g|%g|%.0f", 3.14159, -2.5, 12345.678, 0.0001, 1e20, 2.5);
    char expect[128];
    std::snprintf(expect, sizeof(expect), "%.3f|%8.2f|%e|%g|%g|%.0f", 3.14159, -2.5, 12345.678,
                  0.0001, 1e20, 2.5);
    EXPECT_EQ(s, expect);
    s.Format("%s-%5s-%-4s|%c%c|%%|%.2s", CString("ab"), "x", "y", 'O', 'K', "long");
    EXPECT_EQ(s, "ab-    x-y   |OK|%|lo");
    s.Format("%2x|%2c|", 0x5, 'A');
    EXPECT_EQ(s, " 5| A|");
    s.Format("%I64d %lld", 1234567890123LL, -5LL);
    EXPECT_EQ(s, "1234567890123 -5");
}

TEST(CStringFormat, HostileFormatStringsNeverReadPastTheArguments) {
    CString s;
    s.Format("%s %s %d %n %f %*.*f", "only");
    EXPECT_EQ(s.Left(5), "only ");
    s.Format("%99999999d", 1);
    EXPECT_LE(s.GetLength(), 4096);
    s.Format("100%");
    EXPECT_EQ(s, "100%");
    s.Format("%d", "text");
    EXPECT_FALSE(s.IsEmpty());
    s.Format("%s", 12);
    EXPECT_EQ(s, "12");
    s.Format(nullptr);
    EXPECT_EQ(s, "");
}

TEST(CStringFormat, NegativeZeroAndRounding) {
    CString s;
    s.Format("%.2f|%.1f|%.0f", -0.0, 0.05, 0.5);
    char expect[64];
    std::snprintf(expect, sizeof(expect), "%.2f|%.1f|%.0f", -0.0, 0.05, 0.5);
    EXPECT_EQ(s, expect);
}
