// The navigation tree, the language switch and the channel value resets.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "foundation/Language.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/ui/commctrl/CommCtrl.h"
#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/paint/Screenshot.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

class Tree : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(60);
    }
    HTREEITEM Item(UINT textId) {
        for (HTREEITEM item : frame_->m_ahTreeItems) {
            if (item != nullptr && frame_->m_wndTree.GetItemData(item) == textId)
                return item;
        }
        return nullptr;
    }
    int Image(UINT textId) {
        int image = -1;
        int selected = -1;
        frame_->m_wndTree.GetItemImage(Item(textId), image, selected);
        return image;
    }
};

TEST_F(Tree, ItemsCarryTheirTextIdsAndShowTheirStates) {
    ASSERT_NE(Item(5014), nullptr);
    EXPECT_EQ(frame_->m_wndTree.GetItemText(Item(5021)), "Angeschlossene Geräte");
    EXPECT_EQ(frame_->m_wndTree.GetItemText(Item(5321)), "Kanal A");
    EXPECT_EQ(frame_->m_wndTree.GetItemText(Item(5323)), "");
    EXPECT_EQ(Image(5015), 16);
    EXPECT_EQ(Image(5014), 1);
    // Without the measure-and-diagram bars the views show icon 12, navigation and status not.
    frame_->m_viewState.checkState[6] = 0;
    frame_->RefreshTreeStates();
    EXPECT_EQ(Image(5321), 12);
    EXPECT_EQ(Image(5034), 11);
    EXPECT_EQ(Image(5035), 10);
    frame_->SetOperatingMode(PAGE_MEASURE_DIAGRAM);
    const int icons[] = {11, 10, 12, 13, 14};
    for (int state = 0; state < 5; ++state) {
        frame_->m_viewState.checkState[0] = state;
        frame_->RefreshTreeStates();
        EXPECT_EQ(Image(5321), icons[state]);
    }
}

TEST_F(Tree, FoldersFollowExpansionAndClicksRunTheirCommands) {
    frame_->OnTreeItemAction("TXT_ON_TVN_ITEMEXPANDED", 5028);
    EXPECT_EQ(frame_->m_viewState.folderState[3], 0);
    EXPECT_EQ(Image(5028), 0);
    frame_->OnTreeItemAction("TXT_ON_TVN_ITEMEXPANDED", 5028);
    EXPECT_EQ(frame_->m_viewState.folderState[3], 1);
    frame_->OnTreeItemAction("", 5021);
    EXPECT_EQ(frame_->GetActivePageId(), PAGE_CONNECTION);
    frame_->OnTreeItemAction("", 5035);
    EXPECT_EQ(frame_->m_viewState.checkState[7], 0);
    EXPECT_FALSE(frame_->m_wndStatusBar.IsVisible());

    // A documentation page that refuses to be left lets only the language items act.
    Run(60);
    frame_->SetOperatingMode(PAGE_DOCUMENTATION);
    frame_->GetDocumentationPage()->m_bMayLeave = FALSE;
    Run(60);
    frame_->OnTreeItemAction("", 5021);
    frame_->OnTreeItemAction("", 5035);
    EXPECT_EQ(frame_->GetActivePageId(), PAGE_DOCUMENTATION);
    EXPECT_EQ(frame_->m_viewState.checkState[7], 0);
    frame_->OnTreeItemAction("", 5039);
    EXPECT_EQ(frame_->GetLanguageOffset(), LANGUAGE_ENGLISH);
}

TEST_F(Tree, AClickOnAnItemReachesItsCommand) {
    frame_->m_dlgStartUp.ShowWindow(SW_HIDE);  // as at the end of a search
    frame_->ShowWindow(SW_SHOWNORMAL);
    Pump();
    CRect rect;
    ASSERT_TRUE(frame_->m_wndTree.GetItemRect(Item(5021), &rect, TRUE));
    frame_->m_wndTree.ClientToScreen(&rect);
    Click(rect.CenterPoint());
    EXPECT_EQ(frame_->GetActivePageId(), PAGE_CONNECTION);
}

