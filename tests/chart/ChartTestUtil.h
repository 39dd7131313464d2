// What the chart's tests share: a surface with a CDCEx on it (screen or printer resolution), a
// CDCEx that records the texts drawn through it, and a window fixture holding one chart.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/XGraph.h"
#include "framework/FrameworkTest.h"
#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"

namespace kq::chart::test {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A CDCEx on its own surface; `dpi` other than 96 makes it a printer-like device.
class ChartCanvas {
  public:
    ChartCanvas(int w, int h, int dpi = 96, COLORREF fill = kWhite)
        : surface(std::make_shared<kq::gfx::Surface>(w, h)) {
        surface->Fill(kq::gfx::PixelFromColorRef(fill));
        kq::gfx::DeviceCaps caps = kq::gfx::DisplayCaps();
        if (dpi != 96)
            caps = kq::gfx::DeviceCaps::Printer(dpi, w, h, w, h, 0, 0);
        dc.Attach(kq::gfx::CreateSurfaceDC(surface, caps));
    }
    COLORREF At(int x, int y) const {
        return kq::gfx::ColorRefFromPixel(surface->Pixel(x, y) & 0xFFFFFF);
    }
    int Count(COLORREF c, CRect area = CRect()) const {
        if (area.IsRectEmpty())
            area.SetRect(0, 0, surface->Width(), surface->Height());
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += At(x, y) == c;
        return n;
    }
    std::vector<uint32_t> Pixels() const {
        std::vector<uint32_t> out;
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x)
                out.push_back(surface->Pixel(x, y) & 0xFFFFFF);
        return out;
    }
    std::shared_ptr<kq::gfx::Surface> surface;
    CDCEx dc;
};

// Records every text drawn through DrawText (without DT_CALCRECT), TextOut or ExtTextOut.
class RecordingDC : public CDCEx {
  public:
    using CDCEx::DrawText;
    int DrawText(LPCTSTR text, int length, LPRECT rc, UINT format) override {
        if ((format & DT_CALCRECT) == 0) {
            texts.emplace_back(length < 0 ? std::string(text) : std::string(text, length));
            lefts.push_back(rc->left);
        }
        return CDCEx::DrawText(text, length, rc, format);
    }
    BOOL TextOut(int x, int y, LPCTSTR text, int length) override {
        texts.emplace_back(text, length);
        lefts.push_back(x);
        return CDCEx::TextOut(x, y, text, length);
    }
    using CDCEx::ExtTextOut;
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rc, LPCTSTR text, UINT length,
                    LPINT dx) override {
        if (length > 0) {
            texts.emplace_back(text, length);
            lefts.push_back(x);
        }
        return CDCEx::ExtTextOut(x, y, options, rc, text, length, dx);
    }
    std::vector<std::string> texts;
    std::vector<int> lefts;  // where each text starts
};

class RecordingCanvas {
  public:
    RecordingCanvas(int w, int h) : surface(std::make_shared<kq::gfx::Surface>(w, h)) {
        surface->Fill(kq::gfx::PixelFromColorRef(kWhite));
        dc.Attach(kq::gfx::CreateSurfaceDC(surface));
    }
    std::shared_ptr<kq::gfx::Surface> surface;
    RecordingDC dc;
};

// Points of y = f(x) at x = 0 .. n-1.
template <class F>
std::vector<TDataPoint> Points(int n, F f) {
    std::vector<TDataPoint> points(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        points[static_cast<size_t>(i)] = {static_cast<double>(i), static_cast<double>(f(i))};
    return points;
}

// A chart window of the given client size on a top-level window.
class ChartWindowTest : public kq::fw::test::FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        parent_ = CreateTopLevel({0, 0, 700, 500}, WS_POPUP | WS_VISIBLE);
    }
    void TearDown() override {
        for (auto& chart : charts_)
            if (chart->GetSafeHwnd() != nullptr)
                chart->DestroyWindow();
        charts_.clear();
        FrameworkTest::TearDown();
    }
    template <class T = CXGraph>
    T* MakeChart(int w = 400, int h = 300) {
        auto chart = std::make_unique<T>();
        EXPECT_TRUE(chart->Create(CXGraph::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, w, h),
                                  CWnd::FromHandle(parent_), 1));
        T* raw = chart.get();
        charts_.push_back(std::move(chart));
        return raw;
    }
    // Paints the chart now and returns its screen pixel at a client point.
    static COLORREF ScreenAt(CWnd* wnd, int x, int y);

    HWND parent_ = nullptr;
    std::vector<std::unique_ptr<CXGraph>> charts_;
};

}  // namespace kq::chart::test
