// The drop-down lists of the pages' combo boxes under the operator's keys: Escape closes an open
// drop-down before the program's own keys see it, and leaves the page shown.
#include <gtest/gtest.h>

#include "app/AppTest.h"
#include "pages/common/PageTable.h"
#include "res/measure_adjust.h"
#include "res/resource.h"

namespace apptest {
namespace {

class PageDropDowns : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        frame_ = StartWithOpenSensor();
        ASSERT_NE(frame_, nullptr);
    }
    CMainFrame* frame_ = nullptr;
};

TEST_F(PageDropDowns, EscapeClosesAnOpenDropDownAndNothingElse) {
    const std::pair<UINT, int> combos[] = {{PAGE_MEASURE_ADJUST, IDC_ADJ_START_CODE},
                                           {PAGE_DOCUMENTATION, IDC_DOC_SEPARATOR}};
    for (const auto& [page, id] : combos) {
        frame_->SetOperatingMode(page);
        Run(200);
        ASSERT_EQ(frame_->m_nActivePage, page);
        ASSERT_TRUE(frame_->GetPageWindow(page)->IsWindowVisible());
        const HWND combo = ::GetDlgItem(frame_->GetPageWindow(page)->m_hWnd, id);
        ASSERT_NE(combo, nullptr) << id;
        CRect rect;
        ::GetWindowRect(combo, &rect);
        Click(CPoint(rect.right - 5, rect.CenterPoint().y));
        Run(100);
        ASSERT_TRUE(::SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0))
            << id << " " << rect.left << "," << rect.top << " " << ::IsWindowVisible(combo);
        KeyPress(VK_ESCAPE);
        Run(100);
        EXPECT_FALSE(::SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0)) << id;
        EXPECT_EQ(frame_->m_nActivePage, page);
    }
}

}  // namespace
}  // namespace apptest
