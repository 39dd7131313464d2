// The browse control on a page: its layout and look, the dialogs it opens (answered by the
// common-dialog hook), the paths it keeps, and the pages it tells about typed paths.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "controls/BrowseCtrl.h"
#include "controls/BrowsePageInterfaces.h"
#include "framework/FrameworkTest.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;
using kq::ui::CommonDialogAnswer;
using kq::ui::CommonDialogRequest;

struct FakeDocumentation : IBrowseDocumentationPage {
    std::vector<std::string> calls;
    void OnBrowseMWTargetDirectory(CWnd*) override { calls.push_back("MW"); }
    void OnBrowseDMTargetDirectory(CWnd*) override { calls.push_back("DM"); }
    void OnBrowseIONIOTargetDirectory(CWnd*) override { calls.push_back("IONIO"); }
};
struct FakeMeasureAdjust : IBrowseMeasureAdjustPage {
    std::vector<std::string> calls;
    void OnBrowseStartProgram(CWnd* edit) override {
        CString text;
        edit->GetWindowText(text);
        calls.push_back("start " + std::string(text.GetString()));
    }
    void OnBrowseStopProgram(CWnd*) override { calls.push_back("stop"); }
};
class FakeMainFrame : public CWnd, public IBrowsePageOwner {
  public:
    IBrowseDocumentationPage* documentation = nullptr;
    IBrowseMeasureAdjustPage* measure = nullptr;
    IBrowseDocumentationPage* BrowseDocumentationPage() override { return documentation; }
    IBrowseMeasureAdjustPage* BrowseMeasureAdjustPage() override { return measure; }
};

class TestBrowse : public CBrowseCtrl {
  public:
    using CBrowseCtrl::FolderCallback;
};

class BrowseTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        app_ = std::make_unique<CWinApp>("BrowseApp");
        page_.Attach(CreateTopLevel(RECT{50, 50, 450, 250}));
        kq::ui::SetCommonDialogHook([this](const CommonDialogRequest& r) {
            requests_.push_back(r);
            if (inHook_)
                inHook_();
            return answer_;
        });
    }
    void TearDown() override {
        kq::ui::SetCommonDialogHook(nullptr);
        ::DestroyWindow(page_.Detach());
        if (main_.m_hWnd)
            main_.DestroyWindow();
        app_->m_pMainWnd = nullptr;
        FrameworkTest::TearDown();
        app_.reset();
    }
    void Make(TestBrowse& ctrl, DWORD style, UINT notify = 0, CRect rc = CRect(10, 10, 310, 34)) {
        ASSERT_TRUE(ctrl.Create(rc, &page_, 500, style, notify));
    }
    std::string EditText(CBrowseCtrl& ctrl) {
        CString text;
        ctrl.GetEdit().GetWindowText(text);
        return text.GetString();
    }
    COLORREF ButtonPixel(CBrowseCtrl& ctrl, int dx, int dy) {
        ctrl.RedrawWindow();
        Pump();
        CPoint p(ctrl.GetButtonRect().left + dx, ctrl.GetButtonRect().top + dy);
        ctrl.ClientToScreen(&p);
        return kq::ui::GetScreenPixel(p.x, p.y);
    }
    CPoint ButtonCentre(CBrowseCtrl& ctrl) {
        CPoint p = ctrl.GetButtonRect().CenterPoint();
        ctrl.ClientToScreen(&p);
        return p;
    }

    std::unique_ptr<CWinApp> app_;
    CWnd page_;
    FakeMainFrame main_;
    std::vector<CommonDialogRequest> requests_;
    std::optional<CommonDialogAnswer> answer_ = CommonDialogAnswer{false};
    std::function<void()> inHook_;
};

