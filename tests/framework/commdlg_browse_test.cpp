// Choosing a folder through the framework: the dialog opens on the folder given and hands back
// the one chosen; a cancel leaves it alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/ScopedTempFolder.h"
#include "framework/FrameworkTest.h"
#include "platform/framework/commdlg/BrowseForFolder.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogIds.h"

namespace {

using kq::fw::test::FrameworkTest;

class BrowseForFolderTest : public FrameworkTest {
  protected:
    void TearDown() override {
        kq::ui::SetCommonDialogHook(nullptr);
        FrameworkTest::TearDown();
    }
    kq::test::ScopedTempFolder dir_;
};

TEST_F(BrowseForFolderTest, OpensOnTheGivenFolderAndReturnsTheChoice) {
    std::filesystem::create_directory(dir_ / "Bilder");
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr));
    CString folder = dir_.Path().c_str();
    std::string shown;
    bool ran = false;
    const int hook = kq::ui::AddMessageFilterHook([&](int code, MSG&) -> BOOL {
        HWND dialog = GetActiveWindow();
        if (ran || code != MSGF_DIALOGBOX || !dialog)
            return FALSE;
        ran = true;
        char text[MAX_PATH] = {};
        GetDlgItemText(dialog, edt1, text, sizeof text);
        shown = text;
        SetDlgItemText(dialog, edt1, "Bilder");
        kq::ui::InjectKey(VK_RETURN, true);
        kq::ui::InjectKey(VK_RETURN, false);
        return FALSE;
    });
    EXPECT_TRUE(kq::fw::BrowseForFolder(&owner, "Zielordner", folder));
    kq::ui::RemoveMessageFilterHook(hook);
    EXPECT_EQ(shown, dir_.Path());
    EXPECT_EQ(std::string(folder), dir_ / "Bilder");

    kq::ui::SetCommonDialogHook([](const kq::ui::CommonDialogRequest&) {
        kq::ui::CommonDialogAnswer cancel;
        cancel.ok = false;
        return std::optional<kq::ui::CommonDialogAnswer>(cancel);
    });
    EXPECT_FALSE(kq::fw::BrowseForFolder(&owner, "Zielordner", folder));
    EXPECT_EQ(std::string(folder), dir_ / "Bilder");
    owner.DestroyWindow();
}

}  // namespace
