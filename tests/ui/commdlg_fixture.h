// Shared set-up of the common dialog tests: an owner window, a folder with a few files, the
// message box and dialog hooks recording what they are asked, and a way to act inside a modal
// dialog once it shows.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/ScopedTempFolder.h"
#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "platform/ui/commdlg/FileTypes.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/MessageBox.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
// Kept apart from the other suites' helpers, which share the test program.
inline namespace common_dialogs {

using Names = std::vector<std::string>;

// Runs a script once a modal dialog is up (from inside its loop), then lets the loop go on.
class WhenDialogShows {
  public:
    explicit WhenDialogShows(std::function<void(HWND)> script) : script_(std::move(script)) {
        id_ = AddMessageFilterHook([this](int code, MSG&) -> BOOL {
            HWND dialog = GetActiveWindow();
            if (done_ || code != MSGF_DIALOGBOX || !dialog)
                return FALSE;
            done_ = true;
            script_(dialog);
            return FALSE;
        });
    }
    ~WhenDialogShows() { RemoveMessageFilterHook(id_); }
    bool Ran() const { return done_; }

  private:
    std::function<void(HWND)> script_;
    int id_ = 0;
    bool done_ = false;
};

inline std::string Text(HWND hwnd) {
    char buffer[512] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

inline Names ListItems(HWND list) {
    Names items;
    const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[256] = {};
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        items.push_back(buffer);
    }
    return items;
}

inline POINT Centre(HWND control) {
    RECT rc{};
    GetWindowRect(control, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

class CommonDialogs : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        owner_ = CreateTopLevel({100, 100, 700, 500});
        SetMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes_.push_back(r.text);
            return boxAnswer_;
        });
        std::filesystem::create_directory(dir_ / "Messungen");
        for (const char* name : {"run1.csv", "run2.csv", "notes.txt"})
            kq::test::WriteFileBytes(dir_ / name, "x");
        filter_ = commdlg::FilterFromBars("CSV (*.csv)|*.csv|Text (*.txt)|*.txt||");
        ofn_.lStructSize = sizeof ofn_;
        ofn_.hwndOwner = owner_;
        ofn_.lpstrFilter = filter_.c_str();
        ofn_.lpstrFile = file_;
        ofn_.nMaxFile = sizeof file_;
        ofn_.lpstrInitialDir = dir_.Path().c_str();
        ofn_.Flags = OFN_NOCHANGEDIR;
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        SetCommonDialogHook(nullptr);
        SetControlLanguage(ControlLanguage::English);
        UiTest::TearDown();
    }
    // The hook answers with the given answers in turn, counting the requests.
    void Answer(std::vector<CommonDialogAnswer> answers) {
        requests_.clear();
        SetCommonDialogHook(
            [this, answers](const CommonDialogRequest& r) -> std::optional<CommonDialogAnswer> {
                requests_.push_back(r.kind);
                const size_t i = requests_.size() - 1;
                if (i >= answers.size())
                    return std::nullopt;
                return answers[i];
            });
    }
    static CommonDialogAnswer Typed(const std::string& text) {
        CommonDialogAnswer a;
        a.text = text;
        return a;
    }

    HWND owner_ = nullptr;
    kq::test::ScopedTempFolder dir_;
    std::string filter_;
    char file_[1024] = {};
    OPENFILENAME ofn_{};
    Names boxes_;
    int boxAnswer_ = IDYES;
    std::vector<CommonDialogKind> requests_;
};

}  // namespace common_dialogs
}  // namespace kq::ui::test
