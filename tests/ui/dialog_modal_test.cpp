// Modal dialogs: the loop keeps messages and timers flowing, disables the owner and ends with
// EndDialog.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/ModalLoops.h"
#include "platform/ui/dialog/MessageBox.h"
#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

class DialogModalTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        owner_ = CreateTopLevel(RECT{100, 100, 700, 500});
        builder_.Add("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 10, 50, 14)
            .Add("BUTTON", "Cancel", IDCANCEL, WS_TABSTOP, 70, 10, 50, 14);
        // Whenever the modal loop runs dry, the owner moves time on and runs the test's step.
        OnMessage(owner_, [this](HWND, UINT m, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (m != WM_ENTERIDLE)
                return std::nullopt;
            ++idle_;
            idleDialog_ = reinterpret_cast<HWND>(lParam);
            if (idleStep_)
                idleStep_();
            // The loop comes back here at once rather than waiting for input that no one
            // gives; a test that never ends its dialog fails instead of hanging.
            PostMessage(idleDialog_, WM_NULL, 0, 0);
            if (idle_ > 1000)
                EndDialog(idleDialog_, -2);
            return 0;
        });
    }
    INT_PTR Run() { return DialogBoxIndirectParam(nullptr, builder_.Get(), owner_, &Proc, 7); }

    TemplateBuilder builder_;
    HWND owner_ = nullptr;
    int idle_ = 0;
    HWND idleDialog_ = nullptr;
    std::function<void()> idleStep_;
};

TEST_F(DialogModalTest, TimersAndPostedMessagesFlowUntilEndDialog) {
    int timers = 0;
    bool posted = false;
    bool ownerDisabled = false;
    LPARAM initParam = 0;
    dialogHandler_ = [&](HWND dlg, UINT m, WPARAM w, LPARAM l) -> INT_PTR {
        if (m == WM_INITDIALOG) {
            initParam = l;
            SetTimer(dlg, 5, 100, nullptr);
            PostMessage(dlg, WM_APP, 0, 0);
            return TRUE;
        }
        if (m == WM_APP)
            posted = true;
        if (m == WM_TIMER && w == 5) {
            ownerDisabled = !IsWindowEnabled(owner_);
            if (++timers == 3)
                EndDialog(dlg, 42);
        }
        return FALSE;
    };
    idleStep_ = [this] { clock_->AdvanceMillis(50); };
    EXPECT_EQ(Run(), 42);
    EXPECT_EQ(initParam, 7);
    EXPECT_TRUE(posted);
    EXPECT_EQ(timers, 3);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(IsWindow(idleDialog_));
    EXPECT_EQ(GetActiveWindow(), owner_);
}

// A dialog opened from a pop-up without a caption (a colour picker over a property sheet) is
// modal for the window that owns the pop-up: owned by it, which stays disabled meanwhile.
TEST_F(DialogModalTest, ADialogFromACaptionlessPopupIsModalForItsOwner) {
    HWND picker = CreateTopLevel(RECT{150, 150, 250, 250}, WS_POPUP | WS_VISIBLE, 0, owner_);
    HWND dialogOwner = nullptr;
    bool ownerDisabled = false;
    dialogHandler_ = [&](HWND dlg, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_INITDIALOG) {
            dialogOwner = GetWindow(dlg, GW_OWNER);
            PostMessage(dlg, WM_APP, 0, 0);
        } else if (m == WM_APP) {
            ownerDisabled = !IsWindowEnabled(owner_);
            EndDialog(dlg, 1);
        }
        return m == WM_INITDIALOG;
    };
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, builder_.Get(), picker, &Proc, 0), 1);
    EXPECT_EQ(dialogOwner, owner_);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(DialogModalTest, EndingTheModalLoopsCancelsThemAllAndWhatWaitsRunsAfterTheOutermost) {
    // The dialog asks a question; while the question shows, the modal loops are ended.
    HWND dialog = nullptr;
    int depthInBox = 0;
    int answer = 0;
    std::vector<std::string> seen;
    dialogHandler_ = [&](HWND dlg, UINT m, WPARAM, LPARAM l) -> INT_PTR {
        if (m == WM_INITDIALOG) {
            dialog = dlg;
            PostMessage(dlg, WM_APP, 0, 0);
            return TRUE;
        }
        if (m == WM_APP) {
            answer = MessageBox(dlg, "Go on?", "Question", MB_YESNO);
            seen.push_back(IsWindow(dlg) ? "answered, dialog there" : "answered, dialog gone");
        }
        if (m == WM_ENTERIDLE && reinterpret_cast<HWND>(l) != dlg && depthInBox == 0) {
            depthInBox = ModalLoopDepth();
            AfterModalLoops(
                [&] { seen.push_back(IsWindow(dialog) ? "after, dialog there" : "after, gone"); },
                true);
        }
        return FALSE;
    };
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_EQ(depthInBox, 2);
    EXPECT_EQ(answer, IDNO);  // a question without Cancel: No
    EXPECT_EQ(seen, (std::vector<std::string>{"answered, dialog there", "after, gone"}));
    EXPECT_EQ(ModalLoopDepth(), 0);
    EXPECT_FALSE(ModalLoopsEnding());

    // Without modal loops it runs at once, and the next dialog runs as before.
    bool ran = false;
    AfterModalLoops([&] { ran = true; }, true);
    EXPECT_TRUE(ran);
    dialogHandler_ = [](HWND dlg, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_INITDIALOG)
            PostMessage(dlg, WM_COMMAND, IDOK, 0);
        if (m == WM_COMMAND)
            EndDialog(dlg, 5);
        return m == WM_INITDIALOG;
    };
    EXPECT_EQ(Run(), 5);
}

