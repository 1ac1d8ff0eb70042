#include "LoadModel.h"
#include "MachiningInputs.h"
#include "Materials.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

SimulationState StateWithMaterial(int workMaterial) {
    SimulationState s;
    Initialise(s);
    LoadCoefficients(s, workMaterial);
    return s;
}

TEST(RaiseToPower, RulesInTheirOrder) {
    struct Case {
        double base, exponent, expected;
    };
    const Case cases[] = {
        {0.0, 0.0, 1.0},     // rule 1 comes before the zero base
        {-3.5, 0.0, 1.0},    //
        {0.0, 0.7, 0.0},     // rule 2
        {0.0, 3.0, 0.0},     //
        {20.0, 2.0, 400.0},  // rule 3, exact
        {-2.0, 3.0, -8.0},   // a whole exponent works for a negative base
        {2.0, -2.0, 0.25},   //
        {2.0, 10.0, 1024.0}, //
        {1.0, 2147483647.0, 1.0}, {-1.0, 2147483647.0, -1.0}, // the largest whole exponent, odd
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RaiseToPower(c.base, c.exponent), c.expected) << c.base << " ^ " << c.exponent;
    }
    // One more and the logarithm takes over, which has no value for a negative base.
    EXPECT_TRUE(std::isnan(RaiseToPower(-1.0, 2147483648.0)));
}

TEST(RaiseToPower, WholePowersAreTheRepeatedProductsBitForBit) {
    for (double x : {0.02, 0.035, 1.0 / 3.0, 7.3, 19.99, 1e-3}) {
        EXPECT_EQ(RaiseToPower(x, 2.0), x * x) << x;
        EXPECT_EQ(RaiseToPower(x, 3.0), x * x * x) << x;
        EXPECT_EQ(RaiseToPower(x, -2.0), 1.0 / (x * x)) << x;
        EXPECT_EQ(RaiseToPower(x, 1.0), x) << x;
    }
}

TEST(RaiseToPower, FractionalAndHugeExponentsUseTheLogarithm) {
    for (double x : {0.2, 1.5, 30.0}) {
        for (double y : {0.7, -0.05, 1.2, 2147483648.0}) {
            EXPECT_EQ(RaiseToPower(x, y), std::exp(y * std::log(x))) << x << " ^ " << y;
        }
    }
}

TEST(DepthFactor, IsExactlyOneAtTheSurfaceAndGrowsWithTheSquareOfLOverD) {
    EXPECT_EQ(DepthFactor(0.0, 20.0, DrillingDepthCoefficient), 1.0);
    EXPECT_EQ(DepthFactor(0.0, 7.0, EnlargingDepthCoefficient), 1.0);
    EXPECT_DOUBLE_EQ(DepthFactor(10.0, 20.0, DrillingDepthCoefficient), 1.00125);
    EXPECT_DOUBLE_EQ(DepthFactor(10.0, 20.0, EnlargingDepthCoefficient), 1.00075);
}

// Loads worked out by hand from the power laws: material 1 at d 20, t 5, s 0.2, v 30,
// L 10, materials 4 and 9 at d 12, t 2.5, s 0.35, v 47, L 31.4. Each value holds to half
// a unit of its last digit. The base products of the other operation are left alone.
TEST(ComputeLoads, WorkedExamples) {
    struct Near {
        double value, tolerance;
    };
    struct Case {
        int material;
        MachiningOperation operation;
        double d, t, s, v, L;
        Near force, moment, stress;
    };
    constexpr MachiningOperation Drill = MachiningOperation::Drilling,
                                 Ream = MachiningOperation::Enlarging;
    const Case cases[] = {
        {1, Drill, 20, 0, 0.2, 30, 10, {4728.79, 0.005}, {40.850, 0.0005}, {2.5531e8, 5e3}},
        {1, Ream, 20, 5, 0.2, 30, 10, {1740.93, 0.005}, {22.670, 0.0005}, {1.4168e8, 5e3}},
        {4, Drill, 12, 2.5, 0.35, 47, 31.4, {5341.43, 0.005}, {14.7133, 5e-5}, {9.19584e7, 50}},
        {4, Ream, 12, 2.5, 0.35, 47, 31.4, {1056.52, 0.005}, {19.1447, 5e-5}, {1.19654e8, 500}},
        {9, Drill, 12, 2.5, 0.35, 47, 31.4, {7020.68, 0.005}, {24.1551, 5e-5}, {1.50969e8, 500}},
        {9, Ream, 12, 2.5, 0.35, 47, 31.4, {1788.65, 0.005}, {10.5466, 5e-5}, {6.59163e7, 50}},
    };
    for (const Case& c : cases) {
        SimulationState s = StateWithMaterial(c.material);
        s.Operation = c.operation;
        s.CutDiameter = c.d;
        s.CutDepth = c.t;
        s.Feed = c.s;
        s.CuttingSpeed = c.v;
        s.HoleDepth = c.L;
        s.SectionModulus = 1.6e-07;
        s.ForceBaseDrill = s.MomentBaseDrill = s.ForceBaseReam = s.MomentBaseReam = 123.0;
        ComputeLoads(s);
        SCOPED_TRACE(testing::Message()
                     << "material " << c.material << " enlarging " << (c.operation == Ream));
        EXPECT_NEAR(s.ForceTrace[NewestSample], c.force.value, c.force.tolerance);
        EXPECT_NEAR(s.MomentTrace[NewestSample], c.moment.value, c.moment.tolerance);
        EXPECT_NEAR(s.ShearStress, c.stress.value, c.stress.tolerance);
        EXPECT_EQ(c.operation == MachiningOperation::Drilling ? s.ForceBaseReam : s.ForceBaseDrill,
                  123.0);
        EXPECT_EQ(c.operation == MachiningOperation::Drilling ? s.MomentBaseReam
                                                              : s.MomentBaseDrill,
                  123.0);
    }
    // The base product is stored first and the rest multiplies the stored value.
    SimulationState s = StateWithMaterial(1);
    s.CutDiameter = 20;
    s.Feed = 0.2;
    ComputeLoads(s);
    EXPECT_EQ(s.ForceBaseDrill, 680 * 20 * RaiseToPower(0.2, 0.7));
}

