// The operator's round on the measure pages, many times over with pauses of random length: the
// measure configuration accepted (now and then after a unit change), TARA twice, Trigger or
// Start, Stop. Every round a click on an enabled button is taken, the run goes on only with the
// sensor streaming, records values, and ends with the page ready for the next round.
// KQ7B_ROAD_SEED repeats a round's pauses; KQ7B_ROAD_ROUNDS sets how many rounds run.
#include <cstdlib>
#include <random>
#include <string>

#include "Road.h"
#include "app/MainFrame.h"
#include "app/views/CAFormChannel.h"
#include "app/views/CAFormDiagram.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "platform/ui/WinUser.h"
#include "res/measure_adjust.h"
#include "res/resource.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using TriggerRoad = Road;

unsigned EnvNumber(const char* name, unsigned fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
                                            : fallback;
}

TEST_F(TriggerRoad, EveryRoundStartsWithTheStreamAndEndsReady) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    const unsigned seed = EnvNumber("KQ7B_ROAD_SEED", std::random_device{}());
    const unsigned rounds = EnvNumber("KQ7B_ROAD_ROUNDS", 12);
    std::mt19937 random(seed);
    auto pause = [&](int most) { app_->Run(std::uniform_int_distribution<int>(0, most)(random)); };
    CMainFrame* frame = app_->Frame();
    HWND window = app_->FrameWindow();
    for (unsigned round = 0; round < rounds; ++round) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
        const bool triggered = round % 3 != 2;
        ShowPage(*app_, kCommandMeasureSettings);
        if (round % 4 == 3) {
            // Another unit for channel A, and back the round after.
            HWND unit = FindControl(window, IDC_ADJ_ROW_UNIT);
            ASSERT_NE(unit, nullptr);
            const int count = static_cast<int>(::SendMessage(unit, CB_GETCOUNT, 0, 0));
            const int now = static_cast<int>(::SendMessage(unit, CB_GETCURSEL, 0, 0));
            if (count > 1)
                ChooseItem(*app_, unit, (now + 1) % count);
        }
        HWND accept = FindControl(window, IDC_ADJ_ACCEPT);
        ASSERT_NE(accept, nullptr);
        app_->Click(accept);
        pause(400);
        ShowPage(*app_, kCommandMeasureDiagram);
        HWND tare = FindControl(frame->GetChannelView(0)->m_hWnd, CAFormChannelX::IDC_TARA);
        ASSERT_NE(tare, nullptr);
        for (int press = 0; press < 2; ++press) {
            app_->Click(tare);
            pause(300);
        }
        HWND go = FindControl(window, triggered ? IDC_MD_TRIGGER : IDC_MD_START);
        HWND start = FindControl(window, IDC_MD_START);
        HWND stop = FindControl(window, IDC_MD_STOP);
        ASSERT_TRUE(go && start && stop);
        CDlgMeasureDiagram* page = frame->GetMeasureDiagramPage();
        auto state = [&] {
            return "engine state " + std::to_string(frame->COM_GetZMCOMConfgFlow()) + " at rest " +
                   std::to_string(frame->IsEngineAtRest()) + " open " +
                   std::to_string(frame->m_iOpenEntry) + " measuring " +
                   std::to_string(page->IsMeasuring()) + " waiting " +
                   std::to_string(page->m_bWaitingForTrigger) + " run " +
                   std::to_string(page->IsRunning()) + " pending " +
                   std::to_string(page->m_uPendingClick);
        };
        ASSERT_TRUE(app_->RunUntil([&] { return ::IsWindowEnabled(go) != FALSE; }, 15000))
            << "never ready for the round: " << state();
        app_->Click(go);
        // A click on an enabled button is taken: the run (or the wait for its trigger) begins.
        ASSERT_TRUE(app_->RunUntil([&] { return ::IsWindowEnabled(stop) != FALSE; }, 3000))
            << "the click on an enabled button was dropped";
        pause(1500);
        ASSERT_TRUE(app_->RunUntil([&] { return frame->m_bMeasuring != FALSE; }, 3000))
            << "the page waits or runs while the sensor does not stream";
        app_->Run(300);
        app_->Click(stop);
        ASSERT_TRUE(app_->RunUntil(
            [&] { return ::IsWindowEnabled(start) != FALSE && ::IsWindowEnabled(stop) == FALSE; },
            10000))
            << "the page never came back from its stop";
        EXPECT_GT(frame->GetDiagramView()->GetMaxCountOfValues(), 0) << "a run without values";
    }
}

}  // namespace
}  // namespace e2e
