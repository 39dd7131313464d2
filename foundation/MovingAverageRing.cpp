#include "foundation/MovingAverageRing.h"

#include <algorithm>
#include <numeric>

CMovingAverageRing::CMovingAverageRing(int length) {
    SetLength(length);
}

void CMovingAverageRing::Clear() {
    std::fill(values_.begin(), values_.end(), 0.0);
    position_ = -1;
    count_ = 0;
}

void CMovingAverageRing::SetLength(int length) {
    values_.assign(static_cast<size_t>(std::max(length, 1)), 0.0);
    position_ = -1;
    count_ = 0;
}

void CMovingAverageRing::AddValue(double value) {
    position_ = (position_ + 1) % GetLength();
    values_[static_cast<size_t>(position_)] = value;
    count_ = std::min(count_ + 1, GetLength());
}

bool CMovingAverageRing::GetMean(double& mean) const {
    if (count_ == 0) {
        mean = 0.0;
        return false;
    }
    // While the ring fills, the stored values are the first count_ nodes.
    mean = std::accumulate(values_.begin(), values_.begin() + count_, 0.0) / count_;
    return true;
}
