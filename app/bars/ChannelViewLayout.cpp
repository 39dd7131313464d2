#include "app/bars/ChannelViewLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kAspect = 3.0;
constexpr double kInverseAspect = 0.3333333333333333;
constexpr int kMargin = 12;
constexpr int kInset = 4;
constexpr int kGap = 4;

struct FontRule {
    double widthDivisor;
    double heightDivisor;
    int weight;
};
constexpr FontRule kValueFont{18.7, 1.05, 400};
constexpr FontRule kFieldFont{19.0, 1.05, 400};
constexpr FontRule kButtonFont{17.5, 1.45, 700};

}  // namespace

ChannelViewCells LayoutChannelView(int width, int height, bool topAnchored) {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    if (width / 30 >= height / 10) {
        w = static_cast<int>(std::trunc(height * kAspect)) - kMargin;
        h = height - kMargin;
        y = kInset;
        w = std::max(0, w);
        h = std::max(0, h);
        x = (width - w) / 2;
    } else {
        w = std::max(0, width - kMargin);
        h = std::max(0, static_cast<int>(std::trunc(width * kInverseAspect)) - kMargin);
        x = kInset;
        y = topAnchored ? kInset : (height - h) / 2;
    }
    ChannelViewCells out;
    out.block = CRect(x, y, x + w, y + h);
    const int cw = std::max(0, (w - 8) / 3);
    const int ch = std::max(0, (h / 2 - 8) / 2);
    const int y2 = y + h / 2 + kGap;
    const int y3 = y2 + ch + kGap;
    out.cells[0] = CRect(x, y, x + w, y + h / 2);
    for (int column = 0; column < 3; ++column) {
        const int left = x + column * (cw + kGap);
        out.cells[1 + column] = CRect(left, y2, left + cw, y2 + ch);
        out.cells[4 + column] = CRect(left, y3, left + cw, y3 + ch);
    }
    return out;
}

CellFont FontOfCell(int cell, CSize size) {
    const FontRule& rule = cell == 0 ? kValueFont : cell <= 3 ? kFieldFont : kButtonFont;
    CellFont font;
    font.width = std::max(1, static_cast<int>(std::trunc(size.cx / rule.widthDivisor)));
    font.height = std::max(1, static_cast<int>(std::trunc(size.cy / rule.heightDivisor)));
    font.weight = rule.weight;
    return font;
}
