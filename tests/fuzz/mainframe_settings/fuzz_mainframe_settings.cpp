// Hostile settings files under the application's key: the main frame's readers, the layout
// verification and the bar-state load run on whatever the file holds. Nothing crashes, and every
// value read stays in its range.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/Kq7App.h"
#include "app/MainFrame.h"
#include "app/PageTable.h"
#include "kq_res.h"
#include "platform/base/Registry.h"
#include "platform/base/Resource.h"
#include "platform/framework/MessageBox.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/Reset.h"
#include "platform/ui/backend/BackEnd.h"

namespace {

constexpr const char kHeader[] =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B]\r\n";

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

std::string SetUpOnce() {
    static PrivateFolder folder{[] {
        char pattern[] = "/tmp/kq7b-fuzz-settings-XXXXXX";
        const std::string root = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
        static std::unique_ptr<kq::ui::BackEnd> backEnd = kq::ui::StartBackEnd("headless");
        kq::InstallResources(kq_res_bundle());
        kq::fw::SetMessageBoxFunction([](HWND, const CString&, const CString&, UINT) { return 1; });
        CMainFrame::s_portProviderFactory = [] {
            return std::unique_ptr<ISensorPortProvider>(std::make_unique<NoPorts>());
        };
        return root;
    }()};
    return folder.path;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = SetUpOnce() + "/registry.reg";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << kHeader;
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    kq::SetRegistryFilePath(file);
    {
        CKq7App app;
        char name[] = "kq7b";
        char* argv[] = {name};
        AfxWinInit(&app, 1, argv);
        if (app.InitApplication() && app.InitInstance()) {
            kq::ui::PumpUntilIdle();
            CMainFrame* frame = GetMainFrame();
            Check(frame != nullptr);
            const int language = frame->GetLanguageOffset();
            Check(language == 0 || language == 1000 || language == 4000);
            Check(PageIndexOf(frame->GetActivePageId()) >= 0);
            for (int i = 0; i < 5; ++i)
                Check(frame->m_viewState.checkState[i] == 3);
            // The bars' own states are put back to 0 or 1 when they are applied.
            frame->ApplyViewStateToBars();
            for (int i = 6; i < 8; ++i)
                Check(frame->m_viewState.checkState[i] == 0 ||
                      frame->m_viewState.checkState[i] == 1);
            frame->VerifyBarState("AllViewState\\BarState\\ViewBar");
            frame->RestoreWindowAndBarState();
            kq::ui::PumpUntilIdle();
            frame->m_bCloseWithoutSaving = TRUE;
            frame->DestroyWindow();
            kq::ui::PumpUntilIdle();
        }
    }
    kq::ui::ResetWindowSystem();
    return 0;
}
