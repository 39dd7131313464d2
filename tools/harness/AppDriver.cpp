// The driver's life: folders and clock first, then the program's start as its main does it
// (initialisation, instance, the loop's idle and pre-translation), the paced clock while it runs,
// and its end when the close protocol has posted the quit.
#include "tools/harness/AppDriver.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <thread>

#include "app/Kq7App.h"
#include "app/MainFrame.h"
#include "kq_res.h"
#include "platform/base/Registry.h"
#include "platform/base/Resource.h"
#include "platform/framework/Framework.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/Input.h"
#include "platform/ui/paint/Screenshot.h"
#include "ports/ExtraPorts.h"
#include "tools/testsupport/Reset.h"

namespace e2e {

namespace {

// The clock moves in steps this long; the simulator's answers are handled between them.
constexpr int64_t kStepMs = 10;

int64_t WallNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The answers waiting for the program's next modal windows. A thread of the harness posts a
// message to a window of its own every few milliseconds of real time; the modal loops dispatch
// it like any other, so the look for a modal window runs on the GUI thread inside them. A modal
// window nobody answers is cancelled after a while (and recorded), so that a run never hangs in a
// dialog.
struct ModalWatch {
    std::deque<std::function<bool(HWND)>> answers;
    HWND watcher = nullptr;
    std::thread ticker;
    std::atomic<bool> stop{false};
    HWND mainWindow = nullptr;
    HWND current = nullptr;  // the modal window seen last
    int escapes = 0;
    bool answered = false;  // the modal window seen last was taken by an answer
    std::chrono::steady_clock::time_point since;
    std::vector<ShownMessage>* log = nullptr;
    // A modal loop waits in real time, as the program's own loop does between the driver's
    // steps: the clock follows it there too (the readings of a calibration step run on timers).
    kq::VirtualClock* clock = nullptr;
    std::chrono::steady_clock::time_point clockMark;
    int64_t movedInModalMs = 0;
};
ModalWatch g_watch;
constexpr int kModalPollMs = 20;
constexpr UINT kWatchMessage = WM_APP + 0x3E2;
constexpr const char* kWatcherClass = "KqE2eModalWatcher";
constexpr auto kUnansweredLimit = std::chrono::seconds(3);

void LookForModal() {
    HWND active = ::GetActiveWindow();
    if (active == nullptr || active == g_watch.mainWindow || !::IsWindowVisible(active) ||
        (g_watch.mainWindow != nullptr && ::IsWindowEnabled(g_watch.mainWindow))) {
        g_watch.current = nullptr;
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (active != g_watch.current)
        g_watch.clockMark = now;  // its time starts when it is seen
    if (g_watch.clock != nullptr) {
        const int64_t ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(now - g_watch.clockMark).count();
        if (ms > 0) {
            g_watch.clock->AdvanceMillis(ms);
            kq::ui::NotifyClockChanged();
            g_watch.clockMark += std::chrono::milliseconds(ms);
            g_watch.movedInModalMs += ms;
        }
    }
    if (active != g_watch.current) {
        g_watch.current = active;
        g_watch.escapes = 0;
        g_watch.since = now;
        g_watch.answered = !g_watch.answers.empty() && g_watch.answers.front()(active);
        if (g_watch.answered)
            g_watch.answers.pop_front();
        return;
    }
    // Unanswered: Cancel, then No (a question without Cancel), then OK. An answered window may
    // take its time (a reading that runs while it shows).
    if (!g_watch.answered && now - g_watch.since > kUnansweredLimit) {
        if (g_watch.log != nullptr)
            g_watch.log->push_back(ShownMessage{WindowText(active), "unanswered dialog", 0});
        g_watch.since = now;
        static const int kEscapes[] = {IDCANCEL, IDNO, IDOK};
        ::PostMessage(active, WM_COMMAND, kEscapes[g_watch.escapes++ % 3], 0);
    }
}

LRESULT CALLBACK WatcherProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWatchMessage) {
        LookForModal();
        return 0;
    }
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

void StartWatch() {
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &WatcherProc;
        wc.lpszClassName = kWatcherClass;
        return ::RegisterClass(&wc) != 0;
    }();
    (void)registered;
    g_watch.watcher = ::CreateWindowEx(0, kWatcherClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       nullptr, nullptr);
    g_watch.stop = false;
    g_watch.ticker = std::thread([hwnd = g_watch.watcher] {
        while (!g_watch.stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kModalPollMs));
            ::PostMessage(hwnd, kWatchMessage, 0, 0);
        }
    });
}

