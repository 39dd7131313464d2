// The curve store: growth and re-pointing, the all-at-once reallocation with injected allocation
// failures (store and chart unchanged, halving, messages only afterwards), the range queries
// over the curves in use, and the grouped numbers of its messages.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdlib>
#include <map>
#include <vector>

#include "app/flow/DataManager.h"
#include "platform/ui/dialog/MessageBox.h"

namespace {

// Records what the chart would draw from.
class FakeChart : public ICurveChartLink {
  public:
    void RepointCurve(int curve, TDataPoint* data, int count) override {
        shown[curve] = {data, count};
        ++repoints;
    }
    struct Shown {
        TDataPoint* data = nullptr;
        int count = 0;
    };
    std::map<int, Shown> shown;
    int repoints = 0;
};

// Fails the k-th allocation (1-based) and every one larger than a limit.
struct FailingAllocator {
    int failAt = 0;
    size_t largestPoints = SIZE_MAX;
    int calls = 0;
    TDataPoint* operator()(size_t points) {
        ++calls;
        if (calls == failAt || points > largestPoints)
            return nullptr;
        return static_cast<TDataPoint*>(std::calloc(points, sizeof(TDataPoint)));
    }
};

const std::vector<BYTE> kAllSix{1, 1, 1, 1, 1, 1};

TEST(CurveStore, GrowthMovesTheCurveIntoAZeroedDoubleArrayAndRepointsTheChart) {
    CDataManager store;
    FakeChart chart;
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(store.addPoint(3, i, 2.0 * i, &chart), i + 1);
    EXPECT_EQ(store.GetCapacity(3), 10000u);
    EXPECT_EQ(chart.repoints, 0);
    TDataPoint* before = store.GetData(3);
    EXPECT_EQ(store.addPoint(3, 10000, 1, &chart), 10001);
    EXPECT_EQ(store.GetCapacity(3), 20000u);
    EXPECT_NE(store.GetData(3), before);
    EXPECT_EQ(chart.shown[3].data, store.GetData(3));
    EXPECT_EQ(chart.shown[3].count, 10000);  // re-pointed before the new point is written
    EXPECT_EQ(store.GetData(3)[9999].fYVal, 19998.0);
    EXPECT_EQ(store.GetData(3)[19999].fXVal, 0.0);
    EXPECT_EQ(store.addPoint(10, 0, 0, &chart), CDataManager::kBadCurve);
    EXPECT_EQ(store.addPoint(-1, 0, 0, &chart), CDataManager::kBadCurve);
    // A reset keeps the array; the next point goes to index 0.
    EXPECT_TRUE(store.resetCurve(3));
    EXPECT_FALSE(store.resetCurve(10));
    EXPECT_EQ(store.getCount(3, "test"), 0);
    EXPECT_EQ(store.GetCapacity(3), 20000u);
    EXPECT_EQ(store.addPoint(3, 7, 8, &chart), 1);
    EXPECT_EQ(store.GetData(3)[0].fXVal, 7.0);
}

TEST(CurveStore, AFailedGrowthRefusesThePointAndKeepsTheCurve) {
    CDataManager store;
    FailingAllocator allocator{.failAt = 2};
    store.SetAllocator(std::ref(allocator));
    std::vector<StoreMessage> messages;
    ASSERT_EQ(store.ReallocateMemory(2, kAllSix, nullptr, messages), 0u);  // first call fails
    allocator.failAt = 0;
    ASSERT_EQ(store.ReallocateMemory(2, kAllSix, nullptr, messages), 2u);
    EXPECT_EQ(store.addPoint(0, 1, 1, nullptr), 2);
    allocator.failAt = allocator.calls + 1;
    TDataPoint* data = store.GetData(0);
    EXPECT_EQ(store.addPoint(0, 2, 2, nullptr), CDataManager::kOutOfMemory);
    EXPECT_EQ(store.GetData(0), data);
    EXPECT_EQ(store.getCount(0, "test"), 2);
    EXPECT_EQ(store.addPoint(0, 2, 2, nullptr), 3);
}

TEST(CurveStore, ReallocationGivesEveryCurveOneZeroPointAndIsSkippedWhenNothingChanges) {
    CDataManager store;
    FakeChart chart;
    std::vector<StoreMessage> messages;
    const std::vector<BYTE> flags{0, 1, 0, 1};
    ASSERT_EQ(store.ReallocateMemory(500, flags, &chart, messages), 500u);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(store.GetCountOfCurves(), 2);
    for (int i = 0; i < CDataManager::kCurves; ++i) {
        EXPECT_EQ(store.getCount(i, "test"), 1);
        EXPECT_EQ(store.GetData(i)[0].fXVal, 0.0);
        EXPECT_EQ(store.GetCapacity(i), (i == 1 || i == 3) ? 500u : 2u);
        EXPECT_EQ(chart.shown[i].data, store.GetData(i));
    }
    store.m_bLastIndexMode = TRUE;
    EXPECT_EQ(store.getCount(1, "test"), 0);
    store.m_bLastIndexMode = FALSE;
    // An unused curve grows 2 → 4.
    store.addPoint(0, 1, 1, &chart);
    store.addPoint(0, 2, 2, &chart);
    EXPECT_EQ(store.GetCapacity(0), 4u);

    const int repoints = chart.repoints;
    EXPECT_EQ(store.ReallocateMemory(500, std::vector<BYTE>{1, 1}, &chart, messages), 500u);
    EXPECT_EQ(chart.repoints, repoints);
    EXPECT_EQ(store.getCount(0, "test"), 3);
}

TEST(CurveStore, WrongParametersChangeNothingAndSayWhy) {
    CDataManager store;
    std::vector<StoreMessage> messages;
    for (long long points : {500LL, 0LL, -1LL, 1LL, 1LL << 31}) {
        const std::vector<BYTE> flags = points == 500 ? std::vector<BYTE>(6, 0) : kAllSix;
        messages.clear();
        EXPECT_EQ(store.ReallocateMemory(points, flags, nullptr, messages), 0u) << points;
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].text.Find("wrong parameter"), -1);
        EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_ICONSTOP));
    }
    EXPECT_EQ(store.GetCountOfCurves(), -1);
    EXPECT_EQ(store.GetMaxPoints(), 10000u);
    EXPECT_EQ(store.GetData(0), nullptr);
}

