// The file dialogs' decisions: folders, patterns, file types, default extensions, the checks
// and prompts the flags ask for, and what is written back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "base/ScopedTempFolder.h"
#include "platform/ui/commdlg/FileChooser.h"

namespace kq::ui::commdlg {
namespace {

using Names = std::vector<std::string>;

class FileChooserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(dir_ / "Messungen");
        kq::test::WriteFileBytes(dir_ / "run1.csv", "x");
        kq::test::WriteFileBytes(dir_ / "run2.CSV", "x");
        kq::test::WriteFileBytes(dir_ / "notes.txt", "x");
        filter_ = FilterFromBars("CSV (*.csv)|*.csv|Text (*.txt)|*.txt|All (*.*)|*.*||");
        ofn_.lStructSize = sizeof ofn_;
        ofn_.lpstrFilter = filter_.c_str();
        ofn_.lpstrFile = buffer_;
        ofn_.nMaxFile = sizeof buffer_;
        ofn_.lpstrInitialDir = dir_.Path().c_str();
        ofn_.Flags = OFN_NOCHANGEDIR;
    }
    // Prompts that record what was said and answer questions with `yes`.
    FilePrompts Prompts(bool yes = true) {
        return FilePrompts{[this, yes](const std::string& q) {
                               said_.push_back(q);
                               return yes;
                           },
                           [this](const std::string& c) { said_.push_back(c); }};
    }
    static Names EntryNames(const FileChooser& chooser) {
        Names names;
        for (const FolderEntry& e : chooser.Entries())
            names.push_back(e.name);
        return names;
    }

    kq::test::ScopedTempFolder dir_;
    std::string filter_;
    char buffer_[512] = {};
    OPENFILENAME ofn_{};
    Names said_;
};

TEST_F(FileChooserTest, TypesPatternsAndFoldersChangeWhatIsListed) {
    FileChooser chooser(ofn_, false);
    EXPECT_EQ(chooser.Folder(), dir_.Path());
    EXPECT_EQ(EntryNames(chooser), (Names{"Messungen", "run1.csv", "run2.CSV"}));
    chooser.SetTypeIndex(1);
    EXPECT_EQ(EntryNames(chooser), (Names{"Messungen", "notes.txt"}));
    EXPECT_EQ(chooser.Submit("run*", Prompts()), FileChooser::Step::Stay);
    EXPECT_EQ(EntryNames(chooser), (Names{"Messungen", "run1.csv", "run2.CSV"}));
    EXPECT_EQ(chooser.Submit("Messungen", Prompts()), FileChooser::Step::Stay);
    EXPECT_EQ(chooser.Folder(), dir_ / "Messungen");
    EXPECT_TRUE(chooser.GoUp());
    EXPECT_EQ(chooser.Folder(), dir_.Path());
    EXPECT_TRUE(said_.empty());
}

TEST_F(FileChooserTest, SavingAsksBeforeReplacingAndAddsTheTypesExtension) {
    ofn_.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    ofn_.lpstrDefExt = "txt";
    FileChooser chooser(ofn_, true);
    EXPECT_EQ(chooser.Submit("run1", Prompts(false)), FileChooser::Step::Stay);
    ASSERT_EQ(said_.size(), 1u);
    EXPECT_EQ(said_[0], "run1.csv already exists.\nDo you want to replace it?");
    EXPECT_EQ(chooser.Submit("run1", Prompts(true)), FileChooser::Step::Accept);
    EXPECT_EQ(chooser.Chosen(), (Names{dir_ / "run1.csv"}));

    said_.clear();
    EXPECT_EQ(chooser.Submit("Messungen/neu.dat", Prompts()), FileChooser::Step::Accept);
    EXPECT_TRUE(said_.empty());  // a new file needs no question
    ASSERT_TRUE(chooser.Store(ofn_, false));
    EXPECT_EQ(std::string(buffer_), dir_ / "Messungen/neu.dat");
    EXPECT_EQ(std::string(buffer_ + ofn_.nFileOffset), "neu.dat");
    EXPECT_EQ(std::string(buffer_ + ofn_.nFileExtension), "dat");
    EXPECT_EQ(ofn_.nFilterIndex, 1u);
    EXPECT_TRUE(ofn_.Flags & OFN_EXTENSIONDIFFERENT);

    EXPECT_EQ(chooser.Submit("missing/neu.csv", Prompts()), FileChooser::Step::Stay);
    EXPECT_NE(said_.back().find("Path does not exist."), std::string::npos);
}

