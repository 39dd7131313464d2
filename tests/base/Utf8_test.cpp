// UTF-8 decoding and encoding: bad bytes never swallow the text after them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/Utf8.h"

namespace {

TEST(Utf8, InvalidBytesBecomeReplacementCharacters) {
    using kq::DecodeUtf8;
    auto values = [](std::string_view s) {
        std::vector<char32_t> v;
        for (const auto& cp : DecodeUtf8(s))
            v.push_back(cp.value);
        return v;
    };
    EXPECT_EQ(values("a\xC3\xA4z"), (std::vector<char32_t>{'a', 0xE4, 'z'}));
    EXPECT_EQ(values("\xF0\x9F\x98\x80"), (std::vector<char32_t>{0x1F600}));
    EXPECT_EQ(values("\xC0\xAF"), (std::vector<char32_t>{0xFFFD, 0xFFFD}));  // overlong
    EXPECT_EQ(values("\xED\xA0\x80"), (std::vector<char32_t>{0xFFFD, 0xFFFD, 0xFFFD}));
    EXPECT_EQ(values("\xE2\x82"), (std::vector<char32_t>{0xFFFD, 0xFFFD}));  // cut short
    EXPECT_EQ(values(std::string_view("a\0b", 3)), (std::vector<char32_t>{'a', 0, 'b'}));
}

TEST(Utf8, EncodingReplacesWhatIsNoCodePoint) {
    std::string out;
    for (char32_t c : {char32_t{'A'}, char32_t{0xE4}, char32_t{0x20AC}, char32_t{0x1F600},
                       char32_t{0xD800}, char32_t{0x110000}})
        kq::AppendUtf8(out, c);
    EXPECT_EQ(out, "A\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD\xEF\xBF\xBD");
    const std::vector<kq::CodePoint> cps = kq::DecodeUtf8(out);
    ASSERT_EQ(cps.size(), 6u);
    EXPECT_EQ(cps[3].offset, 6);
    EXPECT_EQ(cps[3].length, 4);
}

}  // namespace
