// Unit and quantity tables. Each quantity has a list of units; a unit is known by its index in
// that list and by the string id of its name. Factors convert from the quantity's base unit
// (torque cN·m, speed 1/min, force N, mass g, angle degree, power W) into the unit.
#pragma once

// Index → unit string id; factor receives the factor per base unit. An invalid index returns -1
// and sets the factor to 0.
int GetTorqueUnit(int index, double& factor);
int GetSpeedUnit(int index, double& factor);
int GetAngleUnit(int index, double& factor);
int GetForceUnit(int index, double& factor);
int GetMassUnit(int index, double& factor);
int GetPowerUnit(int index, double& factor);
int GetVoltageUnit(int index, double& factor);
int GetCurrentUnit(int index, double& factor);
int GetTemperatureUnit(int index, double& factor);
int GetBridgeUnit(int index, double& factor);
int GetOtherUnit(int index, double& factor);

// Unit string id → index in its list; -1 for an id that is not in the list.
int GetTorqueUnitIndex(int unitId);
int GetSpeedUnitIndex(int unitId);
int GetForceUnitIndex(int unitId);
int GetMassUnitIndex(int unitId);
int GetPowerUnitIndex(int unitId);
int GetBridgeUnitIndex(int unitId);
int GetVoltageUnitIndex(int unitId);
int GetCurrentUnitIndex(int unitId);
int GetTemperatureUnitIndex(int unitId);
int GetOtherUnitIndex(int unitId);

// Index → factor per base unit; 0.0 for an invalid index.
double GetTorqueUnitFactor(int index);
double GetSpeedUnitFactor(int index);
double GetAngleUnitFactor(int index);
double GetForceUnitFactor(int index);
double GetMassUnitFactor(int index);
double GetPowerUnitFactor(int index);
// The one-unit quantities (bridge, voltage, current, temperature, other): 1.0 for the unit and
// for raw counts (indexes 0 and 1), 0.0 otherwise.
double GetSingleUnitFactor(int index);

// String id of a quantity's name for a kind as the protocol's unit code gives it (0 bridge,
// 1 voltage, 2 current, 3 torque, 4 force, 5 mass, 6 other, 7 temperature, 8 angle/speed,
// 100 power); -1 for the unknown kind -1.
int GetQuantityNameId(int kind);

// String id of a quantity's name by its unit letter ('D' torque, 'K' force, ... any other letter
// counts as other).
int GetQuantityNameIdByLetter(char letter);
