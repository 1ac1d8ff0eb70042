#include "StrictConversion.h"

#include "ProgramError.h"

#include <string>

namespace {

constexpr std::uint64_t MaxPositiveMagnitude = 2147483647u;
constexpr std::uint64_t MaxNegativeMagnitude = 2147483648u;
constexpr std::uint64_t MaxHexPattern = 0xFFFFFFFFu;

int HexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// Reads the digits from `pos` to the end; the running value is checked against
// `limit` after every digit, so that any number of digits cannot overflow.
std::optional<std::uint64_t> ReadDigits(const QString& text, qsizetype pos, unsigned base,
                                        std::uint64_t limit) {
    if (pos >= text.size()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t c = text.at(pos).unicode();
        const int digit = base == 16 ? HexDigitValue(c) : (c >= u'0' && c <= u'9' ? c - u'0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + static_cast<unsigned>(digit);
        if (value > limit) {
            return std::nullopt;
        }
    }
    return value;
}

} // namespace

std::optional<std::int32_t> TryStrToIntStrict(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && text.at(pos) == u' ') {
        ++pos;
    }
    if (pos >= text.size()) {
        return std::nullopt;
    }

    const QChar first = text.at(pos);
    qsizetype hexStart = -1;
    if (first == u'$' || first == u'x' || first == u'X') {
        hexStart = pos + 1;
    } else if (first == u'0' && pos + 1 < text.size() &&
               (text.at(pos + 1) == u'x' || text.at(pos + 1) == u'X')) {
        hexStart = pos + 2;
    }
    if (hexStart >= 0) {
        const auto pattern = ReadDigits(text, hexStart, 16, MaxHexPattern);
        if (!pattern) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(*pattern));
    }

    const bool negative = first == u'-';
    if (first == u'+' || first == u'-') {
        ++pos;
    }
    const auto magnitude =
        ReadDigits(text, pos, 10, negative ? MaxNegativeMagnitude : MaxPositiveMagnitude);
    if (!magnitude) {
        return std::nullopt;
    }
    const auto signedValue = static_cast<std::int64_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

std::int32_t StrToIntStrict(const QString& text) {
    if (const auto value = TryStrToIntStrict(text)) {
        return *value;
    }
    throw ProgramError(WithName(NotAnIntegerFormat, text.toStdString()));
}
