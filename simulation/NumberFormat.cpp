#include "NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <limits>

std::int32_t RoundToInt32(double value) {
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = std::nearbyint(value);
    if (rounded <= low) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= high) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

std::string FormatGeneral(double value, std::string_view decimalSeparator) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text;
    for (const char* p = buffer; *p != '\0'; ++p) {
        if (*p == '.') {
            text += decimalSeparator;
        } else if (*p == '+') {
            continue; // 1E+20 is written 1E20
        } else {
            text += *p;
        }
    }
    // "%G" pads the exponent to two digits: 1E05 becomes 1E5.
    const auto e = text.find('E');
    if (e != std::string::npos) {
        auto digits = e + 1;
        if (digits < text.size() && text[digits] == '-') {
            ++digits;
        }
        while (digits + 1 < text.size() && text[digits] == '0') {
            text.erase(digits, 1);
        }
    }
    return text;
}
