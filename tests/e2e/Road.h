// The fixture of the operator's road: a folder of its own, the simulator program with the bench
// of sensors on pseudo-terminals, and the application in this process started against them.
// KQ7B_E2E_LANGUAGE=fr (or en) switches the program to that language once its window shows;
// with LC_ALL set the process takes that locale first (the program's numbers must not follow it),
// and every test skips when the locale is not installed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tools/harness/AppDriver.h"
#include "tools/harness/SensorBench.h"

namespace e2e {

class Road : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the simulator; the bench by default.
    void StartBench(std::vector<std::string> arguments = {}, int ports = kBenchPorts);
    // The simulator's arguments with its ports named by links in the run's folder, which go with
    // a port that vanishes or the simulator's end, as a USB adapter's device node does.
    std::vector<std::string> WithPortLinks(std::vector<std::string> arguments) const;
    // Starts the program and runs until the main window shows (its search has found a sensor);
    // then the language of the run is chosen. With a single sensor on the bench it runs on until
    // the program has opened it.
    void StartApp();
    // The text of a string-table entry in a language (its offset: 0, 1000, 4000), read from the
    // program's resources as the string table holds it.
    static std::string TableText(int id, int languageOffset);
    // The menu command and the offset of the run's language (German when none is asked for).
    UINT LanguageCommand() const;
    int LanguageOffset() const;

    std::string root_;
    std::string stateFile_;
    std::unique_ptr<SensorBench> bench_;
    std::unique_ptr<AppDriver> app_;
};

}  // namespace e2e
