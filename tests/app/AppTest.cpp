#include "AppTest.h"

#include "kq_res.h"
#include "platform/base/Resource.h"
#include "protocol/FrameCutter.h"
#include "sensor/CTarvik_Send.h"

namespace apptest {

class SimManager final : public ISensorPort {
  public:
    SimManager(SimProvider& provider, HWND owner, UINT message)
        : m_provider(provider), m_owner(owner), m_message(message) {}
    ~SimManager() override {
        std::erase(m_provider.managers, this);
        m_provider.arrivals.Forget(this);
    }
    bool OpenPort(const CString& portName, int baudrate) override {
        for (auto& port : m_provider.ports) {
            if (port->name == portName) {
                m_port = port.get();
                m_baud = baudrate;
                m_received.Empty();
                return true;
            }
        }
        return false;
    }
    void ClosePort(bool) override { m_port = nullptr; }
    bool IsPortOpen() const override { return m_port != nullptr; }
    bool Write(std::string_view bytes) override {
        if (m_port == nullptr)
            return false;
        if (m_port->silent || m_port->device == nullptr ||
            m_port->device->Sensor(0).BaudRate() != m_baud)
            return true;
        m_received.Append(bytes.data(), static_cast<int>(bytes.size()));
        tarvik::Frame frame;
        std::vector<std::string> replies;
        while (m_cutter.CutFrame(m_received, frame))
            m_port->device->Sensor(0).Receive(frame, kq::MonotonicMillis(), replies);
        for (std::string& reply : replies)
            m_provider.arrivals.Answer(this, std::move(reply), kq::CurrentClock().MonotonicNanos());
        return true;
    }
    CString GetStateText() const override {
        return m_port != nullptr ? m_port->name : CString("OffLine");
    }
    HWND Owner() const { return m_owner; }
    UINT Message() const { return m_message; }
    // The port whose sensor answers now: open, not silent, at the sensor's line speed.
    SimPortEntry* AnsweringPort() const {
        if (m_port == nullptr || m_port->silent || m_port->device == nullptr ||
            m_port->device->Sensor(0).BaudRate() != m_baud)
            return nullptr;
        return m_port;
    }

