// kq7b-demo: walks the operator's road through the real application on the headless screen,
// against the sensor simulator program, and leaves its results in a folder.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "Demonstration.h"
#include "tools/harness/SensorBench.h"

namespace {

constexpr const char* kUsage =
    "usage: kq7b-demo [--results FOLDER] [--simulator PROGRAM]\n"
    "Starts the sensor simulator with a bench of sensors, runs the application on the headless\n"
    "screen against it, finds the sensors, shows every page, measures, saves the values (CSV)\n"
    "and the diagram (BMP), prints it to PDF, closes the program on the measure page, starts it\n"
    "again from the settings it left and measures once more, and leaves pictures of each page\n"
    "(PNG), the files and a summary (summary.txt) in the results folder (default:\n"
    "kq7b-demo-<date>-<time>). Ends with 0 when every step worked, else 1.\n";

std::string DefaultFolder() {
    const std::time_t now = std::time(nullptr);
    char name[64];
    std::strftime(name, sizeof name, "kq7b-demo-%Y%m%d-%H%M%S", std::localtime(&now));
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    demo::DemoOptions options;
    options.simulator = e2e::FindSimulatorProgram(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if ((argument == "--results" || argument == "--simulator") && i + 1 < argc) {
            (argument == "--results" ? options.results : options.simulator) = argv[++i];
            continue;
        }
        std::cerr << "kq7b-demo: unknown argument " << argument << "\n" << kUsage;
        return 2;
    }
    if (options.results.empty())
        options.results = DefaultFolder();
    options.results = std::filesystem::absolute(options.results).string();

    const demo::DemoReport report = demo::RunDemonstration(options);
    std::ofstream summary(options.results + "/summary.txt");
    auto both = [&](const std::string& line) {
        std::cout << line << "\n";
        summary << line << "\n";
    };
    both("KQ7-B demonstration against the sensor simulator");
    for (const std::string& line : report.done)
        both("  done:   " + line);
    for (const std::string& line : report.failed)
        both("  FAILED: " + line);
    both("Results: " + options.results);
    return report.failed.empty() ? 0 : 1;
}
