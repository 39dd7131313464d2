// Hostile settings files under the application's key, with a hostile journal beside them: the
// main frame's readers, the layout verification and the bar-state load run on whatever the file
// and the journal hold. Nothing crashes, and every value read stays in its range.
//
// An input is the file's text after its header; a line ";journal" ends it, and what follows goes
// into the journal, after a header that names this file (so that it is applied).
//
// The program and its main frame are made once, from an empty store; every input then replaces
// the store and runs the readers of a start again on the living frame. Making the frame for each
// input would spend nearly all the time on windows and very little on the readers.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "app/Kq7App.h"
#include "app/MainFrame.h"
#include "foundation/SharedConstants.h"
#include "kq_res.h"
#include "pages/common/PageTable.h"
#include "platform/base/Registry.h"
#include "platform/base/Resource.h"
#include "platform/framework/MessageBox.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/Screen.h"
#include "platform/ui/backend/BackEnd.h"
#include "tools/testsupport/Reset.h"

namespace {

constexpr const char kHeader[] =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B]\r\n";
constexpr const char kBarSection[] = "AllViewState\\BarState\\ViewBar";

// No ports: the search finds nothing, and no real device is touched.
class NoPorts final : public ISensorPortProvider {
  public:
    std::unique_ptr<ISensorPort> CreatePortManager(HWND, UINT, UINT) override { return nullptr; }
    std::vector<CString> EnumeratePorts(bool) override { return {}; }
};

// The run's private folder, removed when the program ends.
struct PrivateFolder {
    std::string path;
    ~PrivateFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Replaces the store by the header and the input's file part, and its journal by the input's
// journal part. The journal of earlier changes goes first, so that nothing of the previous input
// is read back.
void ReplaceStore(const std::string& file, const uint8_t* data, size_t size) {
    constexpr std::string_view kJournalMark = "\n;journal\n";
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t mark = input.find(kJournalMark);
    kq::SetRegistryFilePath(file);
    std::error_code ignored;
    std::filesystem::remove(file + ".journal", ignored);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << kHeader << input.substr(0, mark);
    }
    if (mark == std::string_view::npos)
        return;
    // A change made through the store starts the journal with the header of this file.
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Brevan S.A.S.\\KQ7-B\\Fuzz", 0, nullptr, 0,
                       KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
    {
        std::ofstream journal(file + ".journal", std::ios::binary | std::ios::app);
        journal << input.substr(mark + kJournalMark.size());
    }
    kq::SetRegistryFilePath(file);  // read again, journal and all, as a new start would
}

struct CloseAtEnd {
    std::unique_ptr<kq::ui::BackEnd> backEnd;
    ~CloseAtEnd() {
        if (CMainFrame* frame = GetMainFrame())
            frame->DestroyWindow();
        kq::ui::PumpUntilIdle();
        kq::ui::ResetWindowSystem();
    }
};

struct Program {
    std::string store;
    CMainFrame* frame = nullptr;
    UINT firstPage = 0;
};

// The program started once on an empty store, its start-up completed.
Program& StartOnce() {
    static PrivateFolder folder{[] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kq7b-fuzz-settings-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        Check(made != nullptr);
        return std::string(made);
    }()};
    static Program program = [] {
        Program started;
        setenv("XDG_CONFIG_HOME", (folder.path + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder.path + "/data").c_str(), 1);
        std::unique_ptr<kq::ui::BackEnd> backEnd = kq::ui::StartBackEnd("headless");
        // Every show and hide of the frame paints the screen it uncovers: a small screen keeps
        // that from taking the time the readers should have.
        kq::ui::SetScreenSize(400, 300);
        // The application object outlives the frame, which may ask for it while it closes.
        static CKq7App* app = new CKq7App;
        kq::InstallResources(kq_res_bundle());
        kq::fw::SetMessageBoxFunction([](HWND, const CString&, const CString&, UINT) { return 1; });
        CMainFrame::s_portProviderFactory = [] {
            return std::unique_ptr<ISensorPortProvider>(std::make_unique<NoPorts>());
        };
        started.store = folder.path + "/registry.reg";
        ReplaceStore(started.store, nullptr, 0);
        char name[] = "kq7b";
        char* argv[] = {name};
        AfxWinInit(app, 1, argv);
        Check(app->InitApplication() && app->InitInstance());
        kq::ui::PumpUntilIdle();
        started.frame = GetMainFrame();
        Check(started.frame != nullptr);
        // The run's end closes the program, without writing to the store. The window system's
        // queues belong to the thread: closing is a thread-local object's work, made after them
        // and so ended before them.
        started.frame->m_bCloseWithoutSaving = TRUE;
        static thread_local CloseAtEnd closer{std::move(backEnd)};
        started.firstPage = started.frame->GetActivePageId();
        return started;
    }();
    return program;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Program& program = StartOnce();
    CMainFrame* frame = program.frame;
    ReplaceStore(program.store, data, size);

    // The readers of a start, in the order the start runs them.
    if (CWnd* shown = frame->GetPageWindow(frame->GetActivePageId()))
        shown->ShowWindow(SW_HIDE);
    frame->m_nActivePage = program.firstPage;
    frame->m_bStoredVersionIsCurrent =
        AfxGetApp()->GetProfileString("DespiteReset", "ApplicationVersion", "") == kSettingsVersion;
    frame->ReadSettings();
    const int language = frame->GetLanguageOffset();
    Check(language == 0 || language == 1000 || language == 4000);
    for (int i = 0; i < 5; ++i)
        Check(frame->m_viewState.checkState[i] == 3);
    frame->VerifyBarState(kBarSection);
    frame->ReadStartupSettings();
    frame->m_bPageSwitched = FALSE;
    frame->SetOperatingMode(0);
    Check(PageIndexOf(frame->GetActivePageId()) >= 0);

    // The bars' own states are put back to 0 or 1 when they are applied.
    frame->ApplyViewStateToBars();
    for (int i = 6; i < 8; ++i)
        Check(frame->m_viewState.checkState[i] == 0 || frame->m_viewState.checkState[i] == 1);
    frame->RestoreWindowAndBarState();
    // What the restore posted is handled with the frame hidden: painting it is no reader's work
    // and would take most of the time.
    frame->ShowWindow(SW_HIDE);
    kq::ui::PumpUntilIdle();
    return 0;
}
