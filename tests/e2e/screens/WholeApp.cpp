#include "tests/e2e/screens/WholeApp.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "foundation/SharedConstants.h"
#include "kq_res.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/base/Registry.h"
#include "platform/base/Resource.h"
#include "platform/framework/MessageBox.h"
#include "platform/ui/EventLoop.h"
#include "protocol/FrameCutter.h"
#include "protocol/Protocol.h"
#include "res/resource.h"
#include "tools/testsupport/Reset.h"

namespace wholeapp {

namespace {

constexpr uint32_t kDeviceSerial = 4711;
// The measure configuration's stop after a number of value sets.
constexpr int kCountStop = 7;

int64_t ThreadCpuNanos() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

CString PortName(int position) {
    CString name;
    name.Format("COM%d", 11 + position);
    return name;
}

}  // namespace

// One port manager of the program: opened on one of the device's ports, it hands what the
// program writes to that port's sensor and queues the sensor's replies for the owner window.
class StreamPort final : public ISensorPort {
  public:
    StreamPort(WholeApp& app, HWND owner, UINT message)
        : app_(app), owner_(owner), message_(message) {
        app_.ports_.push_back(this);
    }
    ~StreamPort() override {
        std::erase(app_.ports_, this);
        app_.arrivals_.Forget(this);
    }
    bool OpenPort(const CString& portName, int baudrate) override {
        for (int i = 0; i < WholeApp::kSensors; ++i) {
            if (PortName(i) == portName) {
                position_ = i;
                baud_ = baudrate;
                received_.Empty();
                return true;
            }
        }
        return false;
    }
    void ClosePort(bool) override { position_ = -1; }
    bool IsPortOpen() const override { return position_ >= 0; }
    bool Write(std::string_view bytes) override {
        if (position_ < 0)
            return false;
        sensorsim::SimSensor& sensor = app_.device_.Sensor(position_);
        if (sensor.BaudRate() != baud_)
            return true;  // the sensor hears noise at another rate
        received_.Append(bytes.data(), static_cast<int>(bytes.size()));
        tarvik::Frame frame;
        std::vector<std::string> replies;
        while (cutter_.CutFrame(received_, frame))
            sensor.Receive(frame, kq::MonotonicMillis(), replies);
        for (std::string& reply : replies)
            app_.arrivals_.Answer(this, std::move(reply), kq::CurrentClock().MonotonicNanos());
        return true;
    }
    CString GetStateText() const override {
        return position_ >= 0 ? PortName(position_) : CString("OffLine");
    }
    int Position() const { return position_; }
    bool LineMatches() const {
        return position_ >= 0 && app_.device_.Sensor(position_).BaudRate() == baud_;
    }
    HWND Owner() const { return owner_; }
    UINT Message() const { return message_; }

  private:
    WholeApp& app_;
    HWND owner_;
    UINT message_;
    int position_ = -1;
    int baud_ = 0;
    CString received_;
    tarvik::FrameCutter cutter_;
};

namespace {

class StreamProvider final : public ISensorPortProvider {
  public:
    explicit StreamProvider(WholeApp& app) : app_(app) {}
    std::unique_ptr<ISensorPort> CreatePortManager(HWND owner, UINT data, UINT) override {
        return std::make_unique<StreamPort>(app_, owner, data);
    }
    std::vector<CString> EnumeratePorts(bool) override {
        std::vector<CString> list;
        for (int i = 0; i < WholeApp::kSensors; ++i)
            list.push_back(PortName(i) + " USB Serial Port");
        return list;
    }

