// An operator's hands and eyes on an X display: pointer moves, clicks, the wheel and keys sent
// as XTest events (the X server delivers them as it delivers a real mouse's and keyboard's), and
// pictures of the screen.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "Pictures.h"

struct _XDisplay;

namespace x11test {

class Hands {
  public:
    Hands() = default;
    ~Hands();
    Hands(const Hands&) = delete;
    Hands& operator=(const Hands&) = delete;

    // Connects to the display; false when it does not open or has no XTest.
    bool Open(const std::string& display);
    bool IsOpen() const { return display_ != nullptr; }
    void Close();
    Box Screen() const;

    void Move(int x, int y);
    // Moves there, presses and releases the button (1 left, 3 right).
    void Click(int x, int y, unsigned button = 1);
    void Button(unsigned button, bool down);
    // Drags with the left button from one point to another in a few steps.
    void Drag(int fromX, int fromY, int toX, int toY);
    // Wheel notches over the point: positive away from the user (up), negative towards.
    void Wheel(int x, int y, int notches);
    // A key by its X name ("Escape", "Tab", "m") with modifier keys held ("Control_L").
    void Key(const char* name, std::initializer_list<const char*> held = {});
    // Letters, digits and the punctuation of file names, typed key by key.
    void Type(const std::string& text);

    // The desktop around the program, set before it starts: its monitors (RandR; the first is
    // the primary one) and its resources ("Xft.dpi:\t192\n").
    void SetMonitors(const std::vector<Box>& monitors);
    void SetResources(const std::string& text);
    bool WindowManagerRuns() const;
    // The top-level X window whose class hint names `name` (a window manager's frame holds it);
    // 0 for none.
    unsigned long WindowOfClass(const std::string& name) const;
    // The window the window manager names active (_NET_ACTIVE_WINDOW); 0 for none.
    unsigned long ActiveWindow() const;
    // Where a window lies on the screen, without the window manager's decoration.
    Box WindowBox(unsigned long window) const;
    // Asks the window manager to close the window, as its close button does.
    void CloseWindow(unsigned long window);
    // Whether the window's program answers the window manager's ping (_NET_WM_PING) within `ms`:
    // a program that does not is hung.
    bool AnswersPing(unsigned long window, int ms);

    Picture Grab(const Box& box) const;
    Picture GrabScreen() const { return Grab(Screen()); }

  private:
    void Flush();
    void KeyCode(unsigned code, bool down);

    _XDisplay* display_ = nullptr;
};

}  // namespace x11test
