// What the common dialogs decide without showing anything: file types and folder listings,
// the printers CUPS knows, the blocks a print dialog fills and the DC made from them, fonts
// and item identifier lists.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "base/ScopedTempFolder.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/commdlg/FileTypes.h"
#include "platform/ui/commdlg/FontChoice.h"
#include "platform/ui/commdlg/PrintChoice.h"

namespace kq::ui::commdlg {
namespace {

using Names = std::vector<std::string>;

Names NamesOf(const std::vector<FolderEntry>& entries) {
    Names names;
    for (const FolderEntry& e : entries)
        names.push_back(e.folder ? e.name + "/" : e.name);
    return names;
}

TEST(FileTypesTest, FiltersParseAndSelectNames) {
    const std::string filter =
        FilterFromBars("Messwerte (*.csv;*.txt)|*.csv; *.TXT|Alle Dateien (*.*)|*.*||");
    const std::vector<FileType> types = ParseFilter(filter.c_str());
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].text, "Messwerte (*.csv;*.txt)");
    EXPECT_EQ(types[0].patterns, (Names{"*.csv", "*.TXT"}));
    EXPECT_TRUE(types[0].Matches("run.Txt"));
    EXPECT_FALSE(types[0].Matches("run.csv.bak"));
    EXPECT_EQ(types[0].Extension(), "csv");
    EXPECT_TRUE(types[1].Matches("README"));  // "*.*" also takes names without a dot
    EXPECT_EQ(types[1].Extension(), "");
    // A last text without its pattern ends the list without reading past the terminator.
    const char truncated[] = "Text\0*.txt\0Orphan\0";
    EXPECT_EQ(ParseFilter(truncated).size(), 2u);
    EXPECT_TRUE(ParseFilter(nullptr).empty());
}

TEST(FileTypesTest, FolderListsSubfoldersFirstThenMatchingFiles) {
    kq::test::ScopedTempFolder dir;
    std::filesystem::create_directory(dir / "zeta");
    std::filesystem::create_directory(dir / "Alpha");
    std::filesystem::create_directory(dir / ".cache");
    for (const char* name : {"b.csv", "A.CSV", "notes.txt", ".hidden.csv"})
        kq::test::WriteFileBytes(dir / name, "x");
    const FileType csv{"CSV", {"*.csv"}};
    EXPECT_EQ(NamesOf(ListFolder(dir.Path(), &csv, false)),
              (Names{"Alpha/", "zeta/", "A.CSV", "b.csv"}));
    EXPECT_EQ(NamesOf(ListFolder(dir.Path(), nullptr, true)),
              (Names{".cache/", "Alpha/", "zeta/", ".hidden.csv", "A.CSV", "b.csv", "notes.txt"}));
    EXPECT_TRUE(ListFolder(dir / "missing", nullptr, false).empty());
}

// A PATH that starts with a folder holding fake lpstat and lp programs.
class FakeCups {
  public:
    explicit FakeCups(const std::string& lpstatScript) {
        Write("lpstat", lpstatScript);
        Write("lp", "#!/bin/sh\nexit 0\n");
        const char* path = std::getenv("PATH");
        oldPath_ = path ? path : "";
        setenv("PATH", (folder_.Path() + ":" + oldPath_).c_str(), 1);
    }
    ~FakeCups() { setenv("PATH", oldPath_.c_str(), 1); }

  private:
    void Write(const std::string& name, const std::string& script) {
        kq::test::WriteFileBytes(folder_ / name, script);
        chmod((folder_ / name).c_str(), 0755);
    }
    kq::test::ScopedTempFolder folder_;
    std::string oldPath_;
};

TEST(PrinterCatalogTest, QueuesThatAcceptJobsComeWithTheDefaultFirstAndPdfLast) {
    FakeCups cups(
        "#!/bin/sh\n"
        "case \"$1\" in\n"
        "-a) printf 'Office accepting requests since Mon\\nLab accepting requests since Tue\\n"
        "Broken not accepting requests since Wed\\n' ;;\n"
        "-d) echo 'system default destination: Lab' ;;\n"
        "esac\n");
    SetControlLanguage(ControlLanguage::German);
    const std::vector<PrinterEntry> printers = AvailablePrinters();
    SetControlLanguage(ControlLanguage::English);
    ASSERT_EQ(printers.size(), 3u);
    EXPECT_EQ(printers[0].name, "Lab");
    EXPECT_TRUE(printers[0].isDefault);
    EXPECT_EQ(printers[1].name, "Office");
    EXPECT_TRUE(printers[2].pdf);
    EXPECT_EQ(printers[2].display, "PDF-Datei");
    EXPECT_FALSE(printers[2].isDefault);

    EXPECT_EQ(ParseDefaultDestination("no system default destination\n"), "");
}

TEST(PrinterCatalogTest, WithoutCupsOnlyThePdfEntryIsOffered) {
    FakeCups cups("#!/bin/sh\nexit 1\n");
    const std::vector<PrinterEntry> printers = AvailablePrinters();
    ASSERT_EQ(printers.size(), 1u);
    EXPECT_TRUE(printers[0].pdf);
    EXPECT_TRUE(printers[0].isDefault);
}

