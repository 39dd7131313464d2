// The road in three starts: the whole bench (the search, the ports and their groups), then the
// one sensor the program opens by itself (the pages, a measurement, its files), and the program
// started again from the settings that session left (a second measurement); each page is
// photographed, each file checked to exist.
#include "Demonstration.h"

#include <filesystem>
#include <memory>

#include "app/MainFrame.h"
#include "tools/harness/AppDriver.h"
#include "tools/harness/RoadSteps.h"
#include "tools/harness/SensorBench.h"

namespace demo {

namespace {

struct Page {
    UINT command;
    const char* file;
    const char* title;
};

constexpr UINT kCommandChannelB = 10032;

constexpr Page kPages[] = {
    {e2e::kCommandConnection, "page-1-connection.png", "connection"},
    {e2e::kCommandInformation, "page-2-information.png", "sensor information"},
    {e2e::kCommandMeasureSettings, "page-3-measure-settings.png", "measure settings"},
    {e2e::kCommandDocumentation, "page-4-documentation.png", "documentation"},
    {e2e::kCommandCalibration, "page-5-calibration.png", "calibration"},
    {e2e::kCommandMeasureDiagram, "page-6-measure-and-diagram.png", "measure and diagram"},
    {e2e::kCommandDiagnostic, "page-7-diagnostic.png", "diagnostic"},
};

class Walk {
  public:
    explicit Walk(const DemoOptions& options) : options_(options) {}

    void Note(bool ok, const std::string& line) {
        (ok ? report_.done : report_.failed).push_back(line);
    }

    bool StartWith(const std::vector<std::string>& arguments, int ports, const std::string& name) {
        bench_ = std::make_unique<e2e::SensorBench>();
        std::string error;
        if (!bench_->Start(options_.simulator, arguments, ports,
                           options_.results + "/" + name + "-simulator.log", &error)) {
            Note(false, "simulator: " + error);
            return false;
        }
        app_ = std::make_unique<e2e::AppDriver>(options_.results + "/" + name + "-program");
        app_->SetExtraPorts(bench_->ExtraPortsText());
        if (!app_->Start() || !e2e::WaitForMainWindow(*app_)) {
            Note(false, name + ": the main window did not show");
            return false;
        }
        app_->Command(e2e::kCommandEnglish);
        app_->Run(300);
        return true;
    }

    void Stop() {
        if (app_ != nullptr && app_->IsRunning())
            Note(app_->Close(), "closed the program through its close protocol");
        app_.reset();
        bench_.reset();
    }

    void Picture(const std::string& file, const std::string& what) {
        const std::string path = options_.results + "/" + file;
        Note(app_->Screenshot(path), "picture of " + what + ": " + file);
    }

    void File(bool ok, const std::string& file, const std::string& what) {
        std::error_code ec;
        ok = ok && std::filesystem::file_size(options_.results + "/" + file, ec) > 0 && !ec;
        Note(ok, what + ": " + file);
    }

    void Search() {
        if (!StartWith(e2e::BenchArguments(options_.results + "/bench-sensors.state"),
                       e2e::kBenchPorts, "bench"))
            return;
        HWND list = e2e::ShowPortList(*app_);
        int sensors = 0;
        for (const auto& row : e2e::ListRows(list, 8))
            sensors += row[4] != "n.a." && !row[4].empty();
        Note(sensors == e2e::kBenchPorts, "the search found " + std::to_string(sensors) +
                                              " sensors on " + std::to_string(e2e::kBenchPorts) +
                                              " simulated ports");
        Picture("search-connection.png", "the ports found");
        Stop();
    }

    void MeasureAndSave() {
        if (!StartWith(e2e::OneSensorArguments(options_.results + "/one-sensor.state"), 1,
                       "one-sensor"))
            return;
        for (const Page& page : kPages) {
            e2e::ShowPage(*app_, page.command);
            Picture(page.file, "the " + std::string(page.title) + " page");
        }
        // Channel B's view is to show beside A's: asked for from the menu where it does not
        // show yet.
        e2e::ShowPage(*app_, e2e::kCommandMeasureDiagram);
        if (!ChannelViewShown(1)) {
            app_->Command(kCommandChannelB);
            app_->Run(300);
        }
        Note(ChannelViewShown(0) && ChannelViewShown(1),
             "channel B's view shown beside channel A's");
        const bool measured = e2e::Measure(*app_, 3000);
        Note(measured, "measured for 3 s on the measure-and-diagram page");
        Picture("measured.png", "the page after the measurement");
        if (measured) {
            File(e2e::SaveValues(*app_, options_.results + "/values.csv"), "values.csv",
                 "saved the measured values");
            File(e2e::SaveDiagram(*app_, options_.results + "/diagram.bmp"), "diagram.bmp",
                 "saved the diagram");
            File(e2e::PrintToPdf(*app_, options_.results + "/printout.pdf"), "printout.pdf",
                 "printed the diagram");
        }
        SecondDay();
        Stop();
    }

    // The next day at the bench: the program left on the measure page through its close
    // protocol, started again from the settings it wrote, against the same sensor.
    void SecondDay() {
        e2e::ShowPage(*app_, e2e::kCommandMeasureDiagram);
        if (!app_->Close()) {
            Note(false, "the program did not end through its close protocol");
            return;
        }
        app_->ReloadSettings();
        if (!app_->Start() || !e2e::WaitForMainWindow(*app_) || !e2e::WaitForSensorOpen(*app_)) {
            Note(false, "started again: the sensor was not opened again");
            return;
        }
        app_->Command(e2e::kCommandEnglish);
        app_->Run(300);
        const bool onMeasurePage = e2e::IsPageShown(*app_, e2e::kCommandMeasureDiagram);
        Note(onMeasurePage && e2e::Measure(*app_, 2000),
             "started again on the measure page and measured again");
        Picture("second-day.png", "the measure page after the second start");
    }

    DemoReport report_;

  private:
    bool ChannelViewShown(int channel) const {
        return app_->Frame()->m_wndViewBar[channel].IsWindowVisible() != FALSE;
    }

    DemoOptions options_;
    std::unique_ptr<e2e::SensorBench> bench_;
    std::unique_ptr<e2e::AppDriver> app_;
};

}  // namespace

DemoReport RunDemonstration(const DemoOptions& options) {
    std::filesystem::create_directories(options.results);
    Walk walk(options);
    walk.Search();
    walk.MeasureAndSave();
    return walk.report_;
}

}  // namespace demo
