// The "EDIT" control: its window procedure and the EM_ messages.
#include <algorithm>
#include <cstring>

#include "platform/ui/Caret.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/controls/Utf8Text.h"
#include "platform/ui/controls/detail/ComboState.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/EditOps.h"
#include "platform/ui/controls/detail/ScrollStore.h"
#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/detail/ClassTable.h"
#include "platform/ui/dialog/DialogCodes.h"
#include "platform/ui/dialog/detail/DialogFocus.h"

namespace kq::ui::detail {
namespace {

// EM_SETSEL: -1 as start removes the selection, -1 (or any value past the end) as end means
// the end of the text.
void SetSelFromMessage(HWND hwnd, EditState& e, WPARAM wParam, LPARAM lParam) {
    const auto start = static_cast<long long>(static_cast<int>(wParam));
    const auto end = static_cast<long long>(static_cast<int>(lParam));
    const size_t length = e.model.Length();
    if (start < 0) {
        SetSelection(hwnd, e, e.model.Caret(), e.model.Caret(), false);
        return;
    }
    auto clamp = [length](long long v) {
        return v < 0 ? length : std::min(static_cast<size_t>(v), length);
    };
    SetSelection(hwnd, e, clamp(start), clamp(end), false);
}

LRESULT GetSel(EditState& e, WPARAM wParam, LPARAM lParam) {
    const auto start = static_cast<DWORD>(e.model.SelStart());
    const auto end = static_cast<DWORD>(e.model.SelEnd());
    if (wParam)
        *reinterpret_cast<DWORD*>(wParam) = start;
    if (lParam)
        *reinterpret_cast<DWORD*>(lParam) = end;
    return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
}

size_t LineIndexFor(HWND hwnd, EditState& e, WPARAM wParam) {
    const EditLayout& layout = CurrentLayout(hwnd, e);
    const int line = static_cast<int>(wParam);
    if (line < 0)
        return layout.LineOf(e.model.Caret());
    return static_cast<size_t>(line);
}

LRESULT LineIndex(HWND hwnd, EditState& e, WPARAM wParam) {
    const EditLayout& layout = CurrentLayout(hwnd, e);
    const size_t line = LineIndexFor(hwnd, e, wParam);
    if (line >= layout.LineCount())
        return -1;
    return static_cast<LRESULT>(layout.Line(line).start);
}

LRESULT LineLength(HWND hwnd, EditState& e, WPARAM wParam) {
    const EditLayout& layout = CurrentLayout(hwnd, e);
    const int index = static_cast<int>(wParam);
    if (index < 0) {
        // The characters of the selected lines that are not selected.
        const EditLine& first = layout.Line(layout.LineOf(e.model.SelStart()));
        const EditLine& last = layout.Line(layout.LineOf(e.model.SelEnd()));
        return static_cast<LRESULT>((e.model.SelStart() - first.start) +
                                    (last.start + last.length - e.model.SelEnd()));
    }
    const size_t pos = std::min(static_cast<size_t>(index), e.model.Length());
    return static_cast<LRESULT>(layout.Line(layout.LineOf(pos)).length);
}

// The line goes into the buffer without a terminator; the buffer's first WORD gives its size
// in bytes. Only whole UTF-8 characters are copied.
LRESULT GetLine(HWND hwnd, EditState& e, WPARAM wParam, LPARAM lParam) {
    auto* buffer = reinterpret_cast<char*>(lParam);
    if (!buffer)
        return 0;
    WORD size = 0;
    std::memcpy(&size, buffer, sizeof size);
    const EditLayout& layout = CurrentLayout(hwnd, e);
    const size_t line = IsMultiLine(hwnd) ? static_cast<size_t>(wParam) : 0;
    if (line >= layout.LineCount())
        return 0;
    const EditLine& l = layout.Line(line);
    std::string text = EncodeText(std::u32string_view(e.model.Text()).substr(l.start, l.length));
    size_t n = std::min<size_t>(text.size(), size);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, text.data(), n);
    return static_cast<LRESULT>(n);
}

LRESULT ReplaceSel(HWND hwnd, EditState& e, WPARAM canUndo, LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    std::u32string insert = DecodeText(text ? text : "");
    const size_t kept = e.model.Length() - (e.model.SelEnd() - e.model.SelStart());
    const size_t room = e.model.Limit() > kept ? e.model.Limit() - kept : 0;
    if (insert.size() > room) {
        insert.resize(room);
        NotifyParent(hwnd, EN_MAXTEXT);
        if (!IsWindow(hwnd))
            return 0;
    }
    ChangeText(
        hwnd, e, [&](EditModel& m) { m.ReplaceSelection(insert, canUndo != 0); }, false);
    return 0;
}

LRESULT SetText(HWND hwnd, EditState& e, LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    e.model.SetText(DecodeText(text ? text : ""));
    e.firstLine = 0;
    e.xOffset = 0;
    e.goalX = -1;
    NotifyTextChanged(hwnd, e);
    return TRUE;
}

LRESULT LineScroll(HWND hwnd, EditState& e, long chars, long lines) {
    if (!IsMultiLine(hwnd))
        return FALSE;
    const long first = static_cast<long>(e.firstLine) + lines;
    e.firstLine = static_cast<size_t>(std::max(0L, first));
    e.xOffset += static_cast<int>(chars) * MeasureFont(e.font).averageWidth;
    ClampScroll(hwnd, e);
    RefreshCaret(hwnd, e);
    RefreshScrollBars(hwnd, e);
    return TRUE;
}

LRESULT VerticalScroll(HWND hwnd, EditState& e, WORD code) {
    const long visible = static_cast<long>(VisibleLines(hwnd, e));
    const long before = static_cast<long>(e.firstLine);
    long lines = 0;
    switch (code) {
        case SB_LINEUP:
            lines = -1;
            break;
        case SB_LINEDOWN:
            lines = 1;
            break;
        case SB_PAGEUP:
            lines = -visible;
            break;
        case SB_PAGEDOWN:
            lines = visible;
            break;
        case SB_TOP:
            lines = -before;
            break;
        case SB_BOTTOM:
            lines = static_cast<long>(CurrentLayout(hwnd, e).LineCount());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(hwnd, SB_VERT, &info);
            lines = info.nTrackPos - before;
            break;
        }
        default:
            return 0;
    }
    LineScroll(hwnd, e, 0, lines);
    return static_cast<LRESULT>(static_cast<long>(e.firstLine) - before);
}

