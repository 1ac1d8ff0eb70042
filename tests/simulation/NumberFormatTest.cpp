#include "NumberFormat.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(RoundToInt32, NearestWithTiesToEvenAndSaturation) {
    struct Case {
        double value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {-299.5, -300},
        {-298.5, -298},
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {0.35, 0},
        {0.7, 1},
        {118.2, 118},
        {-251.8, -252},
        {74.49999, 74},
        {3e9, std::numeric_limits<std::int32_t>::max()},
        {-3e9, std::numeric_limits<std::int32_t>::min()},
        {std::numeric_limits<double>::infinity(), std::numeric_limits<std::int32_t>::max()},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundToInt32(c.value), c.expected) << c.value;
    }
}

TEST(FormatGeneral, ShortestFormWithTheLocaleSeparator) {
    struct Case {
        double value;
        const char* separator;
        const char* expected;
    };
    const Case cases[] = {
        {20.0, ",", "20"},
        {35.0, ",", "35"},
        {5.0, ".", "5"},
        {0.05, ",", "0,05"},
        {0.2, ",", "0,2"},
        {1.0, ",", "1"},
        {0.35, ".", "0.35"},
        {21474836.47, ",", "21474836,47"},
        {-0.15, ",", "-0,15"},
        {1e20, ".", "1E20"},
        {1.5e-7, ",", "1,5E-7"},
        {0.1 + 0.2, ".", "0.3"}, // 15 significant digits hide the binary noise
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatGeneral(c.value, c.separator), c.expected) << c.value;
    }
}

} // namespace
