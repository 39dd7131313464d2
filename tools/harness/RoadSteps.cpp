#include "tools/harness/RoadSteps.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/MainFrame.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/framework/AfxRes.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "platform/ui/menu/MenuApi.h"
#include "res/resource.h"
#include "sensor/CComPort.h"
#include "sensor/SensorEntry.h"

namespace e2e {

namespace {

constexpr int kPortListId = 1076;
constexpr int kUpdateButtonId = 1080;
constexpr int kStatusBarId = AFX_IDW_STATUS_BAR;
constexpr int64_t kPageSettleMs = 300;
constexpr int64_t kPageRefusalWaitMs = 30000;
constexpr int64_t kFileWaitMs = 15000;
// Longer than the page holds a Start click for the engine.
constexpr int64_t kStartWaitMs = 12000;

// The page a menu command shows, 0 for a command that shows none.
UINT PageOfCommand(UINT command) {
    constexpr UINT kPages[] = {PAGE_CONNECTION,    PAGE_INFORMATION, PAGE_MEASURE_ADJUST,
                               PAGE_DOCUMENTATION, PAGE_CALIBRATION, PAGE_MEASURE_DIAGRAM,
                               PAGE_DIAGNOSTIC};
    return command >= kCommandConnection && command <= kCommandDiagnostic
               ? kPages[command - kCommandConnection]
               : 0;
}

// The frame has not shown the page for a reason that passes: it takes no page change while
// the sensor answers a request, a search or an activation runs, or just after another change.
// A measurement under way and the documentation's check before leaving refuse for good.
bool IsPageRefusedForNow(AppDriver& app, UINT page) {
    const CMainFrame* frame = app.Frame();
    if (frame == nullptr || frame->GetActivePageId() == page ||
        frame->GetActivePageId() == PAGE_DOCUMENTATION)
        return false;
    const CDlgMeasureDiagram* measure = frame->GetMeasureDiagramPage();
    return measure == nullptr || !measure->IsMeasuring();
}

bool FileArrives(AppDriver& app, const std::string& path) {
    const bool arrived = app.RunUntil(
        [&] {
            std::error_code ec;
            return std::filesystem::file_size(path, ec) > 0 && !ec;
        },
        kFileWaitMs);
    app.ForgetAnswers();
    return arrived;
}

// The save dialog answered with the path; a question that follows (create? replace?) with Yes.
void AnswerSaveDialog(AppDriver& app, const std::string& path) {
    app.WhenModal(
        [path](HWND dialog) { return AppDriver::FillAndPress(dialog, edt1, path, IDOK); });
    app.WhenModal([](HWND box) { return AppDriver::Press(box, IDYES); });
}

}  // namespace

std::vector<std::string> OneSensorArguments(const std::string& stateFile) {
    return {"--sensor", "serial=1001,baud=230400,signal-a=sine:20000:10000:8,signal-b=const:1000",
            "--state", stateFile};
}

bool WaitForMainWindow(AppDriver& app, int64_t maxMs) {
    return app.RunUntil([&] { return ::IsWindowVisible(app.FrameWindow()) != FALSE; }, maxMs);
}

bool IsSensorOpen(AppDriver& app) {
    const CMainFrame* frame = app.Frame();
    if (frame == nullptr || !frame->IsEngineAtRest())
        return false;
    const CComPort& dialogue = frame->Dialogue();
    if (!dialogue.COM_IsZMCOMConfgFlowOutsideInit())
        return false;
    for (int i = 0; i < dialogue.m_iEntryCount; ++i) {
        if (dialogue.m_aEntries[i].iState == PORT_STATE_OPEN)
            return true;
    }
    return false;
}

bool IsSensorLost(AppDriver& app) {
    const CMainFrame* frame = app.Frame();
    if (frame == nullptr)
        return false;
    const CComPort& dialogue = frame->Dialogue();
    for (int i = 0; i < dialogue.m_iEntryCount; ++i) {
        if (dialogue.m_aEntries[i].bSensorLost)
            return true;
    }
    return false;
}

bool WaitForSensorOpen(AppDriver& app, int64_t maxMs) {
    return app.RunUntil([&] { return IsSensorOpen(app); }, maxMs);
}

void ShowPage(AppDriver& app, UINT command) {
    const UINT page = PageOfCommand(command);
    app.Command(command);
    app.Run(kPageSettleMs);
    // The operator chooses the page again once the frame is free: the sensor has answered, the
    // wait cursor of a search or an activation has gone. On a loaded machine these take longer
    // than any fixed number of tries.
    auto free = [&] {
        const CMainFrame* frame = app.Frame();
        return frame == nullptr || (!frame->m_bRequestOutstanding && !frame->IsWaitCursorShown());
    };
    for (int64_t waited = 0;
         page != 0 && IsPageRefusedForNow(app, page) && waited < kPageRefusalWaitMs;
         waited += kPageSettleMs) {
        app.RunUntil(free, kPageSettleMs);
        app.Command(command);
        app.Run(kPageSettleMs);
    }
}

bool IsPageShown(AppDriver& app, UINT command) {
    const CMainFrame* frame = app.Frame();
    const UINT page = PageOfCommand(command);
    if (frame == nullptr || page == 0 || frame->GetActivePageId() != page)
        return false;
    const CWnd* window = frame->GetPageWindow(page);
    return window != nullptr && window->IsWindowVisible();
}

HWND ShowPortList(AppDriver& app) {
    ShowPage(app, kCommandConnection);
    // A list on a page that does not show takes no clicks: none.
    return IsPageShown(app, kCommandConnection) ? FindControl(app.FrameWindow(), kPortListId)
                                                : nullptr;
}

bool OpenCellEditor(AppDriver& app, HWND list, int row, int column) {
    app.ClickAt(ListCell(list, row, column));
    return app.RunUntil(
        [&] {
            HWND focus = ::GetFocus();
            return focus != nullptr && focus != list;
        },
        5000);
}

bool IsConnectionPageIdle(AppDriver& app) {
    const CMainFrame* frame = app.Frame();
    const CDlgSensorConnection* page = frame != nullptr ? frame->GetConnectionPage() : nullptr;
    return page != nullptr && frame->IsEngineAtRest() && !page->m_bActivationBusy;
}

bool ClickUpdate(AppDriver& app, int64_t maxMs) {
    HWND update = FindControl(app.FrameWindow(), kUpdateButtonId);
    const auto takesIt = [&] {
        return ::IsWindowVisible(update) && ::IsWindowEnabled(update) && IsConnectionPageIdle(app);
    };
    if (update == nullptr || !app.RunUntil(takesIt, maxMs))
        return false;
    app.Click(update);
    return true;
}

std::string StatusText(AppDriver& app) {
    HWND bar = FindControl(app.FrameWindow(), kStatusBarId);
    if (bar == nullptr)
        return {};
    return WindowText(bar);  // a status bar's text is its first pane
}

void ChooseItem(AppDriver& app, HWND combo, int item) {
    ::SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    ::SendMessage(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(combo));
    app.Pump();
}

void TypeInto(AppDriver& app, HWND edit, const char* text) {
    app.Click(edit);
    ::SendMessage(edit, EM_SETSEL, 0, -1);
    app.Type(text);
    app.Key(VK_TAB);
}

bool IsCommandEnabled(AppDriver& app, UINT command) {
    HWND frame = app.FrameWindow();
    HMENU menu = ::GetMenu(frame);
    for (int i = 0; menu != nullptr && i < ::GetMenuItemCount(menu); ++i) {
        HMENU popup = ::GetSubMenu(menu, i);
        if (popup == nullptr)
            continue;
        ::SendMessage(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), i);
        const UINT state = ::GetMenuState(popup, command, MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1))
            return (state & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    return false;
}

namespace {

BOOL CALLBACK CollectValueFields(HWND hwnd, LPARAM data) {
    constexpr int kValueField = 1006;
    if (::GetDlgCtrlID(hwnd) == kValueField && !WindowText(hwnd).empty())
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<double> ShownChannelValues(HWND frame) {
    std::vector<HWND> fields;
    ::EnumChildWindows(frame, CollectValueFields, reinterpret_cast<LPARAM>(&fields));
    std::vector<double> values;
    for (HWND field : fields) {
        std::string text = WindowText(field);
        std::replace(text.begin(), text.end(), ',', '.');
        values.push_back(std::strtod(text.c_str(), nullptr));
    }
    std::sort(values.begin(), values.end());
    return values;
}

bool Measure(AppDriver& app, int64_t ms, const std::function<void()>& during) {
    ShowPage(app, kCommandMeasureDiagram);
    HWND frame = app.FrameWindow();
    HWND start = FindControl(frame, IDC_MD_START);
    HWND stop = FindControl(frame, IDC_MD_STOP);
    // Start is enabled once the page has seen the sensor open and at rest.
    if (start == nullptr || stop == nullptr ||
        !app.RunUntil([&] { return ::IsWindowEnabled(start) != FALSE; }, 10000))
        return false;
    // One click: while the engine still answers a request, the page holds the click and starts
    // once the engine is at rest (for at most ten seconds).
    app.Click(start);
    if (!app.RunUntil([&] { return ::IsWindowEnabled(stop) != FALSE; }, kStartWaitMs))
        return false;
    app.Run(ms);
    if (during)
        during();
    app.Click(stop);
    // The recording is complete when the page can start again and the values can be saved.
    return app.RunUntil(
        [&] {
            return ::IsWindowEnabled(start) != FALSE && IsCommandEnabled(app, kCommandSaveValues);
        },
        10000);
}

bool SaveValues(AppDriver& app, const std::string& path) {
    AnswerSaveDialog(app, path);
    app.Command(kCommandSaveValues);
    return FileArrives(app, path);
}

bool SaveDiagram(AppDriver& app, const std::string& path) {
    AnswerSaveDialog(app, path);
    app.Command(kCommandSaveDiagram);
    return FileArrives(app, path);
}

bool PrintToPdf(AppDriver& app, const std::string& path) {
    // The print dialog offers the PDF file where no printer is set up; its file field takes the
    // path and OK prints.
    AnswerSaveDialog(app, path);
    app.Command(kCommandPrint);
    return FileArrives(app, path);
}

}  // namespace e2e