TEST(PrintChoiceTest, BlocksCarryTheChoiceAndMakeAPrinterDc) {
    kq::test::ScopedTempFolder dir;
    const std::vector<PrinterEntry> printers = {{"Lab", "Lab", false, true},
                                                {"", "PDF file", true, false}};
    PrintChoice choice;
    choice.printer = printers[1];
    choice.file = dir / "out.pdf";
    choice.copies = 3;
    choice.landscape = true;
    HGLOBAL mode = nullptr, names = nullptr;
    StoreDevMode(mode, choice);
    StoreDevNames(names, choice);
    const auto* dm = static_cast<const DEVMODE*>(GlobalLock(mode));
    ASSERT_NE(dm, nullptr);
    EXPECT_EQ(dm->dmCopies, 3);
    EXPECT_EQ(dm->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(dm->dmPrintQuality, 300);
    EXPECT_EQ(dm->dmYResolution, 300);

    const PrintChoice back = InitialPrintChoice(mode, names, printers);
    EXPECT_TRUE(back.printer.pdf);
    EXPECT_EQ(back.file, dir / "out.pdf");
    EXPECT_EQ(back.copies, 3);
    EXPECT_TRUE(back.landscape);

    HDC dc = CreatePrinterDCFromHandles(mode, names);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
    EXPECT_GT(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));  // landscape
    DOCINFO doc{sizeof(DOCINFO), "test", nullptr, nullptr, 0};
    EXPECT_GT(StartDoc(dc, &doc), 0);
    EXPECT_GT(StartPage(dc), 0);
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
    EXPECT_TRUE(std::filesystem::exists(dir / "out.pdf"));

    // Blocks naming a printer that is gone fall back to the default one.
    choice.printer = PrinterEntry{"Gone", "Gone", false, false};
    StoreDevNames(names, choice);
    EXPECT_EQ(InitialPrintChoice(mode, names, printers).printer.name, "Lab");
    EXPECT_EQ(
        InitialPrintChoice(nullptr, reinterpret_cast<HGLOBAL>(&choice), printers).printer.name,
        "Lab");  // a foreign handle is not read
    GlobalFree(mode);
    GlobalFree(names);
}

TEST(FontChoiceTest, SelectionBecomesLogFontSizeTypeAndColour) {
    const std::vector<std::string> families = FontFamilies();
    ASSERT_FALSE(families.empty());
    LOGFONT lf{};
    char style[LF_FACESIZE] = {};
    CHOOSEFONT cf{};
    cf.lStructSize = sizeof cf;
    cf.lpLogFont = &lf;
    cf.lpszStyle = style;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_USESTYLE | CF_FORCEFONTEXIST;
    FontSelection s;
    s.face = families.front();
    s.pointSize = 12;
    s.bold = true;
    s.underline = true;
    s.color = RGB(128, 0, 0);
    EXPECT_FALSE(CheckFontSelection(cf, s, families));
    StoreFontSelection(cf, s);
    EXPECT_EQ(lf.lfHeight, -16);  // 12 points at 96 pixels per inch
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_STREQ(lf.lfFaceName, families.front().c_str());
    EXPECT_EQ(cf.iPointSize, 120);
    EXPECT_EQ(cf.nFontType, SCREEN_FONTTYPE | BOLD_FONTTYPE);
    EXPECT_EQ(cf.rgbColors, RGB(128, 0, 0));
    EXPECT_STREQ(style, "Bold");

    // The dialog opens on what the caller's LOGFONT says.
    cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    const FontSelection again = InitialFontSelection(cf, families);
    EXPECT_EQ(again.face, families.front());
    EXPECT_EQ(again.pointSize, 12);
    EXPECT_TRUE(again.bold && again.underline && !again.italic);

    s.face = "No Such Family Anywhere";
    EXPECT_TRUE(CheckFontSelection(cf, s, families));
    s.face = families.front();
    cf.Flags |= CF_LIMITSIZE;
    cf.nSizeMin = 8;
    cf.nSizeMax = 10;
    EXPECT_EQ(CheckFontSelection(cf, s, families).value_or(""),
              "Size must be between 8 and 10 points.");
}

TEST(ItemIdListTest, PathsTravelThroughItemLists) {
    LPITEMIDLIST pidl = ILCreateFromPath("/home/op/Messungen");
    char path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDList(pidl, path));
    EXPECT_STREQ(path, "/home/op/Messungen");
    LPMALLOC malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    malloc->Free(pidl);
    malloc->Release();
    const std::string tooLong(MAX_PATH, 'x');
    pidl = ILCreateFromPath(tooLong.c_str());
    EXPECT_FALSE(SHGetPathFromIDList(pidl, path));
    CoTaskMemFree(pidl);
    int foreign[4] = {1, 2, 3, 4};
    EXPECT_FALSE(SHGetPathFromIDList(reinterpret_cast<LPCITEMIDLIST>(foreign), path));
}

}  // namespace
}  // namespace kq::ui::commdlg
