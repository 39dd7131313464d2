// The application's profile in the settings store and the recent-file list.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"
#include "platform/base/Registry.h"

namespace {

using kq::fw::test::FrameworkTest;

class Profile : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        app_ = std::make_unique<CWinApp>("KQ7-B");
    }
    void TearDown() override {
        app_.reset();
        FrameworkTest::TearDown();
    }
    // The raw value under HKCU\<path>; empty type REG_NONE when missing.
    static std::pair<DWORD, std::string> Raw(const char* path, const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {REG_NONE, ""};
        BYTE data[256] = {};
        DWORD size = sizeof data;
        DWORD type = REG_NONE;
        const LONG result = RegQueryValueEx(key, name, nullptr, &type, data, &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS)
            return {REG_NONE, ""};
        return {type, std::string(reinterpret_cast<char*>(data), size)};
    }
    static bool KeyExists(const char* path) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    std::unique_ptr<CWinApp> app_;
};

constexpr const char* kAppKey = "Software\\Brevan S.A.S.\\KQ7-B";

TEST_F(Profile, ValuesLiveUnderSoftwareCompanyApplicationAndSection) {
    app_->SetRegistryKey("Brevan S.A.S.");
    EXPECT_STREQ(app_->m_pszProfileName, "KQ7-B");
    ASSERT_TRUE(app_->WriteProfileInt("Language", "Language", 2000));
    ASSERT_TRUE(app_->WriteProfileString("DespiteReset", "ApplicationVersion", "2.04"));
    ASSERT_TRUE(app_->WriteProfileInt("AllViewState\\Configs\\TreeState", "FolderState_0", 1));

    const DWORD language = 2000;
    EXPECT_EQ(
        Raw("Software\\Brevan S.A.S.\\KQ7-B\\Language", "Language"),
        std::make_pair(DWORD{REG_DWORD}, std::string(reinterpret_cast<const char*>(&language), 4)));
    EXPECT_EQ(Raw("Software\\Brevan S.A.S.\\KQ7-B\\DespiteReset", "ApplicationVersion"),
              std::make_pair(DWORD{REG_SZ}, std::string("2.04", 5)));
    EXPECT_TRUE(KeyExists("Software\\Brevan S.A.S.\\KQ7-B\\AllViewState\\Configs\\TreeState"));

    EXPECT_EQ(app_->GetProfileInt("Language", "Language", 1000), 2000u);
    EXPECT_EQ(app_->GetProfileString("DespiteReset", "ApplicationVersion"), "2.04");
    EXPECT_EQ(app_->GetProfileInt("AllViewState\\Configs\\TreeState", "FolderState_0", 0), 1u);
}

TEST_F(Profile, MissingOrMistypedValuesGiveTheDefaultAndReadingCreatesNothing) {
    app_->SetRegistryKey("Brevan S.A.S.");
    EXPECT_EQ(app_->GetProfileInt("Version", "Version", -11), static_cast<UINT>(-11));
    EXPECT_EQ(app_->GetProfileString("Version", "Version", "0.0"), "0.0");
    EXPECT_FALSE(KeyExists(kAppKey));

    app_->WriteProfileString("Mixed", "Number", "12");
    app_->WriteProfileInt("Mixed", "Text", 12);
    EXPECT_EQ(app_->GetProfileInt("Mixed", "Number", 5), 5u);
    EXPECT_EQ(app_->GetProfileString("Mixed", "Text", "none"), "none");
    LPBYTE data = nullptr;
    UINT size = 99;
    EXPECT_FALSE(app_->GetProfileBinary("Mixed", "Number", &data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
}

TEST_F(Profile, BinaryValuesRoundTripAsRegistryBinary) {
    app_->SetRegistryKey("Brevan S.A.S.");
    BYTE record[60];
    for (int i = 0; i < 60; ++i)
        record[i] = static_cast<BYTE>(i * 7);
    ASSERT_TRUE(app_->WriteProfileBinary("DespiteReset", "DocumentationStruct", record, 60));
    EXPECT_EQ(Raw("Software\\Brevan S.A.S.\\KQ7-B\\DespiteReset", "DocumentationStruct").first,
              DWORD{REG_BINARY});
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app_->GetProfileBinary("DespiteReset", "DocumentationStruct", &data, &size));
    ASSERT_EQ(size, 60u);
    EXPECT_EQ(std::memcmp(data, record, 60), 0);
    delete[] data;
}

TEST_F(Profile, NullValueDeletesTheEntryAndNullEntryTheSection) {
    app_->SetRegistryKey("Brevan S.A.S.");
    app_->WriteProfileString("Section", "A", "1");
    app_->WriteProfileString("Section", "B", "2");
    EXPECT_TRUE(app_->WriteProfileString("Section", "A", nullptr));
    EXPECT_EQ(app_->GetProfileString("Section", "A", "gone"), "gone");
    EXPECT_EQ(app_->GetProfileString("Section", "B"), "2");
    EXPECT_TRUE(app_->WriteProfileString("Section", nullptr, nullptr));
    EXPECT_FALSE(KeyExists("Software\\Brevan S.A.S.\\KQ7-B\\Section"));
    EXPECT_FALSE(app_->WriteProfileString("Section", "A", nullptr));
}

TEST_F(Profile, WithoutARegistryKeyNothingIsStored) {
    EXPECT_FALSE(app_->WriteProfileInt("Section", "A", 1));
    EXPECT_EQ(app_->GetProfileInt("Section", "A", 3), 3u);
    EXPECT_EQ(app_->GetAppRegistryKey(), nullptr);
}

TEST_F(Profile, TheRecentFileListKeepsTheNewestFirstWithoutDuplicates) {
    app_->SetRegistryKey("Brevan S.A.S.");
    app_->WriteProfileString("Recent File List", "File1", "/data/old.kq");
    app_->LoadStdProfileSettings(4);
    app_->AddToRecentFileList("/data/a.kq");
    app_->AddToRecentFileList("/data/b.kq");
    app_->AddToRecentFileList("/data/./a.kq");  // the same file again moves up
    app_->AddToRecentFileList("/data/c.kq");
    app_->AddToRecentFileList("/data/d.kq");
    app_->SaveStdProfileSettings();
    const char* section = "Software\\Brevan S.A.S.\\KQ7-B\\Recent File List";
    EXPECT_EQ(Raw(section, "File1").second, std::string("/data/d.kq", 11));
    EXPECT_EQ(Raw(section, "File2").second, std::string("/data/c.kq", 11));
    EXPECT_EQ(Raw(section, "File3").second, std::string("/data/a.kq", 11));
    EXPECT_EQ(Raw(section, "File4").second, std::string("/data/b.kq", 11));
    EXPECT_EQ(Raw(section, "File5").first, DWORD{REG_NONE});

    // A list with fewer entries leaves no stale ones behind.
    CWinApp again("KQ7-B");
    again.SetRegistryKey("Brevan S.A.S.");
    again.LoadStdProfileSettings(2);
    again.SaveStdProfileSettings();
    EXPECT_EQ(Raw(section, "File2").second, std::string("/data/c.kq", 11));
    EXPECT_EQ(Raw(section, "File3").first, DWORD{REG_NONE});
}

}  // namespace
