#include "platform/gfx/Region.h"

#include <algorithm>

#include "platform/gfx/GdiConstants.h"

namespace kq::gfx {

namespace {

int Clamp(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, -Region::kLimit, Region::kLimit));
}

// Applies a boolean operation to two sorted span lists.
std::vector<int> CombineSpans(const std::vector<int>* a, const std::vector<int>* b, Region::Op op) {
    static const std::vector<int> kNone;
    const std::vector<int>& sa = a ? *a : kNone;
    const std::vector<int>& sb = b ? *b : kNone;
    std::vector<int> out;
    size_t ia = 0;
    size_t ib = 0;
    bool inA = false;
    bool inB = false;
    bool inOut = false;
    auto eval = [op](bool x, bool y) {
        switch (op) {
            case Region::Op::And:
                return x && y;
            case Region::Op::Or:
                return x || y;
            case Region::Op::Xor:
                return x != y;
            case Region::Op::Diff:
                return x && !y;
        }
        return false;
    };
    while (ia < sa.size() || ib < sb.size()) {
        int x;
        if (ib >= sb.size() || (ia < sa.size() && sa[ia] <= sb[ib]))
            x = sa[ia];
        else
            x = sb[ib];
        while (ia < sa.size() && sa[ia] == x) {
            inA = !inA;
            ++ia;
        }
        while (ib < sb.size() && sb[ib] == x) {
            inB = !inB;
            ++ib;
        }
        const bool now = eval(inA, inB);
        if (now != inOut) {
            out.push_back(x);
            inOut = now;
        }
    }
    return out;
}

}  // namespace

Region::Region(const RECT& rc) {
    *this = FromRect(rc.left, rc.top, rc.right, rc.bottom);
}

Region Region::FromRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    Region r;
    const int l = Clamp(left);
    const int t = Clamp(top);
    const int rr = Clamp(right);
    const int b = Clamp(bottom);
    if (l < rr && t < b)
        r.bands_.push_back(Band{t, b, {l, rr}});
    return r;
}

Region Region::FromRows(int top, const std::vector<std::vector<int>>& rowSpans) {
    Region r;
    for (size_t i = 0; i < rowSpans.size(); ++i) {
        if (rowSpans[i].empty())
            continue;
        const int y = top + static_cast<int>(i);
        if (!r.bands_.empty() && r.bands_.back().bottom == y &&
            r.bands_.back().spans == rowSpans[i])
            r.bands_.back().bottom = y + 1;
        else
            r.bands_.push_back(Band{y, y + 1, rowSpans[i]});
    }
    return r;
}

int Region::Complexity() const {
    if (bands_.empty())
        return NULLREGION;
    if (bands_.size() == 1 && bands_[0].spans.size() == 2)
        return SIMPLEREGION;
    return COMPLEXREGION;
}

RECT Region::Bounds() const {
    if (bands_.empty())
        return RECT{0, 0, 0, 0};
    int l = bands_[0].spans.front();
    int r = bands_[0].spans.back();
    for (const Band& b : bands_) {
        l = std::min(l, b.spans.front());
        r = std::max(r, b.spans.back());
    }
    return RECT{l, bands_.front().top, r, bands_.back().bottom};
}

const Region::Band* Region::BandAt(int y) const {
    auto it = std::upper_bound(bands_.begin(), bands_.end(), y,
                               [](int v, const Band& b) { return v < b.bottom; });
    if (it == bands_.end() || y < it->top)
        return nullptr;
    return &*it;
}

bool Region::Contains(int x, int y) const {
    const Band* b = BandAt(y);
    if (!b)
        return false;
    auto it = std::upper_bound(b->spans.begin(), b->spans.end(), x);
    return ((it - b->spans.begin()) & 1) != 0;
}

bool Region::Intersects(const RECT& rc) const {
    if (rc.left >= rc.right || rc.top >= rc.bottom)
        return false;
    for (const Band& b : bands_) {
        if (b.bottom <= rc.top)
            continue;
        if (b.top >= rc.bottom)
            break;
        for (size_t i = 0; i < b.spans.size(); i += 2)
            if (b.spans[i] < rc.right && b.spans[i + 1] > rc.left)
                return true;
    }
    return false;
}

