// Columns are found by equal left and right edges; each column's bars share the mean height.
#include "app/bars/EqualHeights.h"

#include <cmath>

namespace {

constexpr int kVertical = 2;
constexpr int kGap = 2;

bool InColumn(const BarPlacement& bar) {
    return bar.visible && bar.dockingKind == kVertical;
}

bool SameColumn(const BarPlacement& a, const BarPlacement& b) {
    return a.rect.left == b.rect.left && a.rect.right == b.rect.right;
}

}  // namespace

std::vector<int> ColumnCounters(const std::vector<BarPlacement>& bars) {
    std::vector<int> counters(bars.size(), 0);
    for (size_t i = 0; i < bars.size(); ++i) {
        if (!InColumn(bars[i]))
            continue;
        for (const BarPlacement& other : bars)
            counters[i] += InColumn(other) && SameColumn(bars[i], other) ? 1 : 0;
    }
    return counters;
}

std::vector<BarTarget> EqualBarHeights(const std::vector<BarPlacement>& bars) {
    std::vector<BarTarget> targets;
    std::vector<bool> grouped(bars.size(), false);
    for (size_t i = 0; i < bars.size(); ++i) {
        if (!InColumn(bars[i]) || grouped[i])
            continue;
        std::vector<size_t> group{i};
        for (size_t j = i + 1; j < bars.size(); ++j) {
            if (InColumn(bars[j]) && !grouped[j] && SameColumn(bars[i], bars[j]))
                group.push_back(j);
        }
        double sum = 0.0;
        for (size_t member : group) {
            grouped[member] = true;
            sum += bars[member].rect.Height();
        }
        const int height = static_cast<int>(std::trunc(sum / static_cast<double>(group.size())));
        const int top = bars[i].rect.top;
        for (size_t k = 0; k < group.size(); ++k) {
            const CRect& own = bars[group[k]].rect;
            const int memberTop = top + (height + kGap) * static_cast<int>(k);
            targets.push_back(
                {group[k], CRect(own.left, memberTop, own.right, memberTop + height)});
        }
    }
    return targets;
}
