#include "Road.h"

#include <stdlib.h>

#include <filesystem>

#include <clocale>

#include "platform/base/CString.h"
#include "platform/ui/WinUser.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {

namespace {

std::string SelfPath() {
    return std::filesystem::read_symlink("/proc/self/exe").string();
}

}  // namespace

void Road::SetUp() {
    if (const char* locale = getenv("LC_ALL"); locale != nullptr && *locale != '\0') {
        if (setlocale(LC_ALL, "") == nullptr)
            GTEST_SKIP() << "the locale " << locale
                         << " is not installed here (the scripts generate it when run as root)";
    }
    char pattern[] = "/tmp/kq7b-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    stateFile_ = root_ + "/sensors.state";
    app_ = std::make_unique<AppDriver>(root_);
}

void Road::TearDown() {
    app_.reset();
    bench_.reset();
    if (!HasFailure()) {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    } else {
        std::printf("the run's folder is kept: %s\n", root_.c_str());
    }
}

void Road::StartBench(std::vector<std::string> arguments, int ports) {
    if (arguments.empty())
        arguments = BenchArguments(stateFile_);
    bench_ = std::make_unique<SensorBench>();
    std::string error;
    ASSERT_TRUE(bench_->Start(FindSimulatorProgram(SelfPath()), arguments, ports,
                              root_ + "/simulator.log", &error))
        << error;
    app_->SetExtraPorts(bench_->ExtraPortsText());
}

std::vector<std::string> Road::WithPortLinks(std::vector<std::string> arguments) const {
    const std::string devices = root_ + "/dev";
    std::filesystem::create_directories(devices);
    arguments.insert(arguments.end(), {"--links", devices});
    return arguments;
}

void Road::StartApp() {
    ASSERT_TRUE(app_->Start());
    ASSERT_TRUE(WaitForMainWindow(*app_)) << "the main window never showed";
    app_->Command(LanguageCommand());
    app_->Run(100);
    // With a single sensor on the bench the program opens it by itself, and the steps that follow
    // need it open; a test of a sensor that cannot open finds out by its own checks.
    if (bench_ != nullptr && bench_->Ports().size() == 1)
        WaitForSensorOpen(*app_);
}

UINT Road::LanguageCommand() const {
    const char* language = getenv("KQ7B_E2E_LANGUAGE");
    const std::string chosen = language != nullptr ? language : "";
    if (chosen == "fr")
        return kCommandFrench;
    if (chosen == "en")
        return kCommandEnglish;
    return kCommandGerman;
}

int Road::LanguageOffset() const {
    const UINT command = LanguageCommand();
    return command == kCommandFrench ? 4000 : command == kCommandEnglish ? 1000 : 0;
}

std::string Road::TableText(int id, int languageOffset) {
    CString text;
    if (!text.LoadString(static_cast<UINT>(id + languageOffset)) && languageOffset >= 2000)
        text.LoadString(static_cast<UINT>(id + languageOffset - 2000));
    return text.GetString();
}

}  // namespace e2e
