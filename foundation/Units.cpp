#include "foundation/Units.h"

#include <numbers>
#include <span>

#include "res/TextIds.h"

namespace {

struct UnitEntry {
    int id;
    double factor;
};

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Factor per cN·m.
constexpr UnitEntry kTorque[] = {
    {IDS_UNIT_KNM, 1e-5},          {IDS_UNIT_NM, 0.01},           {IDS_UNIT_CNM, 1.0},
    {IDS_UNIT_MNM, 10.0},          {IDS_UNIT_OZFFT, 0.11800994},  {IDS_UNIT_OZFIN, 1.4161193},
    {IDS_UNIT_LBFFT, 0.007375621}, {IDS_UNIT_LBFIN, 0.088507458}, {IDS_UNIT_ADU, 1.0},
};
// Factor per 1/min.
constexpr UnitEntry kSpeed[] = {
    {IDS_UNIT_PER_MIN, 1.0},
    {IDS_UNIT_RAD_PER_MIN, kTwoPi},
    {IDS_UNIT_PER_SEC, 1.0 / 60.0},
    {IDS_UNIT_RAD_PER_SEC, kTwoPi / 60.0},
    {IDS_UNIT_RPM, 1.0},
    {IDS_UNIT_ADU, 1.0},
};
// Factor per degree.
constexpr UnitEntry kAngle[] = {
    {IDS_UNIT_DEGREE, 1.0},
    {IDS_UNIT_RAD, std::numbers::pi / 180.0},
    {IDS_UNIT_ADU, 1.0},
};
// Factor per N.
constexpr UnitEntry kForce[] = {
    {IDS_UNIT_MN_MILLI, 1000.0}, {IDS_UNIT_N, 1.0},           {IDS_UNIT_KN, 0.001},
    {IDS_UNIT_MN_MEGA, 1e-6},    {IDS_UNIT_OZF, 3.596942998}, {IDS_UNIT_LBF, 0.2248089},
    {IDS_UNIT_ADU, 1.0},
};
// Factor per g.
constexpr UnitEntry kMass[] = {
    {IDS_UNIT_MG, 1000.0}, {IDS_UNIT_G, 1.0},           {IDS_UNIT_KG, 0.001},
    {IDS_UNIT_T, 1e-6},    {IDS_UNIT_OZ, 0.0352739621}, {IDS_UNIT_LB, 0.002204623001},
    {IDS_UNIT_ADU, 1.0},
};
// Power is computed from torque in N·m and speed in 1/min: factor per (N·m × 1/min).
constexpr UnitEntry kPower[] = {
    {IDS_UNIT_MW, kTwoPi / 60.0 * 1e-6},
    {IDS_UNIT_KW, kTwoPi / 60.0 * 1e-3},
    {IDS_UNIT_W, kTwoPi / 60.0},
};
constexpr UnitEntry kVoltage[] = {{IDS_UNIT_V, 1.0}, {IDS_UNIT_ADU, 1.0}};
constexpr UnitEntry kCurrent[] = {{IDS_UNIT_MA, 1.0}, {IDS_UNIT_ADU, 1.0}};
constexpr UnitEntry kTemperature[] = {{IDS_UNIT_DEGC, 1.0}, {IDS_UNIT_ADU, 1.0}};
constexpr UnitEntry kBridge[] = {{IDS_UNIT_MV_PER_V, 1.0}, {IDS_UNIT_ADU, 1.0}};
constexpr UnitEntry kOther[] = {{IDS_UNIT_UKN, 1.0}, {IDS_UNIT_ADU, 1.0}};

int UnitAt(std::span<const UnitEntry> table, int index, double& factor) {
    if (index < 0 || index >= static_cast<int>(table.size())) {
        factor = 0.0;
        return -1;
    }
    factor = table[static_cast<size_t>(index)].factor;
    return table[static_cast<size_t>(index)].id;
}

int IndexOf(std::span<const UnitEntry> table, int unitId) {
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].id == unitId)
            return static_cast<int>(i);
    }
    return -1;
}

double FactorAt(std::span<const UnitEntry> table, int index) {
    double factor = 0.0;
    UnitAt(table, index, factor);
    return factor;
}

}  // namespace

