// Dialogs built from templates: dialog units, fonts, styles, focus at start and item access.
#include "platform/base/Resource.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/menu/MenuApi.h"
#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

class DialogTemplateTest : public DialogTest {};

// Metrics of a larger font, with a font handle the dialogs must give back.
class BigFontMetrics : public FixedCellTextMetrics {
  public:
    FontMetrics Metrics(HFONT font) const override {
        if (font == Font())
            return FontMetrics{16, 13, 8, 0};
        return FixedCellTextMetrics::Metrics(font);
    }
    int TextWidth(HFONT font, std::string_view utf8) const override {
        const int n = static_cast<int>(FixedCellTextMetrics::TextWidth(nullptr, utf8)) / kCellWidth;
        return n * (font == Font() ? 8 : kCellWidth);
    }
    HFONT CreateDialogFont(const kq::DialogFont& font) override {
        lastFace = std::string(font.face);
        lastSize = font.pointSize;
        return Font();
    }
    void DeleteDialogFont(HFONT font) override { deleted += font == Font(); }
    static HFONT Font() { return reinterpret_cast<HFONT>(static_cast<intptr_t>(0x5150)); }

    std::string lastFace;
    int lastSize = 0;
    int deleted = 0;
};

TEST_F(DialogTemplateTest, SizesComeFromDialogUnitsOfTheFont) {
    TemplateBuilder b(200, 120, WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    b.Add("BUTTON", "OK", IDOK, WS_TABSTOP, 10, 10, 40, 12);
    HWND dlg = Modeless(b.Get());
    RECT client{};
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 195);
    RECT r{};
    GetWindowRect(GetDlgItem(dlg, IDOK), &r);
    POINT origin{0, 0};
    ClientToScreen(dlg, &origin);
    EXPECT_EQ(r.left - origin.x, 15);
    EXPECT_EQ(r.top - origin.y, 16);
    EXPECT_EQ(r.right - r.left, 60);
    EXPECT_EQ(r.bottom - r.top, 20);
    RECT units{4, 8, 8, 16};
    ASSERT_TRUE(MapDialogRect(dlg, &units));
    EXPECT_EQ(units.left, 6);
    EXPECT_EQ(units.top, 13);
    EXPECT_EQ(units.right, 12);
    EXPECT_EQ(units.bottom, 26);
    EXPECT_EQ(GetDialogBaseUnits(), static_cast<LONG>(MAKELONG(6, 13)));
    EXPECT_TRUE(GetWindowLong(dlg, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
}

TEST_F(DialogTemplateTest, TheTemplateFontComesFromTheMetricsSourceAndGoesBack) {
    auto metrics = std::make_shared<BigFontMetrics>();
    SetTextMetricsSource(metrics);
    TemplateBuilder b(100, 50, WS_POPUP | DS_SETFONT);
    b.Add("EDIT", "", 10, WS_TABSTOP, 0, 0, 40, 8);
    const kq::DialogTemplate* t = b.Get();
    kq::DialogTemplate withFont = *t;
    withFont.font.pointSize = 8;
    withFont.font.face = "MS Shell Dlg";
    HWND dlg = Modeless(&withFont);
    EXPECT_EQ(metrics->lastFace, "MS Shell Dlg");
    EXPECT_EQ(metrics->lastSize, 8);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(dlg, WM_GETFONT, 0, 0)), BigFontMetrics::Font());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendDlgItemMessage(dlg, 10, WM_GETFONT, 0, 0)),
              BigFontMetrics::Font());
    RECT client{};
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, 200);  // 100 units of an 8-pixel font
    EXPECT_EQ(client.bottom, 100);
    DestroyWindow(dlg);
    EXPECT_EQ(metrics->deleted, 1);
}

