// The page's units, centring offset, state stack and settings.
#include <climits>
#include <cstring>
#include <string>

#include "platform/framework/Print.h"
#include "platform/framework/WinApp.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/GlobalMemory.h"
#include "print_PageTestSupport.h"

namespace kq::print::test {
namespace {

TEST(PrintPageUnits, ThousandUnitPageScalesByThePageInches) {
    PrinterSheet sheet(100, 900, 1200);
    CPage page(RECT{0, 0, 827, 1100}, &sheet.dc, MM_ANISOTROPIC);
    EXPECT_EQ(page.State().pageWidth, 1000);
    EXPECT_EQ(page.InchesToUnits(1.0, HORZRES), 120);  // 1 / (8.27 / 1000)
    EXPECT_EQ(page.InchesToUnits(1.0, VERTRES), 90);   // 1 / (11 / 1000)
    EXPECT_NEAR(page.UnitsToInches(500, HORZRES), 4.135, 1e-9);
    EXPECT_EQ(page.InchesToUnits(0.0, HORZRES), 0);
    EXPECT_EQ(page.InchesToUnits(-2.0, VERTRES), 0);
    EXPECT_EQ(page.InchesToUnits(1e12, VERTRES), INT_MAX);
    EXPECT_EQ(page.UnitsToInches(0, HORZRES), 0.0);
    // A mapping mode the page does not know becomes printer pixels.
    CPage pixels(RECT{0, 0, 827, 1100}, &sheet.dc, MM_LOENGLISH);
    EXPECT_EQ(sheet.dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(pixels.InchesToUnits(1.5, HORZRES), 150);
}

TEST(PrintPageUnits, PagesWithoutAScaleConvertToZero) {
    auto broken = PrinterSheet::WithoutResolution(200, 200);
    for (int mode : {MM_TEXT, MM_ANISOTROPIC}) {
        CPage page(RECT{0, 0, 200, 200}, &broken->dc, mode);
        EXPECT_EQ(page.InchesToUnits(1.0, HORZRES), 0);
        EXPECT_EQ(page.UnitsToInches(100, VERTRES), 0.0);
        EXPECT_EQ(page.State().hOffset, 0);
        page.PrintText(10, 10, "text");  // draws without dividing by zero
    }
    PrinterSheet sheet(600, 200, 200);
    CPage empty(RECT{0, 0, 0, 0}, &sheet.dc, MM_ANISOTROPIC);
    EXPECT_EQ(empty.InchesToUnits(1e12, HORZRES), 0);
    EXPECT_EQ(empty.UnitsToInches(INT_MAX, HORZRES), 0.0);
    CPage huge(RECT{0, 0, 200, 200}, &sheet.dc, MM_TEXT);
    huge.DrawLine(1e12, 1e12, 1e13, 1e13, 1, 0);
    huge.PrintText(1e12, 1e12, "far away");
}

TEST(PrintPageUnits, ContentIsCentredInABandByOrientation) {
    PrinterSheet sheet(600, 100, 100);
    CPage portrait(RECT{0, 0, 5100, 6600}, &sheet.dc, MM_TEXT);  // 8.5 inches
    EXPECT_EQ(portrait.Orientation(), 0);
    EXPECT_EQ(portrait.State().hOffset, 150);

    // The application's printer defaults say landscape; a printing DC reads them.
    fw::SetDefaultPrinterSettings({.file = "/tmp/unused.pdf", .dpi = 600});
    CWinApp app("print orientation");
    PRINTDLG pd{};
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
    auto* mode = static_cast<DEVMODE*>(::GlobalLock(pd.hDevMode));
    ASSERT_NE(mode, nullptr);
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    ::GlobalUnlock(pd.hDevMode);

    CPage notPrinting(RECT{0, 0, 6480, 5100}, &sheet.dc, MM_TEXT);
    EXPECT_EQ(notPrinting.Orientation(), 0);
    EXPECT_EQ(notPrinting.State().hOffset, 840);  // portrait rules: (10.8 - 8) / 2 inches
    sheet.dc.m_bPrinting = TRUE;
    CPage landscape(RECT{0, 0, 6480, 5100}, &sheet.dc, MM_TEXT);  // 10.8 inches
    EXPECT_EQ(landscape.Orientation(), DMORIENT_LANDSCAPE);
    EXPECT_EQ(landscape.State().hOffset, 0);
    CPage wide(RECT{0, 0, 6900, 5100}, &sheet.dc, MM_TEXT);  // 11.5 inches
    EXPECT_EQ(wide.State().hOffset, 300);
    fw::SetDefaultPrinterSettings({});
}

TEST(PrintPageUnits, StateStackComesBackAndToleratesEmptyPops) {
    PrinterSheet sheet(600, 100, 100);
    CPage page(RECT{0, 0, 100, 100}, &sheet.dc, MM_TEXT);
    page.PopState();  // nothing saved: nothing happens
    EXPECT_EQ(page.State().pointSize, 10);
    for (int i = 0; i < 20; ++i) {
        page.PushState();
        page.SetFontSize(11 + i);
    }
    EXPECT_EQ(page.StateDepth(), 20u);
    for (int i = 0; i < 20; ++i)
        page.PopState();
    EXPECT_EQ(page.State().pointSize, 10);
    EXPECT_EQ(page.StateDepth(), 0u);
}

TEST(PrintPageUnits, LimitsAndSettingsAnswerThePreviousValue) {
    PrinterSheet sheet(600, 100, 100);
    CPage page(RECT{0, 0, 4800, 6000}, &sheet.dc, MM_TEXT);
    EXPECT_EQ(page.SetRightLimit(3000), 4800);
    EXPECT_EQ(page.SetBottomLimit(2.0), 10.0);  // inches
    EXPECT_EQ(page.SetBottomLimit(0), 1200);    // a pure query
    EXPECT_EQ(page.SetBottomLimit(-1), 1200);
    EXPECT_EQ(page.State().bottom, 6000);
    EXPECT_EQ(page.State().right, 3000);  // untouched by the bottom reset
    EXPECT_EQ(page.SetRightLimit(-1.0), 5.0);
    EXPECT_EQ(page.State().right, 4800);
    EXPECT_EQ(page.SetLineSpacing(0.0), 1.0);
    EXPECT_EQ(page.SetLineSpacing(1.5), 1.0);
    EXPECT_EQ(page.LineSpacing(), 1.5);
}

TEST(PrintPageUnits, FaceNamesAreCutAtWholeCharacters) {
    PrinterSheet sheet(600, 100, 100);
    CPage page(RECT{0, 0, 100, 100}, &sheet.dc, MM_TEXT);
    EXPECT_STREQ(page.SetFontFace(nullptr), "Times New Roman");
    const std::string longFace = std::string(38, 'F') + "\xC3\xA4" + std::string(20, 'G');
    page.SetFontFace(longFace.c_str());
    EXPECT_EQ(page.State().faceName, longFace);
    // 38 bytes and the two-byte character would make 40: the character goes whole.
    EXPECT_EQ(std::string(page.SetFontFace("Arial")), std::string(38, 'F'));
    page.PrintText(10, 10, "x");  // the font's face is cut the same way
}

}  // namespace
}  // namespace kq::print::test
