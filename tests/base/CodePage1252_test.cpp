#include "platform/base/CodePage1252.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage1252, EveryAssignedByteComesBackAsItWas) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) {
            all.push_back(static_cast<char>(b));
        }
    }
    EXPECT_EQ(kq::Utf8ToCp1252(kq::Cp1252ToUtf8(all)), all);
}

TEST(CodePage1252, UnitsAndUmlautsTakeOneByteEach) {
    EXPECT_EQ(kq::Utf8ToCp1252("µm/°C ÄÖÜ N·m €"),
              "\xB5m/\xB0"
              "C \xC4\xD6\xDC N\xB7m \x80");
    EXPECT_EQ(kq::Cp1252ToUtf8("\xB0"
                               "C \x80 \x9F"),
              "°C € Ÿ");
}

TEST(CodePage1252, WhatItCannotHoldIsMarked) {
    // A character outside the page and a broken sequence are written as '?'; an unassigned byte
    // reads as the replacement character.
    EXPECT_EQ(kq::Utf8ToCp1252("a\u03A9b\xC3"), "a?b?");
    EXPECT_EQ(kq::Cp1252ToUtf8("x\x81y"), "x\uFFFDy");
}

}  // namespace