TEST_F(BrowseTest, LayoutLooksAndGlyphs) {
    TestBrowse deflt, files, narrow;
    Make(deflt, 10);
    EXPECT_EQ(deflt.GetButtonRect(), CRect(300 - 27, 0, 300, 24));
    EXPECT_EQ(deflt.GetEditRect(), CRect(0, 0, 273, 24));
    EXPECT_EQ(deflt.GetGlyphRect(), CRect(273 + 5, 4, 273 + 21, 20));
    EXPECT_TRUE(deflt.GetEdit().GetStyle() & ES_READONLY);
    Make(files, 102 | CBrowseCtrl::BC_BTN_LEFT, 0, CRect(10, 40, 310, 64));
    EXPECT_EQ(files.GetButtonRect().left, 0);
    EXPECT_EQ(files.GetEditRect().left, 27);
    EXPECT_FALSE(files.GetEdit().GetStyle() & ES_READONLY);
    Make(narrow, 10, 0, CRect(10, 70, 30, 94));
    EXPECT_EQ(narrow.GetButtonRect(), CRect(0, 0, 20, 24));
    EXPECT_EQ(narrow.GetEditRect().Width(), 0);

    // Glyph pixels: only inside the glyph rectangle, only in the look's pen colours.
    const std::set<COLORREF> look1 = {0x000000, 0xFFFFFF, 0x00FFFF, 0x008080};
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    deflt.RedrawWindow();
    Pump();
    CRect button = deflt.GetButtonRect();
    button.DeflateRect(2, 2);
    int glyphPixels = 0;
    for (int y = button.top; y < button.bottom; ++y)
        for (int x = button.left; x < button.right; ++x) {
            CPoint p(x, y);
            deflt.ClientToScreen(&p);
            const COLORREF c = kq::ui::GetScreenPixel(p.x, p.y);
            if (c == face)
                continue;
            EXPECT_TRUE(deflt.GetGlyphRect().PtInRect(CPoint(x, y))) << x << "," << y;
            EXPECT_TRUE(look1.count(c)) << std::hex << c;
            ++glyphPixels;
        }
    EXPECT_GT(glyphPixels, 40);
    // Disabled: no yellow face any more.
    deflt.EnableWindow(FALSE);
    EXPECT_FALSE(deflt.GetEdit().IsWindowEnabled());
    EXPECT_NE(ButtonPixel(deflt, 2 + 5 + 4, 4 + 8), RGB(255, 255, 0));

    // Frames: raised three-dimensional at rest, sunken while pressed; flat only while hovered.
    EXPECT_EQ(ButtonPixel(narrow, 0, 0), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(ButtonPixel(narrow, 19, 23), ::GetSysColor(COLOR_3DDKSHADOW));
    narrow.SendMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(ButtonPixel(narrow, 0, 0), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ButtonPixel(narrow, 1, 1), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(ButtonPixel(files, 0, 0), face);
    TestBrowse flat;
    Make(flat, 230, 0, CRect(10, 100, 310, 124));
    EXPECT_EQ(ButtonPixel(flat, 0, 0), face);
    MouseMove(ButtonCentre(flat));
    EXPECT_TRUE(flat.IsHovering());
    EXPECT_EQ(ButtonPixel(flat, 0, 0), ::GetSysColor(COLOR_3DHILIGHT));
    MouseDown(ButtonCentre(flat));
    EXPECT_EQ(ButtonPixel(flat, 0, 0), ::GetSysColor(COLOR_3DDKSHADOW));
    CPoint away(5, 200);
    MouseMove(away);  // the capture keeps the moves; the hover timer sees the cursor leave
    Advance(20, 10);
    EXPECT_FALSE(flat.IsHovering());
    EXPECT_FALSE(flat.IsPressed());
    MouseUp(away);
    EXPECT_TRUE(requests_.empty());  // released outside: no dialog
}

TEST_F(BrowseTest, ClickSpaceAndEnterEachBrowseOnce) {
    TestBrowse ctrl;
    Make(ctrl, 102);
    ClearLog();
    Click(ButtonCentre(ctrl));
    EXPECT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].kind, kq::ui::CommonDialogKind::OpenFile);
    ctrl.SendMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(ctrl.IsPressed());
    ctrl.SendMessage(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(requests_.size(), 2u);
    MSG enter{ctrl.GetEdit().m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(ctrl.PreTranslateMessage(&enter));
    EXPECT_EQ(requests_.size(), 3u);
    Pump();
    // Activate tells the page BN_CLICKED each time.
    int clicked = 0;
    for (const auto& m : Log())
        clicked += m.hwnd == page_.m_hWnd && m.message == WM_COMMAND &&
                   HIWORD(m.wParam) == BN_CLICKED && m.lParam == 0;
    EXPECT_EQ(clicked, 3);
    // A second browse while the dialog is open answers 2 at once.
    int nested = 0;
    inHook_ = [&] { nested = ctrl.DoBrowse(); };
    EXPECT_EQ(ctrl.DoBrowse(), 2);
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(requests_.size(), 4u);
}

TEST_F(BrowseTest, FileChoicesFillTheResultAndCancelKeepsIt) {
    const std::string a = folder_ / "run1.csv", b = folder_ / "run2.csv";
    std::ofstream(a) << "1";
    std::ofstream(b) << "2";
    TestBrowse ctrl;
    Make(ctrl, 102, WM_USER + 5);
    answer_ = CommonDialogAnswer{true, folder_.Path() + "/\"run1.csv\" \"run2.csv\""};
    answer_->text = "\"" + a + "\" \"" + b + "\"";
    ClearLog();
    EXPECT_EQ(ctrl.DoBrowse(), 1);
    EXPECT_EQ(ctrl.GetPathCount(), 2);
    ASSERT_EQ(ctrl.GetPathNames().size(), 2u);
    EXPECT_EQ(ctrl.GetPathNames()[1], b.c_str());
    EXPECT_EQ(EditText(ctrl), a);
    EXPECT_EQ(ctrl.GetPathName(), a.c_str());
    // Ids from WM_USER on go to the parent with the result and the control.
    ASSERT_EQ(Count(page_.m_hWnd, WM_USER + 5), 1);
    for (const auto& m : Log())
        if (m.message == WM_USER + 5) {
            EXPECT_EQ(m.wParam, 1u);
            EXPECT_EQ(m.lParam, reinterpret_cast<LPARAM>(&ctrl));
        }
    answer_ = CommonDialogAnswer{false};
    EXPECT_EQ(ctrl.DoBrowse(), 2);
    EXPECT_EQ(ctrl.GetPathNames().size(), 2u);
    EXPECT_EQ(ctrl.GetPathName(), a.c_str());
    // A typed path differing only in case is another path here.
    CString upper(a.c_str());
    upper.MakeUpper();
    ctrl.GetEdit().SetWindowText(upper);
    EXPECT_EQ(ctrl.GetPathName(), upper);
}

TEST_F(BrowseTest, FoldersPreselectionAndTooLongPaths) {
    TestBrowse ctrl;
    Make(ctrl, 230, 180);
    answer_ = CommonDialogAnswer{true, folder_.Path()};
    ClearLog();
    EXPECT_EQ(ctrl.DoBrowse(), 1);
    EXPECT_EQ(ctrl.GetPathName(), folder_.Path().c_str());
    EXPECT_EQ(requests_.back().kind, kq::ui::CommonDialogKind::Folder);
    EXPECT_EQ(Count(page_.m_hWnd, 180), 0);  // below WM_USER: not sent
    // A folder whose path does not fit the shell's buffer is no choice.
    std::string deep = folder_.Path() + "/" + std::string(200, 'a');
    deep += "/" + std::string(100, 'b');
    std::filesystem::create_directories(deep);
    answer_ = CommonDialogAnswer{true, deep};
    EXPECT_EQ(ctrl.DoBrowse(), 2);
    EXPECT_EQ(ctrl.GetPathName(), folder_.Path().c_str());

    // The folder dialog's start: caption and the current path preselected.
    ctrl.SetFileDialogTitle("Zielordner");
    HWND dialog = CreateTopLevel(RECT{0, 0, 50, 50});
    ClearLog();
    TestBrowse::FolderCallback(dialog, BFFM_INITIALIZED, 0, reinterpret_cast<LPARAM>(&ctrl));
    EXPECT_EQ(Count(dialog, BFFM_SETSELECTION), 1);
    char caption[64] = {};
    ::GetWindowText(dialog, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Zielordner");

    // 1023 bytes are taken; 1024 are refused with one message and change nothing.
    const std::string ok(1023, 'p'), tooLong(1024, 'q');
    ctrl.SetPathName(ok.c_str());
    EXPECT_EQ(ctrl.GetPathName(), ok.c_str());
    ctrl.SetPathName(tooLong.c_str());
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(ctrl.GetPathName(), ok.c_str());
    EXPECT_EQ(EditText(ctrl), ok);
    ctrl.SetPathName(nullptr);
    EXPECT_EQ(ctrl.GetPathName(), ok.c_str());
}

TEST_F(BrowseTest, TheEditSelectsItsTextOnFocusWithoutATimerRunningMeanwhile) {
    TestBrowse ctrl;
    Make(ctrl, 102);
    ctrl.SetPathName("/tmp/data");
    Pump();
    const auto selection = [&] {
        return static_cast<DWORD>(ctrl.GetEdit().SendMessage(EM_GETSEL));
    };
    const auto noFocusTimer = [&] { return !::KillTimer(ctrl.m_hWnd, CBrowseCtrl::kFocusTimer); };
    EXPECT_TRUE(noFocusTimer());
    ctrl.GetEdit().SetFocus();
    Advance(20, 5);
    EXPECT_EQ(selection(), MAKELONG(0, 9));
    EXPECT_TRUE(noFocusTimer());
    ::SetFocus(page_.m_hWnd);
    Advance(20, 5);
    EXPECT_EQ(LOWORD(selection()), HIWORD(selection()));
    EXPECT_TRUE(noFocusTimer());
}

TEST_F(BrowseTest, TypedPathsReachTheOwningPageOnlyWhenItExists) {
    TestBrowse mw, start, dm, other;
    Make(mw, 230, 180);
    Make(start, 102, 311, CRect(10, 40, 310, 64));
    Make(dm, 230, 181, CRect(10, 70, 310, 94));
    Make(other, 230, 999, CRect(10, 100, 310, 124));
    // No main window yet, then one without pages: nothing is called, nothing breaks.
    mw.GetEdit().SetWindowText("/tmp/a");
    ASSERT_TRUE(main_.CreateEx(0, AfxRegisterWndClass(0), "Main", WS_OVERLAPPED,
                               CRect(0, 0, 50, 50), nullptr, 0));
    app_->m_pMainWnd = &main_;
    mw.GetEdit().SetWindowText("/tmp/b");
    EXPECT_EQ(mw.GetPathName(), "/tmp/b");
    FakeDocumentation documentation;
    FakeMeasureAdjust measure;
    main_.documentation = &documentation;
    mw.GetEdit().SetWindowText("/tmp/c");
    dm.GetEdit().SetWindowText("/tmp/d");
    start.GetEdit().SetWindowText("/bin/start");  // that page does not exist yet
    main_.measure = &measure;
    start.GetEdit().SetWindowText("/bin/go");
    other.GetEdit().SetWindowText("/x");
    EXPECT_EQ(documentation.calls, (std::vector<std::string>{"MW", "DM"}));
    EXPECT_EQ(measure.calls, (std::vector<std::string>{"start /bin/go"}));
    // A read-only edit takes no typed path.
    TestBrowse readOnly;
    Make(readOnly, 102 & ~CBrowseCtrl::BC_CTL_ALLOWEDIT, 0, CRect(10, 130, 310, 154));
    readOnly.SetPathName("/keep");
    readOnly.GetEdit().SetWindowText("/typed");
    EXPECT_EQ(readOnly.GetPathName(), "/keep");
}

}  // namespace
