// A ring of the last values of a channel whose mean smooths the display. Length 1 means no
// averaging.
#pragma once

#include <vector>

class CMovingAverageRing {
  public:
    explicit CMovingAverageRing(int length = 1);

    // Forgets every stored value; the length stays.
    void Clear();
    // Sets a new length (at least 1) and forgets every stored value.
    void SetLength(int length);
    int GetLength() const { return static_cast<int>(values_.size()); }
    int GetCount() const { return count_; }

    // Moves to the next node and stores the value there; the count grows up to the length.
    void AddValue(double value);
    // Mean of the stored values; false and 0.0 when nothing is stored.
    bool GetMean(double& mean) const;

  private:
    std::vector<double> values_;
    int position_ = -1;
    int count_ = 0;
};
