// The drag and caption settings a program may switch: on at start, changed for the process, and
// with SPIF_SENDCHANGE announced to every top-level window with the setting in wParam.
#include "platform/ui/SystemMetrics.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

class SystemParameters : public UiTest {
  protected:
    void TearDown() override {
        SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
        SystemParametersInfo(SPI_SETGRADIENTCAPTIONS, 0, reinterpret_cast<PVOID>(TRUE), 0);
        UiTest::TearDown();
    }
    static BOOL Get(UINT action) {
        BOOL value = 2;
        EXPECT_TRUE(SystemParametersInfo(action, 0, &value, 0));
        return value;
    }
};

TEST_F(SystemParameters, DragAndGradientSettingsChangeAndAreAnnounced) {
    EXPECT_EQ(Get(SPI_GETDRAGFULLWINDOWS), TRUE);
    EXPECT_EQ(Get(SPI_GETGRADIENTCAPTIONS), TRUE);
    const HWND top = CreateTopLevel(RECT{10, 10, 200, 200});
    const HWND child = CreateChild(top, 5, RECT{0, 0, 50, 50});
    ClearLog();

    // Quietly: no message.
    EXPECT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0));
    EXPECT_EQ(Get(SPI_GETDRAGFULLWINDOWS), FALSE);
    EXPECT_EQ(Count(top, WM_SETTINGCHANGE), 0);
    // Announced: the top-level window hears it at once, with the setting; its child does not.
    EXPECT_TRUE(SystemParametersInfo(SPI_SETGRADIENTCAPTIONS, 0, nullptr, SPIF_SENDCHANGE));
    EXPECT_EQ(Get(SPI_GETGRADIENTCAPTIONS), FALSE);
    ASSERT_EQ(Count(top, WM_SETTINGCHANGE), 1);
    EXPECT_EQ(Count(child, WM_SETTINGCHANGE), 0);
    for (const LoggedMessage& m : Log()) {
        if (m.hwnd == top && m.message == WM_SETTINGCHANGE) {
            EXPECT_EQ(m.wParam, SPI_SETGRADIENTCAPTIONS);
        }
    }
    EXPECT_TRUE(SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, SPIF_SENDCHANGE));
    EXPECT_EQ(Get(SPI_GETDRAGFULLWINDOWS), TRUE);
    EXPECT_EQ(Count(top, WM_SETTINGCHANGE), 2);
}

}  // namespace
}  // namespace kq::ui::test
