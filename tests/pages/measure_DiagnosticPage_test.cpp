// The diagnostic page: the detected groups of multi-port devices in its list, the port queries
// and the copy of the result, its texts in each language, and its raw requests to a simulated
// sensor with their bytes, the decoded reply, a refusal or no answer.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppTest.h"
#include "pages/MeasurePageTest.h"
#include "pages/measurement/CDlgDiagnostic.h"
#include "pages/measurement/DiagnosticTexts.h"
#include "platform/ui/paint/Screenshot.h"
#include "protocol/Frame.h"
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
    ASSERT_EQ(page.m_listGroups.GetItemCount(), 1);
    EXPECT_EQ(page.m_listGroups.GetItemText(0, CDlgDiagnostic::COL_PORTS), "COM5 COM6 COM7");
    EXPECT_EQ(page.m_listGroups.GetItemText(0, CDlgDiagnostic::COL_SERIAL), "4711");
    EXPECT_EQ(page.m_listGroups.GetItemText(0, CDlgDiagnostic::COL_MASTER), "COM5");
}

TEST_F(MeasureDiagnosticPage, EveryTextExistsInEachLanguage) {
    CDlgDiagnostic& page = Open();
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH}) {
        SetLanguageOffset(language);
        Pump();
        EXPECT_TRUE(page.SetLanguageTexts()) << language;
        // The switch repaints the page and its list at once: no caption leaves a remnant.
        CRect pending;
        EXPECT_TRUE(page.GetUpdateRect(&pending, TRUE)) << language;
        EXPECT_TRUE(page.m_listGroups.GetUpdateRect(&pending)) << language;
    }
}

TEST_F(MeasureDiagnosticPage, ARefusalAndAMissingAnswerAreToldInTheUsersLanguage) {
    Open();
    const CString request = tarvik::BuildFrame(1, 255, 0x15, "");
    const CString nak = tarvik::BuildFrame(1, 255, 21, std::string_view("\x05", 1));
    EXPECT_NE(DescribeDiagnosticExchange(request, nak, TRUE).Find("Verweigert (NAK 5)"), -1);
    SetLanguageOffset(LANGUAGE_ENGLISH);
    const CString silent = DescribeDiagnosticExchange(request, "", FALSE);
    EXPECT_EQ(silent, "Request:  2| 1|ff| 1|15|16|18|\r\nReply: no answer\r\n");
}

namespace {

class DiagnosticWithSensor : public apptest::AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        frame_ = StartWithOpenSensor();
        ASSERT_NE(frame_, nullptr);
        page_ = frame_->GetDiagnosticPage();
        ASSERT_NE(page_, nullptr);
        ASSERT_TRUE(frame_->SetOperatingMode(139));
        Run(300);
    }
    void Click(int id) {
        page_->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                           reinterpret_cast<LPARAM>(page_->GetDlgItem(id)->m_hWnd));
    }
    bool Enabled(int id) const { return page_->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    bool PaneHas(const char* text) const { return page_->GetPaneText().Find(text) >= 0; }

    CMainFrame* frame_ = nullptr;
    CDlgDiagnostic* page_ = nullptr;
};

}  // namespace

TEST_F(DiagnosticWithSensor, RequestsShowTheirBytesAndWhatTheReplySays) {
    for (int id = IDC_DIAG_STATUS_LONG; id <= IDC_DIAG_RESTART; ++id)
        EXPECT_TRUE(Enabled(id)) << id;
    Click(IDC_DIAG_STATUS_LONG);
    EXPECT_FALSE(Enabled(IDC_DIAG_LINK_TEST));  // the request waits for its reply
    Run(100);
    EXPECT_TRUE(PaneHas("Anfrage:  2| 1|ff| 1|42|"));
    EXPECT_TRUE(PaneHas("Antwort:  2| 1|ff|19|42|"));
    EXPECT_TRUE(PaneHas("Seriennummer: 1111\r\n"));
    EXPECT_TRUE(PaneHas("Baud-Code: 9\r\n"));
    CString shown;
    page_->GetDlgItemText(IDC_DIAG_BYTES, shown);
    EXPECT_EQ(shown, page_->GetPaneText());

    Click(IDC_DIAG_LINK_TEST);
    Run(100);
    EXPECT_TRUE(PaneHas("ACK"));
    EXPECT_TRUE(Enabled(IDC_DIAG_REPEAT));

    // A restart: acknowledged, then the sensor is read again and the buttons come back.
    Click(IDC_DIAG_RESTART);
    Run(100);
    EXPECT_TRUE(PaneHas("ACK"));
    Run(2000);
    EXPECT_EQ(frame_->m_iOpenEntry, 0);
    EXPECT_EQ(frame_->COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_TRUE(Enabled(IDC_DIAG_RESTART));

    // A silent sensor: "no answer" within the three waits, and the page is usable again.
    sim_->ports[0]->silent = true;
    Click(IDC_DIAG_REPEAT);
    Run(1000);
    EXPECT_TRUE(PaneHas("Antwort: keine Antwort"));
    EXPECT_TRUE(Enabled(IDC_DIAG_STATUS_LONG));
}

TEST_F(DiagnosticWithSensor, TheGroupListShowsItsRowsAfterALanguageSwitch) {
    SensorEntry entry;
    entry.iState = PORT_STATE_FOUND;
    entry.record.ucMultiportModule = 1;
    entry.record.dwSerialNumber = 4711;
    for (int i = 0; i < 2; ++i) {
        entry.record.ucSensorIndex = static_cast<BYTE>(i);
        entry.strPortName = entry.strPortText = i == 0 ? "COM5" : "COM6";
        page_->m_detector.AddCandidate(entry, i);
    }
    page_->m_detector.Detect();
    page_->ShowGroups();
    CXListCtrl& list = page_->m_listGroups;
    // The first row's text is painted: dark pixels on the window colour.
    auto rowPainted = [&] {
        CRect row;
        list.GetItemRect(0, &row, LVIR_BOUNDS);
        list.ClientToScreen(&row);
        const kq::gfx::Image shot = kq::ui::CaptureScreenRect(row);
        return std::count_if(shot.pixels.begin(), shot.pixels.end(),
                             [](uint32_t p) { return (p & 0x808080u) == 0; }) > 20;
    };
    Run(300);
    ASSERT_TRUE(rowPainted());
    for (UINT language : {10021u, 10020u, 10019u}) {
        frame_->SendMessage(WM_COMMAND, language);
        Run(300);
        EXPECT_TRUE(list.IsWindowVisible()) << language;
        EXPECT_EQ(list.GetItemText(0, CDlgDiagnostic::COL_PORTS), "COM5 COM6") << language;
        EXPECT_TRUE(rowPainted()) << language;
    }
}
