#include <cstdlib>
#include <optional>
#include <string>

#include "platform/ui/backend/BackEnd.h"
#include "platform/ui/backend/PixelScale.h"
#include "platform/ui/backend/X11Keys.h"
#include "platform/ui/backend/X11Screens.h"
#include "ui/UiTestFixture.h"

#include <X11/keysym.h>

namespace kq::ui::test {
namespace {

// Sets an environment variable for the life of the object, restoring it after.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

class BackEndSelect : public UiTest {};

TEST_F(BackEndSelect, HeadlessWithoutADisplayOrWhenAskedFor) {
    {
        ScopedEnv display("DISPLAY", nullptr);
        ScopedEnv choice("KQ7B_BACKEND", nullptr);
        auto backEnd = StartBackEnd();
        ASSERT_TRUE(backEnd);
        EXPECT_STREQ(backEnd->Name(), "headless");
    }
    {
        // A display that does not open is reported, and the program runs headless.
        ScopedEnv display("DISPLAY", ":32123");
        ScopedEnv choice("KQ7B_BACKEND", nullptr);
        auto backEnd = StartBackEnd();
        ASSERT_TRUE(backEnd);
        EXPECT_STREQ(backEnd->Name(), "headless");
    }
    {
        ScopedEnv display("DISPLAY", ":32123");
        ScopedEnv choice("KQ7B_BACKEND", "headless");
        EXPECT_STREQ(StartBackEnd()->Name(), "headless");
        // Forcing x11 without a display gives nothing rather than a silent substitute.
        EXPECT_FALSE(StartBackEnd("x11"));
        EXPECT_FALSE(StartBackEnd("x11::32123"));
        EXPECT_FALSE(StartBackEnd("wayland"));
    }
}

TEST(X11Keys, KeysBecomeVirtualKeys) {
    using detail::VirtualKeyFromX11;
    EXPECT_EQ(VirtualKeyFromX11(XK_a, XK_A, 38).vk, static_cast<UINT>('A'));
    EXPECT_EQ(VirtualKeyFromX11(XK_a, XK_A, 38).scanCode, 30u);
    EXPECT_EQ(VirtualKeyFromX11(XK_7, XK_slash, 16).vk, static_cast<UINT>('7'));
    EXPECT_EQ(VirtualKeyFromX11(XK_F11, XK_F11, 95).vk, static_cast<UINT>(VK_F11));
    EXPECT_EQ(VirtualKeyFromX11(XK_Return, XK_Return, 36).vk, static_cast<UINT>(VK_RETURN));
    const detail::X11Key left = VirtualKeyFromX11(XK_Left, XK_Left, 113);
    EXPECT_EQ(left.vk, static_cast<UINT>(VK_LEFT));
    EXPECT_TRUE(left.extended);
    EXPECT_EQ(VirtualKeyFromX11(XK_Control_R, XK_Control_R, 105).vk,
              static_cast<UINT>(VK_RCONTROL));
    // The keypad gives digits or cursor keys as NumLock says.
    EXPECT_EQ(VirtualKeyFromX11(XK_KP_End, XK_KP_1, 87).vk, static_cast<UINT>(VK_NUMPAD1));
    const detail::X11Key end = VirtualKeyFromX11(XK_KP_End, XK_KP_End, 87);
    EXPECT_EQ(end.vk, static_cast<UINT>(VK_END));
    EXPECT_FALSE(end.extended);
    EXPECT_TRUE(VirtualKeyFromX11(XK_KP_Enter, XK_KP_Enter, 104).extended);
    // Punctuation by symbol, or by the key's place where a layout puts a letter there.
    EXPECT_EQ(VirtualKeyFromX11(XK_comma, XK_comma, 59).vk, static_cast<UINT>(VK_OEM_COMMA));
    EXPECT_EQ(VirtualKeyFromX11(XK_odiaeresis, XK_odiaeresis, 47).vk, static_cast<UINT>(VK_OEM_1));
    EXPECT_EQ(VirtualKeyFromX11(XK_dead_acute, XK_dead_acute, 21).vk,
              static_cast<UINT>(VK_OEM_PLUS));
    EXPECT_EQ(VirtualKeyFromX11(0x12345678, 0x12345678, 200).vk, 0u);
    // AltGr types with Ctrl+Alt; the right Alt of a US layout is Alt alone.
    EXPECT_TRUE(VirtualKeyFromX11(XK_ISO_Level3_Shift, XK_ISO_Level3_Shift, 108).altGr);
    EXPECT_FALSE(VirtualKeyFromX11(XK_Alt_R, XK_Alt_R, 108).altGr);
}

TEST(X11Keys, KeysTypeUtf8Text) {
    using detail::TextFromX11;
    EXPECT_EQ(TextFromX11(XK_a, "a", 1), "a");
    EXPECT_EQ(TextFromX11(XK_adiaeresis, "\xC3\xA4", 2), "\xC3\xA4");
    EXPECT_EQ(TextFromX11(0x01000394, "", 0), "\xCE\x94");  // Δ from a Unicode keysym
    EXPECT_EQ(TextFromX11(XK_EuroSign, "", 0), "\xE2\x82\xAC");
    EXPECT_EQ(TextFromX11(XK_Return, "\r", 1), "\r");
    EXPECT_EQ(TextFromX11(XK_a, "\x01", 1), "\x01");  // CTRL+A
    EXPECT_EQ(TextFromX11(XK_Delete, "\x7F", 1), "");
    EXPECT_EQ(TextFromX11(XK_Left, "", 0), "");
}

// The program's screen is the X window: the monitors it covers, cut to it, at its scale.
TEST(X11Screens, TheWindowShowsThePartsOfTheMonitorsItCovers) {
    using detail::MonitorsInWindow;
    const std::vector<MonitorConfig> monitors{{{0, 0, 1366, 768}, {0, 0, 1366, 740}},
                                              {{1366, 0, 3286, 1080}, {1366, 0, 3286, 1080}}};
    const auto placed = MonitorsInWindow(monitors, POINT{1, 20}, SIZE{1400, 800}, 1);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(CRect(placed[0].monitor), CRect(0, 0, 1365, 748));
    EXPECT_EQ(CRect(placed[0].work), CRect(0, 0, 1365, 720));
    EXPECT_EQ(CRect(placed[1].monitor), CRect(1365, 0, 1400, 800));
    const auto scaled = MonitorsInWindow(monitors, POINT{0, 0}, SIZE{3286, 1080}, 2);
    EXPECT_EQ(CRect(scaled[0].monitor), CRect(0, 0, 683, 384));
    // A window beside every monitor still has a screen: itself.
    const auto none = MonitorsInWindow(monitors, POINT{5000, 0}, SIZE{800, 600}, 1);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(CRect(none[0].monitor), CRect(0, 0, 800, 600));
    // An exposed part of the display is repainted whole from the program's pixels.
    EXPECT_EQ(CRect(detail::ScaledDown(RECT{1, 3, 5, 6}, 2)), CRect(0, 1, 3, 3));
}

}  // namespace
}  // namespace kq::ui::test
