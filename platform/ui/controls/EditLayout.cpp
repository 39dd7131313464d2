#include "platform/ui/controls/EditLayout.h"

#include <algorithm>

#include "platform/ui/controls/TextMetrics.h"

namespace kq::ui {
namespace {

struct HardLine {
    size_t start;
    size_t length;
    size_t breakLength;
};

std::vector<HardLine> SplitHard(const std::u32string& text, bool multiline) {
    std::vector<HardLine> lines;
    if (!multiline) {
        lines.push_back(HardLine{0, text.size(), 0});
        return lines;
    }
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') {
            lines.push_back(HardLine{start, i - start, 2});
            start = i + 2;
            ++i;
        } else if (text[i] == U'\n') {
            lines.push_back(HardLine{start, i - start, 1});
            start = i + 1;
        }
    }
    lines.push_back(HardLine{start, text.size() - start, 0});
    return lines;
}

}  // namespace

void EditLayout::Build(const std::u32string& text, bool multiline, int wrapWidth, HFONT font,
                       char32_t passwordChar) {
    shown_ = passwordChar ? std::u32string(text.size(), passwordChar) : text;
    lines_.clear();
    offsets_.clear();
    for (const HardLine& hard : SplitHard(text, multiline)) {
        std::vector<int> all =
            MeasureOffsets(font, std::u32string_view(shown_).substr(hard.start, hard.length));
        size_t from = 0;  // within the hard line
        for (;;) {
            size_t to = hard.length;
            if (multiline && wrapWidth > 0 && all[to] - all[from] > wrapWidth) {
                to = from + 1;
                while (to < hard.length && all[to + 1] - all[from] <= wrapWidth)
                    ++to;
                // Break after the last blank that fits, keeping the blank on this line.
                size_t blank = to;
                while (blank > from && shown_[hard.start + blank - 1] != U' ')
                    --blank;
                if (blank > from)
                    to = blank;
                while (to < hard.length && shown_[hard.start + to] == U' ')
                    ++to;
            }
            const bool last = to >= hard.length;
            lines_.push_back(EditLine{hard.start + from, to - from, last ? hard.breakLength : 0});
            std::vector<int> offsets(all.begin() + static_cast<ptrdiff_t>(from),
                                     all.begin() + static_cast<ptrdiff_t>(to) + 1);
            for (int& x : offsets)
                x -= all[from];
            offsets_.push_back(std::move(offsets));
            if (last)
                break;
            from = to;
        }
    }
}

size_t EditLayout::LineOf(size_t pos) const {
    auto it = std::upper_bound(lines_.begin(), lines_.end(), pos,
                               [](size_t p, const EditLine& l) { return p < l.start; });
    if (it == lines_.begin())
        return 0;
    return static_cast<size_t>(it - lines_.begin()) - 1;
}

int EditLayout::XOf(size_t line, size_t pos) const {
    const EditLine& l = lines_[line];
    const size_t at = std::clamp(pos, l.start, l.start + l.length) - l.start;
    return offsets_[line][at];
}

size_t EditLayout::PosAt(size_t line, int x) const {
    const EditLine& l = lines_[line];
    const std::vector<int>& o = offsets_[line];
    for (size_t i = 0; i < l.length; ++i) {
        if (x < (o[i] + o[i + 1] + 1) / 2)
            return l.start + i;
    }
    return l.start + l.length;
}

int EditLayout::Width(size_t line) const {
    return offsets_[line].back();
}

int EditLayout::MaxWidth() const {
    int width = 0;
    for (const auto& o : offsets_)
        width = std::max(width, o.back());
    return width;
}

std::u32string EditLayout::Shown(size_t line) const {
    return shown_.substr(lines_[line].start, lines_[line].length);
}

}  // namespace kq::ui
