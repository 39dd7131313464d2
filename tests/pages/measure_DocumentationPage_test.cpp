// The documentation page as a window: its stored values, the filters of its path fields, its
// leave check and its texts in each language.
#include <gtest/gtest.h>

#include "pages/MeasurePageTest.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/controls/ComboBox.h"
#include "res/resource.h"

using MeasureDocumentationPage = MeasurePageTest<CDlgDocumentation>;

TEST_F(MeasureDocumentationPage, StoredValuesComeBackAndHostileOnesComeBackInRange) {
    CDlgDocumentation& page = Open();
    EXPECT_TRUE(page.m_strTexts[CDlgDocumentation::kMWTargetDirectory].Find("/Brevan/Messwerte") >
                0);
    EXPECT_EQ(page.m_strTexts[CDlgDocumentation::kDMPrefix], "DM");
    page.m_sDocumentation.resultMode = 2;
    page.m_sDocumentation.lineEnd = 3;
    page.m_strTexts[CDlgDocumentation::kAddress] = "Rue 1\r\nParis";
    page.m_strTexts[CDlgDocumentation::kIONIOTargetDirectory] = "/home/jürgen/Mess-werte.d/x";
    ASSERT_TRUE(page.SaveSettings(app_.get()));

    CDlgDocumentation again;
    again.LoadSettings(app_.get());
    DocumentationRecord expected = page.m_sDocumentation;
    expected.Seal();
    EXPECT_EQ(again.m_sDocumentation.ToBytes(), expected.ToBytes());
    for (int i = 0; i < CDlgDocumentation::kTextCount; ++i)
        EXPECT_EQ(again.m_strTexts[i], page.m_strTexts[i]) << i;

    // Hostile texts beside a whole record come back filtered and cut.
    app_->WriteProfileString("DespiteReset", "MWPrefix", "../x/y\x01");
    app_->WriteProfileString("DespiteReset", "Comment", CString('c', 100000));
    again.LoadSettings(app_.get());
    EXPECT_EQ(again.m_strTexts[CDlgDocumentation::kMWPrefix], "xy") << "not a hidden file";
    EXPECT_EQ(again.m_strTexts[CDlgDocumentation::kComment].GetLength(), 4096);

    // A damaged record takes the defaults, folders and texts included.
    const BYTE shortBlob[59] = {};
    app_->WriteProfileBinary("DespiteReset", "DocumentationStruct", const_cast<BYTE*>(shortBlob),
                             59);
    again.LoadSettings(app_.get());
    EXPECT_EQ(again.m_sDocumentation.ToBytes(), DocumentationRecord::Defaults(0).ToBytes());
    EXPECT_EQ(again.m_strTexts[CDlgDocumentation::kMWPrefix], "MW");
    EXPECT_TRUE(again.m_strTexts[CDlgDocumentation::kComment].IsEmpty());
}

TEST_F(MeasureDocumentationPage, PathFieldsKeepEveryPathCharacterButControlCharacters) {
    CDlgDocumentation& page = Open();
    CEdit probe;
    ASSERT_TRUE(probe.Create(WS_CHILD, CRect(0, 0, 100, 20), &page, 1));
    probe.SetWindowText("/home/jürgen/Mess-werte.d/x");
    page.OnBrowseMWTargetDirectory(&probe);
    EXPECT_EQ(page.m_strTexts[CDlgDocumentation::kMWTargetDirectory],
              "/home/jürgen/Mess-werte.d/x");
    probe.SetWindowText("/data/a\tb");
    page.OnBrowseDMTargetDirectory(&probe);
    EXPECT_EQ(page.m_strTexts[CDlgDocumentation::kDMTargetDirectory], "/data/ab");
    CString shown;
    probe.GetWindowText(shown);
    EXPECT_EQ(shown, "/data/ab");

    // Typed into the prefix field: the '/' never arrives.
    page.GetDlgItem(IDC_DOC_IONIO_PREFIX)->SetWindowText("");
    page.GetDlgItem(IDC_DOC_IONIO_PREFIX)->SetFocus();
    boxes_.clear();
    Type("ab/c");
    Pump();
    EXPECT_EQ(page.m_strTexts[CDlgDocumentation::kIONIOPrefix], "abc");
    page.GetDlgItem(IDC_DOC_IONIO_PREFIX)->GetWindowText(shown);
    EXPECT_EQ(shown, "abc");
    EXPECT_EQ(boxes_.size(), 1U) << "told, not silently dropped";

    // A header text keeps only what the files' code page holds, and says so.
    boxes_.clear();
    page.GetDlgItem(IDC_DOC_HEADLINE)
        ->SetWindowText(
            "Pr\xC3\xBC"
            "fung \xE2\x9C\x93 5 \xE2\x82\xAC");
    EXPECT_EQ(page.m_strTexts[CDlgDocumentation::kHeadline],
              "Pr\xC3\xBC"
              "fung  5 \xE2\x82\xAC");
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text, GetLanguageString(IDS_FILE_CHARACTER_REFUSED));
}

TEST_F(MeasureDocumentationPage, LeaveCheckNeedsTargetsAndDistinctSeparators) {
    CDlgDocumentation& page = Open();
    EXPECT_TRUE(page.CanLeavePage());
    for (int row = 0; row < 3; ++row) {
        for (int missing = 0; missing < 2; ++missing) {
            page.LoadSettings(app_.get());
            int32_t* modes[3] = {&page.m_sDocumentation.measuredValueMode,
                                 &page.m_sDocumentation.resultMode,
                                 &page.m_sDocumentation.diagramMode};
            *modes[row] = 1;
            page.m_strTexts[2 * row + missing].Empty();
            boxes_.clear();
            EXPECT_FALSE(page.CanLeavePage()) << row << missing;
            ASSERT_EQ(boxes_.size(), 1U);
            EXPECT_EQ(boxes_[0].text, GetLanguageString(5490));
        }
    }
    page.LoadSettings(app_.get());
    page.m_sDocumentation.columnSeparator = 2;  // ',' beside the German ','
    boxes_.clear();
    EXPECT_FALSE(page.CanLeavePage());
    EXPECT_EQ(boxes_.size(), 1U);
}

