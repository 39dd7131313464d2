// The channel views in a started frame: the 100 ms pause per field and view, the Tara button in
// three languages, the tare kept on the view's own channel while formatting follows the mapped
// record, and Alt in a floating bar.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/views/CAFormChannel.h"
#include "foundation/Language.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

class Units : public IChannelUnitSource {
  public:
    int GetRecordOfChannel(int channel) const override { return recordOf[channel]; }
    char GetChannelUnitLetter(int) const override { return 'D'; }
    int GetChannelUnitIndex(int) const override { return 0; }
    bool GetChannelUnitText(int channel, int index, CString& text) const override {
        if (index != 0)
            return false;
        text = unitOfRecord[channel];
        return true;
    }
    int recordOf[6] = {0, 1, 2, 3, 4, 5};
    const char* unitOfRecord[6] = {"N·m", "1/min", "cN·m", "kN·m", "W", "kW"};
};

class ChannelViews : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
        for (int i = 0; i < COM_CHANNELS; ++i) {
            ASSERT_NE(frame_->GetChannelView(i), nullptr);
            frame_->GetChannelView(i)->SetChannelUnits(&units_);
        }
    }
    CAFormChannelX* View(int channel) const { return frame_->GetChannelView(channel); }
    static CString Text(CWnd* view, UINT id) {
        CString text;
        view->GetDlgItem(id)->GetWindowText(text);
        return text;
    }
    Units units_;
};

TEST_F(ChannelViews, EachFieldPausesFor100MsOnItsOwn) {
    CAFormChannelX* a = View(0);
    CAFormChannelX* c = View(2);
    a->ShowActualValue("12,34");
    EXPECT_EQ(Text(a, CAFormChannelX::IDC_VALUE_FIELD), "12,34 N·m");
    EXPECT_EQ(a->m_abReady[CAFormChannelX::FIELD_VALUE], 0);
    EXPECT_EQ(a->m_abReady[CAFormChannelX::FIELD_TARE], 1);
    EXPECT_EQ(c->m_abReady[CAFormChannelX::FIELD_VALUE], 1);
    Run(30);
    a->ShowMaxValue("---");
    EXPECT_EQ(Text(a, CAFormChannelX::IDC_MAX_FIELD), "---");
    EXPECT_EQ(a->m_abReady[CAFormChannelX::FIELD_VALUE], 0);
    Run(70);
    EXPECT_EQ(a->m_abReady[CAFormChannelX::FIELD_VALUE], 1);
    EXPECT_EQ(a->m_abReady[CAFormChannelX::FIELD_MAX], 0);
    Run(30);
    EXPECT_EQ(a->m_abReady[CAFormChannelX::FIELD_MAX], 1);
    // Writers always write; the ready flag is the caller's to test.
    a->ShowActualValue("1");
    a->ShowActualValue("2");
    EXPECT_EQ(Text(a, CAFormChannelX::IDC_VALUE_FIELD), "2 N·m");
}

TEST_F(ChannelViews, TaraTwiceOnAFreshChannelInThreeLanguages) {
    // A fresh channel has no tare: its button offers one, and the first press takes it.
    EXPECT_EQ(Text(View(1), CAFormChannelX::IDC_TARA), "TARA");
    struct Language {
        int offset;
        const char* set;
        const char* cleared;
    };
    for (const Language& language :
         {Language{LANGUAGE_GERMAN, "TARA=0", "TARA"}, Language{LANGUAGE_ENGLISH, "TARE=0", "TARE"},
          Language{LANGUAGE_FRENCH, "Tare=0", "Tare"}}) {
        SetLanguageOffset(language.offset);
        CAFormChannelX* b = View(1);
        frame_->m_adValue[1] = 5.5;
        b->OnBnClickedTara();
        EXPECT_EQ(frame_->Measurement().Flow().m_aiTareState[1], 0);
        EXPECT_EQ(frame_->Measurement().Flow().m_adTare[1], 5.5);
        EXPECT_EQ(Text(b, CAFormChannelX::IDC_TARA), language.set);
        b->OnBnClickedTara();
        EXPECT_EQ(frame_->Measurement().Flow().m_aiTareState[1], 1);
        EXPECT_EQ(frame_->Measurement().Flow().m_adTare[1], 0.0);
        EXPECT_EQ(Text(b, CAFormChannelX::IDC_TARA), language.cleared);
    }
    SetLanguageOffset(LANGUAGE_GERMAN);
}

