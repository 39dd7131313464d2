// Every kind of fault in a script is reported with the file and line where it is.
#include <gtest/gtest.h>

#include <string>

#include "tests/tools/rc/ScriptTestSupport.h"

namespace kq::rc::test {
namespace {

struct Case {
    const char* script;
    const char* message;
};

void ExpectErrors(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(ErrorOf(std::string(c.script)), std::string("/s/main.rc:") + c.message);
    }
}

TEST(RcErrors, UnknownKeywords) {
    ExpectErrors({
        {"\nFOO BAR", "2: unknown resource type 'BAR'"},
        {"1 \"text\"", "1: expected a resource type after 1 but found a string"},
        {"1 DIALOG 0,0,1,1\nCOLOR 5\nBEGIN END", "2: unknown dialog statement 'COLOR'"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n  BUTTONX \"a\", 1, 1,1,1,1\nEND",
         "3: unknown control statement 'BUTTONX'"},
        {"1 DIALOG 0,0,1,1 BEGIN\n CONTROL \"\", 1, WIDGET, 0, 1,1,1,1 END",
         "2: expected a control class but found 'WIDGET'"},
        {"1 MENU BEGIN\n  ITEM \"a\", 1\nEND", "2: expected MENUITEM or POPUP but found 'ITEM'"},
        {"1 MENU BEGIN MENUITEM \"a\", 1,\n BOLD END",
         "2: expected a menu option but found 'BOLD'"},
        {"1 ACCELERATORS BEGIN\n \"a\", 1, VIRTKEY, FAST\nEND",
         "2: expected an accelerator option but found 'FAST'"},
        {"#frobnicate\n", "1: unknown directive '#frobnicate'"},
        {"STRINGTABLE { 1 \"a\" }\n5 = 3", "2: expected a resource type after 5 but found '='"},
    });
}

TEST(RcErrors, StringsAndComments) {
    ExpectErrors({
        {"STRINGTABLE {\n 1 \"open\n}", "2: unterminated string"},
        {"STRINGTABLE {\n 1 \"a\\qb\" }", "2: unknown escape sequence '\\q'"},
        {"STRINGTABLE {\n 1 \"\xC3\x28\" }", "2: string is not valid UTF-8"},
        {"STRINGTABLE {\n 1 \"\\xFF\" }", "2: string is not valid UTF-8"},
        {"/* never\nclosed", "1: unterminated comment"},
        {"STRINGTABLE {\n 1 @ }", "2: unexpected character '@'"},
        {"STRINGTABLE {\n 1 2 }", "2: expected a string but found '2'"},
    });
}

TEST(RcErrors, NumbersSymbolsAndRanges) {
    ExpectErrors({
        {"STRINGTABLE {\n 12abc \"a\" }", "2: bad number '12abc'"},
        {"STRINGTABLE {\n 0x \"a\" }", "2: bad number '0x'"},
        {"STRINGTABLE {\n 09 \"a\" }", "2: bad number '09'"},
        {"STRINGTABLE {\n 0x100000000 \"a\" }", "2: bad number '0x100000000'"},
        {"STRINGTABLE {\n IDS_MISSING \"a\" }", "2: undefined symbol 'IDS_MISSING'"},
        {"STRINGTABLE {\n 70000 \"a\" }", "2: string id 70000 is out of range (0 to 65535)"},
        {"STRINGTABLE {\n -1 \"a\" }", "2: string id -1 is out of range (0 to 65535)"},
        {"0 BITMAP \"a.bmp\"", "1: resource id 0 is out of range (1 to 65535)"},
        {"1 DIALOG 0,0,\n40000,1 BEGIN END",
         "2: coordinate 40000 is out of range (-32768 to 32767)"},
        {"1 MENU BEGIN MENUITEM \"a\",\n -1 END",
         "2: menu item id -1 is out of range (0 to 65535)"},
        {"1 DIALOG 0,0,1,1\nSTYLE WS_CHILD | NOT\nBEGIN END", "3: undefined symbol 'BEGIN'"},
        {"STRINGTABLE {\n NOT 1 \"a\" }", "2: NOT is only allowed before a style"},
        {"#define A B\n#define B A\nSTRINGTABLE {\n A \"a\" }", "2: 'A' is defined through itself"},
        {"#define E\nSTRINGTABLE {\n E \"a\" }", "3: 'E' is defined without a value"},
        {"#define F(x) x\nSTRINGTABLE {\n F \"a\" }", "3: 'F' is a macro with arguments"},
        {"#define X 1\n#define X 2\n",
         "2: 'X' redefined differently (first defined at /s/main.rc:1)"},
        {"STRINGTABLE {\n (1 \"a\" }", "2: expected ')' but found a string"},
    });
}

TEST(RcErrors, DuplicatesInOneTable) {
    ExpectErrors({
        {"STRINGTABLE {\n 1 \"a\"\n 1 \"b\" }",
         "3: duplicate string id 1 (first defined at /s/main.rc:2)"},
        {"STRINGTABLE { 5 \"a\" }\nSTRINGTABLE {\n 5 \"b\" }",
         "3: duplicate string id 5 (first defined at /s/main.rc:1)"},
        {"Main MENU BEGIN END\nmain MENU BEGIN END",
         "2: duplicate menu MAIN (first defined at /s/main.rc:1)"},
        {"1 DIALOG 0,0,1,1 BEGIN END\n1 DIALOGEX 0,0,1,1 BEGIN END",
         "2: duplicate dialog 1 (first defined at /s/main.rc:1)"},
        {"1 ACCELERATORS BEGIN\n \"a\", 1, VIRTKEY\n \"A\", 2, VIRTKEY, NOINVERT\nEND",
         "3: duplicate accelerator key (first at /s/main.rc:2)"},
    });
    // The same name in different resource types is no duplicate.
    EXPECT_EQ(ErrorOf(std::string("1 MENU BEGIN END\n1 ACCELERATORS BEGIN END\n")), "");
}

TEST(RcErrors, AcceleratorKeys) {
    ExpectErrors({
        {"1 ACCELERATORS BEGIN\n VK_F1, 1\nEND", "2: 'VK_F1' needs VIRTKEY"},
        {"1 ACCELERATORS BEGIN\n \"a\", 1, SHIFT\nEND", "2: SHIFT and CONTROL need VIRTKEY"},
        {"1 ACCELERATORS BEGIN\n \"^A\", 1, VIRTKEY\nEND",
         "2: \"^\" keys cannot be VIRTKEY; write \"A\", VIRTKEY, CONTROL"},
        {"1 ACCELERATORS BEGIN\n \"ab\", 1\nEND", "2: an accelerator key is one character"},
        {"1 ACCELERATORS BEGIN\n \"a\", 1, ASCII, VIRTKEY\nEND",
         "2: an accelerator is either ASCII or VIRTKEY"},
        {"1 ACCELERATORS BEGIN\n \"+\", 1, VIRTKEY\nEND",
         "2: a VIRTKEY key in quotes must be a letter or a digit"},
    });
}

TEST(RcErrors, BlocksAndConditionals) {
    ExpectErrors({
        {"STRINGTABLE\nBEGIN\n 1 \"a\"\n", "4: missing END of the block begun at line 2"},
        {"1 MENU\nBEGIN\n POPUP \"a\" BEGIN\n", "4: missing END of the block begun at line 3"},
        {"STRINGTABLE\n 1 \"a\"", "2: expected BEGIN or '{' but found '1'"},
        {"1 DIALOG 0,0,1,1\nSTYLE 0\n", "3: expected BEGIN or '{' but found end of file"},
        {"1 VERSIONINFO\nBEGIN\n BLOCK \"x\"\n", "1: VERSIONINFO block without its END"},
        {"#else\n", "1: #else without #if"},
        {"\n#endif\n", "2: #endif without #if"},
        {"#if 1\n#else\n#else\n#endif", "3: second #else for one #if"},
        {"\n#ifdef X\nSTRINGTABLE { 1 \"a\" }\n", "2: #if without #endif in this file"},
        {"#ifdef\n#endif", "1: #ifdef needs a name"},
        {"#if 1 2\n#endif", "1: unexpected '2' in #if"},
        {"#include missing.h\n", "1: #include needs \"file\" or <file>"},
    });
}

TEST(RcErrors, FilesAreReportedWhereTheyAreNamed) {
    EXPECT_EQ(ErrorOf({{"/s/main.rc", "\n#include \"ids.h\"\n"}}),
              "/s/main.rc:2: cannot open include file 'ids.h'");
    // A fault inside an included file names that file and its line.
    EXPECT_EQ(ErrorOf({{"/s/main.rc", "#include \"ids.h\"\nSTRINGTABLE { ID_A \"a\" }\n"},
                       {"/s/ids.h", "// ids\n#define ID_A (ID_B + 1)\n#include \"gone.h\"\n"}}),
              "/s/ids.h:3: cannot open include file 'gone.h'");
    // An undefined name in a #define is reported where the #define is.
    EXPECT_EQ(ErrorOf({{"/s/main.rc", "#include \"ids.h\"\nSTRINGTABLE { ID_A \"a\" }\n"},
                       {"/s/ids.h", "// ids\n#define ID_A (ID_B + 1)\n"}}),
              "/s/ids.h:2: undefined symbol 'ID_B'");
    EXPECT_EQ(ErrorOf({{"/s/main.rc", "STRINGTABLE { 1 \"a\" }\n\n1 BITMAP\n \"logo.bmp\"\n"}}),
              "/s/main.rc:4: cannot open bitmap file 'logo.bmp'");
    EXPECT_EQ(ErrorOf({{"/s/main.rc", "#include \"main.rc\"\n"}}),
              "/s/main.rc:1: #include nested too deeply (a file including itself?)");
    EXPECT_EQ(ErrorOf({{"/s/main.rc", "#include \"u16.rc\"\n"},
                       {"/s/u16.rc", std::string("\xFF\xFE"
                                                 "1\0",
                                                 4)}}),
              "/s/u16.rc:1: the file is UTF-16; scripts are read as UTF-8");
    EXPECT_EQ(ErrorOf(Files{}), "/s/main.rc: cannot open the script");
}

TEST(RcErrors, HostileNestingIsAnErrorNotACrash) {
    const std::string deep =
        "STRINGTABLE { " + std::string(5000, '(') + "1" + std::string(5000, ')') + " \"a\" }";
    EXPECT_NE(ErrorOf(deep).find("expression nested too deeply"), std::string::npos);

    std::string menu = "1 MENU BEGIN\n";
    for (int i = 0; i < 100; ++i) {
        menu += "POPUP \"p\" BEGIN\n";
    }
    EXPECT_NE(ErrorOf(menu).find("menu nested too deeply"), std::string::npos);

    // Each name doubles the work of the one before; values are computed once per name.
    std::string chain = "#define D0 1\n";
    for (int i = 1; i <= 60; ++i) {
        chain += "#define D" + std::to_string(i) + " (D" + std::to_string(i - 1) + " + D" +
                 std::to_string(i - 1) + ")\n";
    }
    EXPECT_EQ(ErrorOf(chain + "#if D60\n#endif\nSTRINGTABLE { D60 & 0xFF \"a\" }\n"), "");
}

}  // namespace
}  // namespace kq::rc::test