void EndWatch() {
    g_watch.stop = true;
    if (g_watch.ticker.joinable())
        g_watch.ticker.join();
    if (g_watch.watcher != nullptr)
        ::DestroyWindow(g_watch.watcher);
    g_watch.watcher = nullptr;
    g_watch.answers.clear();
    g_watch.mainWindow = nullptr;
    g_watch.current = nullptr;
    g_watch.log = nullptr;
    g_watch.clock = nullptr;
}

}  // namespace

void AppDriver::ForgetAnswers() {
    g_watch.answers.clear();
}

void AppDriver::WhenModal(std::function<bool(HWND dialog)> answer) {
    g_watch.answers.push_back(std::move(answer));
}

bool AppDriver::Press(HWND dialog, int buttonId) {
    if (::GetDlgItem(dialog, buttonId) == nullptr)
        return false;
    ::PostMessage(dialog, WM_COMMAND, static_cast<WPARAM>(buttonId), 0);
    return true;
}

bool AppDriver::FillAndPress(HWND dialog, int editId, const std::string& text, int buttonId) {
    HWND edit = ::GetDlgItem(dialog, editId);
    if (edit == nullptr || ::GetDlgItem(dialog, buttonId) == nullptr)
        return false;
    ::SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const POINT at = Centre(::GetDlgItem(dialog, buttonId));
    kq::ui::InjectMouseMove(at);
    kq::ui::InjectMouseButton(at, VK_LBUTTON, true);
    kq::ui::InjectMouseButton(at, VK_LBUTTON, false);
    return true;
}

AppDriver::AppDriver(const std::string& root) : root_(root), clock_(WallNow()) {
    std::filesystem::create_directories(root_);
    roots_ = std::make_unique<kq::ScopedFolderRoots>(root_);
    kq::SetCurrentClock(&clock_);
    kq::SetRegistryFilePath(SettingsFile());
    kq::InstallResources(kq_res_bundle());
    kq::fw::SetMessageBoxFunction(
        [this](HWND, const CString& text, const CString& caption, UINT type) {
            messages.push_back(ShownMessage{text.GetString(), caption.GetString(), type});
            if (messageAnswer != 0)
                return messageAnswer;
            // The operator agrees: Yes to a question, OK to a notice.
            const UINT buttons = type & 0x0F;
            return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
        });
}

