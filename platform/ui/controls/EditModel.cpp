#include "platform/ui/controls/EditModel.h"

#include <algorithm>

namespace kq::ui {
namespace {

bool IsSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == 0xA0;
}

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == 0xA0;
}

bool IsWordChar(char32_t c) {
    return !IsSpace(c) && !(c < 0x80 && (c < U'0' || (c > U'9' && c < U'A') ||
                                         (c > U'Z' && c < U'a' && c != U'_') || c > U'z'));
}

}  // namespace

void EditModel::SetText(std::u32string text) {
    text_ = std::move(text);
    anchor_ = caret_ = 0;
    modified_ = false;
    EmptyUndo();
}

std::u32string EditModel::SelectedText() const {
    return text_.substr(SelStart(), SelEnd() - SelStart());
}

void EditModel::Select(size_t anchor, size_t caret) {
    anchor_ = std::min(anchor, text_.size());
    caret_ = std::min(caret, text_.size());
}

void EditModel::Change(size_t pos, size_t removeLength, std::u32string_view insert, Kind kind,
                       bool canUndo) {
    std::u32string removed = text_.substr(pos, removeLength);
    if (removeLength == 0 && insert.empty())
        return;
    if (canUndo) {
        const bool joins = undo_.valid && kind != Kind::Other && undo_.kind == kind;
        if (joins && kind == Kind::Typing && removed.empty() &&
            pos == undo_.pos + undo_.insertedLength) {
            undo_.insertedLength += insert.size();
        } else if (joins && kind == Kind::Backspace && insert.empty() &&
                   pos + removeLength == undo_.pos && undo_.insertedLength == 0) {
            undo_.removed = removed + undo_.removed;
            undo_.pos = pos;
        } else if (joins && kind == Kind::Delete && insert.empty() && pos == undo_.pos &&
                   undo_.insertedLength == 0) {
            undo_.removed += removed;
        } else {
            undo_ = UndoStep{true, pos, removed, insert.size(), kind};
        }
    } else {
        EmptyUndo();
    }
    text_.replace(pos, removeLength, insert);
    anchor_ = caret_ = pos + insert.size();
    modified_ = true;
}

void EditModel::ReplaceSelection(std::u32string_view text, bool canUndo, bool typing) {
    const size_t start = SelStart();
    const size_t length = SelEnd() - start;
    Change(start, length, text, typing && length == 0 ? Kind::Typing : Kind::Other, canUndo);
    if (length == 0 && text.empty())
        anchor_ = caret_ = start;
}

void EditModel::DeleteBackward() {
    if (HasSelection()) {
        ReplaceSelection(U"", true);
        return;
    }
    if (caret_ == 0)
        return;
    // A line break "\r\n" goes as one.
    size_t from = caret_ - 1;
    if (from > 0 && text_[from] == U'\n' && text_[from - 1] == U'\r')
        --from;
    Change(from, caret_ - from, U"", Kind::Backspace, true);
}

void EditModel::DeleteForward() {
    if (HasSelection()) {
        ReplaceSelection(U"", true);
        return;
    }
    if (caret_ >= text_.size())
        return;
    size_t length = 1;
    if (text_[caret_] == U'\r' && caret_ + 1 < text_.size() && text_[caret_ + 1] == U'\n')
        length = 2;
    Change(caret_, length, U"", Kind::Delete, true);
}

bool EditModel::Undo() {
    if (!undo_.valid)
        return false;
    UndoStep step = undo_;
    std::u32string inserted = text_.substr(step.pos, step.insertedLength);
    text_.replace(step.pos, step.insertedLength, step.removed);
    undo_ = UndoStep{true, step.pos, inserted, step.removed.size(), Kind::Other};
    anchor_ = step.pos;
    caret_ = step.pos + step.removed.size();
    modified_ = true;
    return true;
}

size_t EditModel::WordLeft(size_t pos) const {
    pos = std::min(pos, text_.size());
    while (pos > 0 && IsSpace(text_[pos - 1]))
        --pos;
    if (pos > 0 && IsWordChar(text_[pos - 1])) {
        while (pos > 0 && IsWordChar(text_[pos - 1]))
            --pos;
    } else if (pos > 0) {
        --pos;
    }
    return pos;
}

size_t EditModel::WordRight(size_t pos) const {
    const size_t n = text_.size();
    pos = std::min(pos, n);
    if (pos < n && IsWordChar(text_[pos])) {
        while (pos < n && IsWordChar(text_[pos]))
            ++pos;
    } else if (pos < n && !IsSpace(text_[pos])) {
        ++pos;
    }
    // Blanks after a word belong to it; a line break stops the move.
    while (pos < n && IsBlank(text_[pos]))
        ++pos;
    return pos;
}

std::pair<size_t, size_t> EditModel::WordAt(size_t pos) const {
    const size_t n = text_.size();
    pos = std::min(pos, n);
    if (n == 0)
        return {0, 0};
    size_t probe = pos < n ? pos : n - 1;
    const char32_t at = text_[probe];
    auto same = [&](char32_t c) {
        if (IsWordChar(at))
            return IsWordChar(c);
        return IsBlank(at) && IsBlank(c);
    };
    size_t first = probe;
    size_t last = probe + 1;
    while (first > 0 && same(text_[first - 1]))
        --first;
    while (last < n && same(text_[last]))
        ++last;
    return {first, last};
}

}  // namespace kq::ui
