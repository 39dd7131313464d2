// Every label of the program whole in each of its languages: each page, each dialog of the sensor
// pages, the start-up window and the log switch's box as the program shows them, with each static
// text, button, check box, radio button, group caption and column title measured with the font
// it is drawn with against the place its control gives it.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

#include "app/AppTest.h"
#include "app/views/CAFormDiagram.h"
#include "app/views/GraphicDisplayWnd.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/ChartTabPage.h"
#include "ethernet/CConfigEthernetInterfaceDlg.h"
#include "pages/common/PageTable.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CalibUncertaintyDialogs.h"
#include "pages/sensor/CalibrationStepDialogs.h"
#include "platform/framework/MessageBox.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/nonclient/NonClientMetrics.h"
#include "ports/ExtraPorts.h"
#include "ports/PortCatalog.h"
#include "tools/devsrvsim/DeviceServerSimulator.h"

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

// The size the text takes in the control's font (a control without one draws with the default
// GUI font): one line, or wrapped at `width`.
CSize TextSize(HWND control, HFONT font, const CString& text, int width, bool wrap) {
    CWindowDC dc(CWnd::FromHandle(control));
    if (font == nullptr)
        font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    CFont* old = dc.SelectObject(CFont::FromHandle(font));
    CRect rect(0, 0, width, 0);
    dc.DrawText(text, &rect, DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    dc.SelectObject(old);
    return rect.Size();
}

constexpr std::pair<UINT, const char*> kLanguages[] = {{10019, "de"}, {10020, "en"}, {10021, "fr"}};

// Measures what windows show and keeps one line for each label that does not fit.
class LabelMeasure : public AppTest {
  protected:
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
    // A window's caption beside what a window manager may decorate any window with, whatever
    // it offers: an icon and three caption buttons, and the room around them, six squares of
    // the caption's height in all.
    void CheckCaption(HWND window, const std::string& where) {
        char text[256] = {};
        ::GetWindowText(window, text, sizeof text);
        CRect client;
        ::GetClientRect(window, &client);
        const int has = client.Width() - 6 * ::GetSystemMetrics(SM_CYCAPTION);
        const CSize need = TextSize(window, kq::ui::CaptionFont(), text, 0, false);
        if (*text != '\0' && need.cx > has)
            cut_.push_back(where + " caption \"" + text + "\" needs " + std::to_string(need.cx) +
                           ", has " + std::to_string(has));
    }
    // A dialog as its caller opens it (texts and layout), measured, then closed.
    void CheckDialog(CDialog& dialog, UINT templateId, CWnd* parent, const std::string& where) {
        ASSERT_TRUE(dialog.Create(templateId, parent)) << where;
        dialog.ShowWindow(SW_SHOW);
        Run(50);
        CheckCaption(dialog.m_hWnd, where);
        CheckTree(dialog.m_hWnd, where);
        dialog.DestroyWindow();
        Run(10);
    }
    void ExpectNothingCut() {
        std::string all;
        for (const std::string& line : cut_)
            all += line + "\n";
        EXPECT_TRUE(cut_.empty()) << cut_.size() << " labels are cut:\n" << all;
    }

    std::vector<std::string> cut_;

  private:
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
};

// The program started with a sensor behind the maker's port and one behind a device server.
class LabelsFit : public LabelMeasure {
  protected:
    void SetUp() override {
        LabelMeasure::SetUp();
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

    // Ctrl+Shift+L twice: each box shown for real, over a window that measures it as soon as
    // its modal loop waits and then ends it.
    void CheckLogSwitchBoxes(const std::string& where) {
        HWND owner = CreateTopLevel(RECT{100, 100, 500, 400});
        OnMessage(owner, [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (message != WM_ENTERIDLE)
                return std::nullopt;
            HWND box = reinterpret_cast<HWND>(lParam);
            CheckCaption(box, where + " log box");
            CheckTree(box, where + " log box");
            ::PostMessage(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return 0;
        });
        auto previous = kq::fw::SetMessageBoxFunction(
            [owner](HWND, const CString& text, const CString& caption, UINT type) {
                return ::MessageBox(owner, text, caption, type);
            });
        for (int box = 0; box < 2; ++box) {
            KeyDown(VK_CONTROL);
            KeyDown(VK_SHIFT);
            MSG msg{frame_->m_hWnd, WM_KEYDOWN, 'L', 0, 0, {}};
            frame_->HandleShortcutKeys(&msg);
            KeyUp(VK_SHIFT);
            KeyUp(VK_CONTROL);
        }
        kq::fw::SetMessageBoxFunction(previous);
        ::DestroyWindow(owner);
    }

    CMainFrame* frame_ = nullptr;
};

TEST_F(LabelsFit, EveryLabelOfEveryPageAndOfTheDiagramsPropertiesIsWholeInEachLanguage) {
    for (const auto& [command, language] : kLanguages) {
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
    ExpectNothingCut();
}

// The step dialogs of an adjustment, the uncertainty dialogs, the set-up of a device server that
// answers and of a port without one, and the log switch's two boxes.
TEST_F(LabelsFit, EveryDialogOfTheSensorPagesAndTheLogSwitchsBoxIsWholeInEachLanguage) {
    devsrvsim::DevSrvSetup setup;
    setup.address = "127.0.0.61";
    devsrvsim::DeviceServerSimulator server(setup);
    std::string error;
    ASSERT_TRUE(server.Start(error)) << error;
    const std::string target = setup.address + ":" + std::to_string(server.DataPort());
    setenv(
        kq::ports::kExtraPortsVariable,
        ("tcp=" + target + ";desc=Lantronix CPR Port;setup=" + std::to_string(server.SetupPort()))
            .c_str(),
        1);
    CString serverCom;
    for (const kq::ports::PortEntry& entry : kq::ports::ListPorts(false)) {
        if (entry.target == target)
            serverCom = entry.comName.Mid(3);
    }
    ASSERT_FALSE(serverCom.IsEmpty());

    CDlgSensorCalibration* calibration = frame_->GetCalibrationPage();
    CDlgSensorConnection* connection = frame_->GetConnectionPage();
    const BOOL zeroBusy = CDlgSensorCalibration::s_bZeroDialogBusy;
    for (const auto& [command, language] : kLanguages) {
        frame_->SendMessage(WM_COMMAND, command);
        Run(200);
        const std::string where = language;
        frame_->SetOperatingMode(PAGE_CALIBRATION);
        Run(300);
        CDlgCalibMsgDoCalib warning(calibration);
        CheckDialog(warning, CDlgCalibMsgDoCalib::IDD, calibration, where + " warning");
        CDlgCalibMsgGetValueZero zero(calibration);
        CheckDialog(zero, CDlgCalibMsgGetValueZero::IDD, calibration, where + " zero");
        CDlgCalibMsgGetValueEnd scale(calibration);
        CheckDialog(scale, CDlgCalibMsgGetValueEnd::IDD, calibration, where + " scale");
        CDlgCalibMsgWrongScaleValue wrong(calibration);
        CheckDialog(wrong, CDlgCalibMsgWrongScaleValue::IDD, calibration, where + " wrong scale");
        CDlgCalibMsgDeleteCalib deletion(calibration);
        CheckDialog(deletion, CDlgCalibMsgDeleteCalib::IDD, calibration, where + " deletion");
        CDlgCalibInaccuracyDefine uncertainty(calibration);
        CheckDialog(uncertainty, CDlgCalibInaccuracyDefine::IDD, calibration,
                    where + " uncertainty");
        CDlgCalibInaccuracyRangeFailure range(calibration);
        CheckDialog(range, CDlgCalibInaccuracyRangeFailure::IDD, calibration, where + " range");

        frame_->SetOperatingMode(PAGE_CONNECTION);
        Run(300);
        CConfigEthernetInterfaceDlg answering(serverCom, 0, frame_->m_iLanguageOffset, connection);
        CheckDialog(answering, CConfigEthernetInterfaceDlg::IDD, connection,
                    where + " device server");
        CConfigEthernetInterfaceDlg without("250", 0, frame_->m_iLanguageOffset, connection);
        CheckDialog(without, CConfigEthernetInterfaceDlg::IDD, connection,
                    where + " no device server");
        CheckLogSwitchBoxes(where);
    }
    CDlgSensorCalibration::s_bZeroDialogBusy = zeroBusy;
    unsetenv(kq::ports::kExtraPortsVariable);
    ExpectNothingCut();
}

// Started in each language (the stored offset): the start-up window while it searches and after
// a search that found nothing.
class StartUpLabelsFit : public LabelMeasure, public ::testing::WithParamInterface<int> {};

TEST_P(StartUpLabelsFit, TheStartUpWindowIsWholeInItsLanguage) {
    PrepareStore(GetParam());
    sim_->AddSilentPort("COM3 Other serial port");
    CMainFrame* frame = StartAndComplete();
    ASSERT_NE(frame, nullptr);
    CDlgStartUp& window = frame->m_dlgStartUp;
    ASSERT_TRUE(window.IsWindowVisible());
    const std::string where = "start-up " + std::to_string(GetParam());
    CheckCaption(window.m_hWnd, where);
    CheckTree(window.m_hWnd, where + " searching");
    Run(5000);
    ASSERT_TRUE(::IsWindowVisible(::GetDlgItem(window.m_hWnd, CDlgStartUp::IDC_SEARCH_AGAIN)));
    CheckTree(window.m_hWnd, where + " nothing found");
    ExpectNothingCut();
}

INSTANTIATE_TEST_SUITE_P(EachLanguage, StartUpLabelsFit, ::testing::Values(0, 1000, 2000));

}  // namespace
}  // namespace apptest
