#pragma once

#include "SimulationState.h"

// Torsional shear stress above which the drill breaks, Pa.
inline constexpr double AllowedStressPa = 888888889.0;

// Depth-factor constants: K = 1 + k (L / d)^2.
inline constexpr double DrillingDepthCoefficient = 0.005;
inline constexpr double EnlargingDepthCoefficient = 0.003;

// The model's one power function. Its rules, in order: any base to the power 0 is 1;
// 0 to a positive power is 0; a whole exponent (|n| <= 2147483647) is done by
// square-and-multiply, so x^2 and x^3 are exactly the repeated products; anything
// else is exp(y ln x).
double RaiseToPower(double base, double exponent);

// K = 1 + k (L / d)^2, the same factor on force and moment.
double DepthFactor(double holeDepth, double cutDiameter, double k);

// Evaluates the empirical power laws for the current engagement: writes the newest
// force and moment samples (index 276), the base products of the operation and the
// shear stress M / W. Needs CutDiameter > 0 and, when enlarging, CutDepth > 0.
void ComputeLoads(SimulationState& state);