void HorizontalScroll(HWND hwnd, EditState& e, WORD code) {
    const int step = MeasureFont(e.font).averageWidth;
    RECT r = FormatRect(hwnd, e);
    switch (code) {
        case SB_LINELEFT:
            e.xOffset -= step;
            break;
        case SB_LINERIGHT:
            e.xOffset += step;
            break;
        case SB_PAGELEFT:
            e.xOffset -= r.right - r.left;
            break;
        case SB_PAGERIGHT:
            e.xOffset += r.right - r.left;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(hwnd, SB_HORZ, &info);
            e.xOffset = info.nTrackPos;
            break;
        }
        default:
            return;
    }
    ClampScroll(hwnd, e);
    RefreshCaret(hwnd, e);
    RefreshScrollBars(hwnd, e);
}

LRESULT DialogCode(HWND hwnd, const EditState& e, LPARAM lParam) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    // An open drop-down takes Enter and Escape from the dialog.
    if (msg && msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) && e.combo &&
        ComboIsDropped(e.combo))
        code |= DLGC_WANTALLKEYS;
    // Enter belongs to the dialog (its default button) unless a multi-line edit wants it.
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN &&
        (StyleOf(hwnd) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN))
        code |= DLGC_WANTALLKEYS;
    return code;
}

void Create(HWND hwnd, EditState& e, const CREATESTRUCT* cs) {
    DWORD style = StyleOf(hwnd);
    // Scroll bars imply scrolling with the caret in their direction.
    if (style & ES_MULTILINE) {
        if (style & WS_HSCROLL)
            style |= ES_AUTOHSCROLL;
        if (style & WS_VSCROLL)
            style |= ES_AUTOVSCROLL;
    } else {
        style &= ~(ES_WANTRETURN);
    }
    if (style != StyleOf(hwnd))
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style));
    if (cs && cs->lpszName)
        e.model.SetText(DecodeText(cs->lpszName));
    e.layoutDirty = true;
    RefreshScrollBars(hwnd, e);
}

