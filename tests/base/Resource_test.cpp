// Reaching installed resource bundles by number and by name, in the framework's shape too.
#include "platform/base/Resource.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/CString.h"

namespace {

using namespace std::string_view_literals;

constexpr kq::StringResource kBaseStrings[] = {
    {1, "base one"sv}, {2, "base two"sv}, {65535, "last"sv}, {7, "zero\0byte"sv}, {8, ""sv},
};
constexpr kq::ControlTemplate kControls[] = {
    {"BUTTON"sv, "OK"sv, 1, 0x50010001u, 0, 5, 6, 50, 14},
};
constexpr kq::DialogResource kDialogs[] = {
    {kq::ResourceName(100), {.caption = "By number"sv, .controls = kControls}},
    {kq::ResourceName("SETUP"sv), {.caption = "By name"sv}},
};
constexpr kq::MenuItemTemplate kItems[] = {{"&Datei"sv, 0, kq::MenuItemTemplate::Popup, {}}};
constexpr kq::MenuResource kMenus[] = {{kq::ResourceName(128), {kItems}}};
constexpr kq::AcceleratorEntry kKeys[] = {{kq::AcceleratorEntry::VirtKey, 'S', 32771},
                                          {0, 1, 32772}};
constexpr kq::AcceleratorResource kAccelerators[] = {{kq::ResourceName(128), {kKeys}}};
constexpr BYTE kBitmapBytes[] = {'B', 'M', 0, 9};
constexpr BYTE kIconBytes[] = {0, 0, 1, 0};
constexpr kq::BinaryResource kBinaries[] = {
    {kq::BinaryKind::Bitmap, kq::ResourceName("LOGO"sv), kBitmapBytes},
    {kq::BinaryKind::Icon, kq::ResourceName(128), kIconBytes},
    {kq::BinaryKind::Cursor, kq::ResourceName(129), {}},
};
constexpr kq::ResourceBundle kBase{kBaseStrings, kDialogs, kMenus, kAccelerators, kBinaries};

constexpr kq::StringResource kOverrideStrings[] = {{2, "override two"sv}, {3, "override three"sv}};
constexpr BYTE kOtherLogo[] = {'B', 'M', 1};
constexpr kq::BinaryResource kOverrideBinaries[] = {
    {kq::BinaryKind::Bitmap, kq::ResourceName("logo"sv), kOtherLogo}};
constexpr kq::ResourceBundle kOverride{.strings = kOverrideStrings, .binaries = kOverrideBinaries};

class Resources : public ::testing::Test {
  protected:
    void SetUp() override { kq::InstallResources(kBase); }
    void TearDown() override {
        kq::UninstallResources(kOverride);
        kq::UninstallResources(kBase);
    }

