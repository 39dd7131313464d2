// Documents on disk: saving and opening through Serialize, what a failed save leaves, the
// question before unsaved changes are dropped, and the recent-file list they feed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kIdrDoc = 150;
const kq::StringResource kStrings[] = {{kIdrDoc, "Doc frame\nMessung"}};
const kq::ResourceBundle kBundle{kStrings, {}, {}, {}, {}};

constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr int kIdCancel = 2;

bool g_failStoring = false;

class CValuesDoc : public CDocument {
    DECLARE_DYNCREATE(CValuesDoc)
  public:
    CString text;
    int value = 0;
    void DeleteContents() override {
        text.Empty();
        value = 0;
    }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << text << value;
            if (g_failStoring)
                AfxThrowArchiveException(CArchiveException::genericException);
        } else {
            ar >> text >> value;
        }
    }
};
IMPLEMENT_DYNCREATE(CValuesDoc, CDocument)

class CValuesView : public CView {
    DECLARE_DYNCREATE(CValuesView)
  public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CValuesView, CView)

class CValuesFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CValuesFrame)
};
IMPLEMENT_DYNCREATE(CValuesFrame, CFrameWnd)

class Documents : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        g_failStoring = false;
        app_ = std::make_unique<CWinApp>("DocApp");
        app_->SetRegistryKey("Test");
        app_->LoadStdProfileSettings(4);
        app_->AddDocTemplate(new CSingleDocTemplate(kIdrDoc, RUNTIME_CLASS(CValuesDoc),
                                                    RUNTIME_CLASS(CValuesFrame),
                                                    RUNTIME_CLASS(CValuesView)));
        CCommandLineInfo info;
        ASSERT_TRUE(app_->ProcessShellCommand(info));
        path_ = folder_.Path() + "/werte.kq";
    }
    void TearDown() override {
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }
    CValuesDoc* Doc() {
        auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, app_->m_pMainWnd);
        return frame != nullptr ? DYNAMIC_DOWNCAST(CValuesDoc, frame->GetActiveDocument())
                                : nullptr;
    }
    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::unique_ptr<CWinApp> app_;
    std::string path_;
};

TEST_F(Documents, ASavedDocumentOpensWithItsValuesTitleAndRecentEntry) {
    CValuesDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetTitle(), "Messung");
    doc->text = "Kanal 1";
    doc->value = 42;
    doc->SetModifiedFlag();
    ASSERT_TRUE(doc->DoSave(path_.c_str()));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), "werte.kq");
    EXPECT_FALSE(std::filesystem::exists(path_ + ".saving"));

    doc->OnNewDocument();
    EXPECT_EQ(doc->value, 0);
    CDocument* opened = app_->OpenDocumentFile(path_.c_str());
    ASSERT_EQ(opened, doc);  // one document: used again
    EXPECT_EQ(doc->text, "Kanal 1");
    EXPECT_EQ(doc->value, 42);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), path_.c_str());
    ASSERT_NE(app_->m_pRecentFileList, nullptr);
    EXPECT_EQ((*app_->m_pRecentFileList)[0], path_.c_str());
    // The list goes to the profile when the application ends.
    EXPECT_EQ(app_->GetProfileString("Recent File List", "File1"), "");
    app_->ExitInstance();
    EXPECT_EQ(app_->GetProfileString("Recent File List", "File1"), path_.c_str());
}

TEST_F(Documents, AFailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
    CValuesDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    doc->text = "alt";
    ASSERT_TRUE(doc->DoSave(path_.c_str()));
    const std::string before = Contents(path_);

    doc->text = "neu";
    doc->SetModifiedFlag();
    g_failStoring = true;
    EXPECT_FALSE(doc->DoSave(path_.c_str()));
    EXPECT_EQ(Contents(path_), before);
    EXPECT_FALSE(std::filesystem::exists(path_ + ".saving"));
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].text.Find(path_.c_str()), -1);
}

TEST_F(Documents, AFileThatCannotBeReadIsReportedAndTheDocumentStays) {
    CValuesDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    doc->text = "bleibt";
    const std::string missing = folder_.Path() + "/fehlt.kq";
    EXPECT_EQ(app_->OpenDocumentFile(missing.c_str()), nullptr);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].text.Find(missing.c_str()), -1);
    EXPECT_EQ(Doc(), doc);
    EXPECT_EQ(doc->text, "bleibt");

    // A truncated file: the load fails half-way and the document starts afresh.
    { std::ofstream(path_, std::ios::binary) << "\x05"; }
    EXPECT_EQ(app_->OpenDocumentFile(path_.c_str()), nullptr);
    EXPECT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(doc->text, "");
    EXPECT_FALSE(doc->IsModified());

    // An empty file is an empty document.
    { std::ofstream(path_, std::ios::binary).flush(); }
    EXPECT_EQ(app_->OpenDocumentFile(path_.c_str()), doc);
    EXPECT_EQ(boxes_.size(), 2u);
}

TEST_F(Documents, UnsavedChangesAreAskedAboutBeforeTheyAreDropped) {
    CValuesDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->DoSave(path_.c_str()));
    doc->value = 7;
    doc->SetModifiedFlag();

    boxAnswer_ = kIdCancel;
    EXPECT_FALSE(doc->SaveModified());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, CString("Save changes to ") + path_.c_str() + "?");
    EXPECT_TRUE(doc->IsModified());

    boxAnswer_ = kIdNo;
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_TRUE(doc->IsModified());  // not saved, only allowed to go

    boxAnswer_ = kIdYes;
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_FALSE(doc->IsModified());
    doc->OnNewDocument();
    ASSERT_NE(app_->OpenDocumentFile(path_.c_str()), nullptr);
    EXPECT_EQ(doc->value, 7);

    // Closing the main frame asks too; Cancel keeps it open.
    doc->SetModifiedFlag();
    boxAnswer_ = kIdCancel;
    CWnd* frame = app_->m_pMainWnd;
    frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
    boxAnswer_ = kIdNo;
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(app_->m_pMainWnd, nullptr);
}

TEST_F(Documents, SavingWithoutANameNeedsAFileChoiceAndDoesNothing) {
    CValuesDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag();
    EXPECT_FALSE(doc->DoFileSave());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
