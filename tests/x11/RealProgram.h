// The real program (build/app/kq7b) as an operator meets it: on an X server of its own (Xvfb,
// 1600x1000), against the sensor simulator as a separate program with one sensor, in a home
// folder of its own, its output kept for the sanitizers' reports.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

#include "Hands.h"
#include "tools/harness/SensorBench.h"

namespace kq::ui::test {
class Xvfb;
}

namespace x11test {

class RealProgram {
  public:
    RealProgram();
    ~RealProgram();
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    // Starts the X server, the simulator and the program. False with the reason in `why`;
    // `noXvfb` tells that the X server is not installed (the tests skip then).
    bool Start(std::string* why, bool* noXvfb);
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

    std::unique_ptr<kq::ui::test::Xvfb> xvfb_;
    e2e::SensorBench bench_;
    Hands hands_;
    std::string folder_;
    pid_t pid_ = -1;
    int exitCode_ = -1;
    bool keep_ = false;
};

}  // namespace x11test
