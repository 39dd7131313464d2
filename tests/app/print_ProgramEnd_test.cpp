// The program's application object is a static made before anything else and destroyed after
// every static made later. A print asks it for the printer defaults (the page's orientation);
// the program's normal end must still give them back, so that the leak checker of the checked
// build finds nothing and the process ends with status 0.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/framework/WinApp.h"
#include "platform/ui/commdlg/CommDlg.h"

namespace {

[[gnu::noinline]] void AskForPrinterDefaults() {
    static CWinApp app("kq7b");  // the first static of the process, as the program's own
    PRINTDLG defaults{};
    defaults.lStructSize = sizeof(defaults);
    app.GetPrinterDeviceDefaults(&defaults);
    // Only the application holds the blocks now, as after the page asked.
    explicit_bzero(&defaults, sizeof(defaults));
}

void PrintThenEnd() {
    AskForPrinterDefaults();
    std::exit(0);
}

TEST(ProgramEnd, EndsWithStatusZeroAfterAPrintAskedForThePrinterDefaults) {
    // A process of its own, started afresh, so that nothing of this one was made before.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(PrintThenEnd(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