TEST_F(DialogModalTest, KeysReachTheDialogManager) {
    dialogHandler_ = [](HWND dlg, UINT m, WPARAM w, LPARAM) -> INT_PTR {
        if (m == WM_COMMAND && (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL))
            EndDialog(dlg, LOWORD(w));
        return m == WM_INITDIALOG;
    };
    idleStep_ = [this] {
        if (idle_ == 1) {
            EXPECT_EQ(GetFocus(), GetDlgItem(idleDialog_, IDOK));
            InjectKey(VK_ESCAPE, true);
            InjectKey(VK_ESCAPE, false);
        }
    };
    EXPECT_EQ(Run(), IDCANCEL);
    idle_ = 0;
    idleStep_ = [this] {
        if (idle_ == 1) {
            InjectKey(VK_RETURN, true);
            InjectKey(VK_RETURN, false);
        }
    };
    EXPECT_EQ(Run(), IDOK);
}

TEST_F(DialogModalTest, MessagesSentFromAnotherThreadAreServed) {
    std::thread sender;
    std::atomic<LRESULT> answer{0};
    dialogHandler_ = [](HWND dlg, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_APP + 1) {
            EndDialog(dlg, 9);
            // Set last: the messages EndDialog sends reset it.
            SetWindowLongPtr(dlg, DWLP_MSGRESULT, 77);
            return TRUE;
        }
        return m == WM_INITDIALOG;
    };
    idleStep_ = [&] {
        if (idle_ == 1) {
            HWND dlg = idleDialog_;
            sender = std::thread([dlg, &answer] { answer = SendMessage(dlg, WM_APP + 1, 0, 0); });
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));  // real time for the sender
        }
    };
    EXPECT_EQ(Run(), 9);
    sender.join();
    EXPECT_EQ(answer.load(), 77);
}

TEST_F(DialogModalTest, QuitEndsTheDialogAndStaysPosted) {
    dialogHandler_ = [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_INITDIALOG)
            PostQuitMessage(3);
        return m == WM_INITDIALOG;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(DialogModalTest, EndDialogDuringInitShowsNothing) {
    bool shown = false;
    dialogHandler_ = [&](HWND dlg, UINT m, WPARAM w, LPARAM) -> INT_PTR {
        if (m == WM_INITDIALOG)
            EndDialog(dlg, 5);
        if (m == WM_SHOWWINDOW && w)
            shown = true;
        return FALSE;
    };
    EXPECT_EQ(Run(), 5);
    EXPECT_FALSE(shown);
    EXPECT_EQ(idle_, 0);
}

TEST_F(DialogModalTest, ClosingCancelsUnlessCancelIsDisabled) {
    bool cancelDisabled = false;
    dialogHandler_ = [&](HWND dlg, UINT m, WPARAM w, LPARAM) -> INT_PTR {
        if (m == WM_COMMAND && LOWORD(w) == IDCANCEL)
            EndDialog(dlg, IDCANCEL);
        return m == WM_INITDIALOG;
    };
    idleStep_ = [&] {
        if (idle_ == 1) {
            EnableWindow(GetDlgItem(idleDialog_, IDCANCEL), FALSE);
            SendMessage(idleDialog_, WM_CLOSE, 0, 0);
            cancelDisabled = IsWindow(idleDialog_) && IsWindowVisible(idleDialog_);
            EnableWindow(GetDlgItem(idleDialog_, IDCANCEL), TRUE);
            PostMessage(idleDialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    };
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_TRUE(cancelDisabled);
}

}  // namespace
}  // namespace kq::ui::test