LRESULT Handle(HWND hwnd, EditState& e, UINT message, WPARAM wParam, LPARAM lParam) {
    // The edit of a combo box lets the combo box have the keys of its drop-down first.
    if (e.combo && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR) &&
        ComboHandleKey(e.combo, message, wParam))
        return 0;
    switch (message) {
        case WM_CREATE:
            Create(hwnd, e, reinterpret_cast<const CREATESTRUCT*>(lParam));
            return 0;
        case WM_GETDLGCODE:
            return DialogCode(hwnd, e, lParam);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { PaintEdit(hwnd, e, dc); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT:
            return SetText(hwnd, e, lParam);
        case WM_GETTEXT:
            return CopyText(EncodeText(e.model.Text()), reinterpret_cast<LPSTR>(lParam),
                            static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(EncodeText(e.model.Text()).size());
        case WM_SETFONT:
            e.font = reinterpret_cast<HFONT>(wParam);
            e.layoutDirty = true;
            if (e.focused) {
                CreateCaret(hwnd, nullptr, 1, LineHeight(e));
                ShowCaret(hwnd);
            }
            ScrollCaretIntoView(hwnd, e);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(e.font);
        case WM_SIZE:
            e.layoutDirty = true;
            ClampScroll(hwnd, e);
            RefreshCaret(hwnd, e);
            RefreshScrollBars(hwnd, e);
            return 0;
        case WM_STYLECHANGED:
            e.layoutDirty = true;
            return 0;
        case WM_SETFOCUS:
            e.focused = true;
            CreateCaret(hwnd, nullptr, 1, LineHeight(e));
            RefreshCaret(hwnd, e);
            ShowCaret(hwnd);
            ControlFocused(hwnd);
            if (IsWindow(hwnd))
                NotifyParent(hwnd, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            e.focused = false;
            e.mouseSelecting = false;
            DestroyCaret();
            NotifyParent(hwnd, EN_KILLFOCUS);
            return 0;
        case WM_CHAR:
            return EditChar(hwnd, e, wParam);
        case WM_KEYDOWN:
            return EditKeyDown(hwnd, e, wParam);
        case WM_LBUTTONDOWN:
            EditMouseDown(hwnd, e, PointFromLParam(lParam));
            return 0;
        case WM_MBUTTONDOWN:
            EditMiddleClick(hwnd, e, PointFromLParam(lParam));
            return 0;
        case WM_MOUSEMOVE:
            EditMouseMove(hwnd, e, PointFromLParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            EditMouseUp(hwnd, e, PointFromLParam(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            EditDoubleClick(hwnd, e, PointFromLParam(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd)
                e.mouseSelecting = false;
            return 0;
        case WM_MOUSEWHEEL:
            if (!IsMultiLine(hwnd))
                return DefWindowProc(hwnd, message, wParam, lParam);
            LineScroll(hwnd, e, 0, -3L * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
            return 0;
        case WM_VSCROLL:
            VerticalScroll(hwnd, e, LOWORD(wParam));
            NotifyParent(hwnd, EN_VSCROLL);
            return 0;
        case WM_HSCROLL:
            HorizontalScroll(hwnd, e, LOWORD(wParam));
            NotifyParent(hwnd, EN_HSCROLL);
            return 0;
        case WM_COPY:
            EditCopy(hwnd, e);
            return 0;
        case WM_CUT:
            EditCut(hwnd, e);
            return 0;
        case WM_PASTE:
            EditPaste(hwnd, e);
            return 0;
        case WM_CLEAR:
            EditClear(hwnd, e);
            return 0;
        case WM_UNDO:
        case EM_UNDO:
            return EditUndo(hwnd, e);
        case EM_CANUNDO:
            return e.model.CanUndo();
        case EM_EMPTYUNDOBUFFER:
            e.model.EmptyUndo();
            return 0;
        case EM_GETSEL:
            return GetSel(e, wParam, lParam);
        case EM_SETSEL:
            SetSelFromMessage(hwnd, e, wParam, lParam);
            return 0;
        case EM_REPLACESEL:
            return ReplaceSel(hwnd, e, wParam, lParam);
        case EM_LIMITTEXT:
            e.model.SetLimit(wParam);
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(e.model.Limit());
        case EM_SETREADONLY:
            SetStyleBits(hwnd, ES_READONLY, wParam ? ES_READONLY : 0);
            return TRUE;
        case EM_GETLINECOUNT:
            return static_cast<LRESULT>(CurrentLayout(hwnd, e).LineCount());
        case EM_LINEINDEX:
            return LineIndex(hwnd, e, wParam);
        case EM_LINELENGTH:
            return LineLength(hwnd, e, wParam);
        case EM_LINEFROMCHAR: {
            const int index = static_cast<int>(wParam);
            const size_t pos = index < 0 ? e.model.SelStart()
                                         : std::min(static_cast<size_t>(index), e.model.Length());
            return static_cast<LRESULT>(CurrentLayout(hwnd, e).LineOf(pos));
        }
        case EM_GETLINE:
            return GetLine(hwnd, e, wParam, lParam);
        case EM_LINESCROLL:
            return LineScroll(hwnd, e, static_cast<long>(static_cast<int>(wParam)),
                              static_cast<long>(lParam));
        case EM_SCROLL:
            return MAKELRESULT(static_cast<WORD>(VerticalScroll(hwnd, e, LOWORD(wParam))), TRUE);
        case EM_SCROLLCARET:
            ScrollCaretIntoView(hwnd, e);
            return TRUE;
        case EM_GETFIRSTVISIBLELINE:
            if (IsMultiLine(hwnd))
                return static_cast<LRESULT>(e.firstLine);
            return static_cast<LRESULT>(CurrentLayout(hwnd, e).PosAt(0, e.xOffset));
        case EM_GETMODIFY:
            return e.model.Modified();
        case EM_SETMODIFY:
            e.model.SetModified(wParam != 0);
            return 0;
        case EM_SETPASSWORDCHAR:
            if (IsMultiLine(hwnd))
                return 0;
            if (wParam)
                e.passwordChar = static_cast<char32_t>(wParam);
            SetStyleBits(hwnd, ES_PASSWORD, wParam ? ES_PASSWORD : 0);
            e.layoutDirty = true;
            RefreshCaret(hwnd, e);
            return 0;
        case EM_GETPASSWORDCHAR:
            return (StyleOf(hwnd) & ES_PASSWORD) ? static_cast<LRESULT>(e.passwordChar) : 0;
        case EM_SETMARGINS: {
            const int fallback = 1;
            if (wParam & EC_LEFTMARGIN)
                e.leftMargin = LOWORD(lParam) == EC_USEFONTINFO ? fallback : LOWORD(lParam);
            if (wParam & EC_RIGHTMARGIN)
                e.rightMargin = HIWORD(lParam) == EC_USEFONTINFO ? fallback : HIWORD(lParam);
            e.layoutDirty = true;
            ScrollCaretIntoView(hwnd, e);
            return 0;
        }
        case EM_GETMARGINS:
            return MAKELRESULT(e.leftMargin, e.rightMargin);
        case EM_GETRECT:
            if (lParam)
                *reinterpret_cast<RECT*>(lParam) = FormatRect(hwnd, e);
            return 0;
        case EM_SETRECT:
        case EM_SETRECTNP:
            if (!IsMultiLine(hwnd))
                return 0;
            if (lParam) {
                e.customRect = true;
                e.rect = *reinterpret_cast<const RECT*>(lParam);
            } else {
                e.customRect = false;
            }
            e.layoutDirty = true;
            ScrollCaretIntoView(hwnd, e);
            return 0;
        case EM_POSFROMCHAR: {
            const size_t pos = static_cast<size_t>(wParam);
            if (pos > e.model.Length())
                return -1;
            POINT pt = PositionOfChar(hwnd, e, pos);
            return MAKELRESULT(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
        }
        case EM_CHARFROMPOS: {
            POINT pt = PointFromLParam(lParam);
            const size_t pos = CharAtPoint(hwnd, e, pt);
            const size_t line = CurrentLayout(hwnd, e).LineOf(pos);
            return MAKELRESULT(static_cast<WORD>(pos), static_cast<WORD>(line));
        }
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        AttachControl(hwnd, std::make_shared<EditState>());
    auto e = ControlOf<EditState>(hwnd);
    if (message == WM_NCDESTROY) {
        ForgetScrollStates(hwnd);
        DetachControl<EditState>(hwnd);
        return 0;
    }
    if (!e)
        return DefWindowProc(hwnd, message, wParam, lParam);
    const LRESULT result = Handle(hwnd, *e, message, wParam, lParam);
    if (MayChangeLook(message) && IsWindow(hwnd))
        Redraw(hwnd);
    return result;
}

}  // namespace kq::ui::detail
