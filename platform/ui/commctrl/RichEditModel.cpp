#include <algorithm>
#include <cstring>

#include "platform/base/Utf8.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/RichEditState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/commctrl/detail/EditMessageNumbers.h"

namespace kq::ui::commctrl {
namespace {

std::u32string Decode(const std::string& utf8) {
    std::u32string out;
    for (const CodePoint& cp : kq::DecodeUtf8(utf8))
        out.push_back(cp.value);
    return out;
}

void Encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

RichEditState::RichEditState(HWND hwnd) : bkColor(GetSysColor(COLOR_WINDOW)), hwnd_(hwnd) {
    formats_.push_back(defaultFormat);
}

RichEditState::~RichEditState() {
    for (auto& [key, f] : fonts_)
        DeleteObject(f);
}

std::string RichEditState::Utf8(int from, int to) const {
    from = std::clamp(from, 0, Length());
    to = std::clamp(to, from, Length());
    std::string out;
    for (int i = from; i < to; ++i)
        Encode(text_[static_cast<size_t>(i)], out);
    return out;
}

int RichEditState::AddFormat(const Format& f) {
    for (size_t i = 0; i < formats_.size(); ++i)
        if (formats_[i] == f)
            return static_cast<int>(i);
    formats_.push_back(f);
    return static_cast<int>(formats_.size()) - 1;
}

void RichEditState::NotifyChange() {
    modified = true;
    layoutDirty_ = true;
    Invalidate(hwnd_);
    if (eventMask & em::kEnmChange) {
        HWND parent = GetParent(hwnd_);
        if (parent)
            SendMessage(parent, WM_COMMAND,
                        MAKEWPARAM(static_cast<DWORD>(GetDlgCtrlID(hwnd_)), em::kEnChange),
                        reinterpret_cast<LPARAM>(hwnd_));
    }
}

void RichEditState::SetText(const std::string& utf8) {
    text_ = Decode(utf8);
    if (Length() > limit)
        text_.resize(static_cast<size_t>(limit));
    formatOf_.assign(text_.size(), AddFormat(defaultFormat));
    anchor_ = caret_ = 0;
    first_ = 0;
    pendingSet_ = false;
    NotifyChange();
}

void RichEditState::ReplaceSelection(const std::string& utf8) {
    std::u32string insert = Decode(utf8);
    const int from = SelMin();
    const int to = SelMax();
    const int room = limit - (Length() - (to - from));
    if (static_cast<int>(insert.size()) > room)
        insert.resize(static_cast<size_t>(std::max(0, room)));
    // New text takes the format set for the insertion point, else that of the character
    // before it, else the default.
    Format f = pendingSet_ ? pending_ : (from > 0 ? FormatAt(from - 1) : defaultFormat);
    if (!pendingSet_ && from == 0 && Length() > to && to > from)
        f = FormatAt(from);
    pendingSet_ = false;
    const int index = AddFormat(f);
    text_.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), insert);
    formatOf_.erase(formatOf_.begin() + from, formatOf_.begin() + to);
    formatOf_.insert(formatOf_.begin() + from, insert.size(), index);
    anchor_ = caret_ = from + static_cast<int>(insert.size());
    NotifyChange();
}

void RichEditState::SetSelection(int anchor, int caret) {
    const int length = Length();
    anchor = anchor < 0 ? length : std::min(anchor, length);
    caret = caret < 0 ? length : std::min(caret, length);
    if (anchor == anchor_ && caret == caret_)
        return;
    anchor_ = anchor;
    caret_ = caret;
    pendingSet_ = false;
    Invalidate(hwnd_);
}

RichEditState::Format RichEditState::FormatAt(int cp) const {
    if (cp < 0 || cp >= Length())
        return defaultFormat;
    return formats_[static_cast<size_t>(formatOf_[static_cast<size_t>(cp)])];
}

namespace {

void ToCharFormat(const RichEditState::Format& f, CHARFORMAT* cf) {
    cf->dwEffects = (f.bold ? CFE_BOLD : 0) | (f.italic ? CFE_ITALIC : 0) |
                    (f.underline ? CFE_UNDERLINE : 0) | (f.autoColor ? CFE_AUTOCOLOR : 0);
    cf->crTextColor = f.color;
    cf->yHeight = f.height;
    cf->yOffset = 0;
    cf->bCharSet = 0;
    cf->bPitchAndFamily = 0;
    CopyText(f.face, cf->szFaceName, sizeof cf->szFaceName);
}

void Apply(const CHARFORMAT& cf, RichEditState::Format& f) {
    if (cf.dwMask & CFM_BOLD)
        f.bold = cf.dwEffects & CFE_BOLD;
    if (cf.dwMask & CFM_ITALIC)
        f.italic = cf.dwEffects & CFE_ITALIC;
    if (cf.dwMask & CFM_UNDERLINE)
        f.underline = cf.dwEffects & CFE_UNDERLINE;
    if (cf.dwMask & CFM_COLOR) {
        f.autoColor = cf.dwEffects & CFE_AUTOCOLOR;
        f.color = cf.crTextColor;
    }
    if (cf.dwMask & CFM_SIZE)
        f.height = cf.yHeight;
    if (cf.dwMask & CFM_FACE)
        f.face = std::string(cf.szFaceName, strnlen(cf.szFaceName, sizeof cf.szFaceName));
}

}  // namespace

DWORD RichEditState::GetCharFormat(bool selection, CHARFORMAT* cf) const {
    const DWORD all = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR | CFM_SIZE | CFM_FACE;
    if (!selection) {
        ToCharFormat(defaultFormat, cf);
        cf->dwMask = all;
        return all;
    }
    const int from = SelMin();
    const int to = SelMax();
    Format first = pendingSet_ ? pending_
                   : from < to ? FormatAt(from)
                               : (from > 0 ? FormatAt(from - 1) : defaultFormat);
    DWORD mask = all;
    for (int i = from + 1; i < to; ++i) {
        const Format f = FormatAt(i);
        if (f.bold != first.bold)
            mask &= ~CFM_BOLD;
        if (f.italic != first.italic)
            mask &= ~CFM_ITALIC;
        if (f.underline != first.underline)
            mask &= ~CFM_UNDERLINE;
        if (f.autoColor != first.autoColor || f.color != first.color)
            mask &= ~CFM_COLOR;
        if (f.height != first.height)
            mask &= ~CFM_SIZE;
        if (f.face != first.face)
            mask &= ~CFM_FACE;
    }
    ToCharFormat(first, cf);
    cf->dwMask = mask;
    return mask;
}

bool RichEditState::SetCharFormat(WPARAM scope, const CHARFORMAT& cf) {
    if (scope & SCF_ALL) {
        Apply(cf, defaultFormat);
        for (int i = 0; i < Length(); ++i) {
            Format f = FormatAt(i);
            Apply(cf, f);
            formatOf_[static_cast<size_t>(i)] = AddFormat(f);
        }
    } else if (scope & SCF_SELECTION) {
        if (SelMin() == SelMax()) {
            // Kept for the next text typed or inserted at the caret.
            Format f = pendingSet_ ? pending_ : FormatAt(SelMin() - 1);
            Apply(cf, f);
            pending_ = f;
            pendingSet_ = true;
            return true;
        }
        for (int i = SelMin(); i < SelMax(); ++i) {
            Format f = FormatAt(i);
            Apply(cf, f);
            formatOf_[static_cast<size_t>(i)] = AddFormat(f);
        }
    } else {
        Apply(cf, defaultFormat);
    }
    layoutDirty_ = true;
    Invalidate(hwnd_);
    return true;
}

}  // namespace kq::ui::commctrl
