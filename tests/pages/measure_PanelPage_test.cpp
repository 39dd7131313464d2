// The measurement panel as a window without a sensor: a trigger start's run bytes, the stop
// finished by timer 64, one end per measurement, the trigger monitor's pace and its texts.
#include <gtest/gtest.h>

#include "pages/MeasurePageTest.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "res/resource.h"

using MeasurePanelPage = MeasurePageTest<CDlgMeasureDiagram>;

TEST_F(MeasurePanelPage, ATriggerStartRunsUntilTimer64FinishesIt) {
    CDlgMeasureDiagram& page = Open();
    EXPECT_FALSE(page.IsRunPatternSet());
    page.m_psMsureDgrm->triggerOn = 1;
    page.StartMeasurement();
    EXPECT_TRUE(page.IsMeasuring());
    EXPECT_TRUE(page.IsRunning());
    const uint8_t* r = page.m_psMsureDgrm->runBytes;
    EXPECT_EQ((std::vector<int>{r[0], r[1], r[2], r[3]}), (std::vector<int>{1, 0, 0, 1}));
    EXPECT_FALSE(page.GetDlgItem(IDC_MD_START)->IsWindowEnabled());
    EXPECT_TRUE(page.GetDlgItem(IDC_MD_STOP)->IsWindowEnabled());

    page.OnBnClickedStop();
    EXPECT_FALSE(page.IsMeasuring());
    EXPECT_TRUE(page.IsRunning());  // not finished before timer 64
    Advance(1000);
    Pump();
    EXPECT_FALSE(page.IsRunning());
    EXPECT_FALSE(page.IsRunPatternSet());
    EXPECT_FALSE(page.GetDlgItem(IDC_MD_STOP)->IsWindowEnabled());
    EXPECT_FALSE(page.GetDlgItem(IDC_MD_START)->IsWindowEnabled());  // no sensor here

    // The conversion's end after the stop's changes nothing, and a stop while idle is harmless.
    page.m_psMsureDgrm->running = 1;
    page.OnMeasurementEnded();
    EXPECT_EQ(page.m_psMsureDgrm->running, 1);
    page.m_psMsureDgrm->running = 0;
    page.OnBnClickedStop();
    Advance(2000);
    Pump();
    EXPECT_FALSE(page.IsRunning());
}

TEST_F(MeasurePanelPage, TheMonitorIsRewrittenAtMostEvery100msWithTheLastState) {
    CDlgMeasureDiagram& page = Open();
    CString shown;
    page.CheckTriggerThreshold(0, 0, 1.5, '<', '-', 2.0, 0.5, 0);
    page.GetDlgItemText(IDC_MD_MONITOR, shown);
    EXPECT_EQ(shown, "Start: 1,5 < 2 (-0,5) nicht scharf");
    Advance(50);
    page.CheckTriggerThreshold(1, 1, 3.0, '>', '+', 2.0, 0.5, 1);
    page.GetDlgItemText(IDC_MD_MONITOR, shown);
    EXPECT_EQ(shown, "Start: 1,5 < 2 (-0,5) nicht scharf");
    Advance(60);
    page.OnMeasureTick();
    page.GetDlgItemText(IDC_MD_MONITOR, shown);
    EXPECT_EQ(shown, "Stopp: 3 > 2 (+0,5) scharf");
}

TEST_F(MeasurePanelPage, EveryTextExistsInEachLanguage) {
    CDlgMeasureDiagram& page = Open();
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH}) {
        SetLanguageOffset(language);
        EXPECT_TRUE(page.SetLanguageTexts()) << language;
    }
}

namespace {

class ProgramPanel : public CDlgMeasureDiagram {
  public:
    using CDlgMeasureDiagram::RunProgram;
};

}  // namespace

using MeasurePanelPrograms = MeasurePageTest<ProgramPanel>;

TEST_F(MeasurePanelPrograms, AProgramThatCannotStartIsReportedLaterAndTheRunGoesOn) {
    ProgramPanel& page = Open();
    page.StartMeasurement();
    const std::string missing = folder_ / "no such; program";
    page.RunProgram(missing.c_str());
    EXPECT_TRUE(boxes_.empty());  // posted, never shown inside the caller
    Pump();
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_NE(boxes_[0].text.Find("no such; program"), -1);
    EXPECT_TRUE(page.IsMeasuring());
}
