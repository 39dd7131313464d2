#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "GfxTestUtil.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"

using kq::gfx::test::Canvas;

namespace {

class RecordingJob : public kq::gfx::PrintJobSink {
  public:
    std::vector<std::string> calls;
    int StartDoc(const DOCINFO& info) override {
        calls.push_back(std::string("doc ") + info.lpszDocName);
        return 1;
    }
    int StartPage() override {
        calls.emplace_back("page");
        return 1;
    }
    int EndPage() override {
        calls.emplace_back("end page");
        return 1;
    }
    int EndDoc() override {
        calls.emplace_back("end doc");
        return 1;
    }
    int AbortDoc() override {
        calls.emplace_back("abort");
        return 1;
    }
    int Escape(int code, int, const void*, void*) override {
        calls.push_back("escape " + std::to_string(code));
        return code == SET_BOUNDS ? 1 : 0;
    }
};

}  // namespace

TEST(Devices, PrinterDcForwardsTheDocumentToItsJob) {
    auto page = std::make_shared<kq::gfx::Surface>(80, 100);
    auto job = std::make_shared<RecordingJob>();
    HDC hdc = kq::gfx::CreatePrinterDC(
        page, kq::gfx::DeviceCaps::Printer(300, 80, 100, 90, 110, 5, 5), job);
    CDC dc;
    dc.Attach(hdc);
    EXPECT_EQ(dc.StartDoc("Graph"), 1);
    EXPECT_EQ(dc.StartPage(), 1);
    const int bounds[4] = {0, 0, 10, 10};
    EXPECT_EQ(dc.Escape(SET_BOUNDS, sizeof(bounds), reinterpret_cast<LPCSTR>(bounds), nullptr), 1);
    EXPECT_EQ(dc.EndPage(), 1);
    EXPECT_EQ(dc.EndDoc(), 1);
    EXPECT_EQ(job->calls, (std::vector<std::string>{"doc Graph", "page", "escape 4109", "end page",
                                                    "end doc"}));
    // A point font follows the printer's resolution.
    CFont font;
    font.CreatePointFont(100, "Arial", &dc);
    LOGFONT lf{};
    font.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -42);  // 10 points at 300 dpi
}

TEST(Devices, OutputAndAttributeHandlesCanDiffer) {
    // A preview draws on one DC and measures on another.
    Canvas screen(40, 20);
    Canvas measure(40, 20);
    CDC dc;
    dc.m_hDC = screen.hdc;
    dc.m_hAttribDC = measure.hdc;
    dc.SetTextColor(RGB(1, 2, 3));
    EXPECT_EQ(::GetTextColor(screen.hdc), RGB(1, 2, 3));
    EXPECT_EQ(::GetTextColor(measure.hdc), RGB(1, 2, 3));
    dc.SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(::GetMapMode(screen.hdc), MM_LOMETRIC);
    dc.MoveTo(1, -1);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(1, -1));
    dc.m_hDC = nullptr;  // the canvases own their handles
    dc.m_hAttribDC = nullptr;
}

TEST(Devices, StaleHandlesStayStaleWhileSlotsAreReused) {
    HBRUSH first = ::CreateSolidBrush(RGB(1, 1, 1));
    ::DeleteObject(first);
    // Thousands of objects come and go; the first handle never becomes valid again.
    for (int i = 0; i < 10000; ++i) {
        HBRUSH b = ::CreateSolidBrush(RGB(i & 0xFF, 0, 0));
        ASSERT_NE(b, first);
        ::DeleteObject(b);
    }
    EXPECT_EQ(::GetObjectType(first), 0u);
    // Handles fit in 32 bits, as code written for Windows stores them.
    HBRUSH b = ::CreateSolidBrush(0);
    EXPECT_LE(reinterpret_cast<uintptr_t>(b), 0x7FFFFFFFu);
    ::DeleteObject(b);
}

TEST(Devices, HandlesAreSafeAcrossThreads) {
    ::GetStockObject(BLACK_PEN);  // the stock set exists before counting
    const size_t before = kq::gfx::HandleTable::Instance().LiveCount();
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&failures, t] {
            for (int i = 0; i < 500; ++i) {
                HDC mem = ::CreateCompatibleDC(nullptr);
                HBITMAP bmp = ::CreateBitmap(8, 8, 1, 32, nullptr);
                HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(t, i & 0xFF, 0));
                HGDIOBJ oldBmp = ::SelectObject(mem, bmp);
                HGDIOBJ oldPen = ::SelectObject(mem, pen);
                ::MoveToEx(mem, 0, 0, nullptr);
                ::LineTo(mem, 7, 7);
                if (::GetPixel(mem, 3, 3) != RGB(t, i & 0xFF, 0))
                    ++failures;
                ::SelectObject(mem, oldPen);
                ::SelectObject(mem, oldBmp);
                ::DeleteObject(pen);
                ::DeleteObject(bmp);
                ::DeleteDC(mem);
            }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(kq::gfx::HandleTable::Instance().LiveCount(), before);
}

TEST(Devices, SystemColoursCanChangeAndTheirBrushesFollow) {
    const COLORREF old = ::GetSysColor(COLOR_BTNFACE);
    const INT index = COLOR_BTNFACE;
    const COLORREF pink = RGB(255, 200, 200);
    ::SetSysColors(1, &index, &pink);
    Canvas c(2, 2);
    const RECT rc{0, 0, 2, 2};
    ::FillRect(c.hdc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(c.At(1, 1), pink);
    ::SetSysColors(1, &index, &old);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), old);
}

TEST(Devices, MulDivRoundsAndReportsOverflow) {
    EXPECT_EQ(MulDiv(10, 96, 72), 13);
    EXPECT_EQ(MulDiv(-10, 96, 72), -13);
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 1), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
}
