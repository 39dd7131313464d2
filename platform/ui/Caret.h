// The caret: one per program, owned by a window. Kept as state here; the painting code draws
// it where the state says.
#pragma once

#include "platform/ui/UiTypes.h"

// A new caret starts hidden; each HideCaret needs a ShowCaret to undo it.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT ms);

namespace kq::ui {

struct CaretState {
    HWND owner = nullptr;
    HBITMAP bitmap = nullptr;
    SIZE size{};
    POINT pos{};  // client coordinates of the owner
    bool visible = false;
};

CaretState GetCaretState();

}  // namespace kq::ui
