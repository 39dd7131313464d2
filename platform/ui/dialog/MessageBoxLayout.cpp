#include "platform/ui/dialog/MessageBoxLayout.h"

#include <algorithm>

#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/controls/Utf8Text.h"

namespace kq::ui {
namespace {

constexpr int kMargin = 11;
constexpr int kIconSize = 32;
constexpr int kIconGap = 10;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kButtonPadding = 16;

std::vector<std::u32string> SplitLines(const std::u32string& text) {
    std::vector<std::u32string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n')
            continue;
        if (text[i] == U'\n' || text[i] == U'\r')
            lines.emplace_back();
        else
            lines.back() += text[i];
    }
    return lines;
}

// Breaks one line into pieces no wider than maxWidth.
void Wrap(const std::u32string& line, int maxWidth, std::vector<std::u32string>& out) {
    std::vector<int> x = MeasureOffsets(nullptr, line);
    size_t from = 0;
    while (x[line.size()] - x[from] > maxWidth) {
        size_t to = from + 1;
        while (to < line.size() && x[to + 1] - x[from] <= maxWidth)
            ++to;
        size_t blank = to;
        while (blank > from && line[blank] != U' ')
            --blank;
        if (blank > from)
            to = blank;
        out.push_back(line.substr(from, to - from));
        from = to;
        while (from < line.size() && line[from] == U' ')
            ++from;
    }
    out.push_back(line.substr(from));
}

}  // namespace

MessageBoxLayout LayOutMessageBox(const std::string& text, const std::vector<std::string>& buttons,
                                  bool icon, int maxTextWidth, int minimumWidth) {
    MessageBoxLayout l;
    std::vector<std::u32string> lines;
    for (const std::u32string& line : SplitLines(DecodeText(text)))
        Wrap(line, std::max(maxTextWidth, 1), lines);
    int textWidth = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        textWidth = std::max(textWidth, MeasureText(nullptr, EncodeText(lines[i])));
        l.wrappedText += EncodeText(lines[i]);
        if (i + 1 < lines.size())
            l.wrappedText += '\n';
    }
    const int lineHeight = MeasureFont(nullptr).height;
    const int textHeight = static_cast<int>(lines.size()) * lineHeight;

    int left = kMargin;
    int contentHeight = textHeight;
    if (icon) {
        l.icon = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
        left += kIconSize + kIconGap;
        contentHeight = std::max(contentHeight, kIconSize);
    }
    // A short text stands beside the middle of the icon.
    const int textTop = kMargin + (contentHeight - textHeight) / 2;
    l.text = RECT{left, textTop, left + textWidth, textTop + textHeight};

    int buttonWidth = kButtonWidth;
    for (const std::string& b : buttons)
        buttonWidth = std::max(buttonWidth, MeasureText(nullptr, b) + kButtonPadding);
    const int count = static_cast<int>(buttons.size());
    const int rowWidth = count * buttonWidth + std::max(0, count - 1) * kButtonGap;
    const int width = std::max({l.text.right + kMargin, rowWidth + 2 * kMargin, minimumWidth});
    const int rowTop = kMargin + contentHeight + kMargin + 4;
    int x = (width - rowWidth) / 2;
    for (int i = 0; i < count; ++i) {
        l.buttons.push_back(RECT{x, rowTop, x + buttonWidth, rowTop + kButtonHeight});
        x += buttonWidth + kButtonGap;
    }
    l.client = SIZE{width, rowTop + kButtonHeight + kMargin};
    return l;
}

}  // namespace kq::ui
