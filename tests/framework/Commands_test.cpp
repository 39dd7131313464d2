// Commands, control notifications, WM_NOTIFY and their reflection to the controls that sent
// them; update handlers and the idle update of dialog controls.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kCmdOpen = 100;
constexpr UINT kCmdFirst = 200;
constexpr UINT kCmdLast = 205;
constexpr UINT kCmdDisabled = 300;
constexpr UINT kCmdEx = 310;
constexpr int kIdButton = 1001;
constexpr int kIdEdit = 1002;
constexpr int kIdList = 1003;
constexpr UINT kNotifyClick = static_cast<UINT>(-2);
constexpr UINT kNotifyOther = static_cast<UINT>(-3);
constexpr WORD kBnClicked = 0;

class CHost : public CWnd {
  public:
    std::vector<std::string> log;
    BOOL exAnswer = TRUE;

    void OnOpen() { log.push_back("open"); }
    void OnRange(UINT id) { log.push_back(kq::Format("range %u", id)); }
    BOOL OnEx(UINT id) {
        log.push_back(kq::Format("ex %u", id));
        return exAnswer;
    }
    void OnDisabledCommand() { log.push_back("disabled ran"); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnButton() { log.push_back("button"); }
    void OnEditChange() { log.push_back("edit change"); }
    void OnListClick(NMHDR*, LRESULT* result) {
        log.push_back("list click");
        *result = 11;
    }
    void OnAnyOther(UINT id, NMHDR*, LRESULT*) { log.push_back(kq::Format("other from %u", id)); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHost, CWnd)
ON_COMMAND(kCmdOpen, &CHost::OnOpen)
ON_COMMAND_RANGE(kCmdFirst, kCmdLast, &CHost::OnRange)
ON_COMMAND_EX(kCmdEx, &CHost::OnEx)
ON_COMMAND(kCmdDisabled, &CHost::OnDisabledCommand)
ON_UPDATE_COMMAND_UI(kCmdDisabled, &CHost::OnUpdateDisabled)
ON_BN_CLICKED(kIdButton, &CHost::OnButton)
ON_EN_CHANGE(kIdEdit, &CHost::OnEditChange)
ON_NOTIFY(kNotifyClick, kIdList, &CHost::OnListClick)
ON_NOTIFY_RANGE(kNotifyOther, 1000, 1999, &CHost::OnAnyOther)
END_MESSAGE_MAP()

// A control that handles its own notifications first.
class CSelfAware : public CWnd {
  public:
    std::vector<std::string>* log = nullptr;
    BOOL passOn = FALSE;

    BOOL OnClickedHere() {
        log->push_back("reflected click");
        return !passOn;  // FALSE lets the parent have it too
    }
    void OnNotifyHere(NMHDR* header, LRESULT* result) {
        log->push_back(kq::Format("reflected notify %u", header->code));
        *result = 22;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfAware, CWnd)
ON_CONTROL_REFLECT_EX(kBnClicked, &CSelfAware::OnClickedHere)
ON_NOTIFY_REFLECT(kNotifyClick, &CSelfAware::OnNotifyHere)
END_MESSAGE_MAP()

class Commands : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(host_.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                   nullptr));
    }
    LRESULT Command(UINT id, WORD code = 0, HWND control = nullptr) {
        return host_.SendMessage(WM_COMMAND, MAKEWPARAM(id, code),
                                 reinterpret_cast<LPARAM>(control));
    }
    LRESULT Notify(HWND from, UINT id, UINT code) {
        NMHDR header{from, id, code};
        return host_.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
    }

    CHost host_;
};

