// The program's top-level windows as X windows of their own, for a desktop whose window manager
// decorates, moves, sizes, stacks and focuses them.
//
// A window with a caption is managed: its X window shows the window below its caption and
// inside its frame (the window manager draws both), titled with the window's text, transient
// for its owner or, while that is hidden, the window the operator sees in its place (a dialog,
// modal while the owner is disabled; a tool window a utility), no smaller than the window's
// minimum track size. A floating bar keeps its own caption and frame, undecorated by the window
// manager, so that the program's own drag docks it again. Where the window manager moves or sizes
// it, the window follows (WM_MOVE, WM_SIZE); its iconify and maximise become SC_MINIMIZE,
// SC_RESTORE and SC_MAXIMIZE for unowned windows, and the program's own minimise and maximise ask
// the window manager for the same. Its close asks the window for SC_CLOSE; its focus activates the
// window (or, while the window is disabled, the dialog that disabled it), and a window the
// program activates is asked of the window manager (_NET_ACTIVE_WINDOW). Until the window manager
// has shown a window it maps, the window keeps the place the program gave it. The windows form
// one group under a leader window that is never shown; they offer the window manager only what
// they can do (_MOTIF_WM_HINTS: a fixed dialog moves and closes), take the focus (WM_HINTS),
// answer its pings (_NET_WM_PING) and, opened while another program has the keyboard, ask for
// the operator's attention. Owned windows show as icons while their owner does.
//
// A window without a caption (menu, drop-down, tool tip, calendar) is a pop-up: an
// override-redirect X window at its place, over everything; while a menu shows, the pointer
// and the keyboard are grabbed for it, so that a click elsewhere on the desktop closes it. A
// pop-up stands back while a modal dialog runs for the window it belongs to.
//
// The program's screen is the root window's (divided by the scale): a window's screen
// rectangle is where its X window lies.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/UiTypes.h"

struct _XDisplay;
union _XEvent;

namespace kq::ui::detail {

// Whether the program's windows are to be X windows of their own: KQ7B_X11_MODE=managed or
// =desktop where the operator chooses, else where a window manager runs (it names its check
// window, _NET_SUPPORTING_WM_CHECK, on the root window and on that window itself).
bool WantsManagedWindows(_XDisplay* display);

class X11TopWindows {
  public:
    struct Top {
        HWND hwnd = nullptr;
        unsigned long window = 0;
        bool popup = false;
        bool mapped = false;     // the program shows it (the window manager may show it iconic)
        bool iconic = false;     // the window manager shows it as an icon
        bool maximized = false;  // the window manager keeps it maximised
        bool zoomed = false;     // the program's maximised state as last followed
        RECT screen{};           // where the X window lies, in the program's screen coordinates
        std::string title;
        SIZE minSize{-1, -1};
        // Mapped, not yet shown: until the window manager has placed it, what the server says of
        // its place is not where it will be.
        bool awaitingMap = false;
        bool urgent = false;  // asks for the operator's attention (opened while unfocused)
    };
    // `added` hears of every X window made (true) and before it is destroyed (false).
    X11TopWindows(_XDisplay* display, int scale, unsigned long background,
                  std::function<void(unsigned long window, bool added)> added);
    ~X11TopWindows();
    X11TopWindows(const X11TopWindows&) = delete;
    X11TopWindows& operator=(const X11TopWindows&) = delete;

    // Makes the X windows show the top-level windows as the window tree now has them.
    void Follow();
    // The window manager's word about a window: true when the event was about one of these
    // windows and needs nothing else.
    bool Handle(_XEvent& event);
    // The X window has the keyboard focus: its window becomes the active one.
    void Focused(unsigned long window);
    // Whether one of the program's windows has the keyboard focus: windows that open while none
    // has it ask for the operator's attention until one has it again.
    void SetProgramFocused(bool focused);
    const std::vector<Top>& Tops() const { return tops_; }
    const Top* Find(unsigned long window) const;
    void SetCursor(unsigned long cursor);
    // The connection is gone: nothing more is sent.
    void Abandon() { display_ = nullptr; }

  private:
    Top* FindWindow(HWND hwnd);
    Top& Add(HWND hwnd);
    void Remove(size_t index);
    void FollowWindow(HWND hwnd);
    void Map(Top& top, RECT shown);
    void Withdraw(Top& top);
    // The window manager keeps the window no smaller than the tree allows (WM_GETMINMAXINFO);
    // `placed`: the window was placed anew, its hints are written whole.
    void FollowMinimumSize(Top& top, bool placed);
    void MoveResize(Top& top, const RECT& shown);
    // Where the window tree's window lies now, as its X window shows it.
    RECT ShownRect(HWND hwnd) const;
    // The window takes the X window's place in the tree.
    void Follow(Top& top, const RECT& screen);
    // The window takes the place where the server now has its X window.
    void FollowServerPlace(Top& top);
    // The windows the window owns become icons with it and come back with it.
    void FollowOwnerIcon(const Top& owner);
    void FollowActivation();
    void FollowMenuGrab();
    void ReadState(Top& top);
    void ReadMaximized(Top& top);
    void AskMaximized(const Top& top, bool maximized);
    void AskActive(const Top& top);
    // A client message about the window to the root window, where the window manager hears it.
    void AskWindowManager(unsigned long window, const char* request, long a, long b, long c,
                          long d);
    unsigned long Intern(const char* name);

    _XDisplay* display_;
    int scale_;
    unsigned long background_;
    std::function<void(unsigned long, bool)> added_;
    std::vector<Top> tops_;
    HWND activeShown_ = nullptr;  // the active window as the window manager was last told
    unsigned long grabbed_ = 0;   // the menu window that holds the pointer and the keyboard
    unsigned long cursor_ = 0;
    unsigned long leader_ = 0;  // the window group's leader
    bool programFocused_ = true;
};

}  // namespace kq::ui::detail
