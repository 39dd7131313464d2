#include "app/main/CommandLineHelp.h"

#include <cstring>

namespace kq::app {

namespace {

constexpr const char* kHelp =
    "Usage: kq7b [option]\n"
    "The companion program of the rotating torque sensors: finds the sensors on the serial\n"
    "ports, shows and records their measured values.\n"
    "One program runs per settings folder: a second start while it runs says so and ends,\n"
    "so that it cannot overwrite the first one's settings.\n"
    "\n"
    "Options:\n"
    "  -h, --help    print this help and exit\n"
    "  --Restart     wait for the program's previous instance to end first (the program\n"
    "                restarts itself with it)\n"
    "\n"
    "Environment variables:\n"
    "  DISPLAY              the X server the windows appear on; without it the program runs\n"
    "                       headless, its screen in memory\n"
    "  KQ7B_BACKEND         the window system: \"x11\", \"x11:DISPLAY\" or \"headless\"\n"
    "  KQ7B_SCALE           the factor (1 to 8) the windows are enlarged by on the X server;\n"
    "                       by default 2 from 144 dpi (Xft.dpi) on, 3 from 240 dpi, where the\n"
    "                       screen holds 1024 x 768 enlarged pixels\n"
    "  KQ7B_EXTRA_PORTS     ports no search finds, for this run: \"path=/dev/pts/5;desc=Text\" or\n"
    "                       \"tcp=host:port;desc=Text;setup=9999\", separated by ','\n"
    "  KQ_TRACE             any value but 0: the program's trace also goes to standard error\n"
    "  HOME                 the user's folder\n"
    "  XDG_CONFIG_HOME      the settings (default $HOME/.config), and the lock that keeps the\n"
    "                       program to one instance on them\n"
    "  XDG_DATA_HOME        the user's program data (default $HOME/.local/share)\n"
    "  XDG_DOCUMENTS_DIR    the folder files are saved in by default\n"
    "  XDG_DATA_DIRS        the first folder is the data shared by all users\n"
    "  XDG_RUNTIME_DIR      the lock of the restart hand-over (default /tmp)\n"
    "  TMPDIR               temporary files, the print spool included (default /tmp)\n"
    "  PATH                 where the print command lp is looked for\n"
    "  LC_ALL, LC_MESSAGES, LANG\n"
    "                       the system language reported in the program's diagnosis\n";

}  // namespace

bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    return false;
}

void PrintHelp(std::FILE* out) {
    std::fputs(kHelp, out);
}

}  // namespace kq::app