TEST(ComputeLoads, PropertiesOfTheMaterialRows) {
    // No speed term: the same loads at every cutting speed (materials 3, 4, 7, 8, 10).
    for (int material : {3, 4, 7, 8, 10}) {
        SimulationState slow = StateWithMaterial(material);
        slow.CutDiameter = 12;
        slow.HoleDepth = 8;
        slow.CuttingSpeed = 5;
        SimulationState fast = slow;
        fast.CuttingSpeed = 80;
        ComputeLoads(slow);
        ComputeLoads(fast);
        EXPECT_EQ(slow.ForceTrace[NewestSample], fast.ForceTrace[NewestSample]) << material;
        EXPECT_EQ(slow.MomentTrace[NewestSample], fast.MomentTrace[NewestSample]) << material;
    }
    // AlMg8 enlarging: the moment does not depend on the depth of cut.
    SimulationState shallow = StateWithMaterial(10);
    shallow.Operation = MachiningOperation::Enlarging;
    shallow.CutDiameter = 20;
    shallow.HoleDepth = 10;
    shallow.CutDepth = 0.5;
    SimulationState deep = shallow;
    deep.CutDepth = 7.5;
    ComputeLoads(shallow);
    ComputeLoads(deep);
    EXPECT_EQ(shallow.MomentTrace[NewestSample], deep.MomentTrace[NewestSample]);
    EXPECT_NE(shallow.ForceTrace[NewestSample], deep.ForceTrace[NewestSample]);
    // Enlarging force: d enters only through L / d.
    SimulationState narrow = StateWithMaterial(1);
    narrow.Operation = MachiningOperation::Enlarging;
    narrow.CutDepth = 3;
    narrow.CutDiameter = 10;
    narrow.HoleDepth = 15;
    SimulationState wide = narrow;
    wide.CutDiameter = 20;
    wide.HoleDepth = 30;
    ComputeLoads(narrow);
    ComputeLoads(wide);
    EXPECT_EQ(narrow.ForceTrace[NewestSample], wide.ForceTrace[NewestSample]);
    // A feed of 0 gives no load at all.
    SimulationState idle = StateWithMaterial(1);
    idle.CutDiameter = 20;
    idle.Feed = 0;
    ComputeLoads(idle);
    EXPECT_EQ(idle.ForceTrace[NewestSample], 0.0);
    EXPECT_EQ(idle.MomentTrace[NewestSample], 0.0);
    EXPECT_EQ(idle.ShearStress, 0.0);
}

// The moment at which each drill size breaks, the allowed 888888889 Pa times the section
// modulus, measured through the load model with a moment of that size.
TEST(Breakage, MomentAtWhichEachDrillSizeBreaks) {
    const double thresholdNm[] = {2.222, 17.78, 60.00, 142.22, 277.78, 480.00, 762.22};
    for (int size = 1; size <= 7; ++size) {
        SimulationState s;
        Initialise(s);
        ApplyDrillSize(s, size);
        s.CutDiameter = 10;
        s.CmDrill = thresholdNm[size - 1];
        s.MomentFactor = 1; // the moment is CmDrill: every power 0, L 0
        ComputeLoads(s);
        const double breakingNm = 888888889.0 * s.MomentTrace[NewestSample] / s.ShearStress;
        EXPECT_NEAR(breakingNm, thresholdNm[size - 1], 0.005) << "size " << size;
    }
}

} // namespace
