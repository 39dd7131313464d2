#include "platform/base/WideText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "platform/base/LastError.h"

namespace {

// "aé€😀": 1 + 2 + 3 + 4 bytes, 1 + 1 + 1 + 2 units.
const char kNarrow[] = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
const char16_t kWide[] = u"a\u00E9\u20AC\U0001F600";

TEST(WideText, NarrowToWideSizesTerminatorAndBufferLimits) {
    for (UINT page : {CP_ACP, CP_THREAD_ACP, CP_UTF8}) {
        EXPECT_EQ(MultiByteToWideChar(page, 0, kNarrow, -1, nullptr, 0), 6);
        EXPECT_EQ(MultiByteToWideChar(page, 0, kNarrow, 10, nullptr, 0), 5);
    }
    WCHAR out[8];
    std::fill(std::begin(out), std::end(out), u'#');
    // Exactly big enough, terminator included.
    ASSERT_EQ(MultiByteToWideChar(CP_THREAD_ACP, 0, kNarrow, -1, out, 6), 6);
    EXPECT_EQ(std::u16string(out), kWide);
    EXPECT_EQ(out[6], u'#');
    // One unit short: fails, and the last error says why.
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, kNarrow, -1, out, 5), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    // Without -1 no terminator is written; a surrogate pair never fits half.
    std::fill(std::begin(out), std::end(out), u'#');
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, kNarrow, 10, out, 4), 0);
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, kNarrow, 10, out, 5), 5);
    EXPECT_EQ(out[5], u'#');
    // A length that cuts a character gives a replacement, not a lost rest.
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, kNarrow, 2, out, 8), 2);
    EXPECT_EQ(out[1], u'\uFFFD');
    // An embedded zero with an explicit length is text like any other.
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "a\0b", 3, out, 8), 3);
    EXPECT_EQ(out[1], u'\0');
    EXPECT_EQ(out[2], u'b');
    // An empty text with -1 is its terminator alone.
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "", -1, out, 1), 1);
    EXPECT_EQ(out[0], u'\0');
}

TEST(WideText, WideToNarrowSizesTerminatorAndBufferLimits) {
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, kWide, -1, nullptr, 0, nullptr, nullptr), 11);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, kWide, 5, nullptr, 0, nullptr, nullptr), 10);
    char out[16];
    std::fill(std::begin(out), std::end(out), '#');
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, kWide, -1, out, 11, nullptr, nullptr), 11);
    EXPECT_STREQ(out, kNarrow);
    EXPECT_EQ(out[11], '#');
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, kWide, -1, out, 10, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    // A lone surrogate comes out as U+FFFD.
    const char16_t lone[] = {u'x', 0xD800, u'y'};
    ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, 3, out, 16, nullptr, nullptr), 5);
    EXPECT_EQ(std::string(out, 5), "x\xEF\xBF\xBDy");
    // The ANSI pages report that no default character was needed; UTF-8 refuses the arguments.
    BOOL usedDefault = TRUE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, kWide, 1, out, 16, "?", &usedDefault), 1);
    EXPECT_EQ(usedDefault, FALSE);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, kWide, 1, out, 16, nullptr, &usedDefault), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(WideText, BadArgumentsFailWithTheirCodes) {
    WCHAR wide[4];
    char narrow[4];
    const std::pair<std::function<int()>, LONG> cases[] = {
        {[&] { return MultiByteToWideChar(1252, 0, "a", -1, wide, 4); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_UTF8, 0, nullptr, -1, wide, 4); },
         ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_UTF8, 0, "a", 0, wide, 4); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_UTF8, 0, "a", -2, wide, 4); },
         ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_UTF8, 0, "a", -1, nullptr, 4); },
         ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_UTF8, 0, "a", -1, wide, -1); },
         ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_UTF8, 8, "a", -1, wide, 4); }, ERROR_INVALID_FLAGS},
        {[&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 0, narrow, 4, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {[&] { return WideCharToMultiByte(CP_UTF8, 0, nullptr, -1, narrow, 4, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {[&] { return WideCharToMultiByte(CP_UTF8, 0x400, u"a", -1, narrow, 4, nullptr, nullptr); },
         ERROR_INVALID_FLAGS},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SetLastError(0);
        EXPECT_EQ(cases[i].first(), 0) << i;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(cases[i].second)) << i;
    }
}

TEST(WideText, HelpersRoundTrip) {
    EXPECT_EQ(kq::Utf8ToWide(kNarrow), kWide);
    EXPECT_EQ(kq::WideToUtf8(kWide), kNarrow);
    EXPECT_EQ(kq::WideToUtf8(u""), "");
}

}  // namespace
