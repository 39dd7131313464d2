// Where the characters of an edit control's text stand: its lines (hard breaks "\r\n" or
// "\n", and soft breaks where a multi-line edit wraps) and the x offset of every character
// boundary, measured through the text-metrics seam. Caret placement, mouse hit-testing,
// scrolling and drawing all read this one layout.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/UiTypes.h"

namespace kq::ui {

struct EditLine {
    size_t start = 0;        // first character
    size_t length = 0;       // characters shown, without the break
    size_t breakLength = 0;  // 2 for "\r\n", 1 for "\n", 0 for a soft break or the last line
};

class EditLayout {
  public:
    // wrapWidth > 0 wraps multi-line text at word boundaries (a word longer than a line is
    // cut). A password character replaces every character shown.
    void Build(const std::u32string& text, bool multiline, int wrapWidth, HFONT font,
               char32_t passwordChar);

    size_t LineCount() const { return lines_.size(); }
    const EditLine& Line(size_t index) const { return lines_[index]; }
    // The line on which a caret at pos stands; a caret at a soft break stands at the start of
    // the next line.
    size_t LineOf(size_t pos) const;
    // Pixels from the start of the line to the boundary before pos (pos within the line).
    int XOf(size_t line, size_t pos) const;
    // The boundary of the line nearest to x.
    size_t PosAt(size_t line, int x) const;
    int Width(size_t line) const;
    int MaxWidth() const;
    // The characters shown for a line (password characters for a password edit).
    std::u32string Shown(size_t line) const;

  private:
    std::u32string shown_;
    std::vector<EditLine> lines_;
    std::vector<std::vector<int>> offsets_;  // per line: length + 1 values from 0
};

}  // namespace kq::ui
