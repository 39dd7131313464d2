#include "foundation/Units.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

using UnitFn = int (*)(int, double&);
using IndexFn = int (*)(int);
using FactorFn = double (*)(int);

struct Quantity {
    const char* name;
    UnitFn unit;
    IndexFn index;
    FactorFn factor;
    std::vector<std::pair<int, double>> table;
};

std::vector<Quantity> Quantities() {
    const double twoPi = 2 * std::numbers::pi;
    return {
        {"torque",
         GetTorqueUnit,
         GetTorqueUnitIndex,
         GetTorqueUnitFactor,
         {{5091, 1e-5},
          {5092, 0.01},
          {5093, 1},
          {5094, 10},
          {5096, 0.11800994},
          {5095, 1.4161193},
          {5098, 0.007375621},
          {5097, 0.088507458},
          {5319, 1}}},
        {"speed",
         GetSpeedUnit,
         GetSpeedUnitIndex,
         GetSpeedUnitFactor,
         {{5101, 1}, {5102, twoPi}, {5103, 1 / 60.0}, {5104, twoPi / 60}, {5168, 1}, {5319, 1}}},
        {"force",
         GetForceUnit,
         GetForceUnitIndex,
         GetForceUnitFactor,
         {{5529, 1000},
          {5528, 1},
          {5530, 0.001},
          {5537, 1e-6},
          {5363, 3.596942998},
          {5364, 0.2248089},
          {5319, 1}}},
        {"mass",
         GetMassUnit,
         GetMassUnitIndex,
         GetMassUnitFactor,
         {{5538, 1000},
          {5531, 1},
          {5532, 0.001},
          {5533, 1e-6},
          {5365, 0.0352739621},
          {5366, 0.002204623001},
          {5319, 1}}},
        {"bridge", GetBridgeUnit, GetBridgeUnitIndex, GetSingleUnitFactor, {{5534, 1}, {5319, 1}}},
        {"voltage",
         GetVoltageUnit,
         GetVoltageUnitIndex,
         GetSingleUnitFactor,
         {{5535, 1}, {5319, 1}}},
        {"current",
         GetCurrentUnit,
         GetCurrentUnitIndex,
         GetSingleUnitFactor,
         {{5536, 1}, {5319, 1}}},
        {"temperature",
         GetTemperatureUnit,
         GetTemperatureUnitIndex,
         GetSingleUnitFactor,
         {{5539, 1}, {5319, 1}}},
        {"other", GetOtherUnit, GetOtherUnitIndex, GetSingleUnitFactor, {{5361, 1}, {5319, 1}}},
    };
}

}  // namespace

TEST(Units, EveryIndexMapsToItsIdAndFactorAndBack) {
    for (const auto& q : Quantities()) {
        SCOPED_TRACE(q.name);
        for (size_t i = 0; i < q.table.size(); ++i) {
            double factor = -1;
            EXPECT_EQ(q.unit(static_cast<int>(i), factor), q.table[i].first);
            EXPECT_DOUBLE_EQ(factor, q.table[i].second);
            EXPECT_DOUBLE_EQ(q.factor(static_cast<int>(i)), q.table[i].second);
            EXPECT_EQ(q.index(q.table[i].first), static_cast<int>(i));
        }
        double factor = -1;
        const int past = static_cast<int>(q.table.size());
        EXPECT_LT(q.unit(past, factor), 0);
        EXPECT_EQ(factor, 0.0);
        EXPECT_LT(q.unit(-1, factor), 0);
        EXPECT_EQ(q.factor(past), 0.0);
        EXPECT_EQ(q.factor(-1), 0.0);
        EXPECT_EQ(q.index(4711), -1);
    }
}

TEST(Units, MegaNewtonMetreIsNoTorqueUnit) {
    EXPECT_EQ(GetTorqueUnitIndex(5367), -1);
}

TEST(Units, PowerFactorsTurnNewtonMetreTimesRpmIntoWatt) {
    // 1 N·m at 60 1/min is 2π W.
    EXPECT_NEAR(GetPowerUnitFactor(2) * 60.0, 2 * std::numbers::pi, 1e-12);
    EXPECT_NEAR(GetPowerUnitFactor(1) / GetPowerUnitFactor(2), 1e-3, 1e-15);
    EXPECT_EQ(GetPowerUnitIndex(5107), 2);
}

TEST(Units, QuantityNamesByKindAndLetter) {
    EXPECT_EQ(GetQuantityNameId(3), 5030);
    EXPECT_EQ(GetQuantityNameId(100), 5033);
    EXPECT_EQ(GetQuantityNameId(8), 5330);
    EXPECT_EQ(GetQuantityNameId(6), 5349);
    EXPECT_EQ(GetQuantityNameId(-1), -1);
    EXPECT_EQ(GetQuantityNameIdByLetter('D'), 5030);
    EXPECT_EQ(GetQuantityNameIdByLetter('T'), 5353);
    EXPECT_EQ(GetQuantityNameIdByLetter('?'), 5349);
}
