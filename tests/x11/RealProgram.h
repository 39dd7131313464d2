// The real program (build/app/kq7b) as an operator meets it: on an X server of its own (Xvfb,
// 1600x1000, or the desktop a road asks for: monitors, resolution, layout, window manager), against
// the sensor simulator as a separate program with one sensor, in a home folder of its own, its
// output kept for the sanitizers' reports.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "Hands.h"
#include "tools/harness/SensorBench.h"

namespace kq::ui::test {
class Xvfb;
}

namespace x11test {

// The desktop the program runs on.
struct Desktop {
    std::vector<std::string> screens{"-screen", "0", "1600x1000x24"};  // Xvfb's arguments
    std::vector<Box> monitors;   // RandR monitors (the first the primary); none: the screen
    std::string resources;       // the X resources ("Xft.dpi:\t192\n")
    std::string layout;          // the keyboard layout ("de"); empty: the server's
    bool windowManager = false;  // openbox
};

class RealProgram {
  public:
    RealProgram();
    ~RealProgram();
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    // Starts the X server, the simulator and the program. False with the reason in `why`;
    // `noXvfb` tells that the X server is not installed (the tests skip then).
    bool Start(std::string* why, bool* noXvfb, const Desktop& desktop = {});
    // Starts the program once more after it has ended, on the same desktop, against the same
    // simulator, with the settings and files its last run left.
    bool StartAgain(std::string* why);
    // Runs a shell command of the desktop (xclip, xprop) on the program's display, with `input`
    // on its standard input, for at most ten seconds: what it wrote on its standard output.
    std::string RunOnDisplay(const std::string& command, const std::string& input = {}) const;
    // The X server ends (the hands let go of it first).
    void EndDisplay();
    const std::string& DisplayName() const { return display_; }
    pid_t Pid() const { return pid_; }
    Hands& hands() { return hands_; }
    // The folder of the operator's documents (where the save dialogs start).
    std::string Documents() const;
    // The work folder of this run (home, documents, logs, pictures of failures).
    const std::string& Folder() const { return folder_; }

    bool IsRunning();
    // The exit code once the program has ended within `ms`; -1 while it still runs, -2 when a
    // signal ended it.
    int WaitForExit(int ms);
    // The lines of the program's output in which a sanitizer reports a fault; empty for none.
    std::string SanitizerReport() const;
    // The end of the program's output, for messages.
    std::string OutputTail() const;
    // The work folder stays after the run (something failed: its pictures tell what).
    void KeepFolder() { keep_ = true; }

  private:
    void Kill();
    bool StartDesktop(const Desktop& desktop, std::string* why);

    std::unique_ptr<kq::ui::test::Xvfb> xvfb_;
    e2e::SensorBench bench_;
    Hands hands_;
    std::string folder_;
    std::string display_;
    std::vector<std::string> environment_;  // the program's, the same at each start
    pid_t pid_ = -1;
    pid_t windowManager_ = -1;
    int exitCode_ = -1;
    bool keep_ = false;
};

}  // namespace x11test
