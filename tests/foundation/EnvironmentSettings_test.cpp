#include <gtest/gtest.h>

#include <fstream>

#include "foundation/Environment.h"
#include "foundation/LanguageMessageBox.h"
#include "foundation/SettingsSandbox.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/gfx/GdiWrappers.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowShow.h"
#include "ui/UiTestFixture.h"

namespace {

class EnvironmentSettingsTest : public kq::ui::test::UiTest {
  protected:
    void SetUp() override {
        kq::ui::test::UiTest::SetUp();
        app_.SetRegistryKey("Brevan S.A.S.");
        previousBox_ =
            kq::fw::SetMessageBoxFunction([this](HWND, const CString& text, const CString&, UINT) {
                boxes_.push_back(text);
                return 1;
            });
    }
    void TearDown() override {
        kq::fw::SetMessageBoxFunction(previousBox_);
        kq::ui::SetScreenSize(1920, 1080);
        kq::ui::test::UiTest::TearDown();
    }

    SettingsSandbox sandbox_;
    CWinApp app_{"KQ7-B"};
    CEnvironment environment_;
    std::vector<CString> boxes_;
    kq::fw::MessageBoxFunction previousBox_;
};

}  // namespace

TEST_F(EnvironmentSettingsTest, FirstStartOnlyOnceAndSystemInfoSaved) {
    EXPECT_TRUE(environment_.CollectSystemInfo(&app_, nullptr));
    EXPECT_GE(environment_.m_strSystemInfo.Find("Monitor 1:"), 0);
    EXPECT_FALSE(environment_.CollectSystemInfo(&app_, nullptr));
    environment_.SaveSystemInfo(&app_, nullptr);
    EXPECT_EQ(app_.GetProfileString("SystemInfo", "UserName"), environment_.m_strUserName);
    EXPECT_EQ(static_cast<int>(app_.GetProfileInt("SystemInfo", "Processors", 0)),
              environment_.m_iProcessors);
}

TEST_F(EnvironmentSettingsTest, WindowPositionRoundTripFittedToTheMonitors) {
    CWnd window;
    window.Attach(CreateTopLevel(RECT{100, 50, 900, 700}));
    EXPECT_FALSE(environment_.RestoreWindowPosition(&window, &app_));  // nothing stored yet
    environment_.SaveWindowPosition(&app_, &window);
    EXPECT_EQ(app_.GetProfileInt("AllViewState\\Configs\\WindowPos", "CX", 0), 800u);
    EXPECT_EQ(app_.GetProfileInt("AllViewState\\Configs\\WindowPos", "IsMaximized", 7), 0u);

    // A position stored on a monitor that is gone comes back onto the remaining one.
    app_.WriteProfileInt("AllViewState\\Configs\\WindowPos", "X", 2500);
    app_.WriteProfileInt("AllViewState\\Configs\\WindowPos", "Y", 900);
    app_.WriteProfileInt("AllViewState\\Configs\\WindowPos", "CX", 3000);
    ASSERT_TRUE(environment_.RestoreWindowPosition(&window, &app_));
    RECT rect{};
    GetWindowRect(window.GetSafeHwnd(), &rect);
    EXPECT_EQ(CRect(rect), CRect(0, 430, 1920, 1080));

    ShowWindow(window.GetSafeHwnd(), SW_SHOWMAXIMIZED);
    environment_.SaveWindowPosition(&app_, &window);
    EXPECT_EQ(app_.GetProfileInt("AllViewState\\Configs\\WindowPos", "IsMaximized", 0), 1u);
    EXPECT_EQ(app_.GetProfileInt("AllViewState\\Configs\\WindowPos", "CX", 0), 1920u);
    window.Detach();
}

TEST_F(EnvironmentSettingsTest, FoldersBitmapsAndTheirFailures) {
    CString path;
    ASSERT_TRUE(environment_.CreateLocalAppDataFolder(nullptr, "Brevan", path));
    EXPECT_TRUE(environment_.CreateLocalAppDataFolder(nullptr, "Brevan", path));  // exists: fine
    EXPECT_EQ(path.Right(7), "/Brevan");
    EXPECT_TRUE(boxes_.empty());

    HDC screen = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 8);
    const CString file = path + "/Brevn_TEMP.bmp";
    EXPECT_TRUE(environment_.WriteBitmapFile(nullptr, bitmap, file));
    EXPECT_TRUE(CEnvironment::FileExists(file));
    EXPECT_FALSE(environment_.WriteBitmapFile(nullptr, bitmap, "/nonexistent/dir/x.bmp"));
    ASSERT_EQ(boxes_.size(), 1u);
    DeleteObject(bitmap);
    DeleteDC(screen);

    // A file standing where a folder is needed: the user is told.
    CString base;
    ASSERT_TRUE(CEnvironment::GetLocalAppDataPath(base));
    std::ofstream(std::string(base.GetString()) + "/blocker") << "x";
    EXPECT_FALSE(environment_.CreateLocalAppDataFolder(nullptr, "blocker/sub", path));
    EXPECT_EQ(boxes_.size(), 2u);
    ShowLanguageMessageBox(5389);
    EXPECT_EQ(boxes_.size(), 3u);
}
