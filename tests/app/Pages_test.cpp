// Page switching and its refusals, the bars of the measure-and-diagram page, the page keys, the
// menu commands with their states and the status line.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/ThreadedConvertFile.h"
#include "foundation/Language.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

class Pages : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
    }
    UINT Switch(UINT page) {
        frame_->SetOperatingMode(page);
        return frame_->GetActivePageId();
    }
    void Key(UINT vk, bool ctrl, bool shift = false) {
        if (ctrl)
            KeyDown(VK_CONTROL);
        if (shift)
            KeyDown(VK_SHIFT);
        MSG msg{frame_->m_hWnd, WM_KEYDOWN, vk, 0, 0, {}};
        frame_->PreTranslateMessage(&msg);
        if (shift)
            KeyUp(VK_SHIFT);
        if (ctrl)
            KeyUp(VK_CONTROL);
    }
    UINT MenuState(UINT id) {
        CMenu* menu = frame_->GetMenu();
        for (int i = 0; i < 5; ++i)
            frame_->SendMessage(WM_INITMENUPOPUP,
                                reinterpret_cast<WPARAM>(menu->GetSubMenu(i)->GetSafeHmenu()), i);
        for (int i : {1, 2})
            frame_->SendMessage(
                WM_INITMENUPOPUP,
                reinterpret_cast<WPARAM>(menu->GetSubMenu(i)->GetSubMenu(0)->GetSafeHmenu()), 0);
        return menu->GetMenuState(id, MF_BYCOMMAND);
    }
};

TEST_F(Pages, ASwitchIsRefusedOrWaitsWhileSomethingElseGoesOn) {
    EXPECT_EQ(Switch(PAGE_CONNECTION), PAGE_CONNECTION);
    EXPECT_EQ(Switch(PAGE_INFORMATION), PAGE_CONNECTION);  // within 50 ms
    Run(60);
    CDlgMeasureDiagram* measure = frame_->GetMeasureDiagramPage();
    measure->m_ucMeasuring = 1;
    EXPECT_EQ(Switch(PAGE_INFORMATION), PAGE_CONNECTION);
    measure->m_ucMeasuring = 0;
    frame_->WaitCursorOn();
    frame_->WaitCursorOn();
    EXPECT_EQ(Switch(PAGE_INFORMATION), PAGE_CONNECTION);
    frame_->WaitCursorOff();  // one off ends any number of ons
    // While the sensor's answer is awaited the page waits for it, and then shows.
    frame_->m_bRequestOutstanding = TRUE;
    EXPECT_EQ(Switch(PAGE_INFORMATION), PAGE_CONNECTION);
    frame_->m_bRequestOutstanding = FALSE;
    Run(150);
    EXPECT_EQ(frame_->m_nActivePage, PAGE_INFORMATION);
    EXPECT_EQ(Switch(PAGE_DOCUMENTATION), PAGE_DOCUMENTATION);
    Run(60);
    frame_->GetDocumentationPage()->m_bMayLeave = FALSE;
    EXPECT_EQ(Switch(PAGE_INFORMATION), PAGE_DOCUMENTATION);
    frame_->GetDocumentationPage()->m_bMayLeave = TRUE;
    // An unknown page leaves the current one shown.
    EXPECT_FALSE(frame_->SetOperatingMode(134));
    EXPECT_TRUE(frame_->GetPageWindow(PAGE_DOCUMENTATION)->GetStyle() & WS_VISIBLE);
}

TEST_F(Pages, SwitchingWorksAgainAfterAMultiSensorMeasurementStarted) {
    EXPECT_EQ(Switch(PAGE_CONNECTION), PAGE_CONNECTION);
    // The engine kills the frame's page-switch timer at such a start; nothing depends on it.
    ::KillTimer(frame_->m_hWnd, 22);
    Run(60);
    EXPECT_EQ(Switch(PAGE_INFORMATION), PAGE_INFORMATION);
}

