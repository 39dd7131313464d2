// The frame's settings: what the writer stores is what the readers restore, the port list's
// bounds, the language mapping, the values that are never read back, and the reports of a
// settings file that cannot be written or was damaged.
#include <gtest/gtest.h>

#include <fstream>

#include "AppTest.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "platform/base/Registry.h"

namespace apptest {
namespace {

using Settings = AppTest;

constexpr const char* kTree = "AllViewState\\Configs\\TreeState";
constexpr const char* kPorts = "COM Einstellungen";

TEST_F(Settings, AWriteIsReadBackValueByValue) {
    PrepareStore(2000);
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetLanguageOffset(), 4000);
    frame->m_bSuppressLog = FALSE;
    frame->m_nActivePage = PAGE_INFORMATION;
    for (int i = 0; i < 7; ++i)
        frame->m_viewState.folderState[i] = i % 2;
    for (int i = 0; i < 8; ++i)
        frame->m_viewState.checkState[i] = i % 3;
    frame->GetMeasureAdjustPage()->m_bViewUseShowWindow1 = FALSE;
    frame->GetMeasureAdjustPage()->m_bViewUseShowWindow2 = TRUE;
    frame->m_dlgStartUp.m_bSearchForOnlyUsbPorts = TRUE;
    frame->m_aSensorRecord[0].dwSerialNumber = 4711;
    frame->m_aEntries[0].strPortName = "COM9";
    frame->m_aEntries[0].iDisabled = 1;
    frame->m_aEntries[0].iBaudrate = 230400;
    frame->m_aEntries[0].iStateId = 2;
    frame->m_aEntries[1].iStateId = -1;
    frame->SaveSettings();
    EXPECT_TRUE(boxes_.empty());

    EXPECT_EQ(app_->GetProfileInt("Language", "Language", -1), 2000);
    EXPECT_EQ(app_->GetProfileInt("Language", "WriteLogFile", -1), 0);
    EXPECT_EQ(app_->GetProfileInt("Language", "ViewUseShowWindow", -1), 2);
    EXPECT_EQ(app_->GetProfileInt("Settings", "SearchForOnlyUSBPorts", -1), 1);
    EXPECT_EQ(app_->GetProfileString("Version", "Version", ""), "2.04");
    EXPECT_EQ(app_->GetProfileString("DespiteReset", "ApplicationVersion", ""), "2.04");
    EXPECT_EQ(app_->GetProfileString("DespiteReset", "GrafikklasseVersion", ""), "1.01");
    EXPECT_EQ(app_->GetProfileInt("DespiteReset", "LastUsedSerialNo", -1), 4711);
    EXPECT_EQ(app_->GetProfileString(kPorts, "000_Name", ""), "COM9");
    EXPECT_EQ(app_->GetProfileInt(kPorts, "000_Disabled", -1), 1);
    EXPECT_EQ(app_->GetProfileInt(kPorts, "000_Baudrate", -1), 230400);
    EXPECT_EQ(app_->GetProfileInt(kPorts, "000_State  ID", -1), 2);
    EXPECT_EQ(app_->GetProfileString(kPorts, "001_Name", "none"), "none");
    BYTE* data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(app_->GetProfileBinary(kTree, "TreeCtrlStruct", &data, &bytes));
    ASSERT_EQ(bytes, 72U);
    const std::array<uint8_t, 72> expected = frame->m_viewState.ToBytes();
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), data));
    delete[] data;

    frame->m_bCloseWithoutSaving = TRUE;
    frame->DestroyWindow();
    NewApplication();
    frame = StartAndComplete();
    EXPECT_EQ(frame->GetLanguageOffset(), 4000);
    EXPECT_FALSE(frame->m_bSuppressLog);
    EXPECT_EQ(frame->GetActivePageId(), PAGE_INFORMATION);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(frame->m_viewState.folderState[i], i % 2) << i;
    // The channel and light bars always start with choice 3; the others come back.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(frame->m_viewState.checkState[i], 3) << i;
    for (int i = 5; i < 8; ++i)
        EXPECT_EQ(frame->m_viewState.checkState[i], i % 3) << i;
    EXPECT_FALSE(frame->GetMeasureAdjustPage()->m_bViewUseShowWindow1);
    EXPECT_TRUE(frame->GetMeasureAdjustPage()->m_bViewUseShowWindow2);
    EXPECT_EQ(frame->m_dwLastUsedSerialNo, 4711U);
    EXPECT_EQ(frame->m_aEntries[0].strStoredName, "COM9");
    EXPECT_EQ(frame->m_aEntries[0].iStoredDisabled, 1);
    EXPECT_EQ(frame->m_aEntries[0].iStoredBaudrate, 230400);
    EXPECT_EQ(frame->m_aEntries[1].strStoredName, "n.a.");
    EXPECT_EQ(frame->m_aEntries[1].iStoredDisabled, -11);
    EXPECT_EQ(frame->m_aEntries[1].iStoredBaudrate, 0);
}

