// The export size of the diagram per mode on landscape and portrait work areas, and the diagram
// bar put back as it was after the picture.
#include <gtest/gtest.h>

#include "AppTest.h"
#include "app/ExportRect.h"
#include "app/views/CAFormDiagram.h"
#include "foundation/Language.h"
#include "platform/base/FileSystem.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

TEST(ExportSize, EachModeOnLandscapeAndPortrait) {
    const CRect screen(0, 0, 1920, 1080);
    const CRect landscape(0, 0, 1920, 1040);
    const CRect portrait(10, 20, 1090, 1940);
    EXPECT_EQ(DiagramExportRect(kExportScreen, screen, landscape), CRect(0, 0, 1872, 1053));
    EXPECT_EQ(DiagramExportRect(kExportWorkArea, screen, landscape), CRect(0, 0, 1872, 1014));
    EXPECT_EQ(DiagramExportRect(kExportFixedBitmap, screen, landscape), CRect(0, 0, 780, 688));
    EXPECT_EQ(DiagramExportRect(kExportFixedBitmap, screen, portrait),
              CRect(10, 20, 10 + 705 - 17, 20 + 800 - 20));
    EXPECT_EQ(DiagramExportRect(kExportPrint, screen, landscape),
              CRect(0, 0, 1920 - 48, 1365 - 34));
    EXPECT_FALSE(DiagramExportRect(kExportKeepSize, screen, landscape).has_value());
    EXPECT_FALSE(DiagramExportRect(kExportFixedBitmap, screen, CRect()).has_value());
    EXPECT_FALSE(DiagramExportRect(9, screen, landscape).has_value());
}

class Export : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
        frame_->ShowWindow(SW_SHOW);
    }
};

TEST_F(Export, TheDiagramBarIsBackWhereItWas) {
    CViewBarDiagram& bar = frame_->m_wndDiagramBar;
    frame_->ShowControlBar(&bar, TRUE, FALSE);
    frame_->DockControlBar(&bar, AFX_IDW_DOCKBAR_BOTTOM);
    frame_->RecalcLayout();
    const CRect rect = frame_->PrepareDiagramForExport(kExportFixedBitmap);
    EXPECT_TRUE(bar.IsFloating());
    EXPECT_GT(rect.Width(), 0);
    CRect floated;
    bar.GetWindowRect(&floated);
    EXPECT_EQ(floated.Size(), rect.Size());
    CRect plot;
    frame_->GetDiagramView()->GetDiagram()->GetWindowRect(&plot);
    EXPECT_GT(plot.Height(), rect.Height() - 80);
    frame_->RestoreDiagramBarDocking();
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(bar.GetDockBarId(), static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_TRUE(bar.IsWindowVisible());

    // A hidden bar is shown for the picture and hidden again.
    frame_->ShowControlBar(&bar, FALSE, FALSE);
    frame_->PrepareDiagramForExport(kExportKeepSize);
    EXPECT_TRUE(bar.IsWindowVisible());
    frame_->RestoreDiagramBarDocking();
    EXPECT_FALSE(bar.IsWindowVisible());
}

TEST_F(Export, TheSaveAsTimerWritesTheBitmapOrSaysWhyNot) {
    MeasurementForTest edit(*frame_);
    CViewBarDiagram& bar = frame_->m_wndDiagramBar;
    frame_->ShowControlBar(&bar, TRUE, FALSE);
    frame_->DockControlBar(&bar, AFX_IDW_DOCKBAR_BOTTOM);
    frame_->RecalcLayout();
    const std::string path = folder_ / "diagram.bmp";
    edit.Files().m_strDiagramFileName = path.c_str();
    frame_->PrepareDiagramBitmap();
    frame_->GetDiagramView()->ArmSaveAsTimer();
    Run(20);
    EXPECT_TRUE(PathFileExists(path.c_str()));
    EXPECT_EQ(bar.GetDockBarId(), static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM));

    boxes_.clear();
    edit.Files().m_strDiagramFileName = (folder_ / "missing/diagram.bmp").c_str();
    frame_->GetDiagramView()->ArmSaveAsTimer();
    Run(20);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text.Find(GetLanguageString(5259)), 0);
}

}  // namespace
}  // namespace apptest
