// Includes, #defines and conditionals of resource scripts.
#include <gtest/gtest.h>

#include "tests/tools/rc/ScriptTestSupport.h"

namespace kq::rc::test {
namespace {

// The string table of a parse as "id=text" lines.
std::string StringsOf(const Script& script) {
    std::string out;
    for (const StringEntry& entry : script.strings) {
        out += std::to_string(entry.id) + "=" + entry.text + "\n";
    }
    return out;
}

TEST(RcPreprocessing, NestedIncludesFromScriptFolderAndIncludeDirs) {
    const Script script = ParseFiles({
        {"/s/main.rc", "#include \"ids.h\"\n#include \"lang/de.rc\"\n#include <shared.rc>\n"},
        {"/s/ids.h", "#pragma once\n#define IDS_A 10\n#include \"more/ids2.h\"\n"},
        {"/s/more/ids2.h", "#define IDS_B (IDS_A + 1)\n"},
        // Included from /s/lang/de.rc, so "strings.rc" is looked for in /s/lang first.
        {"/s/lang/de.rc", "#include \"strings.rc\"\n"},
        {"/s/lang/strings.rc", "STRINGTABLE { IDS_A \"a\" IDS_B \"b\" }\n"},
        {"/s/shared.rc", "STRINGTABLE { 99 \"wrong file: <> skips the script's folder\" }\n"},
        {"/inc/shared.rc", "STRINGTABLE { 12 \"shared\" }\n"},
    });
    EXPECT_EQ(StringsOf(script), "10=a\n11=b\n12=shared\n");
    EXPECT_EQ(script.dependencies,
              (std::vector<std::string>{"/s/main.rc", "/s/ids.h", "/s/more/ids2.h", "/s/lang/de.rc",
                                        "/s/lang/strings.rc", "/inc/shared.rc"}));
}

TEST(RcPreprocessing, HeadersContributeOnlyTheirDirectives) {
    const Script script = ParseFiles({
        {"/s/main.rc", "#include \"resource.h\"\nSTRINGTABLE { ID_X \"x\" }\n"},
        {"/s/resource.h",
         "#define ID_X 5\n"
         "#define MAX(a, b) ((a) > (b) ? (a) : (b))\n"
         "inline int twice(int v) { return v * 2; }  // C++ the script never sees\n"
         "const char* text = \"unterminated;\n"},
    });
    EXPECT_EQ(StringsOf(script), "5=x\n");
}

TEST(RcPreprocessing, DefinesResolveThroughOtherDefinesAndOperators) {
    const Script script = ParseText(R"rc(
#define BASE 0x100
#define NEXT (BASE + 1)
#define MASKED (NEXT | 0x30) & ~0x1
#define OCTAL 010
#define SUFFIXED 12UL
#define NEGATIVE -2
#define CHAIN3 CHAIN2
#define CHAIN2 CHAIN1
#define CHAIN1 NEXT - 1
#define SAME 7
#define SAME 7
STRINGTABLE BEGIN
    NEXT "next"
    MASKED "masked"
    OCTAL "octal"
    SUFFIXED "suffixed"
    NEGATIVE + 11 "negative"
    CHAIN3 "chain"
    SAME "same"
    ((1 + 2) | (4 - 1)) + 20 "parens"
END
)rc");
    EXPECT_EQ(StringsOf(script),
              "257=next\n304=masked\n8=octal\n12=suffixed\n9=negative\n256=chain\n7=same\n"
              "23=parens\n");
}

TEST(RcPreprocessing, ConditionalsSkipBlocks) {
    const Script script = ParseText(R"rc(
#define HAVE_A
#define LEVEL 2
#ifdef HAVE_A
STRINGTABLE { 1 "ifdef taken" }
#else
STRINGTABLE { 1 "ifdef else" }
#endif
#ifndef HAVE_A
STRINGTABLE { 2 "ifndef taken" }
#else
STRINGTABLE { 2 "ifndef else" }
#endif
#if 0
  Not a script at all: "unterminated, @#$ and #unknown directives
  #if nested
  #include "missing.h"
  #endif
#endif
#if LEVEL - 2
STRINGTABLE { 3 "wrong" }
#endif
#if !defined HAVE_B
STRINGTABLE { 4 "not defined" }
#endif
#if UNKNOWN_NAME
STRINGTABLE { 5 "unknown names are 0" }
#endif
)rc");
    EXPECT_EQ(StringsOf(script), "1=ifdef taken\n2=ifndef else\n4=not defined\n");
}

TEST(RcPreprocessing, CommentsAndContinuations) {
    const Script script = ParseText(
        "/* a block comment\n"
        "   over lines */ STRINGTABLE // a line comment\n"
        "BEGIN\n"
        "  1 /* inline */ \"a // not a comment\"\n"
        "#define LONG 2 + \\\n"
        "             3\n"
        "  LONG \"five\" /* STRINGTABLE */\n"
        "END\r\n");
    EXPECT_EQ(StringsOf(script), "1=a // not a comment\n5=five\n");
}

TEST(RcPreprocessing, EachScriptHasItsOwnDefinesButOneSetOfResources) {
    MemoryFileSource files;
    files.Add("/a.rc", "#define X 1\nSTRINGTABLE { X \"a\" }\n");
    files.Add("/b.rc", "#ifdef X\n#error leaked\n#endif\nSTRINGTABLE { 2 \"b\" }\n");
    const Script script = ParseScripts({"/a.rc", "/b.rc"}, {}, files);
    EXPECT_EQ(StringsOf(script), "1=a\n2=b\n");

    files.Add("/c.rc", "STRINGTABLE { 1 \"again\" }\n");
    try {
        ParseScripts({"/a.rc", "/c.rc"}, {}, files);
        FAIL() << "a string id in two scripts must be a fault";
    } catch (const ScriptError& error) {
        EXPECT_STREQ(error.what(), "/c.rc:1: duplicate string id 1 (first defined at /a.rc:2)");
    }
}

}  // namespace
}  // namespace kq::rc::test
