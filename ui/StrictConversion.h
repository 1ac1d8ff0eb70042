#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The whole-number reading of spin edit texts, stricter than QString::toInt:
// leading spaces only, then either an optional sign and decimal digits within
// the 32-bit range, or "$", "x", "X", "0x", "0X" and hexadecimal digits taken as
// a 32-bit pattern ("$FFFFFFFF" is -1). Anything else, a trailing blank, a
// decimal separator or a lone sign included, does not convert.
std::optional<std::int32_t> TryStrToIntStrict(const QString& text);

// As TryStrToIntStrict, but a text that does not convert raises
// ProgramError("'<text>' is not a valid integer value").
std::int32_t StrToIntStrict(const QString& text);
