// The state of an edit control and the view functions that place its text in the window.
#pragma once

#include <memory>

#include "platform/ui/UiTypes.h"
#include "platform/ui/controls/EditLayout.h"
#include "platform/ui/controls/EditModel.h"

namespace kq::ui::detail {

struct EditState {
    EditModel model;
    EditLayout layout;
    bool layoutDirty = true;
    HFONT font = nullptr;
    int leftMargin = 1;
    int rightMargin = 1;
    bool customRect = false;  // EM_SETRECT gave the formatting rectangle
    RECT rect{};
    size_t firstLine = 0;  // first visible line of a multi-line edit
    int xOffset = 0;       // pixels scrolled to the left
    char32_t passwordChar = U'*';
    bool focused = false;
    bool mouseSelecting = false;
    int goalX = -1;        // the x that Up and Down keep to
    HWND combo = nullptr;  // the combo box this edit belongs to
};

// Null for windows that are not edits.
std::shared_ptr<EditState> EditStateOf(HWND hwnd);

bool IsMultiLine(HWND hwnd);
// The rectangle the text is formatted in: the client area less the margins.
RECT FormatRect(HWND hwnd, const EditState& e);
const EditLayout& CurrentLayout(HWND hwnd, EditState& e);
int LineHeight(const EditState& e);
size_t VisibleLines(HWND hwnd, const EditState& e);
// Left end of a line in client coordinates, with alignment and horizontal scrolling.
int LineOrigin(HWND hwnd, EditState& e, size_t line);
// Client position of the character boundary before pos (the top of its line).
POINT PositionOfChar(HWND hwnd, EditState& e, size_t pos);
size_t CharAtPoint(HWND hwnd, EditState& e, POINT pt);
// Whether the model's text can be shown without scrolling where the style forbids it (a
// single-line edit without ES_AUTOHSCROLL, a multi-line edit without ES_AUTOVSCROLL).
bool FitsWithoutForbiddenScroll(HWND hwnd, EditState& e, const EditModel& model);
// Brings the caret into view, then moves the system caret and updates the scroll bars.
void ScrollCaretIntoView(HWND hwnd, EditState& e);
void ClampScroll(HWND hwnd, EditState& e);
void RefreshCaret(HWND hwnd, EditState& e);
void RefreshScrollBars(HWND hwnd, EditState& e);
void PaintEdit(HWND hwnd, EditState& e, HDC dc);

}  // namespace kq::ui::detail
