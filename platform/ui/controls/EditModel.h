// The text of an edit control with its selection and one level of undo, without any window.
// Positions count characters (code points). The caret is the moving end of the selection,
// the anchor the fixed one.
#pragma once

#include <string>
#include <string_view>

namespace kq::ui {

class EditModel {
  public:
    static constexpr size_t kDefaultLimit = 30000;
    static constexpr size_t kMaxLimit = 0x7FFFFFFE;

    const std::u32string& Text() const { return text_; }
    size_t Length() const { return text_.size(); }
    // Replaces everything: the caret goes to the start, undo is emptied, not modified.
    void SetText(std::u32string text);

    size_t Anchor() const { return anchor_; }
    size_t Caret() const { return caret_; }
    size_t SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
    size_t SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
    bool HasSelection() const { return anchor_ != caret_; }
    std::u32string SelectedText() const;
    // Positions beyond the text are clamped to its end.
    void Select(size_t anchor, size_t caret);

    // Replaces the selection; the caret ends after the inserted text. `typing` joins the
    // change with the previous typed change into one undo step (a word typed, a run of
    // Backspace or Delete presses).
    void ReplaceSelection(std::u32string_view text, bool canUndo, bool typing = false);
    // Removes one character before (backspace) or after the caret, or the selection.
    void DeleteBackward();
    void DeleteForward();

    bool CanUndo() const { return undo_.valid; }
    // Undoes the last change; undoing again redoes it. The restored text ends up selected.
    bool Undo();
    void EmptyUndo() { undo_ = UndoStep{}; }

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    size_t Limit() const { return limit_; }
    void SetLimit(size_t limit) { limit_ = limit == 0 || limit > kMaxLimit ? kMaxLimit : limit; }

    // Start of the word at or before pos / after pos (Ctrl+Left / Ctrl+Right).
    size_t WordLeft(size_t pos) const;
    size_t WordRight(size_t pos) const;
    // The word around pos (double-click): [first, second).
    std::pair<size_t, size_t> WordAt(size_t pos) const;

  private:
    enum class Kind { None, Typing, Backspace, Delete, Other };
    struct UndoStep {
        bool valid = false;
        size_t pos = 0;             // where the change happened
        std::u32string removed;     // what it took away
        size_t insertedLength = 0;  // what it put in: text_[pos, pos + insertedLength)
        Kind kind = Kind::None;
    };

    void Change(size_t pos, size_t removeLength, std::u32string_view insert, Kind kind,
                bool canUndo);

    std::u32string text_;
    size_t anchor_ = 0;
    size_t caret_ = 0;
    bool modified_ = false;
    size_t limit_ = kDefaultLimit;
    UndoStep undo_;
};

}  // namespace kq::ui
