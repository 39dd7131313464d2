// The framework's objects for the trackbar, progress bar, tab, up-down and date-time controls:
// what they pack into and unpack from the controls' messages.
#include <gtest/gtest.h>

#include <climits>

#include "framework/FrameworkTest.h"
#include "platform/framework/commctrl/DateTimeCtrl.h"
#include "platform/framework/commctrl/ProgressCtrl.h"
#include "platform/framework/commctrl/SliderCtrl.h"
#include "platform/framework/commctrl/SpinButtonCtrl.h"
#include "platform/framework/commctrl/TabCtrl.h"
#include "platform/ui/commctrl/InitCommonControls.h"
#include "platform/ui/commdlg/detail/DialogBuilder.h"

namespace {

using kq::fw::test::FrameworkTest;

class CommonControlObjects : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        InitCommonControls();
        ASSERT_TRUE(form_.CreateEx(0, nullptr, "form", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                   nullptr, nullptr));
    }
    void TearDown() override {
        form_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    static CRect At(int x) { return CRect(x, 10, x + 100, 40); }
    CWnd form_;
};

TEST_F(CommonControlObjects, RangesKeepTheirSignAndWidth) {
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, At(0), &form_, 1));
    int lower = 0, upper = 0;
    spin.SetRange(-20, 300);
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, -20);
    EXPECT_EQ(upper, 300);
    spin.SetRange32(INT_MIN, INT_MAX);
    EXPECT_EQ(spin.SetPos32(INT_MIN + 1), 0);
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, INT_MIN);
    EXPECT_EQ(upper, INT_MAX);
    BOOL error = TRUE;
    EXPECT_EQ(spin.GetPos32(&error), INT_MIN + 1);
    EXPECT_FALSE(error);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, At(110), &form_, 2));
    slider.SetRange(-5000, 70000, TRUE);
    slider.SetSelection(-10, 10);
    slider.SetPos(80000);
    int low = 0, high = 0;
    slider.GetRange(low, high);
    EXPECT_EQ(low, -5000);
    EXPECT_EQ(high, 70000);
    EXPECT_EQ(slider.GetPos(), 70000);
    slider.GetSelection(low, high);
    EXPECT_EQ(low, -10);
    EXPECT_EQ(high, 10);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, At(220), &form_, 3));
    progress.SetRange(-100, 100);
    progress.GetRange(low, high);
    EXPECT_EQ(low, static_cast<WORD>(-100));  // the 16-bit form takes unsigned limits
    progress.SetRange32(-100, 100);
    progress.GetRange(low, high);
    EXPECT_EQ(low, -100);
    progress.SetPos(-50);
    EXPECT_EQ(progress.OffsetPos(500), -50);
    EXPECT_EQ(progress.GetPos(), 100);
}

TEST_F(CommonControlObjects, TabsCarryTheirData) {
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 50, 300, 250), &form_, 4));
    int marker = 0;
    EXPECT_EQ(tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 0, "Diagramm", 0,
                              reinterpret_cast<LPARAM>(&marker)),
              0);
    EXPECT_EQ(tabs.InsertItem(1, "Achse"), 1);
    TCITEM item{};
    item.mask = TCIF_PARAM;
    ASSERT_TRUE(tabs.GetItem(0, &item));
    EXPECT_EQ(reinterpret_cast<int*>(item.lParam), &marker);
    EXPECT_EQ(tabs.SetCurSel(1), 0);
    tabs.SetItemSize(CSize(80, 20));
    const CSize old = tabs.SetItemSize(CSize(90, 22));
    CRect rc;
    tabs.GetItemRect(0, &rc);
    EXPECT_EQ(old.cy, 20);
    EXPECT_EQ(rc.Height(), 22);
}

TEST_F(CommonControlObjects, DateTimeValuesTravelBothWays) {
    CDateTimeCtrl picker;
    ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE, At(0), &form_, 5));
    EXPECT_TRUE(picker.SetTime(COleDateTime(2024, 2, 29, 13, 45, 10)));
    COleDateTime read;
    ASSERT_TRUE(picker.GetTime(read));
    EXPECT_EQ(read.GetDay(), 29);
    EXPECT_EQ(read.GetMinute(), 45);
    EXPECT_FALSE(picker.SetTime(COleDateTime(1500, 1, 1, 0, 0, 0)));  // before its first year

    COleDateTime low(2024, 1, 1, 0, 0, 0), none;
    none.SetStatus(COleDateTime::invalid);
    EXPECT_TRUE(picker.SetRange(&low, &none));
    COleDateTime gotLow, gotHigh;
    EXPECT_EQ(picker.GetRange(&gotLow, &gotHigh), GDTR_MIN);
    EXPECT_EQ(gotLow.GetYear(), 2024);
    EXPECT_EQ(gotHigh.GetStatus(), COleDateTime::invalid);

    COleDateTime value(2023, 12, 31, 8, 0, 0);
    CDataExchange load(&form_, FALSE);
    DDX_DateTimeCtrl(&load, 5, value);  // before the range's start: the picker keeps to it
    CDataExchange save(&form_, TRUE);
    COleDateTime back;
    DDX_DateTimeCtrl(&save, 5, back);
    EXPECT_EQ(back.GetYear(), 2024);
    EXPECT_EQ(back.GetMonth(), 1);
    EXPECT_EQ(back.GetDay(), 1);
}

// Run on its own (as ctest runs every test), nothing has registered the common controls yet:
// the framework does it when a control or a dialog is made.
class ControlsWithoutRegistration : public FrameworkTest {};

TEST_F(ControlsWithoutRegistration, ControlObjectsMakeTheirControls) {
    CWnd form;
    ASSERT_TRUE(form.CreateEx(0, nullptr, "form", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    const CRect rect(10, 10, 110, 40);
    CSliderCtrl slider;
    CSpinButtonCtrl spin;
    CTabCtrl tabs;
    CDateTimeCtrl date;
    CProgressCtrl progress;
    EXPECT_TRUE(slider.Create(WS_CHILD, rect, &form, 1));
    EXPECT_TRUE(spin.Create(WS_CHILD, rect, &form, 2));
    EXPECT_TRUE(tabs.Create(WS_CHILD, rect, &form, 3));
    EXPECT_TRUE(date.Create(WS_CHILD, rect, &form, 4));
    EXPECT_TRUE(progress.Create(WS_CHILD, rect, &form, 5));
    form.DestroyWindow();
}

TEST_F(ControlsWithoutRegistration, DialogTemplatesMakeTheirControls) {
    kq::ui::commdlg::DialogBuilder builder("Controls", 200, 100);
    builder.Add(TRACKBAR_CLASS, "", 10, WS_TABSTOP, 7, 7, 120, 20);
    builder.Add(DATETIMEPICK_CLASS, "", 11, WS_TABSTOP, 7, 30, 100, 12);
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(&builder.Template(), nullptr));
    EXPECT_NE(dialog.GetDlgItem(10), nullptr);
    EXPECT_NE(dialog.GetDlgItem(11), nullptr);
    dialog.DestroyWindow();
}

}  // namespace
