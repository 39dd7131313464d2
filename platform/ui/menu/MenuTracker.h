// The modal loop that tracks a pop-up menu (and its open sub-menus) by mouse and keyboard.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/menu/PopupLayout.h"

namespace kq::ui::menu {

class MenuTracker {
  public:
    MenuTracker(HWND owner, UINT flags) : owner_(owner), flags_(flags) {}
    ~MenuTracker();
    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    // Runs until a choice or a cancel; the chosen command, 0 when cancelled.
    UINT Run(HMENU menu, POINT at, const RECT* exclude);
    // The menu bar of the owner, with the item's pop-up open (a click on the bar); a choice
    // is posted to the owner as WM_COMMAND.
    UINT RunBar(HMENU bar, int item, bool byMouse);
    // The bar entered from the keyboard: ch 0 highlights the first item, else the item with
    // that mnemonic opens. Nothing happens when no item has it.
    UINT RunBarByKey(HMENU bar, char32_t ch);
    void Cancel() { done_ = true; }
    // The highlighted item of the window's menu bar, or -1.
    int BarSelection(HWND hwnd) const { return hwnd == owner_ && barMenu_ ? barSel_ : -1; }

    // The tracker of the calling thread, or null.
    static MenuTracker* Current();

  private:
    struct Level {
        std::unique_ptr<PopupView> view;
        HWND window = nullptr;
        RECT screen{};
    };

    bool Notify() const { return (flags_ & TPM_NONOTIFY) == 0; }
    void Enter(HMENU menu, bool popup);
    void Loop();
    UINT Leave(bool popup);
    HWND CaptureWindow() const;
    static bool ItemOf(HMENU menu, int index, MenuItem& out);
    int BarItemAt(POINT pt) const;
    void BarSelect(int index, bool open, bool selectFirst);
    void BarStep(int direction);
    bool OnBarMouse(const MSG& msg);
    bool OpenLevel(HMENU menu, int indexInParent, RECT place, bool besideParent);
    void CloseLevelsAbove(size_t keep);
    void Select(size_t level, int index, bool byMouse);
    void SendMenuSelect(size_t level, int index, bool byMouse);
    // Opens the sub-menu of the selected item of the level, or chooses the item.
    void Execute(size_t level, bool selectFirst);
    bool ItemInfo(size_t level, int index, MenuItem& out) const;
    int ItemCount(size_t level) const;
    void Step(int direction);
    void OnMouse(const MSG& msg);
    void OnKey(const MSG& msg);
    void OnChar(char32_t ch);
    // The deepest level whose window holds the screen point, or -1.
    int LevelAt(POINT pt) const;
    // A button press off the bar and every open pop-up: it ends the tracking and then goes on
    // to the window it was meant for.
    bool PressesOutside(const MSG& msg) const;

    HWND owner_;
    UINT flags_;
    std::vector<Level> levels_;
    bool done_ = false;
    UINT chosen_ = 0;
    MenuTracker* previous_ = nullptr;
    HMENU barMenu_ = nullptr;  // tracking the owner's menu bar
    std::vector<RECT> barRects_;
    int barSel_ = -1;
    bool hasExclude_ = false;
    RECT exclude_{};
};

}  // namespace kq::ui::menu
