// Keyboard, mouse and clipboard handling of the edit control.
#include <algorithm>

#include "platform/ui/Clipboard.h"
#include "platform/ui/DesktopSelections.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/EditOps.h"

namespace kq::ui::detail {
namespace {

char32_t ToUpper(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 32;
    return c;
}

bool ReadOnly(HWND hwnd) {
    return (StyleOf(hwnd) & ES_READONLY) != 0;
}

// Line breaks of pasted text become "\r\n" in a multi-line edit; a single-line edit takes
// the first line only.
std::u32string PrepareLines(HWND hwnd, std::u32string text) {
    if (!IsMultiLine(hwnd)) {
        size_t end = text.find_first_of(U"\r\n");
        if (end != std::u32string::npos)
            text.resize(end);
        return text;
    }
    std::u32string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\r') {
            out += U"\r\n";
            if (i + 1 < text.size() && text[i + 1] == U'\n')
                ++i;
        } else if (text[i] == U'\n') {
            out += U"\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

bool PutOnClipboard(HWND hwnd, const std::u32string& text) {
    if (!OpenClipboard(hwnd))
        return false;
    EmptyClipboard();
    const bool ok = kq::ui::SetClipboardText(EncodeText(text));
    CloseClipboard();
    return ok;
}

// A click gives the edit the focus; false when the focus change refused it or destroyed the
// edit.
bool FocusForClick(HWND hwnd) {
    if (GetFocus() == hwnd)
        return true;
    SetFocus(hwnd);
    return IsWindow(hwnd) && GetFocus() == hwnd;
}

// The caret one line up or down, keeping to the goal x.
size_t VerticalTarget(HWND hwnd, EditState& e, int lines) {
    const EditLayout& layout = CurrentLayout(hwnd, e);
    const size_t caret = e.model.Caret();
    const size_t line = layout.LineOf(caret);
    if (e.goalX < 0)
        e.goalX = layout.XOf(line, caret);
    const long target = std::clamp<long>(static_cast<long>(line) + lines, 0,
                                         static_cast<long>(layout.LineCount()) - 1);
    if (target == static_cast<long>(line))
        return caret;
    return layout.PosAt(static_cast<size_t>(target), e.goalX);
}

}  // namespace

void SetSelection(HWND hwnd, EditState& e, size_t anchor, size_t caret, bool scroll) {
    e.model.Select(anchor, caret);
    // What the operator selects is the desktop's primary selection, as in any X program.
    if (e.model.HasSelection() && !(StyleOf(hwnd) & ES_PASSWORD))
        kq::ui::SetPrimarySelection(EncodeText(e.model.SelectedText()));
    if (scroll)
        ScrollCaretIntoView(hwnd, e);
    else
        RefreshCaret(hwnd, e);
}

bool NotifyTextChanged(HWND hwnd, EditState& e) {
    e.layoutDirty = true;
    ScrollCaretIntoView(hwnd, e);
    NotifyParent(hwnd, EN_UPDATE);
    if (!IsWindow(hwnd))
        return false;
    NotifyParent(hwnd, EN_CHANGE);
    return IsWindow(hwnd) != FALSE;
}

bool ChangeText(HWND hwnd, EditState& e, const std::function<void(EditModel&)>& change,
                bool checkFit) {
    EditModel candidate = e.model;
    change(candidate);
    if (candidate.Text() == e.model.Text()) {
        e.model = std::move(candidate);
        ScrollCaretIntoView(hwnd, e);
        return true;
    }
    if (checkFit && !FitsWithoutForbiddenScroll(hwnd, e, candidate)) {
        NotifyParent(hwnd, EN_MAXTEXT);
        return false;
    }
    e.model = std::move(candidate);
    e.goalX = -1;
    NotifyTextChanged(hwnd, e);
    return true;
}

bool InsertText(HWND hwnd, EditState& e, std::u32string text, bool typing) {
    const DWORD style = StyleOf(hwnd);
    for (char32_t& c : text) {
        if (style & ES_UPPERCASE)
            c = ToUpper(c);
        else if (style & ES_LOWERCASE)
            c = FoldCase(c);
    }
    const size_t kept = e.model.Length() - (e.model.SelEnd() - e.model.SelStart());
    const size_t room = e.model.Limit() > kept ? e.model.Limit() - kept : 0;
    if (text.size() > room) {
        if (typing || room == 0) {
            NotifyParent(hwnd, EN_MAXTEXT);
            return false;
        }
        text.resize(room);
        // A "\r\n" cut in half would leave a lone "\r".
        if (!text.empty() && text.back() == U'\r')
            text.pop_back();
        NotifyParent(hwnd, EN_MAXTEXT);
        if (!IsWindow(hwnd))
            return false;
    }
    return ChangeText(
        hwnd, e, [&](EditModel& m) { m.ReplaceSelection(text, true, typing); }, true);
}

LRESULT EditChar(HWND hwnd, EditState& e, WPARAM wParam) {
    const auto ch = static_cast<char32_t>(wParam);
    switch (ch) {
        case 0x03:  // Ctrl+C
            EditCopy(hwnd, e);
            return 0;
        case 0x16:  // Ctrl+V
            EditPaste(hwnd, e);
            return 0;
        case 0x18:  // Ctrl+X
            EditCut(hwnd, e);
            return 0;
        case 0x1A:  // Ctrl+Z
            EditUndo(hwnd, e);
            return 0;
        case 0x01:  // Ctrl+A
            SetSelection(hwnd, e, 0, e.model.Length(), true);
            return 0;
        case U'\b':
            if (!ReadOnly(hwnd))
                ChangeText(
                    hwnd, e, [](EditModel& m) { m.DeleteBackward(); }, false);
            return 0;
        default:
            break;
    }
    if (ReadOnly(hwnd))
        return 0;
    if (ch == U'\r') {
        if (IsMultiLine(hwnd))
            InsertText(hwnd, e, U"\r\n", true);
        return 0;
    }
    if (ch == U'\t') {
        if (IsMultiLine(hwnd))
            InsertText(hwnd, e, U"\t", true);
        return 0;
    }
    if (ch < 0x20 || ch == 0x7F)
        return 0;
    if ((StyleOf(hwnd) & ES_NUMBER) && (ch < U'0' || ch > U'9'))
        return 0;
    InsertText(hwnd, e, std::u32string(1, ch), true);
    return 0;
}

LRESULT EditKeyDown(HWND hwnd, EditState& e, WPARAM vk) {
    const bool shift = IsKeyDown(VK_SHIFT);
    const bool ctrl = IsKeyDown(VK_CONTROL);
    const bool multi = IsMultiLine(hwnd);
    const EditLayout& layout = CurrentLayout(hwnd, e);
    const size_t caret = e.model.Caret();
    const size_t line = layout.LineOf(caret);
    size_t target = caret;
    bool keepGoal = false;
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (!multi && (vk == VK_UP || vk == VK_DOWN))
                vk = vk == VK_UP ? VK_LEFT : VK_RIGHT;
            if (vk == VK_UP || vk == VK_DOWN) {
                target = VerticalTarget(hwnd, e, vk == VK_UP ? -1 : 1);
                keepGoal = true;
            } else if (ctrl) {
                target = vk == VK_LEFT ? e.model.WordLeft(caret) : e.model.WordRight(caret);
            } else if (e.model.HasSelection() && !shift) {
                // Without Shift an arrow first collapses the selection to its end.
                target = vk == VK_LEFT ? e.model.SelStart() : e.model.SelEnd();
            } else if (vk == VK_LEFT) {
                target = caret == 0 ? 0 : caret - 1;
                const auto& text = e.model.Text();
                if (target > 0 && text[target] == U'\n' && text[target - 1] == U'\r')
                    --target;
            } else {
                const auto& text = e.model.Text();
                target = std::min(caret + 1, text.size());
                if (caret < text.size() && text[caret] == U'\r' && target < text.size() &&
                    text[target] == U'\n')
                    ++target;
            }
            break;
        case VK_HOME:
            target = ctrl ? 0 : layout.Line(line).start;
            break;
        case VK_END:
            target = ctrl ? e.model.Length() : layout.Line(line).start + layout.Line(line).length;
            break;
        case VK_PRIOR:
        case VK_NEXT:
            if (!multi)
                return 0;
            target = VerticalTarget(
                hwnd, e, (vk == VK_PRIOR ? -1 : 1) * static_cast<int>(VisibleLines(hwnd, e)));
            keepGoal = true;
            break;
        case VK_DELETE:
            if (shift)
                EditCut(hwnd, e);
            else if (!ReadOnly(hwnd))
                ChangeText(
                    hwnd, e, [](EditModel& m) { m.DeleteForward(); }, false);
            return 0;
        case VK_INSERT:
            if (ctrl)
                EditCopy(hwnd, e);
            else if (shift)
                EditPaste(hwnd, e);
            return 0;
        default:
            return 0;
    }
    if (!keepGoal)
        e.goalX = -1;
    SetSelection(hwnd, e, shift ? e.model.Anchor() : target, target, true);
    return 0;
}

void EditMouseDown(HWND hwnd, EditState& e, POINT pt) {
    if (!FocusForClick(hwnd))
        return;
    const size_t pos = CharAtPoint(hwnd, e, pt);
    e.goalX = -1;
    SetSelection(hwnd, e, IsKeyDown(VK_SHIFT) ? e.model.Anchor() : pos, pos, true);
    e.mouseSelecting = true;
    SetCapture(hwnd);
}

void EditMiddleClick(HWND hwnd, EditState& e, POINT pt) {
    if (ReadOnly(hwnd))
        return;
    const std::optional<std::string> text = kq::ui::PrimarySelectionText();
    if (!text || !FocusForClick(hwnd))
        return;
    const size_t pos = CharAtPoint(hwnd, e, pt);
    e.goalX = -1;
    e.model.Select(pos, pos);
    InsertText(hwnd, e, PrepareLines(hwnd, DecodeText(*text)), false);
}

void EditMouseMove(HWND hwnd, EditState& e, POINT pt) {
    if (!e.mouseSelecting)
        return;
    SetSelection(hwnd, e, e.model.Anchor(), CharAtPoint(hwnd, e, pt), true);
}

void EditMouseUp(HWND hwnd, EditState& e, POINT pt) {
    if (!e.mouseSelecting)
        return;
    EditMouseMove(hwnd, e, pt);
    e.mouseSelecting = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
}

void EditDoubleClick(HWND hwnd, EditState& e, POINT pt) {
    auto [first, last] = e.model.WordAt(CharAtPoint(hwnd, e, pt));
    SetSelection(hwnd, e, first, last, true);
}

void EditCopy(HWND hwnd, EditState& e) {
    // A password never leaves the control.
    if (!e.model.HasSelection() || (StyleOf(hwnd) & ES_PASSWORD))
        return;
    PutOnClipboard(hwnd, e.model.SelectedText());
}

void EditCut(HWND hwnd, EditState& e) {
    if (!e.model.HasSelection() || (StyleOf(hwnd) & ES_PASSWORD) || ReadOnly(hwnd))
        return;
    if (PutOnClipboard(hwnd, e.model.SelectedText()))
        EditClear(hwnd, e);
}

void EditPaste(HWND hwnd, EditState& e) {
    if (ReadOnly(hwnd) || !OpenClipboard(hwnd))
        return;
    std::string text;
    const bool ok = kq::ui::GetClipboardText(text);
    CloseClipboard();
    if (ok)
        InsertText(hwnd, e, PrepareLines(hwnd, DecodeText(text)), false);
}

void EditClear(HWND hwnd, EditState& e) {
    if (!e.model.HasSelection() || ReadOnly(hwnd))
        return;
    ChangeText(
        hwnd, e, [](EditModel& m) { m.ReplaceSelection(U"", true); }, false);
}

bool EditUndo(HWND hwnd, EditState& e) {
    if (ReadOnly(hwnd) || !e.model.CanUndo())
        return false;
    return ChangeText(
        hwnd, e, [](EditModel& m) { m.Undo(); }, false);
}

}  // namespace kq::ui::detail
