#pragma once

#include <string_view>

// The main window's own boxes and the captions of the message box, UTF-8, exactly as
// the user sees them.

inline constexpr std::string_view DrillBreaksText = "Nastaje lom burgije!";
// The "o" of the unit "o/min" (revolutions per minute) is the Cyrillic small o, U+043E,
// the one letter of the program's texts outside the Latin script.
inline constexpr std::string_view SpindleSpeedText = "Broj obrta vretena prelazi 2000 \u043e/min!";
inline constexpr std::string_view PilotHoleText = "Otvor obraditi prosirivacem!";

inline constexpr std::string_view WarningCaption = "Warning";
inline constexpr std::string_view ErrorCaption = "Error";