  private:
    WholeApp& app_;
};

}  // namespace

WholeApp::WholeApp(const std::string& folder) {
    if (folder.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kq-app-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            folder_ = pattern;
    } else {
        std::filesystem::create_directories(folder);
        folder_ = folder;
    }
    roots_ = std::make_unique<kq::ScopedFolderRoots>(folder_);
    kq::SetRegistryFilePath(folder_ + "/registry.reg");
    kq::fw::SetMessageBoxFunction([](HWND, const CString& text, const CString&, UINT) {
        std::fprintf(stderr, "message box: %s\n", text.GetString());
        return IDOK;
    });
    kq::InstallResources(kq_res_bundle());
    // A multi-port device: one serial number, sensor i behind port i, a slow sine on each.
    for (int i = 0; i < kSensors; ++i) {
        sensorsim::SimSensorConfig config;
        config.serialNumber = kDeviceSerial;
        config.statorId = tarvik::kStatorNxZid3;
        config.multiportModule = 1;
        config.sensorIndex = static_cast<uint8_t>(i);
        config.baudCode = tarvik::kBaudCode230400;
        config.channel[0].signal = {sensorsim::SignalShape::Kind::Sine, 10000.0 * (i + 1), 5000.0,
                                    2.0};
        config.channel[1].signal = {sensorsim::SignalShape::Kind::Constant, -2000.0 * (i + 1)};
        device_.Add(std::make_unique<sensorsim::SimSensor>(config, 7 + i));
        device_.Sensor(i).PowerOn(kq::MonotonicMillis());
    }
    CMainFrame::s_portProviderFactory = [this] {
        return std::unique_ptr<ISensorPortProvider>(std::make_unique<StreamProvider>(*this));
    };
    app_ = std::make_unique<CKq7App>();
    app_->SetRegistryKey(kRegistryCompany);
    app_->WriteProfileString("Version", "Version", "2.04");
    app_->WriteProfileString("Language", "IsFirstTimeOfApp", "No");
    app_->WriteProfileInt("Language", "Language", 1);
}

WholeApp::~WholeApp() {
    if (CMainFrame* frame = Frame(); frame != nullptr && ::IsWindow(frame->m_hWnd)) {
        frame->m_bCloseWithoutSaving = TRUE;
        frame->DestroyWindow();
    }
    app_->DisconnectFromMessageLoop();
    kq::ui::ResetWindowSystem();
    CWnd::DeleteTempMap();
    kq::fw::SetMessageBoxFunction(nullptr);
    app_.reset();
    CMainFrame::s_portProviderFactory = nullptr;
    kq::UninstallResources(kq_res_bundle());
    roots_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

CMainFrame* WholeApp::Frame() const {
    return GetMainFrame();
}

int64_t WholeApp::StartUntilFourSensorsFound(int64_t maxMs) {
    char name[] = "kq7b";
    char* argv[] = {name, nullptr};
    AfxWinInit(app_.get(), 1, argv);
    if (!app_->InitApplication() || !app_->InitInstance())
        return -1;
    app_->ConnectToMessageLoop();
    kq::ui::PumpUntilIdle();
    const int64_t start = kq::MonotonicMillis();
    for (int64_t t = 0; t < maxMs; t += 10) {
        CMainFrame* frame = Frame();
        if (frame != nullptr && frame->IsWindowVisible() && frame->m_iSensorsFound == kSensors &&
            frame->IsEngineAtRest())
            return kq::MonotonicMillis() - start;
        Run(10);
    }
    return -1;
}

bool WholeApp::ActivateDevice(int64_t maxMs) {
    CMainFrame* frame = Frame();
    CDlgSensorConnection* connection = frame != nullptr ? frame->GetConnectionPage() : nullptr;
    if (connection == nullptr)
        return false;
    // The start-up opens a device it found by itself; the row's activation would close it again.
    const auto open = [&] {
        return frame->m_iNumberOfSensors == kSensors && frame->IsEngineAtRest() != FALSE;
    };
    if (!open())
        connection->ActivatePortRow(0, 0);
    for (int64_t t = 0; t < maxMs; t += 10) {
        if (open())
            return true;
        Run(10);
    }
    return false;
}

bool WholeApp::StartMeasuring(double stopAfterSets) {
    CMainFrame* frame = Frame();
    if (frame == nullptr || !frame->SetOperatingMode(PAGE_MEASURE_DIAGRAM))
        return false;
    Run(100);
    // The channel views chosen as shown, then laid out as the frame does when its view state
    // changes: shown, and made equally high in their column.
    for (int c = 0; c < kSensors; ++c)
        frame->m_viewState.checkState[c] = 1;
    frame->UpdateViewBarsForPage(1);
    // The fastest rate, and a stop after the number of value sets, which also sizes the
    // diagram's store.
    frame->m_iMeasureRateIndex = 0;
    frame->COM_SetMeasureRateParameters();
    CDlgMeasureAdjust* configuration = frame->GetMeasureAdjustPage();
    if (configuration == nullptr)
        return false;
    configuration->m_values.stopCode = kCountStop;
    configuration->m_values.stopCount = stopAfterSets;
    Run(100);
    CDlgMeasureDiagram* page = frame->GetMeasureDiagramPage();
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MD_START, BN_CLICKED),
                      reinterpret_cast<LPARAM>(page->GetDlgItem(IDC_MD_START)->m_hWnd));
    Run(200);
    return IsMeasuring();
}

bool WholeApp::IsMeasuring() const {
    CMainFrame* frame = Frame();
    return frame != nullptr && frame->GetMeasureDiagramPage()->IsMeasuring();
}

void WholeApp::Run(int64_t ms, int64_t stepMs) {
    for (int64_t done = 0; done < ms; done += stepMs) {
        clock_->AdvanceMillis(std::min(stepMs, ms - done));
        kq::ui::NotifyClockChanged();
        Stream();
        Deliver();
        kq::ui::PumpUntilIdle();
        Deliver();
    }
}

void WholeApp::Stream() {
    const int64_t before = ThreadCpuNanos();
    std::vector<std::pair<int, std::string>> out;
    std::vector<int64_t> sampledMs;
    device_.Tick(kq::MonotonicMillis(), out, &sampledMs);
    for (size_t i = 0; i < out.size(); ++i) {
        auto& [position, bytes] = out[i];
        for (StreamPort* port : ports_) {
            if (port->Position() == position && port->LineMatches()) {
                framesSent_ +=
                    arrivals_.ValueSet(port, lines_[position], std::move(bytes), sampledMs[i],
                                       device_.Sensor(position).BaudRate());
                break;
            }
        }
    }
    simulatorCpuNanos_ += ThreadCpuNanos() - before;
}

void WholeApp::Deliver() {
    arrivals_.HandOver(kq::CurrentClock().MonotonicNanos(), [this](StreamPort* port,
                                                                   const std::string& bytes) {
        if (std::find(ports_.begin(), ports_.end(), port) == ports_.end() || !port->IsPortOpen())
            return;
        ::SendMessage(port->Owner(), port->Message(), bytes.size(),
                      reinterpret_cast<LPARAM>(bytes.data()));
    });
}

int64_t ProcessCpuNanos() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

int64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    int64_t size = 0;
    int64_t resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace wholeapp
