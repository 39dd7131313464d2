// Message boxes: answered through the hook, or shown and answered with the keyboard.
#include "platform/ui/dialog/MessageBox.h"
#include "platform/ui/dialog/MessageBoxLayout.h"
#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

class MessageBoxTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        SetTextMetricsSource(std::make_shared<FixedCellTextMetrics>());
        owner_ = CreateTopLevel(RECT{100, 100, 900, 700});
        OnMessage(owner_, [this](HWND, UINT m, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (m != WM_ENTERIDLE)
                return std::nullopt;
            box_ = reinterpret_cast<HWND>(lParam);
            ++idle_;
            if (step_)
                step_();
            PostMessage(box_, WM_NULL, 0, 0);
            if (idle_ > 1000)
                DestroyWindow(box_);
            return 0;
        });
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        SetMessageBoxLanguage(MessageBoxLanguage::English);
        UiTest::TearDown();
        SetTextMetricsSource(nullptr);
    }
    // Presses a key once, when the box first waits.
    void PressOnce(UINT vk) {
        step_ = [this, vk] {
            if (idle_ == 1) {
                InjectKey(vk, true);
                InjectKey(vk, false);
            }
        };
    }
    std::string Text(int id) {
        char text[64] = "";
        GetDlgItemText(box_, id, text, sizeof text);
        return text;
    }

    HWND owner_ = nullptr;
    HWND box_ = nullptr;
    int idle_ = 0;
    std::function<void()> step_;
};

TEST_F(MessageBoxTest, TheHookAnswersWithoutABox) {
    MessageBoxRequest seen;
    SetMessageBoxHook([&](const MessageBoxRequest& r) {
        seen = r;
        return IDNO;
    });
    HWND child = CreateChild(owner_, 5, RECT{0, 0, 10, 10});
    EXPECT_EQ(MessageBox(child, "Delete?", "Files", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(seen.owner, owner_);
    EXPECT_EQ(seen.text, "Delete?");
    EXPECT_EQ(seen.caption, "Files");
    EXPECT_EQ(seen.type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(idle_, 0);
}

TEST_F(MessageBoxTest, ShownInTheChosenLanguageWithTheDefaultButtonFocused) {
    SetMessageBoxLanguage(MessageBoxLanguage::German);
    std::string yes, no, cancel, caption;
    bool ownerDisabled = false;
    int focusId = 0;
    step_ = [&] {
        if (idle_ != 1)
            return;
        yes = Text(IDYES), no = Text(IDNO), cancel = Text(IDCANCEL);
        char title[32];
        GetWindowText(box_, title, sizeof title);
        caption = title;
        ownerDisabled = !IsWindowEnabled(owner_);
        focusId = GetDlgCtrlID(GetFocus());
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    };
    EXPECT_EQ(MessageBox(owner_, "Speichern?", nullptr, MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(yes, "&Ja");
    EXPECT_EQ(no, "&Nein");
    EXPECT_EQ(cancel, "Abbrechen");
    EXPECT_EQ(caption, "Fehler");
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(focusId, IDNO);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(IsWindow(box_));
}

TEST_F(MessageBoxTest, EscapeAnswersOnlyWhereThereIsAWayOut) {
    PressOnce(VK_ESCAPE);
    EXPECT_EQ(MessageBox(owner_, "Done.", "Info", MB_OK), IDOK);
    idle_ = 0;
    PressOnce(VK_ESCAPE);
    EXPECT_EQ(MessageBox(owner_, "Really?", "Info", MB_OKCANCEL), IDCANCEL);

    // A yes/no box ignores Escape; its mnemonic answers it.
    idle_ = 0;
    step_ = [this] {
        if (idle_ == 1) {
            InjectKey(VK_ESCAPE, true);
            InjectKey(VK_ESCAPE, false);
        } else if (idle_ == 2) {
            EXPECT_TRUE(IsWindowVisible(box_));
            InjectKey('Y', true);
            InjectKey('Y', false);
        }
    };
    EXPECT_EQ(MessageBox(owner_, "Sure?", "Info", MB_YESNO), IDYES);
}

TEST_F(MessageBoxTest, ButtonSetsFollowTheType) {
    std::vector<int> ids;
    step_ = [&] {
        for (HWND c = GetWindow(box_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
                ids.push_back(GetDlgCtrlID(c));
        }
        SendMessage(box_, WM_COMMAND, MAKEWPARAM(ids.back(), BN_CLICKED), 0);
    };
    EXPECT_EQ(MessageBox(owner_, "x", "y", MB_ABORTRETRYIGNORE | MB_ICONSTOP), IDIGNORE);
    EXPECT_EQ(ids, (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
    ids.clear();
    EXPECT_EQ(MessageBox(owner_, "x", "y", MB_RETRYCANCEL), IDCANCEL);
    EXPECT_EQ(ids, (std::vector<int>{IDRETRY, IDCANCEL}));
}

// While the owner is still hidden (the main window at start) the box opens over the window the
// operator sees, not in the middle of the screen.
TEST_F(MessageBoxTest, AHiddenOwnersBoxOpensOverTheActiveWindow) {
    HWND seen = CreateTopLevel(RECT{1000, 500, 1400, 900});
    ShowWindow(owner_, SW_HIDE);
    SetActiveWindow(seen);
    RECT box{};
    step_ = [&] {
        if (idle_ != 1)
            return;
        GetWindowRect(box_, &box);
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    };
    EXPECT_EQ(MessageBox(owner_, "Info", "About", MB_OK), IDOK);
    EXPECT_NEAR((box.left + box.right) / 2, 1200, 1);
    EXPECT_NEAR((box.top + box.bottom) / 2, 700, 1);
}

TEST_F(MessageBoxTest, LongTextWrapsAndButtonsSitBelowItCentred) {
    const std::string text = "one two three four five six seven eight nine ten\nshort";
    MessageBoxLayout l = LayOutMessageBox(text, {"OK", "Cancel"}, true, 120);
    EXPECT_EQ(l.wrappedText, "one two three four\nfive six seven eight\nnine ten\nshort");
    EXPECT_LE(l.text.right - l.text.left, 120);
    EXPECT_GE(l.text.left, l.icon.right);
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_GT(l.buttons[0].top, l.text.bottom);
    EXPECT_EQ(l.buttons[0].left, l.client.cx - l.buttons[1].right);
}

}  // namespace
}  // namespace kq::ui::test
