// The diagnostic page: the detected groups of multi-port devices, the port queries and the
// copy of the result, and its texts in each language.
#include <gtest/gtest.h>

#include "pages/MeasurePageTest.h"
#include "pages/measurement/CDlgDiagnostic.h"
#include "res/resource.h"

using MeasureDiagnosticPage = MeasurePageTest<CDlgDiagnostic>;

TEST_F(MeasureDiagnosticPage, GroupsAnswerThePortQueriesAndShowOnThePage) {
    CDlgDiagnostic& page = Open();
    CString shown;
    page.GetDlgItemText(IDC_DIAG_GROUPS, shown);
    EXPECT_EQ(shown, "Keine Multiport-Geräte erkannt.");
    const char* ports[] = {"COM5", "COM6", "COM7"};
    for (int i = 0; i < 3; ++i) {
        SensorEntry entry;
        entry.iState = PORT_STATE_FOUND;
        entry.record.ucMultiportModule = 1;
        entry.record.dwSerialNumber = 4711;
        entry.record.ucSensorIndex = static_cast<BYTE>(i);
        entry.strPortName = ports[i];
        entry.strPortText = ports[i];
        page.m_detector.AddCandidate(entry, i);
    }
    SensorEntry single;
    single.iState = PORT_STATE_FOUND;
    single.strPortName = "COM9";
    page.m_detector.AddCandidate(single, 3);
    page.m_detector.Detect();
    page.ShowGroups();
    EXPECT_TRUE(page.HasMultiportResult());
    EXPECT_EQ(page.GetMultiportResultCount(), 1);
    EXPECT_TRUE(page.IsPortInMultiportGroup("COM5"));  // master
    EXPECT_TRUE(page.IsPortInMultiportGroup("COM7"));  // slave
    EXPECT_FALSE(page.IsPortInMultiportGroup("COM9"));
    const std::vector<CMultiportGroup> groups = page.GetMultiportResult();
    ASSERT_EQ(groups.size(), 1U);
    EXPECT_EQ(groups[0].dwSerialNumber, 4711U);
    page.GetDlgItemText(IDC_DIAG_GROUPS, shown);
    EXPECT_EQ(shown, "4711: COM5 COM6 COM7 (Master COM5)\n");
}

TEST_F(MeasureDiagnosticPage, EveryTextExistsInEachLanguage) {
    CDlgDiagnostic& page = Open();
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH}) {
        SetLanguageOffset(language);
        EXPECT_TRUE(page.SetLanguageTexts()) << language;
    }
}