int GetTorqueUnit(int index, double& factor) {
    return UnitAt(kTorque, index, factor);
}
int GetSpeedUnit(int index, double& factor) {
    return UnitAt(kSpeed, index, factor);
}
int GetAngleUnit(int index, double& factor) {
    return UnitAt(kAngle, index, factor);
}
int GetForceUnit(int index, double& factor) {
    return UnitAt(kForce, index, factor);
}
int GetMassUnit(int index, double& factor) {
    return UnitAt(kMass, index, factor);
}
int GetPowerUnit(int index, double& factor) {
    return UnitAt(kPower, index, factor);
}
int GetVoltageUnit(int index, double& factor) {
    return UnitAt(kVoltage, index, factor);
}
int GetCurrentUnit(int index, double& factor) {
    return UnitAt(kCurrent, index, factor);
}
int GetTemperatureUnit(int index, double& factor) {
    return UnitAt(kTemperature, index, factor);
}
int GetBridgeUnit(int index, double& factor) {
    return UnitAt(kBridge, index, factor);
}
int GetOtherUnit(int index, double& factor) {
    return UnitAt(kOther, index, factor);
}

int GetTorqueUnitIndex(int unitId) {
    return IndexOf(kTorque, unitId);
}
int GetSpeedUnitIndex(int unitId) {
    return IndexOf(kSpeed, unitId);
}
int GetForceUnitIndex(int unitId) {
    return IndexOf(kForce, unitId);
}
int GetMassUnitIndex(int unitId) {
    return IndexOf(kMass, unitId);
}
int GetPowerUnitIndex(int unitId) {
    return IndexOf(kPower, unitId);
}
int GetBridgeUnitIndex(int unitId) {
    return IndexOf(kBridge, unitId);
}
int GetVoltageUnitIndex(int unitId) {
    return IndexOf(kVoltage, unitId);
}
int GetCurrentUnitIndex(int unitId) {
    return IndexOf(kCurrent, unitId);
}
int GetTemperatureUnitIndex(int unitId) {
    return IndexOf(kTemperature, unitId);
}
int GetOtherUnitIndex(int unitId) {
    return IndexOf(kOther, unitId);
}

double GetTorqueUnitFactor(int index) {
    return FactorAt(kTorque, index);
}
double GetSpeedUnitFactor(int index) {
    return FactorAt(kSpeed, index);
}
double GetAngleUnitFactor(int index) {
    return FactorAt(kAngle, index);
}
double GetForceUnitFactor(int index) {
    return FactorAt(kForce, index);
}
double GetMassUnitFactor(int index) {
    return FactorAt(kMass, index);
}
double GetPowerUnitFactor(int index) {
    return FactorAt(kPower, index);
}
double GetSingleUnitFactor(int index) {
    return index == 0 || index == 1 ? 1.0 : 0.0;
}

int GetQuantityNameId(int kind) {
    switch (kind) {
        case -1:
            return -1;
        case 0:
            return IDS_QUANTITY_BRIDGE;
        case 1:
            return IDS_QUANTITY_VOLTAGE;
        case 2:
            return IDS_QUANTITY_CURRENT;
        case 3:
            return IDS_QUANTITY_TORQUE;
        case 4:
            return IDS_QUANTITY_FORCE;
        case 5:
            return IDS_QUANTITY_WEIGHT;
        case 7:
            return IDS_QUANTITY_TEMPERATURE;
        case 8:
            return IDS_QUANTITY_ANGLE_SPEED;
        case 100:
            return IDS_QUANTITY_POWER;
        default:
            return IDS_QUANTITY_OTHER;
    }
}

int GetQuantityNameIdByLetter(char letter) {
    switch (letter) {
        case 'D':
            return IDS_QUANTITY_TORQUE;
        case 'K':
            return IDS_QUANTITY_FORCE;
        case 'W':
            return IDS_QUANTITY_WEIGHT;
        case 'P':
            return IDS_QUANTITY_POWER;
        case 'Y':
            return IDS_QUANTITY_ANGLE_SPEED;
        case 'd':
            return IDS_QUANTITY_BRIDGE;
        case 'A':
            return IDS_QUANTITY_VOLTAGE;
        case 'S':
            return IDS_QUANTITY_CURRENT;
        case 'T':
            return IDS_QUANTITY_TEMPERATURE;
        default:
            return IDS_QUANTITY_OTHER;
    }
}
