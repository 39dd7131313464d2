// The calibration page on the application with a simulated sensor: the buttons by the
// adjustment in force, the refusals for several sensors and for sensors that cannot be
// adjusted, a whole adjustment under a load step through its step dialogs, a run cancelled in
// the loaded reading, the not-loaded light, a sensor lost in the zero reading, and a deletion.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "app/AppTest.h"
#include "foundation/Language.h"
#include "pages/common/PageTable.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CalibUncertaintyDialogs.h"
#include "pages/sensor_fixture.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Timers.h"
#include "platform/ui/paint/Screenshot.h"
#include "protocol/BlockLayouts.h"
#include "sensor/ZMStates.h"

namespace apptest {
namespace {

// A thread timer that runs while modal loops wait: it hands the sensor's replies over and plays
// the user's part on whatever step dialog is active.
std::function<void()> g_tick;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_tick)
        g_tick();
}

class CalibrationPage : public SensorPageTest {
  protected:
    void StartWithSensor(sensorsim::SimCalibration inForce = sensorsim::SimCalibration::Factory) {
        sensorsim::SimSensorConfig config;
        config.serialNumber = 1111;
        config.calibration = inForce;
        frame_ = StartWithSensorOf(config);
        ASSERT_NE(frame_, nullptr);
        page_ = frame_->GetCalibrationPage();
        ASSERT_NE(page_, nullptr);
        frame_->SetOperatingMode(PAGE_CALIBRATION);
        Run(100);
    }
    void TearDown() override {
        StopTicker();
        if (timer_ != 0)
            ::KillTimer(nullptr, timer_);
        AppTest::TearDown();
    }
    void Click(int id) { page_->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Enabled(int id) { return page_->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    sensorsim::SimSensor& Sensor() { return SimSensorOfPort(0); }
    void Load(double value) {
        for (int ch = 0; ch < 2; ++ch)
            Sensor().SetSignal(
                ch, sensorsim::SignalShape{sensorsim::SignalShape::Kind::Constant, value});
    }
    template <typename Dialog>
    Dialog* Active() {
        return dynamic_cast<Dialog*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
    }
    void StartTicker(std::function<void()> script) {
        g_tick = [this, script] {
            sim_->Deliver();
            script();
        };
        timer_ = ::SetTimer(nullptr, 0, 10, &Tick);
        // A modal loop waits in real time: a helper moves the virtual clock meanwhile.
        running_ = true;
        mover_ = std::thread([this] {
            while (running_) {
                clock_->AdvanceNanos(2'000'000);
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            }
        });
    }
    void StopTicker() {
        running_ = false;
        if (mover_.joinable())
            mover_.join();
        g_tick = nullptr;
    }
    static void Press(CWnd* dialog, int id) {
        dialog->PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    // The warning and the zero reading confirmed as the operator does; true while one was shown.
    bool ConfirmWarningAndZero(bool& zeroPressed) {
        if (auto* warning = Active<CDlgCalibMsgDoCalib>()) {
            Press(warning, IDOK);
            return true;
        }
        if (auto* zero = Active<CDlgCalibMsgGetValueZero>(); zero && !zeroPressed) {
            zeroPressed = true;
            Press(zero, IDOK);
            return true;
        }
        return false;
    }
    // The input form with half the full scale on both channels and the digits of a gain of 0.8
    // over a load of 25000 counts.
    static void FillScaleInput(CWnd* scale) {
        CString fullScale;
        scale->GetDlgItemText(1221, fullScale);
        fullScale.Replace(',', '.');
        CString half;
        half.Format("%g", atof(fullScale) / 2);
        half.Replace('.', ',');
        scale->SetDlgItemText(1222, half);
        scale->SetDlgItemText(1330, half);
        scale->SetDlgItemText(1335, "20000");
        scale->SetDlgItemText(1336, "20000");
    }
    tarvik::CalibrationBlock UserBlock() {
        tarvik::CalibrationBlock block;
        EXPECT_TRUE(block.Decode(Sensor().Block(tarvik::kBlockUserCalib)));
        return block;
    }

    CMainFrame* frame_ = nullptr;
    CDlgSensorCalibration* page_ = nullptr;
    UINT_PTR timer_ = 0;
    std::atomic<bool> running_{false};
    std::thread mover_;
};

TEST_F(CalibrationPage, TheButtonsFollowTheAdjustmentInForce) {
    StartWithSensor();
    SensorRecord& record = frame_->m_aSensorRecord[0];
    for (BYTE state : {0, 1, 2, 3}) {
        record.ucUsedCalib = state;
        page_->ShowControlElements(TRUE);
        EXPECT_TRUE(Enabled(CDlgSensorCalibration::IDC_PERFORM));
        EXPECT_EQ(Enabled(CDlgSensorCalibration::IDC_UNCERTAINTY), state >= 2) << int(state);
        EXPECT_EQ(Enabled(CDlgSensorCalibration::IDC_DELETE), state == 3) << int(state);
    }
    page_->ShowControlElements(FALSE);
    for (int id : {CDlgSensorCalibration::IDC_PERFORM, CDlgSensorCalibration::IDC_DELETE,
                   CDlgSensorCalibration::IDC_UNCERTAINTY})
        EXPECT_FALSE(Enabled(id));
}

TEST_F(CalibrationPage, SensorsThatCannotBeAdjustedAndSeveralSensorsAreRefused) {
    StartWithSensor();
    SensorRecord& record = frame_->m_aSensorRecord[0];
    const BYTE stator = record.ucStatorId;
    record.ucStatorId = 9;
    Click(CDlgSensorCalibration::IDC_PERFORM);
    Click(CDlgSensorCalibration::IDC_UNCERTAINTY);
    ASSERT_EQ(boxes_.size(), 2U);
    EXPECT_EQ(boxes_[0].text, GetLanguageString(5389));
    EXPECT_EQ(boxes_[1].text, GetLanguageString(5419));
    record.ucStatorId = stator;

    // Several sensors: the notice, the separation mode and the connection page.
    boxes_.clear();
    frame_->m_iNumberOfSensors = 2;
    Click(CDlgSensorCalibration::IDC_PERFORM);
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text.Find(GetLanguageString(5393)), 0);
    EXPECT_NE(boxes_[0].text.Find(GetLanguageString(5400)), -1);
    EXPECT_EQ(frame_->m_iMultiportMode, 2);
    Run(100);
    EXPECT_TRUE(frame_->GetConnectionPage()->IsWindowVisible());
    // Update ends the separation.
    frame_->m_iNumberOfSensors = 1;
    frame_->GetConnectionPage()->UpdatePortList();
    EXPECT_EQ(frame_->m_iMultiportMode, 0);
}

TEST_F(CalibrationPage, AnAdjustmentUnderALoadIsWrittenAndTakenIntoUse) {
    StartWithSensor();
    Load(0.0);
    CString proposed[2];
    bool zeroPressed = false;
    bool scalePressed = false;
    StartTicker([&] {
        if (auto* warning = Active<CDlgCalibMsgDoCalib>()) {
            Press(warning, IDOK);
        } else if (auto* zero = Active<CDlgCalibMsgGetValueZero>(); zero && !zeroPressed) {
            zeroPressed = true;
            Press(zero, IDOK);
        } else if (auto* scale = Active<CDlgCalibMsgGetValueEnd>();
                   scale && !scale->IsReadingForm() && !scalePressed) {
            scalePressed = true;
            scale->GetDlgItemText(1335, proposed[0]);
            scale->GetDlgItemText(1336, proposed[1]);
            FillScaleInput(scale);
            Load(25000.0);
            Press(scale, IDOK);
        }
    });
    Click(CDlgSensorCalibration::IDC_PERFORM);
    StopTicker();
    EXPECT_TRUE(zeroPressed);
    EXPECT_TRUE(scalePressed);
    // The sensor stores the digits at full scale times its range: the field proposes the former.
    EXPECT_EQ(proposed[0], "10000");
    EXPECT_EQ(proposed[1], "10000");
    Run(3000);
    EXPECT_TRUE(boxes_.empty()) << (boxes_.empty() ? "" : boxes_[0].text.GetString());
    EXPECT_EQ(frame_->m_aSensorRecord[0].ucUsedCalib, 3);
    EXPECT_TRUE(Sensor().Block(tarvik::kBlockUserCalib).IsValidFor(130));
    const tarvik::CalibrationBlock user = UserBlock();
    EXPECT_EQ(user.channel[0].offset, frame_->m_aCalib[0].slOffset);
    EXPECT_EQ(user.channel[0].gain, frame_->m_aCalib[0].slGain);
    // The helper clock moves in real time, so how much of the load step each reading saw
    // varies: the factors are checked against what the page computed and the field's range.
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(user.channel[ch].gain, frame_->m_aCalib[ch].slGain);
        EXPECT_EQ(user.channel[ch].control, frame_->m_aCalib[ch].slControl);
        EXPECT_EQ(user.channel[ch].digits, frame_->m_aCalib[ch].dwDigits);
        EXPECT_GT(user.channel[ch].gain, 0);
        EXPECT_LE(user.channel[ch].gain, 65536);
    }
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    EXPECT_TRUE(Enabled(CDlgSensorCalibration::IDC_DELETE));
    EXPECT_FALSE(page_->IsRunActive());
}

TEST_F(CalibrationPage, CancelInTheLoadedReadingWritesNothing) {
    StartWithSensor();
    Load(0.0);
    const tarvik::BlockImage before = Sensor().Block(tarvik::kBlockUserCalib);
    bool zeroPressed = false;
    int scaleShows = 0;
    StartTicker([&] {
        if (ConfirmWarningAndZero(zeroPressed))
            return;
        if (auto* scale = Active<CDlgCalibMsgGetValueEnd>()) {
            if (!scale->IsReadingForm() && scaleShows == 0) {
                ++scaleShows;
                Load(25000.0);
                Press(scale, IDOK);
            } else if (scale->IsReadingForm()) {
                ++scaleShows;
                Press(scale, IDCANCEL);  // back to the input form
            } else {
                Press(scale, IDCANCEL);  // and the run is over
            }
        }
    });
    Click(CDlgSensorCalibration::IDC_PERFORM);
    StopTicker();
    Run(3000);
    EXPECT_EQ(scaleShows, 2);
    EXPECT_EQ(std::memcmp(before.bytes, Sensor().Block(tarvik::kBlockUserCalib).bytes,
                          sizeof before.bytes),
              0);
    EXPECT_EQ(frame_->COM_GetZMCOMConfgFlow(), ZM_STOP_MEASURE);
    EXPECT_FALSE(frame_->IsWaitCursorShown());
}

TEST_F(CalibrationPage,
       AnUncertaintyOutsideItsRangeIsAskedAgainAndTheFactoryAdjustmentGetsAUserCopy) {
    StartWithSensor();
    ASSERT_EQ(frame_->m_aSensorRecord[0].ucUsedCalib, 2);
    int defines = 0;
    CString rangeText;
    StartTicker([&] {
        if (auto* define = Active<CDlgCalibInaccuracyDefine>()) {
            ++defines;
            define->SetDlgItemText(1207, defines == 1 ? "5" : "0,01");
            Press(define, IDOK);
        } else if (auto* failure = Active<CDlgCalibInaccuracyRangeFailure>()) {
            failure->GetDlgItemText(1252, rangeText);
            Press(failure, IDOK);
        }
    });
    Click(CDlgSensorCalibration::IDC_UNCERTAINTY);
    StopTicker();
    EXPECT_EQ(defines, 2);
    EXPECT_NE(rangeText.Find("[ 5 % ]"), -1);
    EXPECT_NE(rangeText.Find("[ 0 % ]"), -1);
    Run(3000);
    EXPECT_TRUE(boxes_.empty());
    // The sensor restarted with the user copy in force, carrying the new value.
    EXPECT_EQ(frame_->m_aSensorRecord[0].ucUsedCalib, 3);
    EXPECT_TRUE(frame_->COM_IsUserCalibEqualFactoryCalib(0));
    EXPECT_NEAR(UserBlock().channel[0].uncertainty, 0.01, 1e-6);
    EXPECT_FALSE(frame_->IsWaitCursorShown());
}

TEST_F(CalibrationPage, AnUnloadedSensorLightsTheIndicatorOnlyAfterItsFirstReadings) {
    StartWithSensor();
    Load(0.0);
    bool inputGiven = false;
    bool litAtStart = true;
    int litTicks = 0;
    bool amber = false;
    bool lightInside = false;  // the dialog opened where the last step was left, in its own size
    StartTicker([&] {
        if (auto* warning = Active<CDlgCalibMsgDoCalib>()) {
            Press(warning, IDOK);
        } else if (auto* zero = Active<CDlgCalibMsgGetValueZero>()) {
            if (zero->GetDlgItem(IDOK)->IsWindowEnabled())
                Press(zero, IDOK);
        } else if (auto* scale = Active<CDlgCalibMsgGetValueEnd>()) {
            CWnd* light = scale->GetDlgItem(1469);
            if (!scale->IsReadingForm()) {
                if (!inputGiven) {
                    inputGiven = true;
                    FillScaleInput(scale);
                    Press(scale, IDOK);  // the load stays off
                } else {
                    Press(scale, IDCANCEL);
                }
            } else if (litTicks == 0 && !light->IsWindowVisible()) {
                litAtStart = false;
            } else if (light->IsWindowVisible() && ++litTicks == 3) {
                // The amber light is on the screen where the indicator stands.
                CRect rect, dialog, both;
                light->GetWindowRect(&rect);
                scale->GetWindowRect(&dialog);
                lightInside = both.IntersectRect(rect, dialog) && both == rect;
                for (int y = rect.top; y < rect.bottom && !amber; ++y) {
                    for (int x = rect.left; x < rect.right && !amber; ++x) {
                        const COLORREF c = kq::ui::GetScreenPixel(x, y);
                        amber = GetRValue(c) > 200 && GetRValue(c) - GetBValue(c) > 120;
                    }
                }
                Press(scale, IDCANCEL);
            }
        }
    });
    Click(CDlgSensorCalibration::IDC_PERFORM);
    StopTicker();
    EXPECT_TRUE(inputGiven);
    EXPECT_FALSE(litAtStart);
    EXPECT_GE(litTicks, 3);
    EXPECT_TRUE(amber);
    EXPECT_TRUE(lightInside);
    Run(1000);
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    EXPECT_FALSE(page_->IsRunActive());
}

TEST_F(CalibrationPage, ASensorLostInTheZeroReadingEndsTheDialogWithinTheWatchdogsBound) {
    StartWithSensor();
    Load(0.0);
    int64_t pressedAt = -1;
    StartTicker([&] {
        if (auto* warning = Active<CDlgCalibMsgDoCalib>()) {
            Press(warning, IDOK);
        } else if (auto* zero = Active<CDlgCalibMsgGetValueZero>(); zero && pressedAt < 0) {
            Unplug();
            pressedAt = kq::MonotonicMillis();
            Press(zero, IDOK);
        } else if (auto* zero = Active<CDlgCalibMsgGetValueZero>()) {
            Press(zero, IDCANCEL);  // Escape while reading does nothing
            zero->PostMessage(WM_CLOSE);
        }
    });
    Click(CDlgSensorCalibration::IDC_PERFORM);
    const int64_t endedAt = kq::MonotonicMillis();
    StopTicker();
    ASSERT_GE(pressedAt, 0);
    // The 5 s without a reading, polled every 500 ms, and a little for the helper clock.
    EXPECT_LT(endedAt - pressedAt, 6500);
    ASSERT_FALSE(boxes_.empty());
    EXPECT_EQ(boxes_.back().text, GetLanguageString(5674));
    EXPECT_EQ(Active<CCalibStepDialog>(), nullptr);
    EXPECT_FALSE(CDlgSensorCalibration::s_bZeroDialogBusy);
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    EXPECT_FALSE(page_->IsRunActive());
}

TEST_F(CalibrationPage, ADeleteInvalidatesTheUserAdjustmentAndItsWaitCursorEndsWithTheRestart) {
    StartWithSensor(sensorsim::SimCalibration::User);
    ASSERT_EQ(frame_->m_aSensorRecord[0].ucUsedCalib, 3);
    ASSERT_TRUE(Enabled(CDlgSensorCalibration::IDC_DELETE));
    const tarvik::BlockImage before = Sensor().Block(tarvik::kBlockUserCalib);
    int answer = IDCANCEL;
    StartTicker([&] {
        if (auto* warning = Active<CDlgCalibMsgDoCalib>())
            Press(warning, IDCANCEL);
        else if (auto* question = Active<CDlgCalibMsgDeleteCalib>())
            Press(question, answer);
    });
    // A run given up at its warning leaves the pending marks; "Nein" sends nothing.
    Click(CDlgSensorCalibration::IDC_PERFORM);
    Click(CDlgSensorCalibration::IDC_DELETE);
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    EXPECT_EQ(std::memcmp(before.bytes, Sensor().Block(tarvik::kBlockUserCalib).bytes,
                          sizeof before.bytes),
              0);

    // A delete the engine refuses (here: the block it would invalidate was never read) says so
    // and leaves no wait cursor.
    answer = IDOK;
    BYTE& readMask = frame_->m_aSensorRecord[0].ucBlockReadMask;
    readMask = static_cast<BYTE>(readMask & ~(1u << tarvik::kBlockUserCalib));
    Click(CDlgSensorCalibration::IDC_DELETE);
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_EQ(boxes_[0].text, GetLanguageString(5675));
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    readMask = static_cast<BYTE>(readMask | (1u << tarvik::kBlockUserCalib));
    boxes_.clear();

    // Focused, the button takes the default frame; once it cannot be pressed it gives it up.
    const HWND deleteButton = page_->GetDlgItem(CDlgSensorCalibration::IDC_DELETE)->m_hWnd;
    page_->GotoDlgCtrl(page_->GetDlgItem(CDlgSensorCalibration::IDC_DELETE));
    auto isDefault = [&] {
        return (::GetWindowLong(deleteButton, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    };
    ASSERT_TRUE(isDefault());
    Click(CDlgSensorCalibration::IDC_DELETE);
    StopTicker();
    Run(3000);
    EXPECT_FALSE(isDefault());
    // The content stays; only the check bytes are those the sensor rejects.
    tarvik::BlockImage expected = before;
    expected.InvalidateCheckBytes();
    EXPECT_EQ(std::memcmp(expected.bytes, Sensor().Block(tarvik::kBlockUserCalib).bytes,
                          sizeof expected.bytes),
              0);
    EXPECT_EQ(frame_->m_aSensorRecord[0].ucUsedCalib, 2);
    EXPECT_FALSE(Enabled(CDlgSensorCalibration::IDC_DELETE));
    EXPECT_TRUE(Enabled(CDlgSensorCalibration::IDC_PERFORM));
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    EXPECT_TRUE(boxes_.empty()) << (boxes_.empty() ? "" : boxes_[0].text.GetString());
}

TEST_F(CalibrationPage, TheScaleInputShowsTheRangeWithItsUnitAndTakesOnlyANumber) {
    StartWithSensor();
    Load(0.0);
    bool zeroPressed = false;
    CString fullScale, units[4], typed;
    double scaleValue = -1.0;
    StartTicker([&] {
        if (auto* warning = Active<CDlgCalibMsgDoCalib>()) {
            Press(warning, IDOK);
        } else if (auto* zero = Active<CDlgCalibMsgGetValueZero>(); zero && !zeroPressed) {
            zeroPressed = true;
            Press(zero, IDOK);
        } else if (auto* scale = Active<CDlgCalibMsgGetValueEnd>(); scale && typed.IsEmpty()) {
            scale->GetDlgItemText(1221, fullScale);
            const int unitIds[4] = {1223, 1224, 1331, 1332};
            for (int i = 0; i < 4; ++i)
                scale->GetDlgItemText(unitIds[i], units[i]);
            // The operator types over the scaling value; the letter never arrives.
            CWnd* edit = scale->GetDlgItem(1222);
            edit->SetWindowText("");
            for (char c : std::string("12a,5"))
                edit->SendMessage(WM_CHAR, static_cast<WPARAM>(c), 0);
            edit->GetWindowText(typed);
            scaleValue = page_->m_dScale[0];
            Press(scale, IDCANCEL);
        }
    });
    Click(CDlgSensorCalibration::IDC_PERFORM);
    StopTicker();
    // 50000 cN·m shown as the sensor information page shows it, the unit beside each field.
    EXPECT_EQ(fullScale, "500,0");
    for (const CString& unit : units)
        EXPECT_EQ(unit, "N·m");
    EXPECT_EQ(typed, "12,5");
    EXPECT_DOUBLE_EQ(scaleValue, 12.5);
}

TEST_F(CalibrationPage, DigitsBeyondWhatTheSensorCanReachAreRefusedBeforeAnythingIsWritten) {
    StartWithSensor();
    Load(0.0);
    const tarvik::BlockImage before = Sensor().Block(tarvik::kBlockUserCalib);
    bool zeroPressed = false;
    int inputForms = 0;
    StartTicker([&] {
        if (ConfirmWarningAndZero(zeroPressed))
            return;
        if (auto* scale = Active<CDlgCalibMsgGetValueEnd>(); scale && inputForms++ == 0) {
            FillScaleInput(scale);
            scale->SetDlgItemText(1336, "70000");
            Press(scale, IDOK);
        } else if (scale != nullptr && !scale->IsReadingForm()) {
            Press(scale, IDCANCEL);  // the form stayed for a new value
        }
    });
    Click(CDlgSensorCalibration::IDC_PERFORM);
    StopTicker();
    Run(1000);
    ASSERT_EQ(boxes_.size(), 1U);
    EXPECT_NE(boxes_[0].text.Find("Kanal B"), -1);
    EXPECT_NE(boxes_[0].text.Find("65534"), -1);
    EXPECT_GE(inputForms, 2);
    EXPECT_EQ(std::memcmp(before.bytes, Sensor().Block(tarvik::kBlockUserCalib).bytes,
                          sizeof before.bytes),
              0);
}

TEST_F(CalibrationPage, TheUncertaintyDialogOfAOneChannelSensorIsShortAndHasNoChannelB) {
    sensorsim::SimSensorConfig config;
    config.statorId = tarvik::kStatorPkrUsb1K;
    config.deviceKind = tarvik::kDevicePkrUsb;
    config.channelCount = 1;
    frame_ = StartWithSensorOf(config);
    ASSERT_NE(frame_, nullptr);
    page_ = frame_->GetCalibrationPage();
    frame_->SetOperatingMode(PAGE_CALIBRATION);
    Run(100);
    CRect window, client, cancel;
    bool rowB = true;
    StartTicker([&] {
        if (auto* define = Active<CDlgCalibInaccuracyDefine>(); define && window.IsRectEmpty()) {
            define->GetWindowRect(&window);
            define->GetClientRect(&client);
            define->GetDlgItem(IDCANCEL)->GetWindowRect(&cancel);
            define->ScreenToClient(&cancel);
            rowB = define->GetDlgItem(1208)->IsWindowVisible() != FALSE;
            Press(define, IDCANCEL);
        }
    });
    Click(CDlgSensorCalibration::IDC_UNCERTAINTY);
    StopTicker();
    ASSERT_FALSE(window.IsRectEmpty());
    EXPECT_FALSE(rowB);
    EXPECT_EQ(cancel.left, 11);
    EXPECT_GE(cancel.top, 0);
    EXPECT_LE(cancel.bottom, client.bottom);
}

TEST_F(CalibrationPage, TheChannelAndRangeLabelsOfTheStepDialogsFitInEveryLanguage) {
    StartWithSensor();
    for (int language : {LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH}) {
        SetLanguageOffset(language);
        CString uncertainty = GetLanguageString(IDS_UNCERTAINTY_LABEL);
        uncertainty.Remove(':');
        const struct {
            UINT dialog;
            int control;
            CString text;
        } labels[] = {{194, 1250, uncertainty + " " + GetLanguageString(IDS_CHANNEL_A) + ":"},
                      {194, 1253, uncertainty + " " + GetLanguageString(IDS_CHANNEL_B) + ":"},
                      {189, 1220, GetLanguageString(IDS_CALIB_UPPER_RANGE_VALUE)}};
        for (const auto& label : labels) {
            CDialog dialog;
            ASSERT_TRUE(dialog.Create(label.dialog, frame_));
            CWnd* control = dialog.GetDlgItem(label.control);
            CClientDC dc(control);
            CFont* old = dc.SelectObject(control->GetFont());
            const int width = dc.GetTextExtent(label.text).cx;
            dc.SelectObject(old);
            CRect client;
            control->GetClientRect(&client);
            EXPECT_LE(width, client.Width()) << label.text.GetString() << " in " << language;
            dialog.DestroyWindow();
        }
    }
    SetLanguageOffset(LANGUAGE_GERMAN);
}

TEST_F(CalibrationPage, ThePageFollowsTheWindowsSizeWhileItIsShown) {
    StartWithSensor();
    frame_->m_dlgStartUp.ShowWindow(SW_HIDE);
    frame_->ShowWindow(SW_SHOWNORMAL);
    auto groupWidth = [this] {
        CRect rect;
        page_->GetDlgItem(CDlgSensorCalibration::IDC_GROUP_BOX)->GetWindowRect(&rect);
        return rect.Width();
    };
    Run(100);
    const int before = groupWidth();
    CRect frame;
    frame_->GetWindowRect(&frame);
    frame_->SetWindowPos(nullptr, 0, 0, frame.Width() + 150, frame.Height(),
                         SWP_NOMOVE | SWP_NOZORDER);
    Run(100);
    EXPECT_EQ(groupWidth(), before + 150);
}

}  // namespace
}  // namespace apptest