TEST_F(Settings, LanguagesOutsideTheThreeBecomeEnglish) {
    for (int stored : {3000, 5}) {
        NewApplication();
        PrepareStore(stored);
        CMainFrame* frame = StartAndComplete();
        EXPECT_EQ(frame->GetLanguageOffset(), 1000) << stored;
        frame->m_bCloseWithoutSaving = TRUE;
        frame->DestroyWindow();
    }
}

TEST_F(Settings, ThePortListEndsAtTheTableOrAtTheFirstNegativeState) {
    PrepareStore();
    app_->WriteProfileString(kPorts, "000_Name", "COM77");
    CMainFrame* frame = StartAndComplete();
    frame->m_aEntries[0].iStateId = -1;
    frame->SaveSettings();
    EXPECT_EQ(app_->GetProfileString(kPorts, "000_Name", ""), "COM77");

    for (SensorEntry& entry : frame->m_aEntries) {
        entry.iStateId = 0;
        entry.strPortName = "COM1";
    }
    frame->SaveSettings();
    EXPECT_EQ(app_->GetProfileString(kPorts, "255_Name", ""), "COM1");
    EXPECT_EQ(app_->GetProfileString(kPorts, "256_Name", "none"), "none");
}

TEST_F(Settings, TheLastUsedPortIsWrittenForTheOpenSensor) {
    PrepareStore();
    sim_->AddSensor("COM4 Tarvik USB sensor interface port", 4444);
    CMainFrame* frame = StartAndComplete();
    Run(3000);
    ASSERT_TRUE(frame->IsWindowVisible());
    frame->SaveSettings();
    EXPECT_EQ(app_->GetProfileString("DespiteReset", "LastUsedComPort", ""), "COM4");
    frame->m_bCloseWithoutSaving = TRUE;
    frame->DestroyWindow();
    NewApplication();
    frame = StartAndComplete();
    EXPECT_EQ(frame->m_strLastUsedComPort, "COM4");
}

TEST_F(Settings, ASettingsFileThatCannotBeWrittenGivesOneMessageAtClose) {
    PrepareStore();
    CMainFrame* frame = StartAndComplete();
    // A folder that is a file cannot take the settings, whoever runs the test.
    const std::string folder = kq::RegistryFilePath() + ".blocker";
    { std::ofstream blocker(folder); }
    const std::string file = folder + "/registry.reg";
    kq::SetRegistryFilePath(file);
    frame->SaveSettings();
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_NE(boxes_[0].text.Find(file.c_str()), -1);
}

TEST_F(Settings, ADamagedSettingsFileGivesOneMessageAtStartAndDefaults) {
    {
        std::ofstream out(kq::RegistryFilePath());
        out << "this is no registry file\n";
    }
    kq::SetRegistryFilePath(kq::RegistryFilePath());
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_NE(boxes_[0].text.Find("registry.reg"), -1);
    EXPECT_EQ(frame->GetActivePageId(), PAGE_MEASURE_ADJUST);
}

}  // namespace
}  // namespace apptest