  private:
    SimProvider& m_provider;
    HWND m_owner;
    UINT m_message;
    SimPortEntry* m_port = nullptr;
    int m_baud = 0;
    CString m_received;
    tarvik::FrameCutter m_cutter;
};

std::unique_ptr<ISensorPort> SimProvider::CreatePortManager(HWND owner, UINT dataMessage, UINT) {
    auto manager = std::make_unique<SimManager>(*this, owner, dataMessage);
    managers.push_back(manager.get());
    return manager;
}

std::vector<CString> SimProvider::EnumeratePorts(bool) {
    std::vector<CString> list;
    for (auto& port : ports)
        list.push_back(port->text);
    return list;
}

void SimProvider::AddSensor(const char* text, uint32_t serial) {
    auto port = std::make_unique<SimPortEntry>();
    port->text = text;
    port->name = CString(text).SpanExcluding(" ");
    port->device = std::make_unique<sensorsim::SimDevice>();
    sensorsim::SimSensorConfig config;
    config.serialNumber = serial;
    config.baudCode = tarvik::kBaudCode115200;
    port->device->Add(std::make_unique<sensorsim::SimSensor>(config, 7));
    port->device->Sensor(0).PowerOn(kq::MonotonicMillis());
    ports.push_back(std::move(port));
}

void SimProvider::AddSilentPort(const char* text) {
    auto port = std::make_unique<SimPortEntry>();
    port->text = text;
    port->name = CString(text).SpanExcluding(" ");
    port->silent = true;
    ports.push_back(std::move(port));
}

void SimProvider::Stream() {
    std::vector<std::pair<int, std::string>> frames;
    std::vector<int64_t> sampledMs;
    for (SimManager* manager : managers) {
        SimPortEntry* port = manager->AnsweringPort();
        if (port == nullptr)
            continue;
        frames.clear();
        sampledMs.clear();
        port->device->Tick(kq::MonotonicMillis(), frames, &sampledMs);
        for (size_t i = 0; i < frames.size(); ++i)
            arrivals.ValueSet(manager, port->line, std::move(frames[i].second), sampledMs[i],
                              port->device->Sensor(0).BaudRate());
    }
}

void SimProvider::Deliver() {
    arrivals.HandOver(
        kq::CurrentClock().MonotonicNanos(), [this](SimManager* manager, const std::string& bytes) {
            if (std::find(managers.begin(), managers.end(), manager) == managers.end() ||
                !manager->IsPortOpen())
                return;
            ::SendMessage(manager->Owner(), manager->Message(), bytes.size(),
                          reinterpret_cast<LPARAM>(bytes.data()));
        });
}

std::unique_ptr<ISensorPort> ForwardingProvider::CreatePortManager(HWND owner, UINT data,
                                                                   UINT event) {
    return m_target.CreatePortManager(owner, data, event);
}

std::vector<CString> ForwardingProvider::EnumeratePorts(bool usbOnly) {
    return m_target.EnumeratePorts(usbOnly);
}

void AppTest::SetUp() {
    FrameworkTest::SetUp();
    kq::InstallResources(kq_res_bundle());
    savedFactory_ = CMainFrame::s_portProviderFactory;
    simOwned_ = std::make_unique<SimProvider>();
    sim_ = simOwned_.get();
    CMainFrame::s_portProviderFactory = [this] {
        return std::unique_ptr<ISensorPortProvider>(std::make_unique<ForwardingProvider>(*sim_));
    };
    app_ = std::make_unique<CKq7App>();
}

void AppTest::TearDown() {
    if (CMainFrame* frame = Frame(); frame != nullptr && ::IsWindow(frame->m_hWnd)) {
        frame->m_bCloseWithoutSaving = TRUE;
        frame->DestroyWindow();
    }
    app_->DisconnectFromMessageLoop();
    FrameworkTest::TearDown();
    app_.reset();
    CMainFrame::s_portProviderFactory = savedFactory_;
    simOwned_.reset();
    kq::UninstallResources(kq_res_bundle());
}

void AppTest::NewApplication() {
    app_->DisconnectFromMessageLoop();
    app_ = std::make_unique<CKq7App>();
}

void AppTest::PrepareStore(int language) {
    app_->SetRegistryKey(kRegistryCompany);
    app_->WriteProfileString("Version", "Version", "2.04");
    app_->WriteProfileString("Language", "IsFirstTimeOfApp", "No");
    app_->WriteProfileInt("Language", "Language", language);
}

BOOL AppTest::Start(std::vector<const char*> args) {
    std::vector<char*> argv;
    for (const char* arg : args)
        argv.push_back(const_cast<char*>(arg));
    AfxWinInit(app_.get(), static_cast<int>(argv.size()), argv.data());
    if (!app_->InitApplication())
        return FALSE;
    if (!app_->InitInstance())
        return FALSE;
    // As Run does: the idle update and the pre-translation of the loop.
    app_->ConnectToMessageLoop();
    return TRUE;
}

CMainFrame* AppTest::StartAndComplete() {
    if (!Start())
        return nullptr;
    Pump();
    return Frame();
}

CMainFrame* AppTest::StartWithOpenSensor() {
    PrepareStore();
    sim_->AddSensor("COM1 Tarvik USB sensor interface port", 1111);
    CMainFrame* frame = StartAndComplete();
    if (frame == nullptr)
        return nullptr;
    Run(4000);
    return frame->m_iOpenEntry == 0 ? frame : nullptr;
}

void AppTest::Run(int64_t ms) {
    for (int64_t done = 0; done < ms; done += 10) {
        Advance(10);
        sim_->Deliver();
        Pump();
    }
}

void AppTest::RunStreaming(int64_t ms) {
    for (int64_t done = 0; done < ms; done += 10) {
        Advance(10);
        sim_->Stream();
        sim_->Deliver();
        Pump();
    }
}

void AppTest::CloseFrame() {
    Frame()->SendMessage(WM_CLOSE);
    Pump();
}

CString AppTest::PaneText(int pane) {
    return Frame()->m_wndStatusBar.GetPaneText(pane);
}

void StartedApp::SetUp() {
    AppTest::SetUp();
    PrepareStore();
    frame_ = StartAndComplete();
    ASSERT_NE(frame_, nullptr);
}

}  // namespace apptest
