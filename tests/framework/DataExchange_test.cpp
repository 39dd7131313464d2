// Dialog data exchange: round trips of each kind, validation failures and their reporting,
// number texts that do not depend on the locale.
#include <gtest/gtest.h>

#include <clocale>

#include "framework/FrameworkTest.h"

namespace {

using kq::fw::test::FrameworkTest;

enum {
    kInt = 10,
    kUint,
    kLong,
    kDouble,
    kFloat,
    kText,
    kCheck,
    kRadio1,
    kRadio2,
    kRadio3,
    kAfter,
    kCombo,
    kList,
    kByte
};

class CValues : public CWnd {
  public:
    int i = -42;
    UINT u = 4000000000u;
    long l = -1234567890123L;
    double d = 0.1;
    float f = 2.5f;
    CString text = "Grüße";
    int check = 1;
    int radio = 2;
    int comboIndex = 1;
    CString comboText;
    BYTE byte = 200;
    int minInt = -100;
    int maxInt = 100;
    int maxChars = 10;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kInt, i);
        DDV_MinMaxInt(pDX, i, minInt, maxInt);
        DDX_Text(pDX, kUint, u);
        DDX_Text(pDX, kLong, l);
        DDX_Text(pDX, kDouble, d);
        DDV_MinMaxDouble(pDX, d, -1.5, 1e6);
        DDX_Text(pDX, kFloat, f);
        DDX_Text(pDX, kText, text);
        DDV_MaxChars(pDX, text, maxChars);
        DDX_Check(pDX, kCheck, check);
        DDX_Radio(pDX, kRadio1, radio);
        DDX_CBIndex(pDX, kCombo, comboIndex);
        DDX_Text(pDX, kByte, byte);
    }
};

class DataExchange : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(dlg_.CreateEx(0, nullptr, "dlg", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                  300, nullptr, nullptr));
        for (int id : {kInt, kUint, kLong, kDouble, kFloat, kText, kCheck, kByte})
            controls_[id] = CreateFakeControl(dlg_.m_hWnd, id);
        const DWORD radio = WS_CHILD | WS_VISIBLE | 0x09;  // automatic radio buttons
        controls_[kRadio1] = CreateFakeControl(dlg_.m_hWnd, kRadio1, radio | WS_GROUP);
        controls_[kRadio2] = CreateFakeControl(dlg_.m_hWnd, kRadio2, radio);
        controls_[kRadio3] = CreateFakeControl(dlg_.m_hWnd, kRadio3, radio);
        controls_[kAfter] = CreateFakeControl(dlg_.m_hWnd, kAfter, radio | WS_GROUP);
        controls_[kCombo] = CreateFakeCombo(dlg_.m_hWnd, kCombo, {"115200", "230400"});
    }

    CValues dlg_;
    std::map<int, HWND> controls_;
};

TEST_F(DataExchange, ValuesGoToTheControlsAndComeBack) {
    ASSERT_TRUE(dlg_.UpdateData(FALSE));
    EXPECT_EQ(TextOf(controls_[kInt]), "-42");
    EXPECT_EQ(TextOf(controls_[kUint]), "4000000000");
    EXPECT_EQ(TextOf(controls_[kLong]), "-1234567890123");
    EXPECT_EQ(TextOf(controls_[kDouble]), "0.1");
    EXPECT_EQ(TextOf(controls_[kFloat]), "2.5");
    EXPECT_EQ(TextOf(controls_[kText]), "Grüße");
    EXPECT_EQ(checks_[controls_[kCheck]], 1);
    EXPECT_EQ(checks_[controls_[kRadio3]], 1);
    EXPECT_EQ(checks_[controls_[kRadio1]], 0);
    EXPECT_EQ(checks_[controls_[kAfter]], 0);  // the next group is left alone
    EXPECT_EQ(comboSelection_[controls_[kCombo]], 1);

    SetWindowText(controls_[kInt], " 17 ");
    SetWindowText(controls_[kUint], "+7");
    SetWindowText(controls_[kDouble], "-1.25e2");
    SetWindowText(controls_[kFloat], "0.75");
    SetWindowText(controls_[kText], "neu");
    SendMessage(controls_[kRadio1], 0x00F1, 1, 0);
    SendMessage(controls_[kRadio3], 0x00F1, 0, 0);
    SendMessage(controls_[kCombo], 0x014E, 0, 0);
    ASSERT_FALSE(dlg_.UpdateData(TRUE));  // -125 is below the double's minimum
    SetWindowText(controls_[kDouble], "-1.25");
    ASSERT_TRUE(dlg_.UpdateData(TRUE));
    EXPECT_EQ(dlg_.i, 17);
    EXPECT_EQ(dlg_.u, 7u);
    EXPECT_EQ(dlg_.d, -1.25);
    EXPECT_EQ(dlg_.f, 0.75f);
    EXPECT_EQ(dlg_.text, "neu");
    EXPECT_EQ(dlg_.radio, 0);
    EXPECT_EQ(dlg_.comboIndex, 0);
}