TEST_F(DialogTemplateTest, PlacementFollowsTheOwnerOrCentres) {
    HWND owner = CreateTopLevel(RECT{200, 100, 800, 500}, WS_POPUP | WS_VISIBLE);
    TemplateBuilder b(40, 20, WS_POPUP);
    b.Add("BUTTON", "x", 1, 0, 0, 0, 10, 10);
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Style(WS_POPUP).Get(), owner, &Proc, 0);
    kq::DialogTemplate moved = *b.Get();
    moved.x = 10;
    moved.y = 8;
    HWND placed = CreateDialogIndirectParam(nullptr, &moved, owner, &Proc, 0);
    RECT r{};
    GetWindowRect(placed, &r);
    EXPECT_EQ(r.left, 215);
    EXPECT_EQ(r.top, 113);
    EXPECT_EQ(GetWindow(placed, GW_OWNER), owner);

    moved.style |= DS_CENTER;
    HWND centred = CreateDialogIndirectParam(nullptr, &moved, owner, &Proc, 0);
    GetWindowRect(centred, &r);
    EXPECT_NEAR(r.left + r.right, 1920, 1);
    EXPECT_NEAR(r.top + r.bottom, 1080, 1);
    (void)dlg;
}

TEST_F(DialogTemplateTest, AChildDialogJoinsItsParentsTabOrder) {
    TemplateBuilder outer(200, 100, WS_POPUP | WS_VISIBLE);
    outer.Add("EDIT", "", 10, WS_TABSTOP, 0, 0, 50, 10)
        .Add("BUTTON", "OK", IDOK, WS_TABSTOP, 0, 80, 50, 14);
    HWND dlg = Modeless(outer.Get());
    TemplateBuilder inner(100, 40, WS_CHILD | WS_VISIBLE | DS_CONTROL | WS_CAPTION);
    inner.Add("EDIT", "", 20, WS_TABSTOP, 0, 0, 50, 10)
        .Add("EDIT", "", 21, WS_TABSTOP, 0, 20, 50, 10);
    HWND page = CreateDialogIndirectParam(nullptr, inner.Get(), dlg, &Proc, 0);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(GetParent(page), dlg);
    EXPECT_FALSE(GetWindowLong(page, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(GetWindowLong(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    SetDialogFocus(dlg, GetDlgItem(dlg, 10));
    KeyPress(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDOK));
    KeyPress(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, 20));
    KeyPress(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, 21));
    KeyPress(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 10));
}

TEST_F(DialogTemplateTest, InitDialogDecidesTheFirstFocus) {
    TemplateBuilder b(100, 60, WS_POPUP | WS_VISIBLE);
    b.Add("EDIT", "", 10, WS_TABSTOP, 0, 0, 50, 10).Add("EDIT", "", 11, WS_TABSTOP, 0, 20, 50, 10);
    dialogHandler_ = [](HWND dlg, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m != WM_INITDIALOG)
            return FALSE;
        SetFocus(GetDlgItem(dlg, 11));
        return FALSE;
    };
    HWND dlg = Modeless(b.Get());
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 11));
    DestroyWindow(dlg);
    dialogHandler_ = nullptr;
    dlg = Modeless(b.Get());
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 10));
    // Focus comes back to the control that had it when the dialog is activated again.
    SetFocus(GetDlgItem(dlg, 11));
    HWND other = CreateTopLevel(RECT{0, 0, 50, 50});
    EXPECT_EQ(GetActiveWindow(), other);
    SetActiveWindow(dlg);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 11));
}

