#include "LoadModel.h"

#include <cmath>
#include <cstdint>

// Power laws of the axial force and the drilling moment (N, Nm) with d and t in mm,
// s in mm/rev and v in m/min:
//   drilling   F = Cp d^qp s^yp v^n K kF         M = Cm d^qm s^ym v^n K kM
//   enlarging  F = Cp t^xp s^yp v^n K kF         M = Cm d^qm t^xm s^ym v^n K kM
// Each base product is stored first and the rest multiplies the stored value, which
// fixes the order of the roundings.

double RaiseToPower(double base, double exponent) {
    if (exponent == 0.0) {
        return 1.0;
    }
    if (base == 0.0 && exponent > 0.0) {
        return 0.0;
    }
    if (exponent == std::trunc(exponent) && std::fabs(exponent) <= 2147483647.0) {
        auto bits = static_cast<std::uint32_t>(std::fabs(exponent));
        double result = 1.0;
        double power = base;
        while (bits != 0) {
            if ((bits & 1u) != 0) {
                result *= power;
            }
            bits >>= 1;
            if (bits != 0) {
                power *= power;
            }
        }
        return exponent < 0.0 ? 1.0 / result : result;
    }
    return std::exp(exponent * std::log(base));
}

double DepthFactor(double holeDepth, double cutDiameter, double k) {
    return 1.0 + k * RaiseToPower(holeDepth / cutDiameter, 2.0);
}

void ComputeLoads(SimulationState& s) {
    const double d = s.CutDiameter;
    const double feed = s.Feed;
    const double speedTerm = RaiseToPower(s.CuttingSpeed, s.SpeedExponent);
    if (s.Operation == MachiningOperation::Drilling) {
        const double k = DepthFactor(s.HoleDepth, d, DrillingDepthCoefficient);
        s.ForceBaseDrill = s.CpDrill * RaiseToPower(d, s.QpDrill) * RaiseToPower(feed, s.YpDrill);
        s.ForceTrace[NewestSample] = s.ForceBaseDrill * speedTerm * k * s.ForceFactor;
        s.MomentBaseDrill = s.CmDrill * RaiseToPower(d, s.QmDrill) * RaiseToPower(feed, s.YmDrill);
        s.MomentTrace[NewestSample] = s.MomentBaseDrill * speedTerm * k * s.MomentFactor;
    } else {
        const double t = s.CutDepth;
        const double k = DepthFactor(s.HoleDepth, d, EnlargingDepthCoefficient);
        s.ForceBaseReam = s.CpReam * RaiseToPower(t, s.XpReam) * RaiseToPower(feed, s.YpReam);
        s.ForceTrace[NewestSample] = s.ForceBaseReam * speedTerm * k * s.ForceFactor;
        s.MomentBaseReam = s.CmReam * RaiseToPower(d, s.QmReam) * RaiseToPower(t, s.XmReam) *
                           RaiseToPower(feed, s.YmReam);
        s.MomentTrace[NewestSample] = s.MomentBaseReam * speedTerm * k * s.MomentFactor;
    }
    s.ShearStress = s.MomentTrace[NewestSample] / s.SectionModulus;
}
