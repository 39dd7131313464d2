// The scaling dialog of the measure configuration page and the checks behind the page's typed
// values: a scaling reaches the sensor and the unit list, anything the sensor cannot keep is
// refused before a write, a busy sensor keeps the dialog open, and the page's pointer never
// dangles.
#include <gtest/gtest.h>

#include <cmath>

#include "foundation/Language.h"
#include "pages/MeasureConfigurationTest.h"
#include "pages/measurement/CDlgSoftwareConfig.h"
#include "pages/measurement/MeasureAdjustChoices.h"

namespace {

using namespace measure_adjust;

TEST(MeasureAdjustChoices, ScalingNamesAndFactorsThatTheSensorCannotKeepAreRefused) {
    EXPECT_TRUE(IsValidScalingName("kp"));
    EXPECT_TRUE(IsValidScalingName("N*m/(2)_"));
    EXPECT_FALSE(IsValidScalingName(""));
    EXPECT_FALSE(IsValidScalingName("äö"));
    EXPECT_FALSE(IsValidScalingName("µV"));
    EXPECT_FALSE(IsValidScalingName("abcdefghi"));
    EXPECT_FALSE(IsValidScalingName("a\tb"));
    EXPECT_TRUE(IsValidScalingFactor(2.5));
    EXPECT_TRUE(IsValidScalingFactor(1e-30));
    for (double bad : {0.0, -1.0, 1e39, 1e-60, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(IsValidScalingFactor(bad)) << bad;
}

TEST(MeasureAdjustChoices, TypedNumbersAreTakenOnlyWhenWhollyValid) {
    double value = 0.0;
    EXPECT_TRUE(ParseNumber("-12,5", value));
    EXPECT_DOUBLE_EQ(value, -12.5);
    EXPECT_FALSE(ParseNumber("", value));
    EXPECT_FALSE(ParseNumber("1,2,3", value));
    EXPECT_FALSE(ParseNumber("-", value));
    EXPECT_TRUE(ParseHysteresis("0,25", value));
    EXPECT_DOUBLE_EQ(value, 0.25);
    EXPECT_FALSE(ParseHysteresis("-1", value));
    EXPECT_FALSE(ParseHysteresis("+1", value));
    long long whole = 0;
    EXPECT_TRUE(ParseWholeNumber("9999", 1, 9999, whole));
    EXPECT_FALSE(ParseWholeNumber("10000", 1, 9999, whole));
    EXPECT_FALSE(ParseWholeNumber("0", 1, 9999, whole));
    EXPECT_FALSE(ParseWholeNumber("12a", 1, 9999, whole));
    EXPECT_FALSE(ParseWholeNumber("99999999999999999999", 0, 1000000000, whole));
    EXPECT_EQ(whole, 9999);
}

TEST(MeasureAdjustChoices, ChoiceTextsShowPeriodsSamplesAndCutOffs) {
    EXPECT_EQ(RatePeriodText(0, LANGUAGE_GERMAN), "1 ms");
    EXPECT_EQ(RatePeriodText(8, LANGUAGE_GERMAN), "500 ms");
    EXPECT_EQ(RatePeriodText(9, LANGUAGE_GERMAN), "1 s");
    EXPECT_EQ(RatePeriodText(15, LANGUAGE_ENGLISH), "120 s");
    EXPECT_DOUBLE_EQ(RateIntervalSeconds(11), 5.0);
    EXPECT_EQ(RateIntervalSeconds(16), 0.0);
    EXPECT_EQ(AveragingText(0, "aus"), "aus");
    EXPECT_EQ(AveragingText(1, "aus"), "aus");
    EXPECT_EQ(AveragingText(2, "aus"), "2");
    EXPECT_EQ(AveragingText(9, "aus"), "256");
    EXPECT_EQ(LowPassText(0, "aus"), "aus");
    EXPECT_EQ(LowPassText(1, "aus"), "1000 Hz");
    EXPECT_EQ(LowPassText(9, "aus"), "1 Hz");
}

}  // namespace

namespace apptest {
namespace {

class ScalingDialog : public MeasureConfiguration {
  protected:
    void OpenDialog() {
        StartOnPage();
        Click(IDC_ADJ_SCALING);
        dialog_ = page_->GetScalingDialog();
        ASSERT_NE(dialog_, nullptr);
    }
    // Channel A's scaling as the user enters it; the texts are pasted, so nothing filters them.
    void Enter(const char* name, const char* factor) {
        dialog_->CheckDlgButton(IDC_SWC_PRESENT, BST_CHECKED);
        dialog_->GetDlgItem(IDC_SWC_NAME)->SetWindowText(name);
        dialog_->GetDlgItem(IDC_SWC_FACTOR)->SetWindowText(factor);
    }
    void PressOk() {
        dialog_->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(dialog_->GetDlgItem(IDOK)->m_hWnd));
        Run(1000);
    }
    int ConfigWrites() { return writes_[tarvik::kBlockSoftwareConfig]; }

    CDlgSoftwareConfig* dialog_ = nullptr;
};

TEST_F(ScalingDialog, AScalingIsWrittenToTheSensorAndListedAfterTheUnits) {
    OpenDialog();
    Enter("kp", "2,5");
    EXPECT_NE(dialog_->GetPreviewText(0).Find("kp"), -1);
    PressOk();
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(page_->GetScalingDialog(), nullptr);
    EXPECT_EQ(ConfigWrites(), 1);
    const tarvik::SoftwareConfigBlock block = SensorConfig();
    EXPECT_EQ(block.channel[0].scalingPresent, 1);
    EXPECT_EQ(block.channel[0].scalingName, "kp");
    EXPECT_DOUBLE_EQ(block.channel[0].scalingFactor, 2.5);
    const ChannelRecord& record = frame_->Measurement().Flow().m_aChannelRecords[0];
    EXPECT_EQ(record.astrUnit[record.iUnitCount], "kp");
    EXPECT_DOUBLE_EQ(record.adUnitFactor[record.iUnitCount], 2.5);
    // The page offers it after the units.
    EXPECT_EQ(page_->SendDlgItemMessage(IDC_ADJ_ROW_UNIT, CB_GETCOUNT), record.iUnitCount + 1);
}

TEST_F(ScalingDialog, NamesAndFactorsTheSensorCannotKeepAreRefusedAndNothingIsWritten) {
    OpenDialog();
    const struct {
        const char* name;
        const char* factor;
        int message;
    } refused[] = {{"äö", "2", IDS_SWC_BAD_NAME},
                   {"abcdefghi", "2", IDS_SWC_BAD_NAME},
                   {"kp", "0", IDS_SWC_BAD_FACTOR},
                   {"kp", "-1", IDS_SWC_BAD_FACTOR},
                   {"kp", "1e39", IDS_SWC_BAD_FACTOR}};
    for (const auto& entry : refused) {
        boxes_.clear();
        Enter(entry.name, entry.factor);
        PressOk();
        ASSERT_EQ(boxes_.size(), 1U) << entry.name << " " << entry.factor;
        EXPECT_EQ(boxes_[0].text, GetLanguageString(entry.message));
        EXPECT_EQ(page_->GetScalingDialog(), dialog_);
    }
    EXPECT_EQ(ConfigWrites(), 0);
}

TEST_F(ScalingDialog, OkWhileTheSensorIsBusyIsRefusedAndTheDialogStays) {
    OpenDialog();
    Enter("kp", "2,5");
    frame_->m_bRequestOutstanding = TRUE;
    dialog_->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(dialog_->GetDlgItem(IDOK)->m_hWnd));
    frame_->m_bRequestOutstanding = FALSE;
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text, GetLanguageString(IDS_SWC_BUSY));
    EXPECT_EQ(page_->GetScalingDialog(), dialog_);
    EXPECT_EQ(frame_->m_aSensorRecord[0].ucScalingPresent[0], 0);
    Run(1500);
    EXPECT_EQ(ConfigWrites(), 0);
}

TEST_F(ScalingDialog, CancelReopeningAndALostSensorLeaveNoDanglingPointer) {
    OpenDialog();
    dialog_->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(dialog_->GetDlgItem(IDCANCEL)->m_hWnd));
    Pump();
    EXPECT_EQ(page_->GetScalingDialog(), nullptr);
    page_->OpenScalingDialog();
    CDlgSoftwareConfig* again = page_->GetScalingDialog();
    ASSERT_NE(again, nullptr);
    page_->OpenScalingDialog();  // a second click shows the same dialog
    EXPECT_EQ(page_->GetScalingDialog(), again);
    // The frame closes it as Cancel does when the sensor is lost during a measurement.
    const HWND cancelled = again->m_hWnd;
    page_->CancelScalingDialog();
    EXPECT_EQ(page_->GetScalingDialog(), nullptr);
    EXPECT_FALSE(::IsWindow(cancelled));
    // Destroyed from outside, as a closing owner destroys it, it leaves the page no pointer.
    page_->OpenScalingDialog();
    ASSERT_NE(page_->GetScalingDialog(), nullptr);
    ::DestroyWindow(page_->GetScalingDialog()->m_hWnd);
    Pump();
    EXPECT_EQ(page_->GetScalingDialog(), nullptr);
    page_->OpenScalingDialog();
    ASSERT_NE(page_->GetScalingDialog(), nullptr);
    const HWND open = page_->GetScalingDialog()->m_hWnd;
    // The program ends with the dialog open: the page takes it along.
    CloseFrame();
    Run(3000);
    EXPECT_EQ(GetMainFrame(), nullptr);
    EXPECT_FALSE(::IsWindow(open));
}

}  // namespace
}  // namespace apptest
