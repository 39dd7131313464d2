// The measure configuration page: its lasting values in the store, hostile stored values, the
// evaluation group and its texts in each language.
#include <gtest/gtest.h>

#include "pages/MeasurePageTest.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "platform/ui/controls/ComboBox.h"
#include "res/resource.h"

class MeasureAdjustPage : public MeasurePageTest<CDlgMeasureAdjust> {
  protected:
    void Store(const char* entry, const CString& text) {
        app_->WriteProfileString("DespiteReset", entry, text);
    }
};

TEST_F(MeasureAdjustPage, EveryLastingValueComesBack) {
    MeasureConfigValues values;
    values.startCode = 3;
    values.stopCode = 8;
    values.startDirection = 1;
    values.startLevel = -12.5;
    values.stopHysteresis = 0.25;
    values.startDateTime = 1796000000;
    values.stopCount = 25000;
    values.diagramSource[4] = 6;
    values.diagramOn[4] = true;
    values.diagramOn[0] = false;
    values.ioNioMode = 2;
    values.measurand[0] = 5;
    values.measurand[1] = 0;
    values.limits[1] = "1,5";
    values.startProgram = "/opt/run me;$x";
    ASSERT_TRUE(values.Save(app_.get()));
    MeasureConfigValues back;
    back.Load(app_.get());
    EXPECT_EQ(back.startCode, 3);
    EXPECT_EQ(back.stopCode, 8);
    EXPECT_EQ(back.startDirection, 1);
    EXPECT_DOUBLE_EQ(back.startLevel, -12.5);
    EXPECT_DOUBLE_EQ(back.stopHysteresis, 0.25);
    EXPECT_EQ(back.startDateTime, 1796000000);
    EXPECT_DOUBLE_EQ(back.stopCount, 25000);
    EXPECT_EQ(back.AxisOf(4), 6);
    EXPECT_EQ(back.AxisOf(0), 0);
    EXPECT_EQ(back.ioNioMode, 2);
    EXPECT_EQ(back.measurand[0], 5);
    EXPECT_EQ(back.measurand[1], 0);
    EXPECT_EQ(back.limits[1], "1,5");
    EXPECT_EQ(back.startProgram, "/opt/run me;$x");
}

TEST_F(MeasureAdjustPage, HostileStoredValuesComeBackInRange) {
    Store("IndexOfLimitedMeasurand_1", "7");
    Store("IndexOfLimitedMeasurand_2", "abc");
    Store("IoNioEvaluationMode", "-5");
    Store("TriggerStartCondition", "99999999999");
    Store("TriggerStopCondition", "8x");
    Store("TriggerStartHysteresis", "-1");
    Store("TriggerStopCount", "1e300");
    Store("TriggerStartLevel", "nan");
    Store("DiagramSource_3", "8");
    Store("IOLowerLimitOfMeasurand_1", CString('9', 100000));
    Store("PartOfMeasureStopAddProg", CString('p', 100000));
    MeasureConfigValues back;
    back.Load(app_.get());
    const MeasureConfigValues defaults;
    EXPECT_EQ(back.measurand[0], -1);
    EXPECT_EQ(back.measurand[1], -1);
    EXPECT_EQ(back.ioNioMode, 0);
    EXPECT_EQ(back.startCode, 0);
    EXPECT_EQ(back.stopCode, 0);
    EXPECT_EQ(back.startHysteresis, 0.0);
    EXPECT_EQ(back.stopCount, 0.0);
    EXPECT_EQ(back.startLevel, 0.0);
    EXPECT_EQ(back.diagramSource[3], defaults.diagramSource[3]);
    EXPECT_EQ(back.limits[0].GetLength(), MeasureConfigValues::kMaxLimitLength);
    EXPECT_EQ(back.stopProgram.GetLength(), MeasureConfigValues::kMaxProgramLength);
}

TEST_F(MeasureAdjustPage, TheEvaluationGroupWritesTheValuesTheFlowReads) {
    CDlgMeasureAdjust& page = Open();
    EXPECT_TRUE(page.CheckIoNioMode(0));
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADJ_EVAL_MODE2, BN_CLICKED),
                     reinterpret_cast<LPARAM>(page.GetDlgItem(IDC_ADJ_EVAL_MODE2)->m_hWnd));
    EXPECT_TRUE(page.CheckIoNioMode(2));
    CWnd* list = page.GetDlgItem(IDC_ADJ_MEASURAND_2);
    list->SendMessage(CB_SETCURSEL, 4);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADJ_MEASURAND_2, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list->m_hWnd));
    EXPECT_EQ(page.GetJudgedMeasurand(1), 4);
    EXPECT_EQ(page.GetJudgedMeasurand(0), -1);  // nothing chosen
    page.GetDlgItem(IDC_ADJ_UPPER_2)->SetWindowText("2,5");
    EXPECT_EQ(page.m_values.limits[3], "2,5");
    page.SetJudgedUnitLabel(0, "Nm");
    CString unit;
    page.GetDlgItemText(IDC_ADJ_UNIT_LABEL_1, unit);
    EXPECT_EQ(unit, "Nm");
    EXPECT_EQ(page.GetJudgedUnitLabel(0), "Nm");
    EXPECT_EQ(page.GetChannelCount(), 2);

    ASSERT_TRUE(page.SaveSettings(app_.get()));
    CDlgMeasureAdjust again;
    again.LoadSettings(app_.get());
    EXPECT_TRUE(again.CheckIoNioMode(2));
    EXPECT_EQ(again.GetJudgedMeasurand(1), 4);
}

TEST_F(MeasureAdjustPage, EveryTextExistsInEachLanguage) {
    CDlgMeasureAdjust& page = Open();
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH}) {
        SetLanguageOffset(language);
        EXPECT_TRUE(page.SetLanguageTexts()) << language;
    }
}