TEST_F(Commands, CommandsFindTheirHandlersBySingleIdRangeAndEx) {
    Command(kCmdOpen);
    Command(kCmdFirst + 3);
    Command(kCmdLast + 1);  // outside the range: nobody
    Command(kCmdEx);
    EXPECT_EQ(host_.log, (std::vector<std::string>{"open", "range 203", "ex 310"}));

    AFX_CMDHANDLERINFO info{};
    EXPECT_TRUE(host_.OnCmdMsg(kCmdFirst, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &host_);
    EXPECT_FALSE(host_.OnCmdMsg(kCmdLast + 1, CN_COMMAND, nullptr, &info));
    host_.exAnswer = FALSE;
    EXPECT_FALSE(host_.OnCmdMsg(kCmdEx, CN_COMMAND, nullptr, nullptr));
}

TEST_F(Commands, AMenuCommandThatItsUpdateHandlerDisablesDoesNotRun) {
    EXPECT_EQ(Command(kCmdDisabled), 1);  // handled: swallowed
    EXPECT_TRUE(host_.log.empty());
    // The same id as a control notification is not subject to the update handler.
    HWND control = CreateFakeControl(host_.m_hWnd, static_cast<int>(kCmdDisabled));
    Command(kCmdDisabled, kBnClicked, control);
    EXPECT_EQ(host_.log, std::vector<std::string>{"disabled ran"});
}

TEST_F(Commands, ControlNotificationsAreReflectedToTheControlFirst) {
    HWND button = CreateFakeControl(host_.m_hWnd, kIdButton);
    Command(kIdButton, kBnClicked, button);
    EXPECT_EQ(host_.log, std::vector<std::string>{"button"});

    CSelfAware self;
    self.log = &host_.log;
    ASSERT_TRUE(self.SubclassWindow(button));
    host_.log.clear();
    Command(kIdButton, kBnClicked, button);
    EXPECT_EQ(host_.log, std::vector<std::string>{"reflected click"});

    self.passOn = TRUE;
    host_.log.clear();
    Command(kIdButton, kBnClicked, button);
    EXPECT_EQ(host_.log, (std::vector<std::string>{"reflected click", "button"}));
    self.UnsubclassWindow();
}

TEST_F(Commands, NotificationsCarryTheirHeaderAndResult) {
    HWND list = CreateFakeControl(host_.m_hWnd, kIdList);
    EXPECT_EQ(Notify(list, kIdList, kNotifyClick), 11);
    EXPECT_EQ(Notify(list, 1500, kNotifyOther), 0);
    EXPECT_EQ(host_.log, (std::vector<std::string>{"list click", "other from 1500"}));

    CSelfAware self;
    self.log = &host_.log;
    ASSERT_TRUE(self.SubclassWindow(list));
    host_.log.clear();
    EXPECT_EQ(Notify(list, kIdList, kNotifyClick), 22);
    EXPECT_EQ(host_.log, std::vector<std::string>{"reflected notify 4294967294"});
    self.UnsubclassWindow();
}

TEST_F(Commands, UpdateDataHoldsBackNotificationsOfTheControlsItFills) {
    class CForm : public CHost {
      public:
        CString text = "filled";
        void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kIdEdit, text); }
    };
    CForm form;
    ASSERT_TRUE(
        form.CreateEx(0, nullptr, "form", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    HWND edit = CreateFakeControl(form.m_hWnd, kIdEdit);
    EXPECT_TRUE(form.UpdateData(FALSE));
    EXPECT_EQ(TextOf(edit), "filled");
    EXPECT_TRUE(form.log.empty());
    SetWindowText(edit, "typed");
    EXPECT_EQ(form.log, std::vector<std::string>{"edit change"});
}

class CTarget : public CCmdTarget {
  public:
    void OnUpdateFirst(CCmdUI* ui) {
        ui->Enable(FALSE);
        ui->SetText("first updated");
    }
    void OnUpdateSecond(CCmdUI* ui) { ui->SetCheck(1); }
    void OnSecond() {}
    void OnThird() {}

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTarget, CCmdTarget)
ON_UPDATE_COMMAND_UI(11, &CTarget::OnUpdateFirst)
ON_UPDATE_COMMAND_UI(12, &CTarget::OnUpdateSecond)
ON_COMMAND(12, &CTarget::OnSecond)
ON_COMMAND(13, &CTarget::OnThird)
END_MESSAGE_MAP()

TEST_F(Commands, DialogControlsAreUpdatedThroughTheTargetsHandlers) {
    CTarget target;
    HWND first = CreateFakeControl(host_.m_hWnd, 11);
    HWND second = CreateFakeControl(host_.m_hWnd, 12);
    HWND third = CreateFakeControl(host_.m_hWnd, 13);
    HWND orphan = CreateFakeControl(host_.m_hWnd, 14);
    HWND autoCheck = CreateFakeControl(host_.m_hWnd, 15, WS_CHILD | WS_VISIBLE | 0x03);
    host_.UpdateDialogControls(&target, TRUE);
    EXPECT_FALSE(IsWindowEnabled(first));
    EXPECT_EQ(TextOf(first), "first updated");
    EXPECT_EQ(checks_[second], 1);
    EXPECT_TRUE(IsWindowEnabled(third));      // a command handler exists
    EXPECT_FALSE(IsWindowEnabled(orphan));    // a button without any handler
    EXPECT_TRUE(IsWindowEnabled(autoCheck));  // an automatic check box keeps working
}

}  // namespace

namespace {

class CColoured : public CWnd {
  public:
    HBRUSH brush = nullptr;
    UINT seenType = 99;
    HBRUSH CtlColor(CDC* dc, UINT type) {
        seenType = type;
        EXPECT_NE(dc, nullptr);
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColoured, CWnd)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CColouringParent : public CWnd {
  public:
    HBRUSH own = nullptr;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT type) {
        if (type == 1)  // edits
            return own;
        return CWnd::OnCtlColor(dc, wnd, type);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouringParent, CWnd)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(Commands, ControlColoursComeFromTheParentOrTheControlItself) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH mine = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH parents = CreateSolidBrush(RGB(4, 5, 6));
    CColouringParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    parent.own = parents;
    CColoured child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &parent, 5));
    child.brush = mine;

    auto colour = [&](UINT message) {
        return reinterpret_cast<HBRUSH>(parent.SendMessage(message, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(child.m_hWnd)));
    };
    EXPECT_EQ(colour(WM_CTLCOLORSTATIC), mine);
    EXPECT_EQ(child.seenType, 6u);
    EXPECT_EQ(colour(WM_CTLCOLOREDIT), parents);
    // A control that gives no brush leaves the colouring to the default handling: the
    // system's brush.
    child.brush = nullptr;
    EXPECT_EQ(colour(WM_CTLCOLORBTN), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(child.seenType, 3u);

    // Without a WM_CTLCOLOR handler of its own a window still lets the control answer.
    CWnd plainParent;
    ASSERT_TRUE(plainParent.CreateEx(0, nullptr, "q", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    child.SetParent(&plainParent);
    child.brush = mine;
    child.seenType = 99;
    EXPECT_EQ(reinterpret_cast<HBRUSH>(
                  plainParent.SendMessage(WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                          reinterpret_cast<LPARAM>(child.m_hWnd))),
              mine);
    EXPECT_EQ(child.seenType, 2u);
    DeleteObject(mine);
    DeleteObject(parents);
    DeleteDC(dc);
}

}  // namespace
