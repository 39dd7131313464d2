#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "foundation/Environment.h"
#include "foundation/SettingsSandbox.h"
#include "platform/base/LastError.h"

TEST(EnvironmentSystem, DeletesAWholeTreeAndOnlyTracesAMissingOne) {
    SettingsSandbox sandbox;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Brevan S.A.S.\\KQ7-B\\Configs\\Deep", 0,
                             nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD one = 1;
    RegSetValueEx(key, "Value", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
    RegCloseKey(key);
    EXPECT_EQ(CEnvironment::DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Brevan S.A.S.\\KQ7-B"),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Brevan S.A.S.\\KQ7-B", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Brevan S.A.S.", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(CEnvironment::DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Nobody"),
              ERROR_FILE_NOT_FOUND);
}

TEST(EnvironmentSystem, FoldersFilesAndFacts) {
    SettingsSandbox sandbox;
    CString path;
    ASSERT_TRUE(CEnvironment::GetLocalAppDataPath(path));
    EXPECT_EQ(path.Find(sandbox.Root().c_str()), 0);
    const std::string file = sandbox.Root() + "/present.bmp";
    std::ofstream(file) << "x";
    EXPECT_TRUE(CEnvironment::FileExists(file.c_str()));
    EXPECT_FALSE(CEnvironment::FileExists(sandbox.Root().c_str()));
    EXPECT_FALSE(CEnvironment::FileExists((sandbox.Root() + "/absent.bmp").c_str()));
    EXPECT_FALSE(CEnvironment::FileExists(""));

    CEnvironment environment;
    environment.ReadSystemFacts();
    EXPECT_FALSE(environment.m_strUserName.IsEmpty());
    EXPECT_FALSE(environment.m_strComputerName.IsEmpty());
    EXPECT_GE(environment.m_iProcessors, 1);
    const CString info = environment.BuildSystemInfoText();
    EXPECT_GE(info.Find("User name: " + environment.m_strUserName), 0);
    EXPECT_GE(info.Find("Processors: "), 0);
}

TEST(EnvironmentSystem, LanguageChoiceFollowsTheLocale) {
    const char* saved = std::getenv("LC_ALL");
    const std::string keep = saved ? saved : "";
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(CEnvironment::LanguageChoiceFromLocale(), 0);
    setenv("LC_ALL", "fr_CH.UTF-8", 1);
    EXPECT_EQ(CEnvironment::LanguageChoiceFromLocale(), 2000);
    setenv("LC_ALL", "es_ES.UTF-8", 1);
    EXPECT_EQ(CEnvironment::LanguageChoiceFromLocale(), 1000);
    if (saved)
        setenv("LC_ALL", keep.c_str(), 1);
    else
        unsetenv("LC_ALL");
}
