#include "ProgramError.h"
#include "StrictConversion.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <optional>

// Any text either converts, and then its value written back in decimal converts to the
// same value, or fails with exactly "'<text>' is not a valid integer value".
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::optional<std::int32_t> value;
    try {
        value = StrToIntStrict(text);
    } catch (const ProgramError& error) {
        // The message is a C string: a NUL typed into the text ends it there.
        QByteArray expected =
            (QStringLiteral("'") + text + QStringLiteral("' is not a valid integer value"))
                .toUtf8();
        if (const qsizetype nul = expected.indexOf('\0'); nul >= 0) {
            expected.truncate(nul);
        }
        if (QByteArray(error.what()) != expected) {
            std::abort();
        }
    }
    if (value.has_value()) {
        if (TryStrToIntStrict(text) != value) {
            std::abort();
        }
        if (StrToIntStrict(QString::number(*value)) != *value) {
            std::abort();
        }
    } else if (TryStrToIntStrict(text).has_value()) {
        std::abort();
    }
    return 0;
}