TEST_F(Pages, TheMeasureAndDiagramPageBringsItsDiagramBar) {
    EXPECT_EQ(Switch(PAGE_MEASURE_DIAGRAM), PAGE_MEASURE_DIAGRAM);
    EXPECT_TRUE(frame_->m_wndDiagramBar.IsVisible());
    EXPECT_EQ(frame_->m_iBarsForPage, 1);
    Run(60);
    EXPECT_EQ(Switch(PAGE_CONNECTION), PAGE_CONNECTION);
    EXPECT_FALSE(frame_->m_wndDiagramBar.IsVisible());
    EXPECT_EQ(frame_->m_iBarsForPage, 0);

    // After an export the bar is hidden again only when the export found it hidden.
    frame_->ShowViewBar(&frame_->m_wndDiagramBar, TRUE, FALSE);
    frame_->m_bDiagramHiddenBeforeExport = FALSE;
    frame_->RestoreDiagramBarDocking();
    EXPECT_TRUE(frame_->m_wndDiagramBar.IsVisible());
    frame_->m_bDiagramHiddenBeforeExport = TRUE;
    frame_->RestoreDiagramBarDocking();
    EXPECT_FALSE(frame_->m_wndDiagramBar.IsVisible());
}

TEST_F(Pages, CtrlTabStepsThroughThePages) {
    Switch(PAGE_DIAGNOSTIC);
    Run(60);
    Key(VK_TAB, true);
    EXPECT_EQ(frame_->GetActivePageId(), PAGE_CONNECTION);
    Run(60);
    Key(VK_TAB, true, true);
    EXPECT_EQ(frame_->GetActivePageId(), PAGE_MEASURE_DIAGRAM);
}

TEST_F(Pages, ViewCommandsToggleTheirBarsAndFollowTheirStates) {
    Switch(PAGE_MEASURE_DIAGRAM);
    frame_->m_viewState.checkState[1] = 0;
    frame_->SendMessage(WM_COMMAND, 10032);
    EXPECT_EQ(frame_->m_viewState.checkState[1], 1);
    EXPECT_TRUE(frame_->m_wndViewBar[1].IsVisible());
    frame_->m_viewState.checkState[4] = 0;
    frame_->SendMessage(WM_COMMAND, 10040);
    EXPECT_TRUE(frame_->m_wndViewBar[CHANNEL_LIGHT].IsVisible());
    // A view of state 2 cannot be toggled from the menu; a toggle hides it, keeping the state.
    frame_->m_viewState.checkState[1] = 2;
    EXPECT_TRUE(MenuState(10032) & MF_GRAYED);
    frame_->OnTreeItemAction("", 5322);
    EXPECT_FALSE(frame_->m_wndViewBar[1].IsVisible());
    EXPECT_EQ(frame_->m_viewState.checkState[1], 2);
    // A bar's close only hides.
    frame_->m_viewState.checkState[0] = 1;
    frame_->ShowViewBar(&frame_->m_wndViewBar[0], TRUE, FALSE);
    EXPECT_TRUE(frame_->OnViewBarClosed(frame_->m_wndViewBar[0].m_hWnd));
    EXPECT_TRUE(frame_->OnViewBarClosed(frame_->m_wndViewBar[0].m_hWnd));
    EXPECT_FALSE(frame_->m_wndViewBar[0].IsVisible());
    EXPECT_EQ(frame_->m_viewState.checkState[0], 0);
    EXPECT_FALSE(frame_->OnViewBarClosed(frame_->m_hWnd));
}