// Whether the control's text fits its width in the control's font, after the room of a box.
bool TextFits(CWnd& page, int id, int boxRoom) {
    CWnd* control = page.GetDlgItem(id);
    CString text;
    control->GetWindowText(text);
    CClientDC dc(control);
    CFont* old = dc.SelectObject(control->GetFont());
    const int width = dc.GetTextExtent(text).cx;
    dc.SelectObject(old);
    CRect client;
    control->GetClientRect(&client);
    return width + boxRoom <= client.Width();
}

TEST_F(MeasureDocumentationPage, EveryTextExistsInEachLanguageFitsItsPlaceAndDefaultsFollowIt) {
    CDlgDocumentation& page = Open();
    constexpr int kBoxRoom = 16;
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH}) {
        SetLanguageOffset(language);
        EXPECT_TRUE(page.SetLanguageTexts()) << language;
        for (int id : {IDC_DOC_MW_LABEL, IDC_DOC_IONIO_LABEL, IDC_DOC_DM_LABEL,
                       IDC_DOC_DIRECTORY_LABEL, IDC_DOC_PREFIX_LABEL, IDC_DOC_SEPARATOR_LABEL,
                       IDC_DOC_LINE_END_LABEL, IDC_DOC_DECIMAL_LABEL, IDC_DOC_EXPORT_SIZE_LABEL,
                       IDC_DOC_HEADLINE_LABEL, IDC_DOC_ADDRESS_LABEL, IDC_DOC_COMMENT_LABEL})
            EXPECT_TRUE(TextFits(page, id, 0)) << id << " in " << language;
        for (int id = IDC_DOC_MW_MODE0; id <= IDC_DOC_DM_MODE2; ++id)
            EXPECT_TRUE(TextFits(page, id, kBoxRoom)) << id << " in " << language;
        EXPECT_TRUE(TextFits(page, IDC_DOC_SHOW_UNITS, kBoxRoom)) << language;
        page.SetDefaultSettings();
        EXPECT_EQ(page.GetDecimalSeparatorLanguage(),
                  language == LANGUAGE_ENGLISH ? LANGUAGE_ENGLISH : LANGUAGE_GERMAN);
    }
}

TEST_F(MeasureDocumentationPage, AClashingSeparatorChoiceIsPutBack) {
    CDlgDocumentation& page = Open();
    CWnd* combo = page.GetDlgItem(IDC_DOC_SEPARATOR);
    ASSERT_NE(combo, nullptr);
    combo->SendMessage(CB_SETCURSEL, 2);  // ',' beside the German decimal ','
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DOC_SEPARATOR, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo->m_hWnd));
    EXPECT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(page.m_sDocumentation.columnSeparator, 1);
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), 1);
    combo->SendMessage(CB_SETCURSEL, 0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DOC_SEPARATOR, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo->m_hWnd));
    EXPECT_EQ(page.m_sDocumentation.columnSeparator, 0);
}

TEST_F(MeasureDocumentationPage, ThePrintoutAndTheDiagramPictureTakeThePagesChoices) {
    CDlgDocumentation& page = Open();
    IFlowDocumentation& seam = page;
    page.m_strTexts[CDlgDocumentation::kAddress] = "Brevan S.A.S.\r\nRue 1\nParis";
    page.m_strTexts[CDlgDocumentation::kComment] = "";
    page.m_strTexts[CDlgDocumentation::kDMTargetDirectory] = "/data/diagrams";
    CWnd* size = page.GetDlgItem(IDC_DOC_EXPORT_SIZE);
    ASSERT_NE(size, nullptr);
    size->SendMessage(CB_SETCURSEL, 4);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DOC_EXPORT_SIZE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(size->m_hWnd));
    EXPECT_EQ(seam.GetExportSizeMode(), 4);
    EXPECT_EQ(seam.GetPrintAddressLines(),
              (std::vector<CString>{"Brevan S.A.S.", "Rue 1", "Paris"}));
    EXPECT_TRUE(seam.GetPrintCommentLines().empty());
    EXPECT_EQ(seam.GetDiagramTargetDirectory(), "/data/diagrams");
    seam.MakeAutoFileNames(1);
    EXPECT_EQ(seam.GetAutoDiagramFileName().Find("/data/diagrams/DM"), 0);
}

TEST_F(MeasureDocumentationPage, AFileSavedAfterTheStopTellsTheMeasurementsOwnDuration) {
    CDlgDocumentation& page = Open();
    IFlowDocumentation& seam = page;
    page.m_sDocumentation.decimalSeparator = '.';
    const CString duration = GetLanguageString(IDS_DOC_DURATION) + ";";
    auto shownDuration = [&](const CString& block) {
        const int at = block.Find(duration);
        return at < 0 ? CString() : block.Mid(at + duration.GetLength(), 5);
    };
    seam.BuildMeasurementInfoHeader(0);
    clock_->AdvanceMillis(3200);
    seam.NoteMeasurementStop();
    clock_->AdvanceMillis(60000);  // the operator saves a minute later
    EXPECT_EQ(shownDuration(seam.BuildStopInfoText()), "3.200");
    // The next measurement's file, closed while it runs, counts to the close.
    seam.BuildMeasurementInfoHeader(0);
    clock_->AdvanceMillis(1500);
    EXPECT_EQ(shownDuration(seam.BuildStopInfoText()), "1.500");
}
