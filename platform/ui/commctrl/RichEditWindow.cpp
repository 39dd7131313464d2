#include <algorithm>
#include <cstring>

#include "platform/base/ResourceName.h"
#include "platform/gfx/UserDraw.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/RichEditState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/commctrl/detail/EditMessageNumbers.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::commctrl {
namespace {

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

bool ReadOnly(const RichEditState& s) {
    return GetWindowLong(s.hwnd(), GWL_STYLE) & em::kEsReadOnly;
}

bool KeyDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

void Copy(RichEditState& s) {
    if (s.SelMin() == s.SelMax())
        return;
    if (!OpenClipboard(s.hwnd()))
        return;
    EmptyClipboard();
    kq::ui::SetClipboardText(s.Utf8(s.SelMin(), s.SelMax()));
    CloseClipboard();
}

bool IsWordChar(char32_t c) {
    return c != U' ' && c != U'\t' && c != U'\r' && c != U'\n';
}

void SelectWord(RichEditState& s, int cp) {
    int from = cp;
    int to = cp;
    while (from > 0 && IsWordChar(s.CharAt(from - 1)))
        --from;
    while (to < s.Length() && IsWordChar(s.CharAt(to)))
        ++to;
    s.SetSelection(from, to);
}

// Moves the caret as a key does; with SHIFT the anchor stays.
void MoveCaret(RichEditState& s, UINT vk) {
    const auto& lines = s.Lines();
    const int caret = s.Caret();
    const int line = s.LineFromChar(caret);
    const bool ctrl = KeyDown(VK_CONTROL);
    int target = caret;
    auto sameColumn = [&](int otherLine) {
        const POINT here = s.PosFromChar(caret);
        POINT there = here;
        there.y += (otherLine - line) * s.LineHeight();
        return s.CharFromPoint(there);
    };
    switch (vk) {
        case VK_LEFT:
            target = std::max(0, caret - 1);
            break;
        case VK_RIGHT:
            target = std::min(s.Length(), caret + 1);
            break;
        case VK_UP:
            target = line > 0 ? sameColumn(line - 1) : 0;
            break;
        case VK_DOWN:
            target = line + 1 < static_cast<int>(lines.size()) ? sameColumn(line + 1) : s.Length();
            break;
        case VK_HOME:
            target = ctrl ? 0 : lines[static_cast<size_t>(line)].start;
            break;
        case VK_END:
            target = ctrl ? s.Length() : lines[static_cast<size_t>(line)].end;
            break;
        case VK_PRIOR:
            target = s.Lines()[static_cast<size_t>(std::max(0, line - s.VisibleLines()))].start;
            break;
        case VK_NEXT: {
            const int next = std::min(static_cast<int>(lines.size()) - 1, line + s.VisibleLines());
            target = lines[static_cast<size_t>(next)].start;
            break;
        }
        default:
            return;
    }
    s.SetSelection(KeyDown(VK_SHIFT) ? s.Anchor() : target, target);
    s.ScrollCaretIntoView();
}

void OnKeyDown(RichEditState& s, UINT vk) {
    if (KeyDown(VK_CONTROL) && (vk == 'C' || vk == VK_INSERT)) {
        Copy(s);
        return;
    }
    if (KeyDown(VK_CONTROL) && vk == 'A') {
        s.SetSelection(0, s.Length());
        return;
    }
    if (vk == VK_DELETE && !ReadOnly(s)) {
        if (s.SelMin() == s.SelMax())
            s.SetSelection(s.Caret(), std::min(s.Length(), s.Caret() + 1));
        s.ReplaceSelection("");
        return;
    }
    MoveCaret(s, vk);
}

void OnChar(RichEditState& s, WPARAM ch) {
    if (ReadOnly(s) || KeyDown(VK_CONTROL))
        return;
    if (ch == VK_BACK) {
        if (s.SelMin() == s.SelMax() && s.Caret() > 0) {
            // A line break goes as a whole.
            const int back = (s.Caret() >= 2 && s.CharAt(s.Caret() - 1) == U'\n' &&
                              s.CharAt(s.Caret() - 2) == U'\r')
                                 ? 2
                                 : 1;
            s.SetSelection(s.Caret() - back, s.Caret());
        }
        s.ReplaceSelection("");
    } else if (ch == '\r') {
        s.ReplaceSelection("\r\n");
    } else if (ch >= 0x20 || ch == '\t') {
        std::string utf8;
        const auto c = static_cast<char32_t>(ch);
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            utf8 = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            utf8 = {static_cast<char>(0xE0 | (c >> 12)),
                    static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (c & 0x3F))};
        } else {
            utf8 = {
                static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        }
        s.ReplaceSelection(utf8);
    } else {
        return;
    }
    s.ScrollCaretIntoView();
}

LRESULT SetSelectionRange(RichEditState& s, LONG from, LONG to) {
    if (from < 0) {
        s.SetSelection(s.Caret(), s.Caret());
    } else if (from == 0 && to == -1) {
        s.SetSelection(0, s.Length());
    } else {
        s.SetSelection(from, to);
    }
    return s.SelMax();
}