TEST_F(Tree, TheSaveItemsAreDrawnGreyExactlyWhileTheirCommandsAreDisabled) {
    frame_->m_dlgStartUp.ShowWindow(SW_HIDE);  // as at the end of a search
    frame_->ShowWindow(SW_SHOWNORMAL);
    Pump();
    auto menuEnables = [this](UINT command) {
        CMenu* file = frame_->GetMenu()->GetSubMenu(0);
        frame_->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->GetSafeHmenu()), 0);
        return (file->GetMenuState(command, MF_BYCOMMAND) & MF_GRAYED) == 0;
    };
    // Only the text colour of an available item comes near black; the grey of an unavailable
    // one stays far from it, smoothed or not.
    auto drawnAvailable = [this](UINT textId) {
        frame_->m_wndTree.UpdateWindow();
        CRect rect;
        frame_->m_wndTree.GetItemRect(Item(textId), &rect, TRUE);
        frame_->m_wndTree.ClientToScreen(&rect);
        int dark = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const COLORREF pixel = kq::ui::GetScreenPixel(x, y);
                dark += GetRValue(pixel) < 60 && GetGValue(pixel) < 60 && GetBValue(pixel) < 60;
            }
        }
        return dark > 10;
    };
    auto expectAsTheMenu = [&](bool available, const char* when) {
        EXPECT_EQ(menuEnables(10001), available) << when;
        EXPECT_EQ(drawnAvailable(5015), available) << when;
        EXPECT_EQ(menuEnables(10002), available) << when;
        EXPECT_EQ(drawnAvailable(5016), available) << when;
    };
    expectAsTheMenu(false, "before any measurement");
    frame_->SetupMeasureValueFile(0);
    frame_->FinishMeasurement();
    expectAsTheMenu(true, "after the end of a measurement");
    frame_->SetupMeasureValueFile(0);
    expectAsTheMenu(false, "at the start of the next one");
}

TEST_F(Tree, ALanguageIsSwitchedOnlyWhenItChanges) {
    frame_->SwitchLanguage(LANGUAGE_FRENCH_OLD);
    EXPECT_EQ(frame_->GetLanguageOffset(), LANGUAGE_FRENCH);
    // The platform's own dialogs follow (Save As, Print, their questions).
    EXPECT_EQ(kq::ui::GetControlLanguage(), kq::ui::ControlLanguage::French);
    frame_->SetStatusTextString("kept");
    frame_->SwitchLanguage(LANGUAGE_FRENCH_OLD);
    EXPECT_EQ(PaneText(0), "kept");
    frame_->SwitchLanguage(LANGUAGE_ENGLISH);
    EXPECT_EQ(PaneText(0), " ");
    frame_->SetStatusTextString("kept");
    frame_->SwitchLanguage(LANGUAGE_SPANISH);
    EXPECT_EQ(PaneText(0), "kept");
    EXPECT_EQ(frame_->GetLanguageOffset(), LANGUAGE_ENGLISH);
    EXPECT_EQ(kq::ui::GetControlLanguage(), kq::ui::ControlLanguage::English);
    // A real switch rewrote the captions, the tree and the hidden pages' flags.
    CString caption;
    frame_->m_wndNaviBar.GetWindowText(caption);
    EXPECT_EQ(caption, "Navigation Bar");
    EXPECT_EQ(frame_->m_wndTree.GetItemText(Item(5034)), "Navigation Bar");
    EXPECT_TRUE(frame_->GetConnectionPage()->m_bNeedsNewTexts);
    EXPECT_FALSE(frame_->GetMeasureAdjustPage()->m_bNeedsNewTexts);
    EXPECT_EQ(frame_->Measurement().Flow().m_lastFlowReason, MeasuredValueReason::SettingsChanged);
}

