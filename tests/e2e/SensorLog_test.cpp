// The sensor's service log, switched on in the settings: a run that connects, measures and
// closes leaves its entries in the sensor's file, each under one head line.
#include <filesystem>
#include <fstream>
#include <regex>

#include "Files.h"
#include "Road.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using SensorLog = Road;

// The log's entries in the order they were written: the texts between the quotes of the head
// lines ("Sensor Verbunden" for a connection).
std::vector<std::string> EventsOf(const std::string& log) {
    static const std::regex head(
        "KQ7-B Version: 2\\.04  [0-9]{2}[./][0-9]{2}[./][0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}"
        "   Stator Serien Nr\\.: [0-9]+   \"([^\"\n]*)\"\n-{69}\n");
    std::vector<std::string> events;
    for (auto it = std::sregex_iterator(log.begin(), log.end(), head); it != std::sregex_iterator();
         ++it)
        events.push_back((*it)[1]);
    return events;
}

TEST_F(SensorLog, ARunLogsTheConnectionTheMeasurementAndTheClose) {
    std::filesystem::create_directories(std::filesystem::path(app_->SettingsFile()).parent_path());
    // Settings of this version (older ones are dropped at start) with the log switched on.
    std::ofstream(app_->SettingsFile())
        << "Windows Registry Editor Version 5.00\n\n"
           "[HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B\\Version]\n"
           "\"Version\"=\"2.04\"\n\n"
           "[HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B\\Language]\n"
           "\"WriteLogFile\"=dword:00000000\n";
    app_->ReloadSettings();
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    ASSERT_TRUE(Measure(*app_, 1000));
    // Closed through File -> Exit: every way out ends the log alike.
    app_->Command(10004);
    ASSERT_TRUE(app_->RunUntil([&] { return !app_->IsRunning(); }, 20000));

    std::vector<std::string> logs;
    for (const auto& entry : std::filesystem::directory_iterator(root_ + "/data/Brevan/Sensors"))
        logs.push_back(entry.path().string());
    ASSERT_EQ(logs.size(), 1u);
    const std::string log = ReadCp1252File(logs.front());
    const std::vector<std::string> events = EventsOf(log);
    // Each head line has its date and time apart by one blank, as the maker's tools parse them.
    ASSERT_GE(events.size(), 3u) << log;
    EXPECT_EQ(events.front(), "Sensor Verbunden") << log;
    EXPECT_NE(std::find(events.begin(), events.end(), "StartMeasurement()"), events.end()) << log;
    EXPECT_EQ(events.back(), "OnCloseApp()") << log;
    EXPECT_NE(log.find("Anwendung wurde beendet"), std::string::npos);
}

}  // namespace
}  // namespace e2e
