// The operations of an edit control shared by its message handling and its input handling.
#pragma once

#include <functional>
#include <string>

#include "platform/ui/controls/detail/EditState.h"

namespace kq::ui::detail {

// Changes the text through `change` on a copy of the model; refuses (EN_MAXTEXT, false) when
// checkFit is set and the result would need scrolling the style forbids. On success the view
// follows and EN_UPDATE, EN_CHANGE go to the parent.
bool ChangeText(HWND hwnd, EditState& e, const std::function<void(EditModel&)>& change,
                bool checkFit);
// Sends EN_UPDATE and EN_CHANGE after a change of the text; false when the window is gone.
bool NotifyTextChanged(HWND hwnd, EditState& e);
// Inserts typed or pasted text in place of the selection, applying the case and limit rules.
bool InsertText(HWND hwnd, EditState& e, std::u32string text, bool typing);
void SetSelection(HWND hwnd, EditState& e, size_t anchor, size_t caret, bool scroll);

LRESULT EditKeyDown(HWND hwnd, EditState& e, WPARAM vk);
LRESULT EditChar(HWND hwnd, EditState& e, WPARAM ch);
void EditMouseDown(HWND hwnd, EditState& e, POINT pt);
// Pastes the primary selection where the middle button was pressed.
void EditMiddleClick(HWND hwnd, EditState& e, POINT pt);
void EditMouseMove(HWND hwnd, EditState& e, POINT pt);
void EditMouseUp(HWND hwnd, EditState& e, POINT pt);
void EditDoubleClick(HWND hwnd, EditState& e, POINT pt);
void EditCopy(HWND hwnd, EditState& e);
void EditCut(HWND hwnd, EditState& e);
void EditPaste(HWND hwnd, EditState& e);
void EditClear(HWND hwnd, EditState& e);
bool EditUndo(HWND hwnd, EditState& e);

}  // namespace kq::ui::detail