TEST_F(DataExchange, TextThatIsNoNumberStopsTheExchangeAtThatControl) {
    ASSERT_TRUE(dlg_.UpdateData(FALSE));
    for (const char* bad : {"12abc", "", "1,5", "99999999999", "0x10"}) {
        SetWindowText(controls_[kInt], bad);
        boxes_.clear();
        EXPECT_FALSE(dlg_.UpdateData(TRUE)) << bad;
        ASSERT_EQ(boxes_.size(), 1u) << bad;
        EXPECT_EQ(boxes_[0].text, "Please enter an integer.");
        EXPECT_EQ(GetFocus(), controls_[kInt]);
    }
    SetWindowText(controls_[kInt], "5");
    SetWindowText(controls_[kUint], "-1");
    EXPECT_FALSE(dlg_.UpdateData(TRUE));
    EXPECT_EQ(boxes_.back().text, "Please enter a positive integer.");
    SetWindowText(controls_[kUint], "1");
    SetWindowText(controls_[kByte], "256");
    EXPECT_FALSE(dlg_.UpdateData(TRUE));
    EXPECT_EQ(boxes_.back().text, "Please enter an integer between 0 and 255.");
    SetWindowText(controls_[kByte], "255");
    SetWindowText(controls_[kDouble], "nan");
    EXPECT_FALSE(dlg_.UpdateData(TRUE));
    EXPECT_EQ(boxes_.back().text, "Please enter a number.");
}

TEST_F(DataExchange, RangesAndLengthsAreCheckedOnlyWhenReading) {
    dlg_.i = 500;  // out of range, loaded anyway
    EXPECT_TRUE(dlg_.UpdateData(FALSE));
    EXPECT_TRUE(boxes_.empty());
    EXPECT_FALSE(dlg_.UpdateData(TRUE));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Please enter an integer between -100 and 100.");

    SetWindowText(controls_[kInt], "100");
    SetWindowText(controls_[kText], "ÄÖÜäöüßÄÖÜ");  // ten characters, twenty bytes
    EXPECT_TRUE(dlg_.UpdateData(TRUE));
    SetWindowText(controls_[kText], "ÄÖÜäöüßÄÖÜx");
    EXPECT_FALSE(dlg_.UpdateData(TRUE));
    EXPECT_EQ(boxes_.back().text, "Please enter no more than 10 characters.");
}

TEST_F(DataExchange, NumberTextsIgnoreTheProcessLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    dlg_.d = 1234.5;
    EXPECT_TRUE(dlg_.UpdateData(FALSE));
    EXPECT_EQ(TextOf(controls_[kDouble]), "1234.5");
    SetWindowText(controls_[kDouble], "0.25");
    EXPECT_TRUE(dlg_.UpdateData(TRUE));
    EXPECT_EQ(dlg_.d, 0.25);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST_F(DataExchange, AMissingControlIsAnErrorNotAValue) {
    class CMissing : public CWnd {
      public:
        int value = 3;
        void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 9999, value); }
    };
    CMissing missing;
    ASSERT_TRUE(missing.CreateEx(0, nullptr, "m", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_FALSE(missing.UpdateData(TRUE));
    EXPECT_EQ(missing.value, 3);
}

TEST_F(DataExchange, ControlsAreSubclassedOnceAndStringsSelectTheirEntry) {
    class CControls : public CWnd {
      public:
        CComboBox combo;
        CString choice = "230400";
        void DoDataExchange(CDataExchange* pDX) override {
            DDX_Control(pDX, kCombo, combo);
            DDX_CBString(pDX, kCombo, choice);
        }
    };
    CControls dlg;
    ASSERT_TRUE(dlg.CreateEx(0, nullptr, "c", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND combo =
        CreateFakeCombo(dlg.m_hWnd, kCombo, {"115200", "230400"}, WS_CHILD | WS_VISIBLE | 0x0003);
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.combo.m_hWnd, combo);
    EXPECT_EQ(dlg.combo.GetCurSel(), 1);
    ASSERT_TRUE(dlg.UpdateData(FALSE));  // the second exchange keeps the same object attached
    dlg.combo.SetCurSel(0);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.choice, "115200");
}

}  // namespace
