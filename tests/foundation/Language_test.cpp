#include "foundation/Language.h"

#include <gtest/gtest.h>

#include "kq_res.h"
#include "platform/base/Resource.h"

namespace {

class LanguageTest : public ::testing::Test {
  protected:
    void SetUp() override { kq::InstallResources(kq_res_bundle()); }
    void TearDown() override {
        kq::UninstallResources(kq_res_bundle());
        SetLanguageOffset(LANGUAGE_ENGLISH);
    }
};

}  // namespace

TEST_F(LanguageTest, TextsOfEachShippedLanguage) {
    SetLanguageOffset(LANGUAGE_GERMAN);
    EXPECT_EQ(GetLanguageString(5129), "nicht verfügbar");
    SetLanguageOffset(LANGUAGE_ENGLISH);
    EXPECT_EQ(GetLanguageString(5129), "not available");
    SetLanguageOffset(LANGUAGE_FRENCH);
    EXPECT_EQ(GetLanguageString(5087), "Tare");
    EXPECT_EQ(GetLanguageString(5539), "°C");
}

TEST_F(LanguageTest, MissingTextsFallBackTwoThousandBelow) {
    // Spanish ships no texts of its own: it shows the English ones.
    SetLanguageOffset(LANGUAGE_SPANISH);
    EXPECT_EQ(GetLanguageString(5018), "Exit");
    // An id without any text gives an empty text and says so.
    CString text("stale");
    EXPECT_FALSE(FindLanguageString(5999, text));
    EXPECT_TRUE(text.IsEmpty());
    SetLanguageOffset(LANGUAGE_GERMAN);
    EXPECT_EQ(GetLanguageString(5999), "");
}

TEST_F(LanguageTest, EveryGermanTextHasAnEnglishAndAFrenchOne) {
    int checked = 0;
    for (int id = 5000; id < 6000; ++id) {
        std::string german;
        if (!kq::LoadStringResource(static_cast<UINT>(id), german))
            continue;
        std::string other;
        EXPECT_TRUE(kq::LoadStringResource(static_cast<UINT>(id + 1000), other)) << id;
        EXPECT_TRUE(kq::LoadStringResource(static_cast<UINT>(id + 4000), other)) << id;
        ++checked;
    }
    EXPECT_GT(checked, 250);
}

TEST(DecimalSeparator, ByLanguage) {
    EXPECT_EQ(GetDecimalSeparatorOf(LANGUAGE_ENGLISH), '.');
    EXPECT_EQ(GetDecimalSeparatorOf(LANGUAGE_GERMAN), ',');
    EXPECT_EQ(GetDecimalSeparatorOf(LANGUAGE_FRENCH), ',');
}