void Region::Offset(int64_t dx, int64_t dy) {
    for (Band& b : bands_) {
        b.top = Clamp(b.top + dy);
        b.bottom = Clamp(b.bottom + dy);
        for (int& x : b.spans)
            x = Clamp(x + dx);
    }
    // Clamping at the limits can make bands or spans empty; drop those.
    std::vector<Band> kept;
    for (Band& b : bands_) {
        if (b.top >= b.bottom)
            continue;
        std::vector<int> spans;
        for (size_t i = 0; i < b.spans.size(); i += 2)
            if (b.spans[i] < b.spans[i + 1]) {
                spans.push_back(b.spans[i]);
                spans.push_back(b.spans[i + 1]);
            }
        if (!spans.empty())
            kept.push_back(Band{b.top, b.bottom, std::move(spans)});
    }
    bands_ = std::move(kept);
    Coalesce();
}

void Region::IntersectRect(const RECT& rc) {
    // In place: every paint clips this way, and a rectangle only trims bands and spans.
    const int left = Clamp(rc.left);
    const int top = Clamp(rc.top);
    const int right = Clamp(rc.right);
    const int bottom = Clamp(rc.bottom);
    size_t kept = 0;
    for (size_t i = 0; i < bands_.size(); ++i) {
        Band& band = bands_[i];
        const int y0 = std::max(band.top, top);
        const int y1 = std::min(band.bottom, bottom);
        if (y0 >= y1 || left >= right)
            continue;
        std::vector<int>& spans = band.spans;
        size_t n = 0;
        for (size_t j = 0; j < spans.size(); j += 2) {
            const int a = std::max(spans[j], left);
            const int b = std::min(spans[j + 1], right);
            if (a < b) {
                spans[n++] = a;
                spans[n++] = b;
            }
        }
        if (n == 0)
            continue;
        spans.resize(n);
        band.top = y0;
        band.bottom = y1;
        if (kept != i)
            bands_[kept] = std::move(band);
        ++kept;
    }
    bands_.resize(kept);
    // Bands that differed only outside the rectangle are equal now.
    Coalesce();
}

Region Region::Combine(const Region& a, const Region& b, Op op) {
    std::vector<int> ys;
    ys.reserve((a.bands_.size() + b.bands_.size()) * 2);
    for (const Band& band : a.bands_) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    for (const Band& band : b.bands_) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region out;
    size_t ia = 0;
    size_t ib = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        const int y0 = ys[i];
        const int y1 = ys[i + 1];
        while (ia < a.bands_.size() && a.bands_[ia].bottom <= y0)
            ++ia;
        while (ib < b.bands_.size() && b.bands_[ib].bottom <= y0)
            ++ib;
        const std::vector<int>* sa =
            (ia < a.bands_.size() && a.bands_[ia].top <= y0) ? &a.bands_[ia].spans : nullptr;
        const std::vector<int>* sb =
            (ib < b.bands_.size() && b.bands_[ib].top <= y0) ? &b.bands_[ib].spans : nullptr;
        if (!sa && !sb)
            continue;
        std::vector<int> spans = CombineSpans(sa, sb, op);
        if (spans.empty())
            continue;
        if (!out.bands_.empty() && out.bands_.back().bottom == y0 &&
            out.bands_.back().spans == spans)
            out.bands_.back().bottom = y1;
        else
            out.bands_.push_back(Band{y0, y1, std::move(spans)});
    }
    return out;
}

void Region::Coalesce() {
    size_t kept = 0;
    for (size_t i = 0; i < bands_.size(); ++i) {
        if (kept > 0 && bands_[kept - 1].bottom == bands_[i].top &&
            bands_[kept - 1].spans == bands_[i].spans) {
            bands_[kept - 1].bottom = bands_[i].bottom;
        } else {
            if (kept != i)
                bands_[kept] = std::move(bands_[i]);
            ++kept;
        }
    }
    bands_.resize(kept);
}

std::vector<RECT> Region::Rects() const {
    std::vector<RECT> out;
    for (const Band& b : bands_)
        for (size_t i = 0; i < b.spans.size(); i += 2)
            out.push_back(RECT{b.spans[i], b.top, b.spans[i + 1], b.bottom});
    return out;
}

}  // namespace kq::gfx
