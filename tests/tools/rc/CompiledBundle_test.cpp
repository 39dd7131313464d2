// Scripts compiled by the build and read back through the resource functions: what the
// application does with its own resources.
#include <gtest/gtest.h>

#include <string>

#include "kq_rc_sample.h"
#include "kq_res.h"
#include "platform/base/CString.h"
#include "platform/base/Resource.h"

namespace {

class CompiledBundle : public ::testing::Test {
  protected:
    void SetUp() override { kq::InstallResources(kq_rc_sample_bundle()); }
    void TearDown() override { kq::UninstallResources(kq_rc_sample_bundle()); }
};

TEST_F(CompiledBundle, StringsKeepEscapesAndUtf8) {
    CString text;
    EXPECT_TRUE(text.LoadString(1));
    EXPECT_EQ(text, "eins");
    EXPECT_TRUE(text.LoadString(2));
    EXPECT_EQ(text, "Größe\t\"zwei\"\n");
    EXPECT_FALSE(text.LoadString(3));
    EXPECT_EQ(text, "");
}

TEST_F(CompiledBundle, DialogTemplateCarriesControlsAndMenu) {
    const kq::DialogTemplate* dialog = kq::FindDialogTemplate(200);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->caption, "Beispiel");
    EXPECT_EQ(dialog->cx, 180);
    EXPECT_EQ(dialog->font.face, "MS Shell Dlg");
    EXPECT_EQ(dialog->menu.id, 300);
    ASSERT_EQ(dialog->controls.size(), 4u);
    EXPECT_EQ(dialog->controls[1].className, "EDIT");
    EXPECT_EQ(dialog->controls[1].id, 1001);
    EXPECT_EQ(dialog->controls[1].style, 0x50812080u);  // child, visible, border, tab stop,
                                                        // ES_AUTOHSCROLL | ES_NUMBER
    EXPECT_EQ(dialog->controls[3].className, "msctls_progress32");
    // Named in the script, found by any spelling of the name.
    EXPECT_NE(kq::FindDialogTemplate("sampledialog"), nullptr);
}

TEST_F(CompiledBundle, MenuAndAcceleratorsShareTheirId) {
    const kq::MenuTemplate* menu = kq::FindMenuTemplate(300);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 1u);
    const kq::MenuItemTemplate& file = menu->items[0];
    EXPECT_EQ(file.flags, kq::MenuItemTemplate::Popup);
    ASSERT_EQ(file.children.size(), 3u);
    EXPECT_EQ(file.children[0].text, "&Speichern\tStrg+S");
    EXPECT_EQ(file.children[0].id, 32800u);
    EXPECT_EQ(file.children[1].flags, kq::MenuItemTemplate::Separator);
    EXPECT_EQ(file.children[2].flags, kq::MenuItemTemplate::Grayed);

    const kq::AcceleratorTable* accelerators = kq::FindAcceleratorTable(300);
    ASSERT_NE(accelerators, nullptr);
    ASSERT_EQ(accelerators->entries.size(), 2u);
    EXPECT_EQ(accelerators->entries[1].key, 0x73);  // VK_F4
    EXPECT_EQ(accelerators->entries[1].flags,
              kq::AcceleratorEntry::VirtKey | kq::AcceleratorEntry::Alt);
    EXPECT_EQ(accelerators->entries[1].cmd, 32801);
}

TEST_F(CompiledBundle, BinaryResourcesHoldTheFilesBytes) {
    HRSRC found = FindResource(nullptr, MAKEINTRESOURCE(400), RT_BITMAP);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(SizeofResource(nullptr, found), 7u);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), 7),
              std::string("BM\0\1\2\xff\0", 7));

    const kq::BinaryResource* icon = kq::FindBinaryResource(kq::BinaryKind::Icon, "SampleIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->bytes.size(), 6u);
    EXPECT_NE(FindResource(nullptr, "SAMPLEICON", RT_GROUP_ICON), nullptr);
}

TEST(ApplicationResources, StringTablesOfEachLanguage) {
    kq::InstallResources(kq_res_bundle());
    std::string text;
    EXPECT_TRUE(kq::LoadStringResource(5014, text));
    EXPECT_EQ(text, "Datei");
    EXPECT_TRUE(kq::LoadStringResource(5014 + 1000, text));
    EXPECT_EQ(text, "File");
    EXPECT_TRUE(kq::LoadStringResource(5089 + 4000, text));
    EXPECT_EQ(text, "RAZ MIN");
    kq::UninstallResources(kq_res_bundle());
    EXPECT_FALSE(kq::LoadStringResource(5014, text));
}

}  // namespace
