// Equal heights for the channel bars that stand in one docked column: the groups of visible,
// vertically docked bars with the same left and right edge, and each member's target rectangle
// (the group's mean height, truncated, with 2 pixels between the bars). Pure logic.
#pragma once

#include <vector>

#include "platform/base/Geometry.h"

struct BarPlacement {
    int dockingKind = 0;  // 0 not docked, 1 docked horizontally, 2 docked vertically
    bool visible = false;
    CRect rect;  // window rectangle
};

struct BarTarget {
    size_t bar = 0;  // index into the placements
    CRect rect;
};

// The target rectangles of every member of every group, groups in index order of their first
// bar. Bars that are hidden, floating or docked horizontally take part in no group.
std::vector<BarTarget> EqualBarHeights(const std::vector<BarPlacement>& bars);
// The number of visible vertically docked bars in each bar's column, itself included (0 for
// bars in no column).
std::vector<int> ColumnCounters(const std::vector<BarPlacement>& bars);