AppDriver::~AppDriver() {
    EndWatch();
    if (!ended_) {
        if (CMainFrame* frame = Frame(); frame != nullptr && ::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
        Pump();
        Finish();
    }
    kq::ui::ResetWindowSystem();
    CWnd::DeleteTempMap();
    kq::fw::SetMessageBoxFunction(nullptr);
    kq::SetRegistryFilePath(SettingsFile());
    kq::UninstallResources(kq_res_bundle());
    kq::SetCurrentClock(nullptr);
    unsetenv(kq::ports::kExtraPortsVariable);
    roots_.reset();
}

void AppDriver::SetExtraPorts(const std::string& text) {
    setenv(kq::ports::kExtraPortsVariable, text.c_str(), 1);
}

bool AppDriver::Start() {
    if (!ended_)
        return false;
    app_ = std::make_unique<CKq7App>();
    char program[] = "kq7b";
    char* argv[] = {program, nullptr};
    AfxWinInit(app_.get(), 1, argv);
    if (!app_->InitApplication() || !app_->InitInstance()) {
        if (app_->m_pMainWnd != nullptr)
            app_->m_pMainWnd->DestroyWindow();
        app_->ExitInstance();
        app_.reset();
        return false;
    }
    app_->ConnectToMessageLoop();
    ended_ = false;
    g_watch.mainWindow = FrameWindow();
    g_watch.log = &messages;
    g_watch.clock = &clock_;
    if (g_watch.watcher == nullptr)
        StartWatch();
    Pump();
    return true;
}

bool AppDriver::IsRunning() const {
    return !ended_ && FrameWindow() != nullptr;
}

CMainFrame* AppDriver::Frame() const {
    return ended_ ? nullptr : GetMainFrame();
}

HWND AppDriver::FrameWindow() const {
    CMainFrame* frame = Frame();
    return frame != nullptr && ::IsWindow(frame->m_hWnd) ? frame->m_hWnd : nullptr;
}

void AppDriver::Pump() {
    kq::ui::PumpUntilIdle();
    MSG quit;
    if (!ended_ && ::PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        Finish();
}

void AppDriver::Finish() {
    if (app_ == nullptr)
        return;
    // What the loop's end in the program's main does.
    app_->DisconnectFromMessageLoop();
    app_->ExitInstance();
    ended_ = true;
    app_.reset();
}

void AppDriver::Step(int64_t ms) {
    const auto begun = std::chrono::steady_clock::now();
    const auto until = begun + std::chrono::milliseconds(ms);
    g_watch.clockMark = std::chrono::steady_clock::now();
    g_watch.movedInModalMs = 0;
    for (;;) {
        Pump();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              until - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            break;
        kq::ui::WaitForWork(static_cast<int>(left));
    }
    // What a modal loop inside this step moved already is not moved twice.
    clock_.AdvanceMillis(std::max<int64_t>(ms - g_watch.movedInModalMs, 0));
    kq::ui::NotifyClockChanged();
    Pump();
    const int64_t took = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - begun)
                             .count();
    lagMs_ += std::max<int64_t>(took - std::max(ms, g_watch.movedInModalMs), 0);
}

void AppDriver::Run(int64_t ms) {
    for (int64_t done = 0; done < ms; done += kStepMs)
        Step(std::min(kStepMs, ms - done));
}

bool AppDriver::RunUntil(const std::function<bool()>& done, int64_t maxMs) {
    for (int64_t spent = 0; spent < maxMs; spent += kStepMs) {
        if (done())
            return true;
        Step(kStepMs);
    }
    return done();
}

void AppDriver::Command(UINT id) {
    if (HWND frame = FrameWindow())
        ::SendMessage(frame, WM_COMMAND, id, 0);
    Pump();
}

void AppDriver::ClickAt(POINT screen) {
    kq::ui::InjectMouseMove(screen);
    kq::ui::InjectMouseButton(screen, VK_LBUTTON, true);
    Pump();
    kq::ui::InjectMouseButton(screen, VK_LBUTTON, false);
    Pump();
}

void AppDriver::DragFromTo(POINT from, POINT to) {
    kq::ui::InjectMouseMove(from);
    kq::ui::InjectMouseButton(from, VK_LBUTTON, true);
    Pump();
    // In steps, as a hand moves the mouse, so that a tracker sees the way and not only its end.
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
        kq::ui::InjectMouseMove(
            {from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps});
        Pump();
    }
    kq::ui::InjectMouseButton(to, VK_LBUTTON, false);
    Pump();
}

void AppDriver::Click(HWND window) {
    ClickAt(Centre(window));
}

void AppDriver::DoubleClickAt(POINT screen) {
    ClickAt(screen);
    ClickAt(screen);
}

void AppDriver::Key(UINT vk, bool ctrl) {
    if (ctrl)
        kq::ui::InjectKey(VK_CONTROL, true);
    kq::ui::InjectKey(vk, true);
    kq::ui::InjectKey(vk, false);
    if (ctrl)
        kq::ui::InjectKey(VK_CONTROL, false);
    Pump();
}

void AppDriver::Type(const char* utf8) {
    kq::ui::InjectText(utf8);
    Pump();
}

bool AppDriver::Close(int64_t maxMs) {
    if (HWND frame = FrameWindow())
        ::PostMessage(frame, WM_CLOSE, 0, 0);
    return RunUntil([this] { return ended_; }, maxMs);
}

void AppDriver::ReloadSettings() {
    kq::SetRegistryFilePath(SettingsFile());
}

bool AppDriver::Screenshot(const std::string& path, std::string* error) {
    Pump();
    HWND frame = FrameWindow();
    if (frame != nullptr && ::IsWindowVisible(frame)) {
        RECT rect;
        ::GetWindowRect(frame, &rect);
        return kq::ui::SaveScreenshot(path, &rect, {}, error);
    }
    return kq::ui::SaveScreenshot(path, nullptr, {}, error);
}

std::string AppDriver::SettingsFile() const {
    return root_ + "/config/kq7b/registry.reg";
}

std::string AppDriver::DocumentsFolder() const {
    return root_ + "/documents";
}

}  // namespace e2e