TEST(CurveStore, AFailureAtAnyCurveLeavesStoreAndChartAsTheyWereAndHalves) {
    for (int k = 1; k <= CDataManager::kCurves; ++k) {
        CDataManager store;
        FakeChart chart;
        std::vector<StoreMessage> messages;
        ASSERT_EQ(store.ReallocateMemory(1000, kAllSix, &chart, messages), 1000u);
        store.addPoint(0, 5, 6, &chart);
        TDataPoint* before[CDataManager::kCurves];
        for (int i = 0; i < CDataManager::kCurves; ++i)
            before[i] = store.GetData(i);

        FailingAllocator allocator{.failAt = k};
        store.SetAllocator(std::ref(allocator));
        chart.repoints = 0;
        messages.clear();
        const size_t got = store.ReallocateMemory(8000, kAllSix, &chart, messages);
        ASSERT_GE(messages.size(), 3u);
        if (k > 6) {
            // An unused curve's 32 bytes failing: no halving can help.
            EXPECT_EQ(got, 0u);
            EXPECT_EQ(chart.repoints, 0);
            EXPECT_EQ(store.GetMaxPoints(), 1000u);
            EXPECT_EQ(store.getCount(0, "test"), 2);
            for (int i = 0; i < CDataManager::kCurves; ++i)
                EXPECT_EQ(store.GetData(i), before[i]);
            EXPECT_EQ(messages.back().text, "Out of memory");
            continue;
        }
        EXPECT_EQ(got, 4000u);
        EXPECT_EQ(store.GetMaxPoints(), 4000u);
        for (int i = 0; i < CDataManager::kCurves; ++i) {
            EXPECT_EQ(chart.shown[i].data, store.GetData(i));
            EXPECT_EQ(store.getCount(i, "test"), 1);
        }
        CString first;
        first.Format(
            "The Curve No. %d. Allocation for 128.000 Bytes faled.\n(6 Curves, 8.000 "
            "Points on each.)",
            k);
        EXPECT_EQ(messages[0].text, first);
        EXPECT_EQ(messages.back().type, static_cast<UINT>(MB_OK));
        EXPECT_EQ(messages.back().text,
                  "Due to the lack of memory, the maximum number of measurements is reduced to "
                  "4.000.");
    }
}

TEST(CurveStore, BelowTenThousandBytesTheStoreGivesUpUnchanged) {
    CDataManager store;
    FakeChart chart;
    std::vector<StoreMessage> messages;
    ASSERT_EQ(store.ReallocateMemory(400, kAllSix, &chart, messages), 400u);
    TDataPoint* before = store.GetData(0);
    FailingAllocator allocator{.largestPoints = 100};
    store.SetAllocator(std::ref(allocator));
    chart.repoints = 0;
    EXPECT_EQ(store.ReallocateMemory(1000, kAllSix, &chart, messages), 0u);
    EXPECT_EQ(store.GetData(0), before);
    EXPECT_EQ(store.GetMaxPoints(), 400u);
    EXPECT_EQ(chart.repoints, 0);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, "Out of memory");
}

TEST(CurveStore, RangesLookAtEveryNonEmptyCurveInUse) {
    CDataManager store;
    EXPECT_EQ(store.getAbsoluteXMin("test"), DBL_MAX);
    EXPECT_EQ(store.getAbsoluteXMax("test"), -DBL_MAX);
    std::vector<StoreMessage> messages;
    // Only channel B in use: curve 1.
    store.ReallocateMemory(100, std::vector<BYTE>{0, 1}, nullptr, messages);
    for (int i = 0; i < CDataManager::kCurves; ++i)
        store.resetCurve(i);
    EXPECT_EQ(store.getAbsoluteXMax("test"), -DBL_MAX);
    store.addPoint(0, -50, 0, nullptr);  // not in use: never looked at
    store.addPoint(1, 3, 0, nullptr);
    store.addPoint(1, 9, 0, nullptr);
    EXPECT_EQ(store.getAbsoluteXMin("test"), 3.0);
    EXPECT_EQ(store.getAbsoluteXMax("test"), 9.0);
}

TEST(CurveStore, GroupedNumbers) {
    EXPECT_EQ(CDataManager::formatGrouped(0, '.'), "0");
    EXPECT_EQ(CDataManager::formatGrouped(999, '.'), "999");
    EXPECT_EQ(CDataManager::formatGrouped(1000, '.'), "1.000");
    EXPECT_EQ(CDataManager::formatGrouped(1234567, '\''), "1'234'567");
    EXPECT_EQ(CDataManager::formatGrouped(UINT64_MAX, '.'), "18.446.744.073.709.551.615");
}

}  // namespace
