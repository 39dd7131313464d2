// The automatic diagram save after a measurement: the picture written under the documentation's
// name (an existing folder will do), the folder that cannot be made, a picture that cannot be
// written, and a close that waited for the save getting exactly one WM_CLOSE.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/views/CAFormDiagram.h"
#include "flow_Fakes.h"
#include "foundation/Language.h"
#include "platform/base/FileSystem.h"

namespace apptest {
namespace {

class DiagramDocumentation : public flowtest::FakeDocumentation {
  public:
    CString GetDiagramTargetDirectory() const override { return diagramDir; }
    CString GetAutoDiagramFileName() const override { return diagramFile; }
    int GetExportSizeMode() const override { return 2; }
    void MakeAutoFileNames(int mode) override { renewedWith.push_back(mode); }

    CString diagramDir, diagramFile;
    std::vector<int> renewedWith;
};

class DiagramAutoSave : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
        frame_->ShowWindow(SW_SHOW);
        CViewBarDiagram& bar = frame_->m_wndDiagramBar;
        frame_->ShowControlBar(&bar, TRUE, FALSE);
        frame_->DockControlBar(&bar, AFX_IDW_DOCKBAR_BOTTOM);
        frame_->RecalcLayout();
        documentation_.diagramMode = 1;
        documentation_.diagramDir = folder_.Path().c_str();
        documentation_.diagramFile = (folder_ / "auto.bmp").c_str();
        frame_->m_flowFakes.documentation = &documentation_;
        frame_->m_flowFakes.panel = &panel_;
        view_ = frame_->GetDiagramView();
        ASSERT_NE(view_, nullptr);
    }
    void TearDown() override {
        frame_->m_flowFakes = CMainFrame::FlowPartnerFakes{};
        StartedApp::TearDown();
    }
    // Timer 10's step, without letting the clock deliver a posted close.
    void SaveStep() { view_->SendMessage(WM_TIMER, CAFormDiagram::TIMER_AUTO_SAVE); }
    int TakePostedCloses() {
        int closes = 0;
        MSG msg;
        while (PeekMessage(&msg, frame_->GetSafeHwnd(), WM_CLOSE, WM_CLOSE, PM_REMOVE))
            ++closes;
        return closes;
    }

    DiagramDocumentation documentation_;
    flowtest::FakePanel panel_;
    CAFormDiagram* view_ = nullptr;
};

TEST_F(DiagramAutoSave, ThePictureGoesToTheExistingFolderAndTheRunGoesOn) {
    frame_->SetStatusTextString("busy");
    view_->SaveDiagramToDocumentation();
    EXPECT_EQ(documentation_.renewedWith, std::vector<int>{1});
    EXPECT_TRUE(frame_->m_wndDiagramBar.IsFloating());
    SaveStep();
    EXPECT_TRUE(PathFileExists(documentation_.diagramFile));
    EXPECT_FALSE(frame_->m_wndDiagramBar.IsFloating());
    EXPECT_EQ(frame_->GetLastStatusId(), 5270u);
    EXPECT_EQ(panel_.triggerEvents, 1);
    EXPECT_EQ(TakePostedCloses(), 0);
    EXPECT_TRUE(boxes_.empty()) << boxes_[0].text.GetString();

    // Without automatic diagram storage nothing is saved.
    documentation_.diagramMode = 0;
    documentation_.renewedWith.clear();
    view_->SaveDiagramToDocumentation();
    EXPECT_TRUE(documentation_.renewedWith.empty());
    EXPECT_FALSE(frame_->m_wndDiagramBar.IsFloating());
}

TEST_F(DiagramAutoSave, AFolderThatCannotBeMadeIsReportedAndTheWaitingCloseStillComes) {
    const std::string blocker = folder_ / "plain-file";
    kq::test::WriteFileBytes(blocker, "x");
    documentation_.diagramDir = (blocker + "/diagrams").c_str();
    frame_->m_bCloseAfterStop = TRUE;
    view_->SaveDiagramToDocumentation();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text.Find(GetLanguageString(5289)), 0);
    EXPECT_GT(boxes_[0].text.Find(GetLanguageString(5290)), 0);
    EXPECT_EQ(frame_->GetLastStatusId(), 5270u);
    EXPECT_TRUE(documentation_.renewedWith.empty());
    EXPECT_FALSE(frame_->m_wndDiagramBar.IsFloating());
    EXPECT_EQ(panel_.triggerEvents, 0);
    EXPECT_EQ(TakePostedCloses(), 1);
    frame_->m_bCloseAfterStop = FALSE;
}

TEST_F(DiagramAutoSave, APictureThatCannotBeWrittenIsNoReadyAndACloseDuringTheRunEndsOnce) {
    documentation_.diagramFile = (folder_ / "missing/auto.bmp").c_str();
    frame_->m_bCloseAfterStop = TRUE;
    frame_->ShowStatusMessage(5271);
    view_->SaveDiagramToDocumentation();
    SaveStep();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text.Find(GetLanguageString(5259)), 0);
    EXPECT_EQ(frame_->GetLastStatusId(), 5271u);
    EXPECT_FALSE(frame_->m_wndDiagramBar.IsFloating());
    EXPECT_EQ(panel_.triggerEvents, 0);
    EXPECT_EQ(TakePostedCloses(), 1);

    // Written, the close that waited for it is posted once as well.
    boxes_.clear();
    documentation_.diagramFile = (folder_ / "auto.bmp").c_str();
    view_->SaveDiagramToDocumentation();
    SaveStep();
    EXPECT_TRUE(PathFileExists(documentation_.diagramFile));
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(TakePostedCloses(), 1);
    frame_->m_bCloseAfterStop = FALSE;
}

}  // namespace
}  // namespace apptest