TEST_F(DialogTemplateTest, DialogsFoundByNameWithTheirMenu) {
    static const kq::MenuItemTemplate items[] = {{"&File", 0, kq::MenuItemTemplate::Popup, {}}};
    const kq::MenuResource menus[] = {{kq::ResourceName(200), kq::MenuTemplate{items}}};
    TemplateBuilder b(100, 60, WS_POPUP | WS_CAPTION);
    b.Add("BUTTON", "OK", IDOK, WS_TABSTOP, 5, 5, 40, 14);
    kq::DialogTemplate withMenu = *b.Get();
    withMenu.menu = kq::ResourceName(200);
    const kq::DialogResource dialogs[] = {{kq::ResourceName(100), withMenu},
                                          {kq::ResourceName("PLAIN"), *b.Get()}};
    const kq::ResourceBundle bundle{{}, dialogs, menus, {}, {}};
    kq::InstallResources(bundle);
    HWND dlg = CreateDialogParam(nullptr, MAKEINTRESOURCE(100), nullptr, &Proc, 0);
    HWND plain = CreateDialogParam(nullptr, "plain", nullptr, &Proc, 0);
    ASSERT_NE(dlg, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_NE(GetMenu(dlg), nullptr);
    EXPECT_EQ(GetMenu(plain), nullptr);
    RECT a{}, c{};
    GetClientRect(dlg, &a);
    GetClientRect(plain, &c);
    EXPECT_EQ(a.bottom, c.bottom);  // the menu bar comes on top of the client area
    RECT wa{}, wc{};
    GetWindowRect(dlg, &wa);
    GetWindowRect(plain, &wc);
    EXPECT_GT(wa.bottom - wa.top, wc.bottom - wc.top);
    DestroyWindow(dlg);
    DestroyWindow(plain);
    kq::UninstallResources(bundle);
    EXPECT_EQ(CreateDialogParam(nullptr, MAKEINTRESOURCE(100), nullptr, &Proc, 0), nullptr);
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(100), nullptr, &Proc, 0), -1);
}

TEST_F(DialogTemplateTest, ItemTextsAndNumbers) {
    TemplateBuilder b(100, 60, WS_POPUP);
    b.Add("EDIT", "", 10, 0, 0, 0, 50, 10)
        .Add("BUTTON", "c", 20, BS_AUTOCHECKBOX, 0, 20, 50, 10)
        .Add("BUTTON", "r1", 30, BS_AUTORADIOBUTTON | WS_GROUP, 0, 30, 50, 10)
        .Add("BUTTON", "r2", 31, BS_AUTORADIOBUTTON, 0, 40, 50, 10);
    HWND dlg = Modeless(b.Get());
    BOOL ok = FALSE;
    const std::pair<const char*, bool> unsignedCases[] = {
        {" 42 ", true}, {"+7", true},   {"4294967295", true}, {"4294967296", false},
        {"-7", false},  {"12a", false}, {"", false},          {"1 2", false}};
    for (auto [text, valid] : unsignedCases) {
        SetDlgItemText(dlg, 10, text);
        GetDlgItemInt(dlg, 10, &ok, FALSE);
        EXPECT_EQ(ok != FALSE, valid) << text;
    }
    SetDlgItemText(dlg, 10, "-2147483648");
    EXPECT_EQ(static_cast<int>(GetDlgItemInt(dlg, 10, &ok, TRUE)), INT32_MIN);
    EXPECT_TRUE(ok);
    SetDlgItemText(dlg, 10, "2147483648");
    EXPECT_EQ(GetDlgItemInt(dlg, 10, &ok, TRUE), 0u);
    EXPECT_FALSE(ok);
    SetDlgItemInt(dlg, 10, static_cast<UINT>(-15), TRUE);
    char text[16];
    EXPECT_EQ(GetDlgItemText(dlg, 10, text, sizeof text), 3u);
    EXPECT_STREQ(text, "-15");

    CheckDlgButton(dlg, 20, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 20), BST_CHECKED);
    CheckRadioButton(dlg, 30, 31, 31);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 30), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 31), BST_CHECKED);
    EXPECT_EQ(GetDlgItemText(dlg, 99, text, sizeof text), 0u);
    EXPECT_STREQ(text, "");
}

TEST_F(DialogTemplateTest, HandledMessagesAnswerThroughMsgResult) {
    TemplateBuilder b(100, 60, WS_POPUP);
    dialogHandler_ = [](HWND dlg, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_APP) {
            SetWindowLongPtr(dlg, DWLP_MSGRESULT, 1234);
            return TRUE;
        }
        if (m == WM_CTLCOLORSTATIC)
            return 0x77;
        return m == WM_INITDIALOG;
    };
    HWND dlg = Modeless(b.Get());
    EXPECT_EQ(SendMessage(dlg, WM_APP, 0, 0), 1234);
    EXPECT_EQ(SendMessage(dlg, WM_CTLCOLORSTATIC, 0, 0), 0x77);
    EXPECT_EQ(SendMessage(dlg, WM_APP + 1, 0, 0), 0);
}

}  // namespace
}  // namespace kq::ui::test