TEST_F(FileChooserTest, OpeningChecksExistenceAndFindsNamesWithTheDefaultExtension) {
    ofn_.Flags |= OFN_FILEMUSTEXIST;
    ofn_.lpstrDefExt = "csv";
    FileChooser chooser(ofn_, false);
    EXPECT_EQ(chooser.Submit("run3", Prompts()), FileChooser::Step::Stay);
    EXPECT_EQ(said_, (Names{"run3.csv\nFile not found.\nCheck the file name and try again."}));
    EXPECT_EQ(chooser.Submit("run1", Prompts()), FileChooser::Step::Accept);
    EXPECT_EQ(chooser.Chosen(), (Names{dir_ / "run1.csv"}));
    EXPECT_EQ(chooser.Submit("notes.txt", Prompts()), FileChooser::Step::Accept);

    ofn_.Flags = OFN_CREATEPROMPT | OFN_NOCHANGEDIR;
    FileChooser create(ofn_, false);
    said_.clear();
    EXPECT_EQ(create.Submit("brand-new.csv", Prompts(false)), FileChooser::Step::Stay);
    EXPECT_EQ(said_, (Names{"brand-new.csv does not exist.\nDo you want to create it?"}));
}

TEST_F(FileChooserTest, SeveralNamesComeBackAsFolderAndNames) {
    ofn_.Flags |= OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST;
    FileChooser chooser(ofn_, false);
    EXPECT_EQ(SplitNames("\"run1.csv\" \"run2.CSV\""), (Names{"run1.csv", "run2.CSV"}));
    ASSERT_EQ(chooser.Submit("\"run1.csv\" \"run2.CSV\"", Prompts()), FileChooser::Step::Accept);
    ASSERT_TRUE(chooser.Store(ofn_, false));
    const std::string folder = dir_.Path();
    EXPECT_EQ(std::string(buffer_), folder);
    EXPECT_EQ(ofn_.nFileOffset, folder.size() + 1);
    EXPECT_EQ(std::string(buffer_ + ofn_.nFileOffset), "run1.csv");
    EXPECT_EQ(std::string(buffer_ + ofn_.nFileOffset + 9), "run2.CSV");
    EXPECT_EQ(buffer_[ofn_.nFileOffset + 18], '\0');

    // A buffer too small gets the size it needs, and the call fails.
    char small[8] = {};
    ofn_.lpstrFile = small;
    ofn_.nMaxFile = sizeof small;
    EXPECT_FALSE(chooser.Store(ofn_, false));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    WORD needed = 0;
    std::memcpy(&needed, small, sizeof needed);
    EXPECT_EQ(needed, folder.size() + 1 + 9 + 9 + 1);
}

TEST_F(FileChooserTest, TheInitialNamesFolderWinsAndTheCurrentDirectoryFollowsUnlessAsked) {
    const std::string inner = dir_ / "Messungen/start.csv";
    std::strcpy(buffer_, inner.c_str());
    FileChooser chooser(ofn_, true);
    EXPECT_EQ(chooser.Folder(), dir_ / "Messungen");
    EXPECT_EQ(chooser.InitialName(), "start.csv");

    // A folder alone, as a multiple selection leaves it, is opened with no name typed.
    const std::string folderOnly = dir_ / "Messungen";
    std::strcpy(buffer_, folderOnly.c_str());
    FileChooser again(ofn_, true);
    EXPECT_EQ(again.Folder(), dir_ / "Messungen");
    EXPECT_EQ(again.InitialName(), "");
    std::strcpy(buffer_, inner.c_str());

    char before[4096];
    ASSERT_NE(getcwd(before, sizeof before), nullptr);
    ofn_.Flags &= ~OFN_NOCHANGEDIR;
    ASSERT_EQ(chooser.Submit("start.csv", Prompts()), FileChooser::Step::Accept);
    ASSERT_TRUE(chooser.Store(ofn_, false));
    char after[4096];
    ASSERT_NE(getcwd(after, sizeof after), nullptr);
    EXPECT_EQ(std::string(after), dir_ / "Messungen");
    ASSERT_EQ(chdir(before), 0);
}

}  // namespace
}  // namespace kq::ui::commdlg
