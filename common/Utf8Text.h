#pragma once

#include <QString>

#include <string_view>

// One of the program's texts, kept as UTF-8, as Qt shows it.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