LRESULT Handle(RichEditState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = s.hwnd();
    const auto& lines = s.Lines();
    const int lineCount = static_cast<int>(lines.size());
    switch (message) {
        case WM_SETTEXT:
            s.SetText(TextArg(reinterpret_cast<LPCSTR>(lParam)));
            return TRUE;
        case WM_GETTEXT:
            return CopyText(s.Utf8(0, s.Length()), reinterpret_cast<LPSTR>(lParam),
                            static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(s.Utf8(0, s.Length()).size());
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            s.Relayout();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case WM_SIZE:
            s.Relayout();
            return 0;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { PaintRichEdit(s, dc); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            s.hasFocus = message == WM_SETFOCUS;
            Invalidate(hwnd);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS | (ReadOnly(s) ? 0 : DLGC_WANTALLKEYS);
        case WM_LBUTTONDOWN: {
            if (GetFocus() != hwnd)
                SetFocus(hwnd);
            const int cp = s.CharFromPoint(PointOf(lParam));
            s.SetSelection((wParam & MK_SHIFT) ? s.Anchor() : cp, cp);
            s.selecting = true;
            SetCapture(hwnd);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (s.selecting) {
                const POINT pt = PointOf(lParam);
                const RECT area = s.TextArea();
                // Dragging past the top or bottom scrolls along.
                if (pt.y < area.top)
                    s.ScrollTo(s.FirstVisible() - 1);
                else if (pt.y >= area.bottom)
                    s.ScrollTo(s.FirstVisible() + 1);
                s.SetSelection(s.Anchor(), s.CharFromPoint(pt));
            }
            return 0;
        case WM_LBUTTONUP:
            if (s.selecting) {
                s.selecting = false;
                if (GetCapture() == hwnd)
                    ReleaseCapture();
            }
            return 0;
        case WM_LBUTTONDBLCLK:
            SelectWord(s, s.CharFromPoint(PointOf(lParam)));
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd)
                s.selecting = false;
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(s, static_cast<UINT>(wParam));
            return 0;
        case WM_CHAR:
            OnChar(s, wParam);
            return 0;
        case WM_COPY:
            Copy(s);
            return 0;
        case WM_VSCROLL:
            switch (LOWORD(wParam)) {
                case 0:
                    s.ScrollTo(s.FirstVisible() - 1);
                    break;
                case 1:
                    s.ScrollTo(s.FirstVisible() + 1);
                    break;
                case 2:
                    s.ScrollTo(s.FirstVisible() - s.VisibleLines());
                    break;
                case 3:
                    s.ScrollTo(s.FirstVisible() + s.VisibleLines());
                    break;
                case 4:
                case 5:
                    s.ScrollTo(static_cast<SHORT>(HIWORD(wParam)));
                    break;
                case 6:
                    s.ScrollTo(0);
                    break;
                case 7:
                    s.ScrollTo(lineCount);
                    break;
                default:
                    break;
            }
            return 0;
        case WM_MOUSEWHEEL:
            s.ScrollTo(s.FirstVisible() - GET_WHEEL_DELTA_WPARAM(wParam) * 3 / WHEEL_DELTA);
            return 0;

        case em::kGetSel: {
            if (wParam)
                *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s.SelMin());
            if (lParam)
                *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(s.SelMax());
            if (s.SelMax() > 0xFFFF)
                return -1;
            return MAKELRESULT(static_cast<DWORD>(s.SelMin()), static_cast<DWORD>(s.SelMax()));
        }
        case em::kSetSel:
            SetSelectionRange(s, static_cast<LONG>(static_cast<INT_PTR>(wParam)),
                              static_cast<LONG>(lParam));
            return 0;
        case EM_EXGETSEL:
            if (auto* range = reinterpret_cast<CHARRANGE*>(lParam))
                *range = CHARRANGE{s.SelMin(), s.SelMax()};
            return 0;
        case EM_EXSETSEL: {
            auto* range = reinterpret_cast<const CHARRANGE*>(lParam);
            return range ? SetSelectionRange(s, range->cpMin, range->cpMax) : 0;
        }
        case em::kReplaceSel:
            s.ReplaceSelection(TextArg(reinterpret_cast<LPCSTR>(lParam)));
            s.ScrollCaretIntoView();
            return 0;
        case em::kGetLineCount:
            return lineCount;
        case em::kLineIndex: {
            const int line = static_cast<INT_PTR>(wParam) < 0 ? s.LineFromChar(s.Caret())
                                                              : static_cast<int>(wParam);
            return line < lineCount ? lines[static_cast<size_t>(line)].start : -1;
        }
        case em::kLineLength: {
            const int cp = static_cast<INT_PTR>(wParam) < 0 ? s.Caret() : static_cast<int>(wParam);
            const auto& l = lines[static_cast<size_t>(s.LineFromChar(cp))];
            return l.end - l.start;
        }
        case em::kLineFromChar:
            return s.LineFromChar(static_cast<INT_PTR>(wParam) < 0 ? s.Caret()
                                                                   : static_cast<int>(wParam));
        case EM_EXLINEFROMCHAR:
            return s.LineFromChar(static_cast<int>(lParam));
        case em::kGetLine: {
            const int line = static_cast<int>(wParam);
            auto* buffer = reinterpret_cast<LPSTR>(lParam);
            if (!buffer || line < 0 || line >= lineCount)
                return 0;
            WORD size = 0;
            std::memcpy(&size, buffer, sizeof size);
            const auto& l = lines[static_cast<size_t>(line)];
            const std::string text = s.Utf8(l.start, l.end);
            const size_t n = std::min<size_t>(size, text.size());
            std::memcpy(buffer, text.data(), n);
            return static_cast<LRESULT>(n);
        }
        case em::kLineScroll:
            s.ScrollTo(s.FirstVisible() + static_cast<int>(lParam));
            return TRUE;
        case em::kScrollCaret:
            s.ScrollCaretIntoView();
            return TRUE;
        case em::kGetFirstVisibleLine:
            return s.FirstVisible();
        case em::kGetModify:
            return s.modified;
        case em::kSetModify:
            s.modified = wParam != 0;
            return 0;
        case em::kSetReadOnly: {
            const LONG style = GetWindowLong(hwnd, GWL_STYLE);
            SetWindowLong(hwnd, GWL_STYLE,
                          wParam ? (style | static_cast<LONG>(em::kEsReadOnly))
                                 : (style & ~static_cast<LONG>(em::kEsReadOnly)));
            return TRUE;
        }
        case em::kLimitText:
            s.limit = wParam ? static_cast<int>(wParam) : 65536;
            return 0;
        case EM_EXLIMITTEXT:
            s.limit = lParam ? static_cast<int>(lParam) : 65536;
            return 0;
        case em::kGetLimitText:
            return s.limit;
        case EM_SETBKGNDCOLOR: {
            const COLORREF old = s.sysBk ? GetSysColor(COLOR_WINDOW) : s.bkColor;
            s.sysBk = wParam != 0;
            s.bkColor = static_cast<COLORREF>(lParam);
            Invalidate(hwnd);
            return static_cast<LRESULT>(old);
        }
        case EM_GETCHARFORMAT: {
            auto* cf = reinterpret_cast<CHARFORMAT*>(lParam);
            return cf ? s.GetCharFormat(wParam != SCF_DEFAULT, cf) : 0;
        }
        case EM_SETCHARFORMAT: {
            auto* cf = reinterpret_cast<const CHARFORMAT*>(lParam);
            return cf && s.SetCharFormat(wParam, *cf);
        }
        case EM_GETSELTEXT: {
            const std::string text = s.Utf8(s.SelMin(), s.SelMax());
            if (auto* buffer = reinterpret_cast<LPSTR>(lParam)) {
                std::memcpy(buffer, text.c_str(), text.size() + 1);
            }
            return s.SelMax() - s.SelMin();
        }
        case EM_GETTEXTRANGE: {
            auto* range = reinterpret_cast<TEXTRANGE*>(lParam);
            if (!range || !range->lpstrText)
                return 0;
            const LONG to = range->chrg.cpMax < 0 ? s.Length() : range->chrg.cpMax;
            const std::string text = s.Utf8(range->chrg.cpMin, to);
            std::memcpy(range->lpstrText, text.c_str(), text.size() + 1);
            return std::max<LONG>(0, std::min<LONG>(to, s.Length()) - range->chrg.cpMin);
        }
        case EM_HIDESELECTION:
            s.hideSelection = wParam != 0;
            Invalidate(hwnd);
            return 0;
        case EM_SETEVENTMASK: {
            const DWORD old = s.eventMask;
            s.eventMask = static_cast<DWORD>(lParam);
            return static_cast<LRESULT>(old);
        }
        case EM_GETEVENTMASK:
            return static_cast<LRESULT>(s.eventMask);
        case em::kPosFromChar: {
            const POINT pt = s.PosFromChar(static_cast<int>(lParam));
            if (auto* out = reinterpret_cast<POINT*>(wParam))
                *out = pt;
            return 0;
        }
        case em::kCharFromPos: {
            auto* pt = reinterpret_cast<const POINT*>(lParam);
            return pt ? s.CharFromPoint(*pt) : 0;
        }
        default:
            break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT RichEditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* state = new RichEditState(hwnd);
        SetStateOf(hwnd, state);
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            state->SetText(cs->lpszName);
        state->modified = false;
        return TRUE;
    }
    auto* state = Control<RichEditState>(hwnd);
    if (!state)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetStateOf(hwnd, nullptr);
        delete state;
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return Handle(*state, message, wParam, lParam);
}

}  // namespace kq::ui::commctrl
