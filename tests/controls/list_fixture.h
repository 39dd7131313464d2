// A page that holds a report list the way the sensor connection page does, and records what the
// list tells it; pixels of the list read back from the screen.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/list/CDropListBox.h"
#include "controls/list/CDropScrollBar.h"
#include "controls/list/CDropWnd.h"
#include "controls/list/CXCombo.h"
#include "controls/list/CXListCtrl.h"
#include "framework/FrameworkTest.h"
#include "platform/ui/paint/Screenshot.h"

namespace kq::xlist::test {
namespace {

class CListPage : public CWnd {
  public:
    std::vector<std::string> log;  // "check r c", "combo r c", "cmd <code>"
    std::function<void(int, int)> onCombo;
    std::function<void(int, int)> onCheck;

    // Watched in the window procedure, so that this header needs no message map of its own.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const int row = static_cast<int>(wParam);
        const int column = static_cast<int>(lParam);
        if (message == WM_XLISTCTRL_CHECKBOX_CLICKED) {
            log.push_back("check " + std::to_string(row) + " " + std::to_string(column));
            if (onCheck)
                onCheck(row, column);
            return 0;
        }
        if (message == WM_XLISTCTRL_COMBO_SELECTION) {
            log.push_back("combo " + std::to_string(row) + " " + std::to_string(column));
            if (onCombo)
                onCombo(row, column);
            return 0;
        }
        if (message == WM_COMMAND && lParam != 0)
            log.push_back("cmd " + std::to_string(HIWORD(wParam)));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ListTest : public kq::fw::test::FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(page_.CreateEx(0, AfxRegisterWndClass(0), "page", WS_POPUP | WS_VISIBLE, 0, 0,
                                   640, 400, nullptr, nullptr));
        ASSERT_TRUE(list_.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                                 CRect(10, 10, 610, 310), &page_, 1076));
        ASSERT_TRUE(list_.m_bHeaderIsSubclassed);
        list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        // Keys reach the combo's PreTranslateMessage through the application, as in the product.
        app_ = std::make_unique<CWinApp>("ListApp");
        app_->m_pMainWnd = &page_;
        app_->ConnectToMessageLoop();
    }
    void TearDown() override {
        app_->DisconnectFromMessageLoop();
        app_->m_pMainWnd = nullptr;
        if (::IsWindow(page_.m_hWnd))
            page_.DestroyWindow();
        FrameworkTest::TearDown();
        app_.reset();
    }
    // Columns as the connection page has them, then rows named "COM<n>".
    void Fill(int rows, int columns = 4) {
        for (int c = 0; c < columns; ++c)
            list_.InsertColumn(c, ("Col" + std::to_string(c)).c_str(), LVCFMT_LEFT, 100);
        for (int r = 0; r < rows; ++r)
            list_.InsertItem(r, ("COM" + std::to_string(r + 1)).c_str());
        Pump();
    }
    CRect CellRect(int row, int column) {
        CRect rect;
        list_.GetSubItemRect(row, column, LVIR_BOUNDS, rect);
        return rect;
    }
    // Screen point of a client point of the list.
    CPoint OnList(int x, int y) {
        CPoint pt(x, y);
        list_.ClientToScreen(&pt);
        return pt;
    }
    CPoint InCell(int row, int column, int dx = -1) {
        const CRect rect = CellRect(row, column);
        return OnList(dx < 0 ? rect.CenterPoint().x : rect.left + dx, rect.CenterPoint().y);
    }
    COLORREF Pixel(CWnd& wnd, int x, int y) {
        CPoint pt(x, y);
        wnd.ClientToScreen(&pt);
        return kq::ui::GetScreenPixel(pt.x, pt.y);
    }
    COLORREF ListPixel(int x, int y) { return Pixel(list_, x, y); }
    // Repaints the list now, as a whole.
    void Repaint() {
        list_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
    }
    // Characters of one pixel row of the list: '#' where the colour is c, '.' elsewhere.
    std::string Row(int y, int x0, int x1, COLORREF c) {
        std::string s;
        for (int x = x0; x < x1; ++x)
            s += ListPixel(x, y) == c ? '#' : '.';
        return s;
    }
    std::vector<std::string> Log(const char* prefix) const {
        std::vector<std::string> out;
        for (const std::string& line : page_.log)
            if (line.rfind(prefix, 0) == 0)
                out.push_back(line);
        return out;
    }

    std::unique_ptr<CWinApp> app_;
    CListPage page_;
    CXListCtrl list_;
};

}  // namespace
}  // namespace kq::xlist::test