    static std::string String(UINT id) {
        std::string text = "not cleared";
        return kq::LoadStringResource(id, text) ? text : "<none:" + text + ">";
    }
};

TEST_F(Resources, StringsByIdAndMissingIds) {
    EXPECT_EQ(String(1), "base one");
    EXPECT_EQ(String(65535), "last");
    EXPECT_EQ(String(7), std::string("zero\0byte", 9));
    EXPECT_EQ(String(4), "<none:>");
    EXPECT_EQ(String(8), "<none:>");          // an empty entry is no text
    EXPECT_EQ(String(65536 + 1), "<none:>");  // no wrap-around onto id 1

    CString text("old");
    EXPECT_TRUE(text.LoadString(2));
    EXPECT_EQ(text, "base two");
    EXPECT_FALSE(text.LoadString(99));
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(Resources, LaterBundlesOverrideAndUninstallingRestores) {
    kq::InstallResources(kOverride);
    EXPECT_EQ(String(1), "base one");  // only in the first bundle
    EXPECT_EQ(String(2), "override two");
    EXPECT_EQ(String(3), "override three");
    EXPECT_EQ(kq::FindBinaryResource(kq::BinaryKind::Bitmap, "LOGO")->bytes.size(), 3u);

    // Installing a bundle again makes it the latest.
    kq::InstallResources(kBase);
    EXPECT_EQ(String(2), "base two");
    EXPECT_EQ(String(3), "override three");

    kq::UninstallResources(kOverride);
    EXPECT_EQ(String(3), "<none:>");
    kq::UninstallResources(kBase);
    EXPECT_EQ(String(1), "<none:>");
    EXPECT_EQ(kq::FindDialogTemplate(100), nullptr);
}

TEST_F(Resources, TemplatesByNumberAndByNameInAnyCase) {
    const kq::DialogTemplate* dialog = kq::FindDialogTemplate(100);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->caption, "By number");
    EXPECT_EQ(dialog->controls[0].text, "OK");
    EXPECT_EQ(kq::FindDialogTemplate("#100"), dialog);  // Windows' spelling of a number
    // The Windows form as it comes: a number in a pointer is never read as a text.
    EXPECT_EQ(kq::FindDialogTemplate(MAKEINTRESOURCE(100)), dialog);
    EXPECT_EQ(kq::FindDialogTemplate("Setup")->caption, "By name");
    EXPECT_EQ(kq::FindDialogTemplate("100"), nullptr);  // a name, not the number
    EXPECT_EQ(kq::FindDialogTemplate(101), nullptr);
    EXPECT_EQ(kq::FindDialogTemplate(kq::ResourceName()), nullptr);

    ASSERT_NE(kq::FindMenuTemplate(128), nullptr);
    EXPECT_EQ(kq::FindMenuTemplate(128)->items[0].text, "&Datei");
    EXPECT_EQ(kq::FindMenuTemplate(100), nullptr);  // a dialog's id is no menu
    ASSERT_NE(kq::FindAcceleratorTable(128), nullptr);
    EXPECT_EQ(kq::FindAcceleratorTable(128)->entries[0].cmd, 32771);

    EXPECT_NE(kq::FindBinaryResource(kq::BinaryKind::Icon, 128), nullptr);
    EXPECT_EQ(kq::FindBinaryResource(kq::BinaryKind::Bitmap, 128), nullptr);
    EXPECT_EQ(kq::FindBinaryResource(kq::BinaryKind::Icon, "LOGO"), nullptr);
    EXPECT_NE(kq::FindBinaryResource(kq::BinaryKind::Cursor, 129), nullptr);
}

TEST_F(Resources, FindLoadLockAndSizeofResource) {
    HRSRC logo = FindResource(nullptr, "logo", RT_BITMAP);
    ASSERT_NE(logo, nullptr);
    ASSERT_EQ(SizeofResource(nullptr, logo), 4u);
    const void* bytes = LockResource(LoadResource(nullptr, logo));
    EXPECT_EQ(bytes, kBitmapBytes);

    // An icon is found as an icon and as an icon group, the whole file either way.
    HRSRC icon = FindResource(nullptr, MAKEINTRESOURCE(128), RT_GROUP_ICON);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LockResource(LoadResource(nullptr, icon)), kIconBytes);
    EXPECT_NE(FindResource(nullptr, MAKEINTRESOURCE(128), RT_ICON), nullptr);
    EXPECT_NE(FindResource(nullptr, MAKEINTRESOURCE(129), RT_GROUP_CURSOR), nullptr);
    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(128), RT_BITMAP), nullptr);

    HRSRC dialog = FindResource(nullptr, "SETUP", RT_DIALOG);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(static_cast<const kq::DialogTemplate*>(LockResource(LoadResource(nullptr, dialog))),
              kq::FindDialogTemplate("SETUP"));
    HRSRC keys = FindResource(nullptr, MAKEINTRESOURCE(128), RT_ACCELERATOR);
    EXPECT_EQ(SizeofResource(nullptr, keys), 2 * sizeof(kq::AcceleratorEntry));
    EXPECT_EQ(LockResource(LoadResource(nullptr, keys)), kKeys);
    HRSRC text = FindResource(nullptr, MAKEINTRESOURCE(2), RT_STRING);
    EXPECT_EQ(std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, text))),
                          SizeofResource(nullptr, text)),
              "base two");
}

TEST_F(Resources, BadHandlesAndUnknownTypesFindNothing) {
    EXPECT_EQ(FindResource(nullptr, "LOGO", "PNG"), nullptr);
    EXPECT_EQ(FindResource(nullptr, nullptr, RT_BITMAP), nullptr);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    EXPECT_EQ(LockResource(nullptr), nullptr);
    int notAHandle = 0;
    EXPECT_EQ(LockResource(&notAHandle), nullptr);

    HRSRC logo = FindResource(nullptr, "LOGO", RT_BITMAP);
    ASSERT_NE(logo, nullptr);
    // Inside the registry's storage but not at the start of an entry.
    EXPECT_EQ(LockResource(reinterpret_cast<char*>(logo) + 1), nullptr);
    kq::UninstallResources(kBase);
    EXPECT_EQ(SizeofResource(nullptr, logo), 0u);  // the handle died with its bundle
}

TEST(ResourceName, IntegerResourcesTravelInThePointer) {
    EXPECT_TRUE(IS_INTRESOURCE(MAKEINTRESOURCE(1287)));
    EXPECT_TRUE(IS_INTRESOURCE(MAKEINTRESOURCE(0xFFFF)));
    EXPECT_FALSE(IS_INTRESOURCE("LOGO"));
    EXPECT_EQ(kq::ResourceName(MAKEINTRESOURCE(0x11234)).id, 0x1234);
    EXPECT_TRUE(kq::ResourceName(MAKEINTRESOURCE(7)).IsNumber());
    EXPECT_EQ(kq::ResourceName("Name").name, "Name");
    EXPECT_TRUE(kq::ResourceName(static_cast<LPCSTR>(nullptr)).IsEmpty());
}

}  // namespace
