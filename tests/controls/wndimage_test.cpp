// The image window taking a static picture's place: the destination rectangles of the fit and
// origin modes, margins and tiles on the screen, the click message and bitmap ownership.
#include <gtest/gtest.h>

#include "controls/WndImage.h"
#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/codec/Bmp.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kLogo = 140;
constexpr COLORREF kImageColor = RGB(0, 0, 255);
constexpr COLORREF kBrushColor = RGB(0, 255, 0);
const std::vector<uint8_t> kLogoBytes = kq::gfx::EncodeBmp(kq::gfx::Image(10, 10, 0xFF0000FF));
const kq::BinaryResource kBinaries[] = {
    {kq::BinaryKind::Bitmap, kq::ResourceName(static_cast<int>(kLogo)), kLogoBytes}};
const kq::ResourceBundle kBundle{{}, {}, {}, {}, kBinaries};

class WndImageTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        parent_.Attach(CreateTopLevel(RECT{30, 30, 430, 330}));
        brush_.CreateSolidBrush(kBrushColor);
    }
    void TearDown() override {
        image_.DestroyWindow();
        ::DestroyWindow(parent_.Detach());
        kq::UninstallResources(kBundle);
        FrameworkTest::TearDown();
    }
    // A picture static holding a square bitmap of the given size, replaced by the window.
    void FromStatic(int size, CRect rc = CRect(10, 10, 210, 110)) {
        HWND stat =
            ::CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, rc.left, rc.top,
                             rc.Width(), rc.Height(), parent_.m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(77)), nullptr, nullptr);
        HBITMAP bitmap = kq::gfx::BitmapFromImage(kq::gfx::Image(size, size, 0xFF0000FF));
        ::SendMessage(stat, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        CRect staticRect;
        ::GetWindowRect(stat, &staticRect);
        ASSERT_TRUE(image_.CreateFromStatic(CWnd::FromHandle(stat)));
        EXPECT_FALSE(::IsWindow(stat));
        CRect taken;
        image_.GetWindowRect(&taken);
        EXPECT_EQ(taken, staticRect);
        // The picture static fitted itself to its bitmap; the dialog's size comes back.
        image_.MoveWindow(&rc);
        image_.SetBackgroundBrush(&brush_);
    }
    int CountOnScreen(COLORREF c) {
        image_.RedrawWindow();
        Pump();
        CRect rc;
        image_.GetClientRect(&rc);
        image_.ClientToScreen(&rc);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += kq::ui::GetScreenPixel(x, y) == c;
        return n;
    }
    CWnd parent_;
    CWndImage image_;
    CBrush brush_;
};

TEST_F(WndImageTest, TakesTheStaticsPlaceAndPlacesItsImageByMode) {
    FromStatic(100);
    EXPECT_EQ(image_.GetDlgCtrlID(), 77);
    EXPECT_EQ(image_.GetFitMode(), 6);
    EXPECT_EQ(image_.GetDestRect(), CRect(0, 0, 100, 100));
    image_.SetOriginModes(3, 3);
    EXPECT_EQ(image_.GetDestRect(), CRect(50, 0, 150, 100));
    // Both side margins in the brush, the image between them.
    EXPECT_EQ(CountOnScreen(kBrushColor), 2 * 50 * 100);
    EXPECT_EQ(CountOnScreen(kImageColor), 100 * 100);
    image_.SetOriginModes(4, 4);
    EXPECT_EQ(image_.GetDestRect(), CRect(100, 0, 200, 100));
    image_.SetOriginModes(2, 2);
    image_.SetFitMode(7);
    EXPECT_EQ(image_.GetDestRect(), CRect(0, 0, 200, 200));
    EXPECT_DOUBLE_EQ(image_.GetZoomX(), 2.0);
    image_.SetFitMode(4);
    EXPECT_EQ(image_.GetDestRect(), CRect(0, 0, 200, 200));
    image_.SetFitMode(5);
    EXPECT_EQ(image_.GetDestRect(), CRect(0, 0, 100, 100));
    image_.SetFitMode(3);
    EXPECT_EQ(image_.GetDestRect(), CRect(0, 0, 200, 100));
    for (int odd : {0, 9}) {
        image_.SetFitMode(3);
        image_.SetFitMode(odd);
        EXPECT_EQ(image_.GetFitMode(), 2);
    }
    image_.SetOrigin(-20, 7);
    EXPECT_EQ(image_.GetDestRect(), CRect(-20, 7, 80, 107));
    ASSERT_TRUE(image_.SetBitmapFromResourceId(kLogo));
    image_.SetOriginModes(2, 2);
    image_.SetZoom(1.5);
    EXPECT_EQ(image_.GetDestRect(), CRect(0, 0, 15, 15));
    // No bitmap: the brush over everything.
    image_.SetBitmap(nullptr);
    EXPECT_TRUE(image_.GetDestRect().IsRectEmpty());
    EXPECT_EQ(CountOnScreen(kBrushColor), 200 * 100);
}

TEST_F(WndImageTest, TilesCoverTheClientFromNegativeOrigins) {
    FromStatic(30, CRect(10, 10, 110, 70));
    image_.SetFitMode(8);
    image_.SetOrigin(-45, -7);
    EXPECT_EQ(CountOnScreen(kImageColor), 100 * 60);
    image_.SetOrigin(-250, -130);
    EXPECT_EQ(CountOnScreen(kImageColor), 100 * 60);
}

TEST_F(WndImageTest, ClickIsPostedWithItsPosition) {
    FromStatic(20);
    ClearLog();
    CPoint pt(3, 4);
    image_.ClientToScreen(&pt);
    Click(pt);
    ASSERT_EQ(Count(parent_.m_hWnd, CWndImage::kClickMessage), 1);
    for (const auto& m : Log())
        if (m.message == CWndImage::kClickMessage) {
            EXPECT_EQ(m.wParam, 77u);
            EXPECT_EQ(m.lParam, 196609);
        }
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(WndImageTest, OwnBitmapsAreFreedAndCallersKept) {
    FromStatic(20);
    image_.SetBitmapFromResourceId(kLogo);
    const size_t before = kq::gfx::HandleTable::Instance().LiveCount();
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(image_.SetBitmapFromResourceId(kLogo));
    EXPECT_EQ(kq::gfx::HandleTable::Instance().LiveCount(), before);
    EXPECT_FALSE(image_.SetBitmapFromResourceId(4711));
    // A caller's bitmap stays the caller's.
    HBITMAP mine = kq::gfx::BitmapFromImage(kq::gfx::Image(5, 5, 0xFF00FF00));
    image_.SetBitmap(mine);
    image_.SetBitmap(nullptr);
    BITMAP bm{};
    EXPECT_TRUE(::GetObject(mine, sizeof(bm), &bm));
    ::DeleteObject(mine);
}

}  // namespace