TEST_F(Pages, TheMenuSpeaksTheLanguageAndKeepsItsPopups) {
    CMenu* menu = frame_->GetMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(frame_->m_hMenuDefault, menu->GetSafeHmenu());
    CMenu* file = menu->GetSubMenu(0);
    EXPECT_EQ(file->GetMenuItemID(0), 10001U);
    EXPECT_EQ(menu->GetMenuState(10011, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(menu->GetMenuState(10022, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(menu->GetMenuState(10040, MF_BYCOMMAND) != static_cast<UINT>(-1), true);
    for (int language : {LANGUAGE_ENGLISH, LANGUAGE_FRENCH_OLD, LANGUAGE_GERMAN}) {
        frame_->SwitchLanguage(language);
        CString text;
        menu->GetMenuString(2, text, MF_BYPOSITION);
        EXPECT_EQ(text, GetLanguageString(5059));
        ASSERT_NE(menu->GetSubMenu(2), nullptr);
        ASSERT_NE(menu->GetSubMenu(2)->GetSubMenu(0), nullptr);
        ASSERT_NE(menu->GetSubMenu(1)->GetSubMenu(0), nullptr);
        menu->GetSubMenu(0)->GetMenuString(0, text, MF_BYPOSITION);
        EXPECT_EQ(text, GetLanguageString(5046));
    }
    // Opening File re-synchronises the owner-drawn items: the first carries 10001 and its icon.
    auto* owner = static_cast<BCMenu*>(menu->GetSubMenu(0));
    ASSERT_TRUE(BCMenu::IsRegisteredMenu(owner));
    frame_->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(owner->GetSafeHmenu()), 0);
    ASSERT_GT(owner->GetRecordCount(), 0);
    EXPECT_EQ(owner->GetRecord(0)->nID, 10001U);
    EXPECT_GE(owner->GetRecord(0)->nImageIndex, 0);
    // The around-trigger tick survives a language switch.
    frame_->SendMessage(WM_COMMAND, 10045);
    frame_->SwitchLanguage(LANGUAGE_ENGLISH);
    EXPECT_TRUE(MenuState(10045) & MF_CHECKED);
    EXPECT_TRUE(frame_->GetMeasureDiagramPage()->m_bAroundTrigger);
}

// The bars and the View menu name the views alike: channels of one sensor, sensors of a group.
TEST_F(Pages, ChannelBarsAndMenuAreNamedBySensorWithSeveralSensors) {
    CString caption;
    CString item;
    CMenu* digital = frame_->GetMenu()->GetSubMenu(2)->GetSubMenu(0);
    frame_->m_iActivatedCount = 1;
    frame_->UpdateViewBarCaptions();
    frame_->RefreshChannelItems();
    frame_->m_wndViewBar[2].GetWindowText(caption);
    EXPECT_EQ(caption, "Kanal C Anzeige");
    digital->GetMenuString(1, item, MF_BYPOSITION);
    EXPECT_EQ(item, "Kanal B");
    frame_->m_iActivatedCount = 2;
    frame_->UpdateViewBarCaptions();
    frame_->RefreshChannelItems();
    frame_->m_wndViewBar[2].GetWindowText(caption);
    EXPECT_EQ(caption, "Sensor 3");
    digital->GetMenuString(1, item, MF_BYPOSITION);
    EXPECT_EQ(item, "Sensor 2");
}

TEST_F(Pages, SavesDoNothingWhileAConversionRuns) {
    MeasurementForTest edit(*frame_);
    edit.Files().m_ucDataAvailable = 1;
    edit.Files().m_pConvertThread->m_bRunning = TRUE;
    frame_->SendMessage(WM_COMMAND, 10001);
    EXPECT_EQ(frame_->Measurement().Files().m_ucDataAvailable, 1);
    EXPECT_FALSE(MenuState(10001) & MF_GRAYED);
}

TEST_F(Pages, TheStatusLineShowsStatesPromptsAndProgress) {
    frame_->ShowStatusMessage(5272);
    EXPECT_EQ(PaneText(0), "Messen...");
    const UINT previous = static_cast<UINT>(frame_->SendMessage(WM_SETMESSAGESTRING, 10016));
    EXPECT_EQ(PaneText(0), "Blendet die Navigierleiste ein oder aus");
    EXPECT_EQ(frame_->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE), 10016);
    EXPECT_EQ(PaneText(0), "Messen...");
    (void)previous;
    frame_->SendMessage(WM_SETMESSAGESTRING, 10000);  // no tree selection: safe
    for (const char* text : {"%s", "%", "%%"}) {
        frame_->SetStatusTextString(text);
        EXPECT_EQ(PaneText(0), CString(text) == "%%" ? "%" : text);
    }
    frame_->m_dConversionProgress = 42;
    frame_->ShowStatusMessage(5291);
    EXPECT_EQ(frame_->GetLastStatusId(), 5272U);
    frame_->ShowStatusMessage(9999);
    EXPECT_EQ(PaneText(0), "n.a. unbekannte Status Nachricht");
    // A hidden bar gets no text, but the last id moves.
    frame_->m_viewState.checkState[7] = 0;
    frame_->ShowStatusMessage(5270);
    EXPECT_EQ(PaneText(0), "n.a. unbekannte Status Nachricht");
    EXPECT_EQ(frame_->GetLastStatusId(), 5270U);
    frame_->m_viewState.checkState[7] = 1;
    frame_->ShowStatusMessage(0);
    EXPECT_EQ(PaneText(0), "Betriebsbereit. Sensor aktiviert");
}

}  // namespace
}  // namespace apptest
