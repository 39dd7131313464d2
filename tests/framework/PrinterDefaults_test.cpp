// The application's printer defaults: made once from the framework's default printer settings
// and shared by everyone who asks.
#include <gtest/gtest.h>

#include "platform/framework/Print.h"
#include "platform/framework/WinApp.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/GlobalMemory.h"
#include "platform/ui/commdlg/PrintChoice.h"

namespace {

TEST(PrinterDefaults, BlocksComeFromTheDefaultSettingsAndStay) {
    kq::fw::SetDefaultPrinterSettings(
        {.file = "/tmp/defaults.pdf", .dpi = 600, .landscape = true, .copies = 2});
    CWinApp app("printer defaults");
    EXPECT_FALSE(app.GetPrinterDeviceDefaults(nullptr));
    PRINTDLG pd{};
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
    ASSERT_GE(::GlobalSize(pd.hDevMode), sizeof(DEVMODE));
    auto* mode = static_cast<DEVMODE*>(::GlobalLock(pd.hDevMode));
    EXPECT_EQ(mode->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(mode->dmPrintQuality, 600);
    EXPECT_EQ(mode->dmYResolution, 600);
    EXPECT_EQ(mode->dmCopies, 2);
    mode->dmOrientation = DMORIENT_PORTRAIT;  // a change stays with the application
    ::GlobalUnlock(pd.hDevMode);
    const auto names = kq::ui::commdlg::ReadDevNames(pd.hDevNames);
    EXPECT_EQ(names.output, "/tmp/defaults.pdf");

    // Later changes of the framework's settings do not replace the application's blocks.
    kq::fw::SetDefaultPrinterSettings({.file = "/tmp/other.pdf"});
    PRINTDLG again{};
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&again));
    EXPECT_EQ(again.hDevMode, pd.hDevMode);
    EXPECT_EQ(again.hDevNames, pd.hDevNames);
    EXPECT_EQ(static_cast<DEVMODE*>(::GlobalLock(again.hDevMode))->dmOrientation,
              DMORIENT_PORTRAIT);
    ::GlobalUnlock(again.hDevMode);
    kq::fw::SetDefaultPrinterSettings({});
}

TEST(PrinterDefaults, WithoutSettingsTheSystemsDefaultPrinterIsTaken) {
    kq::fw::SetDefaultPrinterSettings({});
    CWinApp app("printer defaults");
    PRINTDLG pd{};
    // There is always at least the PDF printer.
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
    EXPECT_FALSE(kq::ui::commdlg::ReadDevNames(pd.hDevNames).driver.empty());
    auto* mode = static_cast<DEVMODE*>(::GlobalLock(pd.hDevMode));
    EXPECT_EQ(mode->dmOrientation, DMORIENT_PORTRAIT);
    ::GlobalUnlock(pd.hDevMode);
}

}  // namespace
