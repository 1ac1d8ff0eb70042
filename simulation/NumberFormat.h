#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Nearest whole number with ties to even (-299.5 -> -300, -298.5 -> -298), the one
// rounding of the program. Values beyond the 32-bit range, which only absurd typed
// inputs can bring about, saturate at its bounds instead of overflowing.
std::int32_t RoundToInt32(double value);

// The shortest general decimal form with at most 15 significant digits, as the edit
// fields show numbers: 20, 0.05, 1, 1E20; the decimal point is replaced by the given
// separator (the user's locale).
std::string FormatGeneral(double value, std::string_view decimalSeparator);
