// The window records behind HWND handles. Every field is guarded by TreeMutex(); a Window*
// is only valid while that lock is held, or on the owner thread until the next message call
// (which may destroy the window), so code re-finds windows by handle after calling out.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ui/Styles.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/paint/PaintState.h"

namespace kq::ui::detail {

class ThreadQueue;

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    LPCSTR menuName = nullptr;  // points into menuNameText, or an integer resource id
    std::string menuNameText;
    int liveWindows = 0;
};

enum class WindowStage { Creating, Alive, Destroying };

struct Window {
    HWND hwnd = nullptr;
    std::shared_ptr<WindowClass> cls;
    std::shared_ptr<ThreadQueue> queue;  // null for the desktop, which no thread owns
    DWORD threadId = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;  // child windows: the control id; others: the menu handle
    HINSTANCE instance = nullptr;
    WNDPROC proc = nullptr;
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;
    std::string text;
    Window* parent = nullptr;       // the desktop for top-level windows
    Window* owner = nullptr;        // top-level windows only
    std::vector<Window*> children;  // in z-order, the topmost first
    RECT rect{};                    // window rectangle in the parent's client coordinates
    RECT client{};                  // client rectangle relative to the window's top-left corner
    RECT normalRect{};              // restored rectangle, kept while minimised or maximised
    bool restoreToMaximized = false;
    // Top-level windows: the window inside that had the keyboard focus when it last left them.
    HWND focusLeftAt = nullptr;
    WindowPaint paint;
    WindowStage stage = WindowStage::Creating;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    bool IsTopLevel() const;
};

// Guards the handle table, every Window, the class table and the z-order lists.
std::mutex& TreeMutex();

// All of the following expect TreeMutex() to be held.
Window* Lookup(HWND hwnd);  // null unless a live window (the desktop is live)
Window& Desktop();
HWND AddToTable(std::unique_ptr<Window> window);
void RemoveFromTable(Window* window);  // unlinks and frees the record
// How many windows were removed so far: a list of handles taken while it had a value holds only
// live windows as long as it keeps it.
uint64_t RemovedWindows();
std::vector<Window*> WindowsOfThread(DWORD threadId);

// Relations and coordinates (lock held).
Window* TopLevelOf(Window* w);
bool IsDescendant(const Window* ancestor, const Window* w);
bool IsVisibleChain(const Window& w);
bool IsEnabledChain(const Window& w);  // the window and every ancestor up to its top level
POINT ClientOriginOnScreen(const Window& w);
RECT WindowRectOnScreen(const Window& w);
RECT ClientRectOnScreen(const Window& w);
void Unlink(Window* w);
void LinkChild(Window* parent, Window* w, bool atBottom);
// Moves a window within its sibling list (HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST
// or behind a sibling). Among top-level windows it honours the topmost band, keeps an owned
// window above its owner and, with moveOwned, brings the windows it owns along above it.
void PlaceInZOrder(Window* w, HWND insertAfter, bool moveOwned);

}  // namespace kq::ui::detail
