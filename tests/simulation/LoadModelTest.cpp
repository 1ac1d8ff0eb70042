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
        {0.0, 0.0, 1.0},      // rule 1 comes before the zero base
        {-3.5, 0.0, 1.0},     //
        {0.0, 0.7, 0.0},      // rule 2
        {0.0, 3.0, 0.0},      //
        {20.0, 2.0, 400.0},   // rule 3, exact
        {-2.0, 3.0, -8.0},    // a whole exponent works for a negative base
        {2.0, -2.0, 0.25},    //
        {2.0, 10.0, 1024.0},  //
        {1.0, 2147483647.0, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RaiseToPower(c.base, c.exponent), c.expected) << c.base << " ^ " << c.exponent;
    }
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

TEST(ComputeLoads, WorkedExampleDrilling) {
    SimulationState s = StateWithMaterial(1);
    s.Operation = 0;
    s.CutDiameter = 20;
    s.Feed = 0.2;
    s.CuttingSpeed = 30;
    s.HoleDepth = 10;
    s.SectionModulus = 1.6e-07;
    ComputeLoads(s);
    EXPECT_NEAR(s.ForceTrace[NewestSample], 4728.79, 0.005);
    EXPECT_NEAR(s.MomentTrace[NewestSample], 40.850, 0.0005);
    EXPECT_NEAR(s.ShearStress, 2.5531e8, 0.00005e8);
    EXPECT_LT(s.ShearStress, s.AllowedStress);
    EXPECT_EQ(s.ForceBaseDrill, 680 * 20 * RaiseToPower(0.2, 0.7));
    EXPECT_EQ(s.ShearStress, s.MomentTrace[NewestSample] / 1.6e-07);
    // The other operation's products are not touched.
    EXPECT_EQ(s.ForceBaseReam, 0.0);
    EXPECT_EQ(s.MomentBaseReam, 0.0);
}

TEST(ComputeLoads, WorkedExampleEnlarging) {
    SimulationState s = StateWithMaterial(1);
    s.Operation = 1;
    s.CutDiameter = 20;
    s.CutDepth = 5;
    s.Feed = 0.2;
    s.CuttingSpeed = 30;
    s.HoleDepth = 10;
    s.SectionModulus = 1.6e-07;
    s.ForceBaseDrill = 123.0;
    ComputeLoads(s);
    EXPECT_NEAR(s.ForceTrace[NewestSample], 1740.93, 0.005);
    EXPECT_NEAR(s.MomentTrace[NewestSample], 22.670, 0.0005);
    EXPECT_NEAR(s.ShearStress, 1.4168e8, 0.00005e8);
    EXPECT_EQ(s.ForceBaseDrill, 123.0);
}

// Loads as a plain formula with std::pow, to check the stored-product evaluation
// against an independent one for every material.
void ExpectLoadsMatchFormula(const SimulationState& s) {
    const double d = s.CutDiameter, t = s.CutDepth, f = s.Feed, v = s.CuttingSpeed;
    const double ratio = s.HoleDepth / d;
    double force = 0, moment = 0;
    if (s.Operation == 0) {
        const double k = 1 + 0.005 * ratio * ratio;
        force = s.CpDrill * std::pow(d, s.QpDrill) * std::pow(f, s.YpDrill) *
                std::pow(v, s.SpeedExponent) * k * s.ForceFactor;
        moment = s.CmDrill * std::pow(d, s.QmDrill) * std::pow(f, s.YmDrill) *
                 std::pow(v, s.SpeedExponent) * k * s.MomentFactor;
    } else {
        const double k = 1 + 0.003 * ratio * ratio;
        force = s.CpReam * std::pow(t, s.XpReam) * std::pow(f, s.YpReam) *
                std::pow(v, s.SpeedExponent) * k * s.ForceFactor;
        moment = s.CmReam * std::pow(d, s.QmReam) * std::pow(t, s.XmReam) *
                 std::pow(f, s.YmReam) * std::pow(v, s.SpeedExponent) * k * s.MomentFactor;
    }
    EXPECT_NEAR(s.ForceTrace[NewestSample], force, force * 1e-12);
    EXPECT_NEAR(s.MomentTrace[NewestSample], moment, moment * 1e-12);
}

TEST(ComputeLoads, AgreesWithThePowerLawsForEveryMaterialAndOperation) {
    for (int material = 1; material <= 10; ++material) {
        for (int operation : {0, 1}) {
            SimulationState s = StateWithMaterial(material);
            s.Operation = operation;
            s.CutDiameter = 13;
            s.CutDepth = 2.5;
            s.Feed = 0.35;
            s.CuttingSpeed = 47;
            s.HoleDepth = 31.4;
            ComputeLoads(s);
            SCOPED_TRACE(testing::Message() << "material " << material << " op " << operation);
            ExpectLoadsMatchFormula(s);
        }
    }
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
    shallow.Operation = 1;
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
    narrow.Operation = 1;
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

TEST(Breakage, MomentAtWhichEachDrillSizeBreaks) {
    const double thresholdNm[] = {2.222, 17.78, 60.00, 142.22, 277.78, 480.00, 762.22};
    for (int size = 1; size <= 7; ++size) {
        SimulationState s;
        Initialise(s);
        ApplyDrillSize(s, size);
        const double exact = s.AllowedStress * s.SectionModulus;
        EXPECT_NEAR(exact, thresholdNm[size - 1], 0.005) << "size " << size;
        EXPECT_LT(exact * 0.999 / s.SectionModulus, s.AllowedStress);
        EXPECT_GT(exact * 1.001 / s.SectionModulus, s.AllowedStress);
    }
}

} // namespace
