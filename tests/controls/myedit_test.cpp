// The filtering edit typed into by injected keys, with an owner whose EN_CHANGE handler asks
// HasValueChanged at every change, as the pages do: separators by language, misplaced
// separators and signs, sign merging, characters beyond ASCII, truncation and change tests.
#include <gtest/gtest.h>

#include <vector>

#include "controls/MyEdit.h"
#include "framework/FrameworkTest.h"
#include "platform/ui/controls/Edit.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kEditId = 300;
constexpr const char* kNumeric = ".,0123456789-";

// A page: every change of the edit is tested at once.
class CPage : public CWnd {
  public:
    CMyEdit edit;
    std::vector<bool> answers;
    void OnChange() { answers.push_back(edit.HasValueChanged()); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPage, CWnd)
ON_EN_CHANGE(kEditId, &CPage::OnChange)
END_MESSAGE_MAP()

class MyEditTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(page_.CreateEx(0, AfxRegisterWndClass(0), "Page",
                                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 400, 200),
                                   nullptr, 0));
        ASSERT_TRUE(page_.edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                      CRect(10, 10, 300, 34), &page_, kEditId));
        page_.edit.SetFocus();
    }
    void TearDown() override {
        page_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    void Numeric(int language) {
        language_ = language;
        page_.edit.SetInputParameters(kNumeric, 0, 1000, 2000, 3000, &language_, true, nullptr,
                                      false);
    }
    void Text(const char* allowed, bool merge) {
        language_ = 0;
        page_.edit.SetInputParameters(allowed, 0, 1000, 2000, 3000, &language_, false, nullptr,
                                      merge);
    }
    // The program's own setting of the text, under the lock as the pages do it.
    void Set(const char* text, int caret) {
        page_.edit.LockChangeDetection();
        page_.edit.SetValueText(text);
        page_.edit.UnlockChangeDetection();
        page_.edit.SetSel(caret, caret);
        page_.answers.clear();
    }
    std::string Shown() {
        CString text;
        page_.edit.GetWindowText(text);
        return text.GetString();
    }
    int Caret() {
        int start = 0, end = 0;
        page_.edit.GetSel(start, end);
        return start;
    }

    CPage page_;
    int language_ = 0;
};

TEST_F(MyEditTest, SeparatorsFollowTheLanguage) {
    Numeric(1000);
    Type("1,5");
    EXPECT_EQ(Shown(), "1.5");
    EXPECT_EQ(Caret(), 3);
    // The replacement's own change, nested in the typed one's, answers false under the lock.
    EXPECT_EQ(page_.answers, (std::vector<bool>{true, false, true, true}));
    Set("", 0);
    Numeric(0);
    Type("2.25");
    EXPECT_EQ(Shown(), "2,25");
    EXPECT_DOUBLE_EQ(page_.edit.ReadValue(), 2.25);
    // A language without a rule converts nothing.
    Set("", 0);
    Numeric(4000);
    Type("3.5");
    EXPECT_EQ(Shown(), "3.5");
    // Texts set by the program are converted too.
    Numeric(0);
    page_.edit.SetValueText("7.125");
    EXPECT_EQ(Shown(), "7,125");
}

TEST_F(MyEditTest, MisplacedSeparatorsAndSignsAreRemoved) {
    Numeric(1000);
    Type("1.5.");
    EXPECT_EQ(Shown(), "1.5");  // a second separator
    Set("", 0);
    Type(".");
    EXPECT_EQ(Shown(), "");  // a leading separator
    Type("-2-");
    EXPECT_EQ(Shown(), "-2");  // a sign only first
    boxes_.clear();
    Type("x");
    EXPECT_EQ(Shown(), "-2");  // not allowed, and said so
    EXPECT_EQ(Caret(), 2);
    EXPECT_EQ(boxes_.size(), 1U);
    // While the text holds two separators or two signs, whatever is typed is taken back.
    Set("1.5.5", 5);
    Type("4");
    EXPECT_EQ(Shown(), "1.5.5");
    Set("-5-", 1);
    Type("7");
    EXPECT_EQ(Shown(), "-5-");
}

