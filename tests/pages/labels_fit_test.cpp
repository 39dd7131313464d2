// Every label of the program whole in each of its languages: each page as the program shows it,
// with each static text, button, check box, radio button, group caption and column title
// measured with the font it is drawn with against the place its control gives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppTest.h"
#include "app/views/CAFormDiagram.h"
#include "app/views/GraphicDisplayWnd.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/ChartTabPage.h"
#include "pages/common/PageTable.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "platform/gfx/WindowDC.h"

namespace apptest {
namespace {

constexpr int kCheckBoxAndGap = 13 + 4;  // the box and the gap before the caption
constexpr int kPushMargin = 2;           // the push button's frame, on each side
constexpr int kGroupIndent = 8 + 2;      // the caption's indent and its blank on the right
constexpr int kColumnMargin = 12;        // the header's margins around a title

// The port list of the connection page shares its width among its columns by fixed weights; at
// the program's first size these titles are wider than their share.
bool IsFixedShareTitle(const std::string& title) {
    return title == "Adresse" || title == "Address" || title == "Messbereichsendwert";
}

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    ::GetClassName(hwnd, name, sizeof name);
    return name;
}

// The text as drawn: "&&" shows one ampersand, a single one underlines the next letter.
CString Shown(const CString& text) {
    CString shown;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '&' && i + 1 < text.GetLength())
            ++i;
        shown += text[i];
    }
    return shown;
}

// The size the text takes in the control's font: one line, or wrapped at `width`.
CSize TextSize(HWND control, HFONT font, const CString& text, int width, bool wrap) {
    CWindowDC dc(CWnd::FromHandle(control));
    CFont* old = dc.SelectObject(CFont::FromHandle(font));
    CRect rect(0, 0, width, 0);
    dc.DrawText(text, &rect, DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    dc.SelectObject(old);
    return rect.Size();
}

class LabelsFit : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        PrepareStore();
        sim_->AddSensor("COM1 Tarvik USB sensor interface port", 1111);
        // A device server's port, whose selected row shows the Config button.
        sim_->AddSensor("COM5 Lantronix CPR Port", 5555);
        frame_ = StartAndComplete();
        ASSERT_NE(frame_, nullptr);
        Run(4000);
    }
    // The connection page with the network row selected, its Config button shown.
    void SelectNetworkRow() {
        CDlgSensorConnection* page = frame_->GetConnectionPage();
        for (int row = 0; row < page->m_listPorts.GetItemCount(); ++row) {
            if (page->m_listPorts.GetItemText(row, 0).Find("[COM5]") < 0)
                continue;
            CRect cell;
            page->m_listPorts.GetSubItemRect(row, 0, LVIR_BOUNDS, cell);
            page->m_listPorts.ClientToScreen(&cell);
            Click(CPoint(cell.left + 20, cell.CenterPoint().y));
        }
        Run(300);
        EXPECT_TRUE(
            ::IsWindowVisible(::GetDlgItem(page->m_hWnd, CDlgSensorConnection::IDC_CONFIG_BUTTON)));
    }
    // The diagram's property sheet, each of its pages in turn.
    void CheckChartPages(const std::string& where) {
        CGraphicDisplayWnd* diagram = frame_->GetDiagramView()->GetDiagram();
        diagram->ShowProperties();
        Run(100);
        CChartPage* sheet = diagram->GetProperties();
        ASSERT_NE(sheet, nullptr);
        for (int tab = 0; tab < 3; ++tab) {
            sheet->ShowPage(tab);
            Run(50);
            CheckTree(sheet->GetPage(tab)->m_hWnd, where + " chart page " + std::to_string(tab));
        }
        sheet->ShowWindow(SW_HIDE);
        Run(50);
    }

    // What does not fit among the window's descendants, one line each.
    void CheckTree(HWND parent, const std::string& where) {
        for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(child))
                continue;
            Check(child, where);
            CheckTree(child, where);
        }
    }
    void Check(HWND control, const std::string& where) {
        const std::string kind = ClassOf(control);
        const DWORD style = static_cast<DWORD>(::GetWindowLong(control, GWL_STYLE));
        HFONT font = reinterpret_cast<HFONT>(::SendMessage(control, WM_GETFONT, 0, 0));
        CRect client;
        ::GetClientRect(control, &client);
        if (kind == "SysHeader32") {
            CheckColumns(control, font, where);
            return;
        }
        char buffer[512] = {};
        ::GetWindowText(control, buffer, sizeof buffer);
        const CString text = Shown(buffer);
        if (text.IsEmpty())
            return;
        int width = client.Width();
        int height = client.Height();
        bool wrap = false;
        if (kind == "Static") {
            const DWORD type = style & SS_TYPEMASK;
            if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT &&
                type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
                return;
            wrap = type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE;
        } else if (kind == "Button") {
            const DWORD type = style & BS_TYPEMASK;
            wrap = (style & BS_MULTILINE) != 0;
            if (type == BS_GROUPBOX) {
                width -= kGroupIndent;
                height = 0;  // the caption sits on the frame's top line
                wrap = false;
            } else if (type == BS_OWNERDRAW || (style & (BS_ICON | BS_BITMAP))) {
                return;
            } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || (style & BS_PUSHLIKE)) {
                width -= 2 * kPushMargin;
                height -= 2 * kPushMargin;
            } else {
                width -= kCheckBoxAndGap;
            }
        } else {
            return;
        }
        const CSize need = TextSize(control, font, text, width, wrap);
        if (need.cx > width || (height > 0 && need.cy > height))
            cut_.push_back(where + " " + std::to_string(::GetDlgCtrlID(control)) + " \"" +
                           text.GetString() + "\" needs " + std::to_string(need.cx) + "x" +
                           std::to_string(need.cy) + ", has " + std::to_string(width) + "x" +
                           std::to_string(height));
    }
    void CheckColumns(HWND header, HFONT font, const std::string& where) {
        const int count = static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char title[128] = {};
            HDITEM item{};
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = title;
            item.cchTextMax = sizeof title;
            ::SendMessage(header, HDM_GETITEM, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item));
            if (*title == '\0' || item.cxy <= 0 || IsFixedShareTitle(title))
                continue;
            const CSize need = TextSize(header, font, title, 0, false);
            if (need.cx + kColumnMargin > item.cxy)
                cut_.push_back(where + " column \"" + title + "\" needs " +
                               std::to_string(need.cx + kColumnMargin) + ", has " +
                               std::to_string(item.cxy));
        }
    }

    CMainFrame* frame_ = nullptr;
    std::vector<std::string> cut_;
};

TEST_F(LabelsFit, EveryLabelOfEveryPageAndOfTheDiagramsPropertiesIsWholeInEachLanguage) {
    const std::pair<UINT, const char*> languages[] = {{10019, "de"}, {10020, "en"}, {10021, "fr"}};
    for (const auto& [command, language] : languages) {
        frame_->SendMessage(WM_COMMAND, command);
        Run(200);
        for (UINT page : kPageIds) {
            if (page == PAGE_LOGO)
                continue;
            ASSERT_TRUE(frame_->SetOperatingMode(page) || frame_->m_nActivePage == page);
            Run(300);
            if (page == PAGE_CONNECTION)
                SelectNetworkRow();
            CheckTree(frame_->GetPageWindow(page)->m_hWnd,
                      std::string(language) + " page " + std::to_string(page));
        }
        CheckChartPages(language);
    }
    std::string all;
    for (const std::string& line : cut_)
        all += line + "\n";
    EXPECT_TRUE(cut_.empty()) << cut_.size() << " labels are cut:\n" << all;
}

}  // namespace
}  // namespace apptest