TEST_F(Tree, AveragingAndTheResetsStayInTheirRings) {
    MeasurementForTest edit(*frame_);
    double out = 0.0;
    EXPECT_TRUE(frame_->AverageChannelValue(0, 5.0, out));
    EXPECT_EQ(out, 5.0);
    edit.Flow().m_apDiagramRing[1]->SetLength(4);
    edit.Recording().m_bRecordBufferPresent = TRUE;
    int points = 0;
    for (double v : {1.0, 2.0, 3.0, 6.0}) {
        if (frame_->AverageChannelValue(1, v, out))
            ++points;
    }
    EXPECT_EQ(points, 1);
    EXPECT_DOUBLE_EQ(out, 3.0);
    EXPECT_FALSE(frame_->AverageChannelValue(7, 1.0, out));

    for (int i = 0; i < 6; ++i)
        frame_->GetMeasureAdjustPage()->m_aiAveragingCode[i] = 3;
    frame_->m_iActivatedCount = 4;
    for (int mode = 0; mode < 5; ++mode)
        frame_->ResetMovingAverages(mode);
    EXPECT_EQ(frame_->Measurement().Flow().m_apDisplayRing[5]->GetLength(), 1);
    frame_->ResetMovingAverages(2);
    EXPECT_EQ(frame_->Measurement().Flow().m_apDisplayRing[4]->GetLength(), 4);

    frame_->m_adValue[2] = 7.5;
    edit.Flow().m_aiTareState[2] = 0;  // the view's Tara has just switched the tare on
    frame_->TareChannel(2);
    EXPECT_EQ(frame_->Measurement().Flow().m_adTare[2], 7.5);
    EXPECT_EQ(frame_->Measurement().Flow().m_lastFlowReason, MeasuredValueReason::Retake);
    frame_->ResetChannelMinimum(2);
    EXPECT_EQ(frame_->m_adMinimum[2], 1e99);
    EXPECT_EQ(frame_->Measurement().Flow().m_lastFlowReason, MeasuredValueReason::ExtremesReset);
    edit.Flow().m_lastFlowReason.reset();
    frame_->ResetChannelMaximum(2);
    EXPECT_EQ(frame_->m_adMaximum[2], -1e99);
    EXPECT_EQ(frame_->Measurement().Flow().m_lastFlowReason, MeasuredValueReason::ExtremesReset);
}

TEST_F(Tree, FoldersKeepTheirStateAcrossLanguageSwitchesAndTheHighlightFollowsThePage) {
    auto expanded = [this](UINT textId) {
        return (frame_->m_wndTree.GetItemState(Item(textId), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    };
    // The operator closes the Help folder; three switches later every folder is as it was.
    frame_->OnTreeItemAction("TXT_ON_TVN_ITEMEXPANDED", 5042);
    for (UINT language : {10020u, 10021u, 10019u}) {
        frame_->SendMessage(WM_COMMAND, language);
        Run(60);
        for (UINT folder : {5014u, 5019u, 5020u, 5028u, 5029u, 5037u})
            EXPECT_TRUE(expanded(folder)) << folder << " after " << language;
        EXPECT_FALSE(expanded(5042));
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(frame_->m_viewState.folderState[i], 1) << i;
        EXPECT_EQ(frame_->m_viewState.folderState[6], 0);
    }

    // A page chosen from the menu is the tree's highlighted item, also after a language switch.
    frame_->SendMessage(WM_COMMAND, 10006);
    Run(60);
    EXPECT_EQ(frame_->m_wndTree.GetSelectedItem(), Item(5022));
    frame_->SendMessage(WM_COMMAND, 10010);
    Run(60);
    EXPECT_EQ(frame_->m_wndTree.GetSelectedItem(), Item(5026));
    frame_->SendMessage(WM_COMMAND, 10020);
    Run(60);
    EXPECT_EQ(frame_->m_wndTree.GetSelectedItem(), Item(5026));
}

}  // namespace
}  // namespace apptest
