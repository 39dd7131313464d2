// The LED button on a subclassed push button: its return timer, state changes, translator,
// icons from resources and its drawing beside the text.
#include <gtest/gtest.h>

#include "controls/LedButton.h"
#include "framework/FrameworkTest.h"
#include "gfx/codec_test_support.h"
#include "platform/base/Resource.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;
namespace ct = kq::gfx::codec_test;

constexpr UINT kRedLed = 179;
constexpr COLORREF kRed = RGB(255, 0, 0);

// A 4 x 4 icon, all red.
std::vector<uint8_t> RedIcon() {
    ct::DibSpec s{.width = 4, .height = 8, .bitCount = 24};
    s.bits =
        ct::PackRows(std::vector<std::vector<uint32_t>>(4, std::vector<uint32_t>(4, 0xFF0000)), 24);
    const auto mask = ct::PackRows(std::vector<std::vector<uint32_t>>(4, {0, 0, 0, 0}), 1);
    s.bits.insert(s.bits.end(), mask.begin(), mask.end());
    return ct::BuildIco({{4, 4, 24, 0, 0, ct::BuildDib(s)}});
}
const std::vector<uint8_t> kIconBytes = RedIcon();
const kq::BinaryResource kBinaries[] = {
    {kq::BinaryKind::Icon, kq::ResourceName(static_cast<int>(kRedLed)), kIconBytes}};
const kq::ResourceBundle kBundle{{}, {}, {}, {}, kBinaries};

// Text is smoothed: a colour within a small distance counts.
bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b)) <
           40;
}

class TestLed : public CLedButton {
  public:
    using CLedButton::m_nRunningTimer;
};

class AlwaysOne : public CLedStateTranslator {
  public:
    unsigned TranslateState(unsigned requested, unsigned current, bool flag) override {
        asked = {requested, current, flag};
        return 1;
    }
    std::tuple<unsigned, unsigned, bool> asked{};
};

class LedTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(0), "Dialog",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 360, 260),
                                     nullptr, 0));
    }
    void TearDown() override {
        parent_.DestroyWindow();
        kq::UninstallResources(kBundle);
        FrameworkTest::TearDown();
    }
    void Make(TestLed& led, DWORD style, const char* text, CRect rc = CRect(10, 10, 150, 40)) {
        HWND button = ::CreateWindowEx(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | style, rc.left,
                                       rc.top, rc.Width(), rc.Height(), parent_.m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1001)),
                                       nullptr, nullptr);
        ASSERT_TRUE(led.SubclassWindow(button));
    }
    // Screen pixels of a client rectangle of the button, counted by colour test.
    template <class F>
    int CountIn(CWnd& wnd, CRect rc, F&& test) {
        wnd.ClientToScreen(&rc);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += test(kq::ui::GetScreenPixel(x, y));
        return n;
    }
    CWnd parent_;
};

TEST_F(LedTest, ReturnsToRestAfterTheIntervalAndRestartsOnChange) {
    TestLed led;
    Make(led, BS_PUSHBUTTON, "Messung");
    EXPECT_EQ(static_cast<DWORD>(led.GetStyle()) & BS_TYPEMASK, BS_OWNERDRAW);
    led.SetNumberOfStates(3, false);
    // Without a timer id no timer ever runs.
    led.SetLedState(2, false);
    EXPECT_EQ(led.m_nRunningTimer, 0u);
    led.SetLedState(0, false);

    led.m_nReturnTimerId = 77;
    led.SetLedState(2, false);
    EXPECT_EQ(led.GetLedState(), 2u);
    Advance(100, 10);
    led.SetLedState(1, false);  // restarts the full interval
    Advance(100, 10);
    EXPECT_EQ(led.GetLedState(), 1u);
    Advance(60, 10);
    EXPECT_EQ(led.GetLedState(), 0u);
    EXPECT_EQ(led.m_nRunningTimer, 0u);

    // The same state neither redraws nor arms the timer; states out of range are ignored.
    Pump();
    led.SetLedState(0, false);
    RECT update{};
    EXPECT_FALSE(::GetUpdateRect(led.m_hWnd, &update, FALSE));
    led.SetLedState(9, false);
    EXPECT_EQ(led.GetLedState(), 0u);

    AlwaysOne translator;
    led.m_pTranslator = &translator;
    led.SetLedState(2, true);
    EXPECT_EQ(led.GetLedState(), 1u);
    EXPECT_EQ(translator.asked, std::make_tuple(2u, 0u, true));
    led.m_pTranslator = nullptr;

    // Destroying the window stops the timer.
    led.SetLedState(2, false);
    ASSERT_NE(led.m_nRunningTimer, 0u);
    led.DestroyWindow();
    EXPECT_EQ(led.m_nRunningTimer, 0u);
    Advance(200, 10);
}

TEST_F(LedTest, IconsFromResourcesAndWhereTheyAreDrawn) {
    TestLed left, right;
    Make(left, BS_PUSHBUTTON, "LED", CRect(10, 10, 150, 40));
    Make(right, BS_PUSHBUTTON | BS_LEFTTEXT, "LED", CRect(10, 50, 150, 80));
    for (TestLed* led : {&left, &right}) {
        led->SetNumberOfStates(1, false);
        ASSERT_TRUE(led->LoadStateIcon(0, kRedLed, 0, 0));
        EXPECT_EQ(led->GetStateData(0)->width, 4u);
        led->RedrawWindow();
    }
    Pump();
    auto red = [](COLORREF c) { return c == kRed; };
    EXPECT_EQ(CountIn(left, CRect(0, 0, 4, 30), red), 16);
    EXPECT_EQ(CountIn(right, CRect(136, 0, 140, 30), red), 16);
    EXPECT_EQ(CountIn(right, CRect(0, 0, 136, 30), red), 0);
    // The text stands 3 pixels from the icon, in the text colour.
    auto text = [](COLORREF c) { return Near(c, ::GetSysColor(COLOR_BTNTEXT)); };
    EXPECT_EQ(CountIn(left, CRect(0, 0, 7, 30), text), 0);
    EXPECT_GT(CountIn(left, CRect(7, 0, 140, 30), text), 0);

    // Out of range fails.
    EXPECT_FALSE(left.LoadStateIcon(3, kRedLed, 0, 0));
    EXPECT_FALSE(left.SetStateIcon(3, nullptr));

    // Disabled: the icon greyed, the text twice (highlight below right, shadow on top).
    left.EnableWindow(FALSE);
    left.RedrawWindow();
    Pump();
    EXPECT_EQ(CountIn(left, CRect(0, 0, 4, 30), red), 0);
    EXPECT_GT(CountIn(left, CRect(7, 0, 140, 30),
                      [](COLORREF c) { return Near(c, ::GetSysColor(COLOR_3DSHADOW)); }),
              0);
    EXPECT_GT(CountIn(left, CRect(7, 0, 140, 30),
                      [](COLORREF c) { return Near(c, ::GetSysColor(COLOR_3DHILIGHT)); }),
              0);
    // A missing icon resource, like a null icon, frees the state's icon.
    EXPECT_TRUE(left.LoadStateIcon(0, 4242, 0, 0));
    EXPECT_EQ(left.GetStateData(0)->icon, nullptr);
    EXPECT_EQ(left.GetStateData(0)->width, 0u);
    EXPECT_EQ(left.GetStateFaceColor(5), ::GetSysColor(COLOR_BTNFACE));
}

}  // namespace
