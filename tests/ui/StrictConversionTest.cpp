#include "StrictConversion.h"

#include "ProgramError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

struct ConversionCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class StrictConversionTable : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(StrictConversionTable, ConvertsOrRaisesWithTheWholeText) {
    const ConversionCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(TryStrToIntStrict(text), c.expected);
    if (c.expected) {
        EXPECT_EQ(StrToIntStrict(text), *c.expected);
        return;
    }
    try {
        StrToIntStrict(text);
        FAIL() << "no error raised";
    } catch (const ProgramError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "'" + std::string(c.text) + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, StrictConversionTable,
    ::testing::Values(
        ConversionCase{"-2147483648", INT32_MIN}, ConversionCase{"2147483647", INT32_MAX},
        ConversionCase{"2147483648", std::nullopt}, ConversionCase{"-2147483649", std::nullopt},
        ConversionCase{"99999999999999999999999", std::nullopt},
        ConversionCase{"$100000000", std::nullopt}, ConversionCase{"$FFFFFFFF", -1},
        ConversionCase{"$80000000", INT32_MIN}, ConversionCase{"$7fffffff", INT32_MAX},
        ConversionCase{"$000000001", 1}, ConversionCase{"0x", std::nullopt},
        ConversionCase{"$", std::nullopt}, ConversionCase{"+", std::nullopt},
        ConversionCase{"-", std::nullopt}, ConversionCase{" 7", 7}, ConversionCase{"   -12", -12},
        ConversionCase{"7 ", std::nullopt}, ConversionCase{"\t7", std::nullopt},
        ConversionCase{"- 7", std::nullopt}, ConversionCase{"1,5", std::nullopt},
        ConversionCase{"1.5", std::nullopt}, ConversionCase{"6,", std::nullopt},
        ConversionCase{"", std::nullopt}, ConversionCase{"   ", std::nullopt},
        ConversionCase{"-0", 0}, ConversionCase{"+5", 5}, ConversionCase{"$a", 10},
        ConversionCase{"$A", 10}, ConversionCase{"x1F", 31}, ConversionCase{"X1f", 31},
        ConversionCase{"0x10", 16}, ConversionCase{"0X10", 16}, ConversionCase{"-$5", std::nullopt},
        ConversionCase{"+0x5", std::nullopt}, ConversionCase{"00x5", std::nullopt},
        ConversionCase{"$G", std::nullopt}, ConversionCase{"0", 0}, ConversionCase{"007", 7},
        ConversionCase{"1e3", std::nullopt}, ConversionCase{"\xd9\xa3", std::nullopt},
        ConversionCase{"12a", std::nullopt}));

} // namespace