TEST_F(MyEditTest, SignsMergeAndCharactersBeyondAscii) {
    Text("abcÄÖÜäöüß§°µ·±+- ", true);
    Type("a+-");
    EXPECT_EQ(Shown(), "a±");
    Set("-b", 0);
    Type("+");  // at position 0, merged with the sign after it
    EXPECT_EQ(Shown(), "±b");
    Set("--", 1);
    Type("+");  // opposite signs on both sides: the pair before it
    EXPECT_EQ(Shown(), "±-");
    Set("", 0);
    Type("Äöé§µ");
    EXPECT_EQ(Shown(), "Äö§µ");
    EXPECT_EQ(Caret(), 4);
    // Truncation counts characters and never cuts one.
    page_.edit.SetMaxTextLength(4);
    page_.edit.SetValueText("äöüßab");
    EXPECT_EQ(Shown(), "äöüß");
    page_.edit.SetValueText("abcdef");
    EXPECT_EQ(Shown(), "abcd");
}

TEST_F(MyEditTest, ChangeTestsInBothModes) {
    Numeric(0);
    Set("1,5", 3);
    EXPECT_TRUE(page_.edit.HasValueChanged());  // the first test takes the snapshot
    Type("0");
    EXPECT_EQ(page_.answers, std::vector<bool>{false});  // 1,50 is the value 1,5
    Type("1");
    EXPECT_EQ(page_.answers.back(), true);
    page_.edit.LockChangeDetection();
    Type("2");
    EXPECT_EQ(page_.answers.back(), false);
    page_.edit.UnlockChangeDetection();

    // Text mode: true only when the text differs.
    CMyEdit other;
    other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 200, 60), &page_, kEditId + 1);
    int language = 0;
    other.SetInputParameters("abc", 0, 1000, 2000, 3000, &language, false, nullptr, false);
    other.LockChangeDetection();
    EXPECT_TRUE(other.HasValueChanged());  // even under the lock
    other.UnlockChangeDetection();
    EXPECT_FALSE(other.HasValueChanged());
    other.SetWindowText("ab");
    EXPECT_TRUE(other.HasValueChanged());
    EXPECT_FALSE(other.HasValueChanged());
    EXPECT_EQ(other.m_strPreviousText, "");
    other.RestorePreviousText();
    EXPECT_EQ(other.m_strLastText, "");
    // A comma and a five read as one half.
    other.SetValueText(",5");
    EXPECT_DOUBLE_EQ(other.ReadValue(), 0.5);
    other.DestroyWindow();
}

TEST_F(MyEditTest, KeepSelectionOnlyWithTheFocusAndWithinTheText) {
    Text("abcdef", false);
    int start = 1, end = 3;
    page_.edit.SetValueTextKeepSelection("abcdef", &start, &end);
    page_.edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
    page_.edit.SetSel(0, 0);
    int s = 2, beyond = 7;
    page_.edit.SetValueTextKeepSelection("abcdef", &s, &beyond);
    page_.edit.GetSel(start, end);
    EXPECT_EQ(end - start, 0);
    int negative = -1, e = 2;
    page_.edit.SetValueTextKeepSelection("abc", &negative, &e);
    page_.edit.GetSel(start, end);
    EXPECT_EQ(end - start, 0);
    page_.SetFocus();
    int a = 1, b = 2;
    page_.edit.SetValueTextKeepSelection("abcdef", &a, &b);
    page_.edit.GetSel(start, end);
    EXPECT_EQ(end - start, 0);
    EXPECT_EQ(Shown(), "abcdef");
    page_.edit.SetValueTextKeepSelection("xyz", nullptr, nullptr);
    EXPECT_EQ(Shown(), "xyz");
}

}  // namespace