TEST_F(ChannelViews, SwitchTaraOnRemovesOnlyAnActiveTare) {
    MeasurementForTest edit(*frame_);
    CAFormChannelX* d = View(3);
    edit.Flow().m_aiTareState[3] = 1;
    d->GetDlgItem(CAFormChannelX::IDC_TARA)->SetWindowText("unchanged");
    d->SwitchTaraOn();
    EXPECT_EQ(frame_->Measurement().Flow().m_aiTareState[3], 1);
    EXPECT_EQ(Text(d, CAFormChannelX::IDC_TARA), "unchanged");
    edit.Flow().m_aiTareState[3] = 0;
    edit.Flow().m_adTare[3] = 9.0;
    d->SwitchTaraOn();
    EXPECT_EQ(frame_->Measurement().Flow().m_aiTareState[3], 1);
    EXPECT_EQ(frame_->Measurement().Flow().m_adTare[3], 0.0);
    EXPECT_EQ(Text(d, CAFormChannelX::IDC_TARA), "TARA");
}

TEST_F(ChannelViews, FormattingFollowsTheMappedRecordWhileTheTareStaysOwn) {
    MeasurementForTest edit(*frame_);
    units_.recordOf[2] = 3;
    CAFormChannelX* c = View(2);
    c->ShowTaraValue("0,5");
    EXPECT_EQ(Text(c, CAFormChannelX::IDC_TARE_FIELD), "0,5 kN·m");
    edit.Flow().m_aiTareState[2] = 1;
    edit.Flow().m_aiTareState[3] = 1;
    c->OnBnClickedTara();
    EXPECT_EQ(frame_->Measurement().Flow().m_aiTareState[2], 0);
    EXPECT_EQ(frame_->Measurement().Flow().m_aiTareState[3], 1);
}

TEST_F(ChannelViews, AltInAFloatingBarGivesTheMainWindowTheFocus) {
    CAFormChannelX* a = View(0);
    MSG alt{a->m_hWnd, WM_SYSKEYDOWN, VK_MENU, 0, 0, {}};
    // Handles only: the field's window object is a temporary.
    const HWND field = a->GetDlgItem(CAFormChannelX::IDC_VALUE_FIELD)->GetSafeHwnd();
    const auto focus = [] { return CWnd::GetFocus()->GetSafeHwnd(); };
    CWnd::FromHandle(field)->SetFocus();
    a->PreTranslateMessage(&alt);
    EXPECT_EQ(focus(), field);

    frame_->ShowControlBar(&frame_->m_wndViewBar[0], TRUE, FALSE);
    frame_->FloatControlBar(&frame_->m_wndViewBar[0], CPoint(200, 200));
    Run(20);
    ASSERT_TRUE(frame_->m_wndViewBar[0].IsFloating());
    CWnd::FromHandle(field)->SetFocus();
    ASSERT_NE(focus(), frame_->m_hWnd);
    a->PreTranslateMessage(&alt);
    // The frame hands its focus on to its active view; the floating bar is no child of it.
    EXPECT_TRUE(focus() == frame_->m_hWnd || ::IsChild(frame_->m_hWnd, focus()));
}

TEST_F(ChannelViews, TheFlowFindsItsPartnersOnTheViews) {
    EXPECT_EQ(frame_->FlowChannelView(2), static_cast<IFlowChannelView*>(View(2)));
    ASSERT_NE(frame_->FlowDiagram(), nullptr);
    IFlowBestUnit* best = frame_->FlowBestUnit();
    ASSERT_NE(best, nullptr);
    int index = -9;
    int decimals = -9;
    EXPECT_TRUE(best->FindBestUnit("5e4", 'D', index, decimals));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(decimals, 1);
    EXPECT_FALSE(best->FindBestUnit("nan", 'D', index, decimals));
    IFlowChannelView* a = frame_->FlowChannelView(0);
    a->ShowMinValue("1");
    EXPECT_FALSE(a->IsFieldReady(IFlowChannelView::kMinField));
    EXPECT_TRUE(a->IsFieldReady(IFlowChannelView::kMaxField));
}

TEST_F(ChannelViews, TheFramesRecordsGiveTheUnits) {
    ChannelRecord& d = MeasurementForTest(*frame_).Flow().m_aChannelRecords[3];
    d.iUnitCount = 1;
    d.astrUnit[0] = "kN·m";
    d.ucQuantityLetter = 'D';
    d.iUnitIndex = 0;
    CAFormChannelX* c = View(2);
    c->SetMainFrame(frame_);
    frame_->m_iNumberOfSensors = 2;
    frame_->m_aiChannelRecord[2] = 3;
    EXPECT_EQ(c->FormatChannelValue("0,5", 0, 0), "0,5 kN·m");
    EXPECT_EQ(c->FormatChannelValue("500", 0, 1), "5,00 N·m");
    d.iUnitIndex = 7;  // outside the list: the number alone
    EXPECT_EQ(c->FormatChannelValue("0,5", 0, 0), "0,5");
    frame_->m_iNumberOfSensors = 1;
    frame_->m_aiChannelRecord[2] = 2;
}

}  // namespace
}  // namespace apptest
