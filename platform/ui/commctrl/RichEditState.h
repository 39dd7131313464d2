// The rich edit control: text counted in characters (a line break "\r\n" is two), a format per
// character (colour, bold and the other CHARFORMAT attributes), the selection, lines wrapped
// at the window's width, vertical scrolling, painting and mouse and keyboard selection.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/ui/commctrl/CommCtrl.h"

namespace kq::ui::commctrl {

class RichEditState {
  public:
    struct Format {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool autoColor = true;
        COLORREF color = 0;
        LONG height = 0;  // twips; 0: the control's font
        std::string face;
        bool operator==(const Format&) const = default;
    };
    struct Line {
        int start;  // first character
        int end;    // after the last shown character (before the line break)
    };

    explicit RichEditState(HWND hwnd);
    ~RichEditState();
    RichEditState(const RichEditState&) = delete;
    RichEditState& operator=(const RichEditState&) = delete;
    HWND hwnd() const { return hwnd_; }

    // Text.
    int Length() const { return static_cast<int>(text_.size()); }
    char32_t CharAt(int i) const { return text_[static_cast<size_t>(i)]; }
    std::string Utf8(int from, int to) const;
    void SetText(const std::string& utf8);
    // Replaces the selection; the caret ends after the new text. Text beyond the limit is cut.
    void ReplaceSelection(const std::string& utf8);
    int limit = 32767;
    bool modified = false;

    // Selection (characters); anchor stays, caret moves.
    int SelMin() const { return std::min(anchor_, caret_); }
    int SelMax() const { return std::max(anchor_, caret_); }
    int Caret() const { return caret_; }
    int Anchor() const { return anchor_; }
    void SetSelection(int anchor, int caret);

    // Formats.
    Format FormatAt(int cp) const;
    // CHARFORMAT of the selection (or of the default); the mask drops what differs inside.
    DWORD GetCharFormat(bool selection, CHARFORMAT* cf) const;
    bool SetCharFormat(WPARAM scope, const CHARFORMAT& cf);
    Format defaultFormat;

    // Layout.
    const std::vector<Line>& Lines() const;
    int LineFromChar(int cp) const;
    int LineHeight() const;
    int VisibleLines() const;
    int FirstVisible() const { return first_; }
    void ScrollTo(int line);
    void ScrollCaretIntoView();
    POINT PosFromChar(int cp) const;
    int CharFromPoint(POINT pt) const;
    RECT TextArea() const;
    void Relayout();

    HFONT Font() const;
    HFONT FontFor(const Format& f) const;
    int CharWidth(const Format& f, char32_t c) const;

    HFONT font = nullptr;
    COLORREF bkColor;
    bool sysBk = true;
    bool hasFocus = false;
    bool hideSelection = false;
    bool selecting = false;  // mouse button down
    DWORD eventMask = 0;

  private:
    int AddFormat(const Format& f);
    void NotifyChange();

    HWND hwnd_;
    std::u32string text_;
    std::vector<int> formatOf_;  // index into formats_ per character
    std::vector<Format> formats_;
    int anchor_ = 0;
    int caret_ = 0;
    int first_ = 0;
    bool pendingSet_ = false;
    Format pending_;
    mutable std::vector<Line> lines_;
    mutable bool layoutDirty_ = true;
    mutable std::map<std::pair<int, char32_t>, int> widths_;
    mutable std::map<int, HFONT> fonts_;
};

LRESULT RichEditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PaintRichEdit(const RichEditState& state, HDC hdc);

}  // namespace kq::ui::commctrl
