// The demonstration: the operator's road walked on the headless screen against the simulator
// program, leaving pictures of each page, the saved files and a summary in a results folder.
#pragma once

#include <string>
#include <vector>

namespace demo {

struct DemoOptions {
    std::string results;    // the folder the results go to (created)
    std::string simulator;  // the simulator program
};

struct DemoReport {
    std::vector<std::string> done;    // one line per step that worked
    std::vector<std::string> failed;  // one line per step that did not
};

DemoReport RunDemonstration(const DemoOptions& options);

}  // namespace demo
