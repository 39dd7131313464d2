// Each statement of a resource script read into the model the tables are written from.
#include <gtest/gtest.h>

#include "platform/base/ResourceTemplates.h"
#include "tests/tools/rc/ScriptTestSupport.h"

namespace kq::rc::test {
namespace {

constexpr uint32_t kChild = 0x40000000;
constexpr uint32_t kVisible = 0x10000000;
constexpr uint32_t kTabStop = 0x00010000;
constexpr uint32_t kGroup = 0x00020000;
constexpr uint32_t kBorder = 0x00800000;

TEST(RcStatements, StringTableTakesIdsExpressionsCommasAndJoinedStrings) {
    const Script script = ParseText(R"rc(
#define IDS_BASE 5000
STRINGTABLE DISCARDABLE
BEGIN
    5014 "Datei"
    IDS_BASE + 1000 + 14, "File"
    7014 "Fichier " "(joined)"
END
STRINGTABLE { 1 "one" }
)rc");
    ASSERT_EQ(script.strings.size(), 4u);
    EXPECT_EQ(script.strings[0].id, 5014);
    EXPECT_EQ(script.strings[0].text, "Datei");
    EXPECT_EQ(script.strings[1].id, 6014);
    EXPECT_EQ(script.strings[1].text, "File");
    EXPECT_EQ(script.strings[2].text, "Fichier (joined)");
    EXPECT_EQ(script.strings[3].id, 1);
}

TEST(RcStatements, StringsDecodeEscapesAndKeepUtf8) {
    const Script script = ParseText(
        "STRINGTABLE BEGIN\n"
        "  1 \"a\\nb\\tc\\\\d\\\"e\"\n"
        "  2 \"say \"\"hi\"\"\"\n"
        "  3 \"Größe °C €\"\n"
        "  4 \"\"\n"
        "  5 L\"wide\\x41\"\n"
        "END\n");
    ASSERT_EQ(script.strings.size(), 5u);
    EXPECT_EQ(script.strings[0].text, "a\nb\tc\\d\"e");
    EXPECT_EQ(script.strings[1].text, "say \"hi\"");
    EXPECT_EQ(script.strings[2].text, "Größe °C €");
    EXPECT_EQ(script.strings[3].text, "");
    EXPECT_EQ(script.strings[4].text, "wideA");
}

TEST(RcStatements, DialogExWithEveryOptionalStatement) {
    const Script script = ParseText(R"rc(
#define IDD_ABOUT 100
IDD_ABOUT DIALOGEX 10, 20, 200, 100, 0
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_SYSMENU
EXSTYLE WS_EX_TOOLWINDOW
CAPTION "Über"
FONT 8, "MS Shell Dlg", 700, 1, 0
MENU MainMenu
CLASS "MyDialogClass"
BEGIN
END
)rc");
    ASSERT_EQ(script.dialogs.size(), 1u);
    const Dialog& dialog = script.dialogs[0];
    EXPECT_EQ(dialog.name, (ResName{100, ""}));
    EXPECT_EQ(dialog.x, 10);
    EXPECT_EQ(dialog.y, 20);
    EXPECT_EQ(dialog.cx, 200);
    EXPECT_EQ(dialog.cy, 100);
    // The caption adds WS_CAPTION.
    EXPECT_EQ(dialog.style, 0x40u | 0x80u | 0x80000000u | 0x00080000u | 0x00C00000u);
    EXPECT_EQ(dialog.exStyle, 0x80u);
    EXPECT_EQ(dialog.caption, "Über");
    EXPECT_EQ(dialog.font.pointSize, 8);
    EXPECT_EQ(dialog.font.face, "MS Shell Dlg");
    EXPECT_EQ(dialog.font.weight, 700);
    EXPECT_TRUE(dialog.font.italic);
    EXPECT_EQ(dialog.font.charset, 0);
    EXPECT_EQ(dialog.menu, (ResName{0, "MAINMENU"}));
    EXPECT_EQ(dialog.className, "MyDialogClass");
}

TEST(RcStatements, DialogWithoutStyleGetsTheDefaultAndFontAddsSetFont) {
    const Script script = ParseText(R"rc(
"Named" DIALOG 0, 0, 50, 40
FONT 9, "Arial"
{
}
)rc");
    ASSERT_EQ(script.dialogs.size(), 1u);
    const Dialog& dialog = script.dialogs[0];
    EXPECT_EQ(dialog.name, (ResName{0, "NAMED"}));
    EXPECT_EQ(dialog.style, 0x80000000u | 0x00800000u | 0x00080000u | 0x40u);
    EXPECT_EQ(dialog.font.weight, 0);
    EXPECT_FALSE(dialog.font.italic);
    EXPECT_EQ(dialog.font.charset, 1);
    EXPECT_TRUE(dialog.menu.IsEmpty());
}

TEST(RcStatements, ControlStatementsGetTheirClassesAndDefaultStyles) {
    const Script script = ParseText(R"rc(
1 DIALOGEX 0, 0, 100, 100
BEGIN
    LTEXT "L", -1, 1, 2, 3, 4
    RTEXT "R", 2, 1, 2, 3, 4
    CTEXT "C", 3, 1, 2, 3, 4
    PUSHBUTTON "P", 4, 1, 2, 3, 4
    DEFPUSHBUTTON "D", IDOK, 1, 2, 3, 4
    GROUPBOX "G", 6, 1, 2, 3, 4
    CHECKBOX "C", 7, 1, 2, 3, 4
    AUTOCHECKBOX "A", 8, 1, 2, 3, 4
    STATE3 "S", 9, 1, 2, 3, 4
    AUTO3STATE "A3", 10, 1, 2, 3, 4
    RADIOBUTTON "R", 11, 1, 2, 3, 4
    AUTORADIOBUTTON "AR", 12, 1, 2, 3, 4
    EDITTEXT 13, 1, 2, 3, 4
    COMBOBOX 14, 1, 2, 3, 4
    LISTBOX 15, 1, 2, 3, 4
    SCROLLBAR 16, 1, 2, 3, 4
    ICON 300, IDC_STATIC, 5, 6
END
)rc");
    ASSERT_EQ(script.dialogs.size(), 1u);
    const std::vector<Control>& c = script.dialogs[0].controls;
    ASSERT_EQ(c.size(), 17u);
    struct Expected {
        const char* className;
        uint32_t style;
    };
    const uint32_t base = kChild | kVisible;
    const Expected expected[] = {
        {"STATIC", base | kGroup | 0x0},
        {"STATIC", base | kGroup | 0x2},
        {"STATIC", base | kGroup | 0x1},
        {"BUTTON", base | kTabStop | 0x0},
        {"BUTTON", base | kTabStop | 0x1},
        {"BUTTON", base | 0x7},
        {"BUTTON", base | kTabStop | 0x2},
        {"BUTTON", base | kTabStop | 0x3},
        {"BUTTON", base | kTabStop | 0x5},
        {"BUTTON", base | kTabStop | 0x6},
        {"BUTTON", base | kTabStop | 0x4},
        {"BUTTON", base | kTabStop | 0x9},
        {"EDIT", base | kBorder | kTabStop},
        {"COMBOBOX", base | kTabStop | 0x1},
        {"LISTBOX", base | kBorder | 0x1},
        {"SCROLLBAR", base},
        {"STATIC", base | 0x3},
    };
    for (size_t i = 0; i < c.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(c[i].className, expected[i].className);
        EXPECT_EQ(c[i].style, expected[i].style);
    }
    EXPECT_EQ(c[0].id, -1);
    EXPECT_EQ(c[0].text, "L");
    EXPECT_EQ(c[0].x, 1);
    EXPECT_EQ(c[0].y, 2);
    EXPECT_EQ(c[0].cx, 3);
    EXPECT_EQ(c[0].cy, 4);
    EXPECT_EQ(c[4].id, 1);
    EXPECT_EQ(c[12].text, "");
    // An image given by number reads "#<number>"; without a size the icon sizes itself.
    EXPECT_EQ(c[16].text, "#300");
    EXPECT_EQ(c[16].id, -1);
    EXPECT_EQ(c[16].cx, 0);
}

TEST(RcStatements, StylesAddToDefaultsAndNotRemoves) {
    const Script script = ParseText(R"rc(
1 DIALOGEX 0, 0, 100, 100
STYLE WS_CHILD | WS_VISIBLE | NOT WS_VISIBLE | WS_BORDER
BEGIN
    EDITTEXT 1, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER | ES_NUMBER, WS_EX_CLIENTEDGE
    PUSHBUTTON "B", 2, 1, 2, 3, 4, NOT WS_TABSTOP | WS_DISABLED, 0, 4711
    CONTROL "", 3, "msctls_trackbar32", TBS_AUTOTICKS | TBS_BOTH | WS_TABSTOP, 1, 2, 3, 4,
            WS_EX_STATICEDGE
    CONTROL "Check", 4, BUTTON, BS_AUTOCHECKBOX, 1, 2, 3, 4
    CONTROL 301, 5, "Static", SS_BITMAP, 1, 2, 3, 4
    CONTROL Logo, 6, "Static", SS_BITMAP | (WS_GROUP + 0), -1, -2, 3, 4
END
)rc");
    const Dialog& dialog = script.dialogs.at(0);
    EXPECT_EQ(dialog.style, kChild | kBorder);
    const std::vector<Control>& c = dialog.controls;
    ASSERT_EQ(c.size(), 6u);
    EXPECT_EQ(c[0].style, kChild | kVisible | kTabStop | 0x80 | 0x2000);
    EXPECT_EQ(c[0].exStyle, 0x200u);
    EXPECT_EQ(c[1].style, kChild | kVisible | 0x08000000);
    EXPECT_EQ(c[2].className, "msctls_trackbar32");
    EXPECT_EQ(c[2].style, kChild | kVisible | 0x1 | 0x8 | kTabStop);
    EXPECT_EQ(c[2].exStyle, 0x20000u);
    EXPECT_EQ(c[3].className, "BUTTON");
    EXPECT_EQ(c[3].text, "Check");
    EXPECT_EQ(c[4].text, "#301");
    EXPECT_EQ(c[5].text, "LOGO");
    EXPECT_EQ(c[5].style, kChild | kVisible | 0xE | kGroup);
    EXPECT_EQ(c[5].x, -1);
    EXPECT_EQ(c[5].y, -2);
}

TEST(RcStatements, MenuIsATreeWithOptionsAndSeparators) {
    const Script script = ParseText(R"rc(
#define ID_SAVE 32771
MainMenu MENU
BEGIN
    POPUP "&Datei"
    BEGIN
        MENUITEM "&Speichern\tStrg+S", ID_SAVE, CHECKED, GRAYED
        MENUITEM SEPARATOR
        POPUP "&Mehr", INACTIVE
        {
            MENUITEM "Tief", 7 MENUBREAK
        }
        MENUITEM "B&eenden", 57665
    END
    MENUITEM "&Hilfe", 9, HELP MENUBARBREAK
END
)rc");
    ASSERT_EQ(script.menus.size(), 1u);
    const Menu& menu = script.menus[0];
    EXPECT_EQ(menu.name, (ResName{0, "MAINMENU"}));
    ASSERT_EQ(menu.items.size(), 2u);
    const MenuItem& file = menu.items[0];
    EXPECT_EQ(file.text, "&Datei");
    EXPECT_EQ(file.flags, MenuItemTemplate::Popup);
    ASSERT_EQ(file.children.size(), 4u);
    EXPECT_EQ(file.children[0].text, "&Speichern\tStrg+S");
    EXPECT_EQ(file.children[0].id, 32771);
    EXPECT_EQ(file.children[0].flags, MenuItemTemplate::Checked | MenuItemTemplate::Grayed);
    EXPECT_EQ(file.children[1].flags, MenuItemTemplate::Separator);
    EXPECT_EQ(file.children[1].text, "");
    EXPECT_EQ(file.children[2].flags, MenuItemTemplate::Popup | MenuItemTemplate::Inactive);
    ASSERT_EQ(file.children[2].children.size(), 1u);
    EXPECT_EQ(file.children[2].children[0].flags, MenuItemTemplate::MenuBreak);
    EXPECT_EQ(file.children[3].id, 57665);
    EXPECT_EQ(menu.items[1].flags, MenuItemTemplate::Help | MenuItemTemplate::MenuBarBreak);
}

TEST(RcStatements, AcceleratorKeysAndFlags) {
    const Script script = ParseText(R"rc(
7 ACCELERATORS
BEGIN
    "M", 100, VIRTKEY, CONTROL, NOINVERT
    "m", 101, VIRTKEY, SHIFT, ALT
    VK_F1, 102, VIRTKEY
    "^A", 103
    "a", 104
    "ß", 105, ASCII
    VK_DELETE, 106, VIRTKEY, CONTROL
    46, 107, VIRTKEY
END
)rc");
    ASSERT_EQ(script.accelerators.size(), 1u);
    const std::vector<Accelerator>& e = script.accelerators[0].entries;
    ASSERT_EQ(e.size(), 8u);
    using A = AcceleratorEntry;
    EXPECT_EQ(e[0].flags, A::VirtKey | A::Control | A::NoInvert);
    EXPECT_EQ(e[0].key, 'M');
    EXPECT_EQ(e[0].cmd, 100);
    EXPECT_EQ(e[1].key, 'M');  // virtual keys are the upper-case letters
    EXPECT_EQ(e[1].flags, A::VirtKey | A::Shift | A::Alt);
    EXPECT_EQ(e[2].key, 0x70);
    EXPECT_EQ(e[3].key, 1);  // Ctrl+A types 0x01
    EXPECT_EQ(e[3].flags, 0);
    EXPECT_EQ(e[4].key, 'a');
    EXPECT_EQ(e[5].key, 0xDF);
    EXPECT_EQ(e[5].flags, 0);
    EXPECT_EQ(e[6].key, 0x2E);
    EXPECT_EQ(e[7].key, 46);
}

TEST(RcStatements, BinaryResourcesEmbedTheNamedFilesBytes) {
    const Script script = ParseFiles({
        {"/s/main.rc",
         "1 BITMAP \"img\\\\logo.bmp\"\n"
         "AppIcon ICON DISCARDABLE \"app.ico\"\n"
         "2 CURSOR \"hand.cur\"\n"},
        {"/s/img/logo.bmp", std::string("BM\0\1\2", 5)},
        {"/inc/app.ico", "ICO"},
        {"/s/hand.cur", ""},
    });
    ASSERT_EQ(script.binaries.size(), 3u);
    EXPECT_EQ(script.binaries[0].kind, BinaryKind::Bitmap);
    EXPECT_EQ(script.binaries[0].bytes, std::string("BM\0\1\2", 5));
    EXPECT_EQ(script.binaries[0].path, "/s/img/logo.bmp");
    EXPECT_EQ(script.binaries[1].kind, BinaryKind::Icon);
    EXPECT_EQ(script.binaries[1].name, (ResName{0, "APPICON"}));
    EXPECT_EQ(script.binaries[1].path, "/inc/app.ico");
    EXPECT_EQ(script.binaries[2].kind, BinaryKind::Cursor);
    EXPECT_TRUE(script.binaries[2].bytes.empty());
    EXPECT_EQ(script.dependencies, (std::vector<std::string>{"/s/main.rc", "/s/img/logo.bmp",
                                                             "/inc/app.ico", "/s/hand.cur"}));
}

TEST(RcStatements, VersionInfoLanguageAndPragmasArePassedOver) {
    const Script script = ParseText(R"rc(
#pragma code_page(65001)
LANGUAGE LANG_FRENCH, SUBLANG_FRENCH
1 VERSIONINFO
 FILEVERSION 1,0,0,1
 FILEFLAGSMASK 0x3fL
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040704b0" { VALUE "CompanyName", "Brevan" }
    END
END
STRINGTABLE LANGUAGE 9, 1 BEGIN 1 "after" END
)rc");
    ASSERT_EQ(script.strings.size(), 1u);
    EXPECT_EQ(script.strings[0].text, "after");
}

}  // namespace
}  // namespace kq::rc::test
