#pragma once

#include <string_view>

// The program's own texts, UTF-8, exactly as the user sees them.

// Boxes of the handlers.
inline constexpr std::string_view DrillBreaksText = "Nastaje lom burgije!";
inline constexpr std::string_view ModellingNotFeasibleText = "Modeliranje nije izvodljivo!";
inline constexpr std::string_view ChooseBothMaterialsText = "Izaberite materijal alata i obratka!";
inline constexpr std::string_view NoToolMaterialText = "Materijal alata nije zadat!";
inline constexpr std::string_view NoWorkMaterialText = "Materijal obratka nije zadat!";
inline constexpr std::string_view MaterialsNotMatchingText =
    "Izabrani materijali ne odgovaraju zadatim varijantama!";
// The letter before "/min" is the Cyrillic small o (U+043E), as on the original screens.
inline constexpr std::string_view SpindleSpeedText = "Broj obrta vretena prelazi 2000 \u043e/min!";
inline constexpr std::string_view PilotHoleText = "Otvor obraditi prosirivacem!";

// Errors that reach the user through the error report; %s stands for the text or name.
inline constexpr std::string_view NotAnIntegerFormat = "'%s' is not a valid integer value";
inline constexpr std::string_view AxisMaximumText = "Axis Maximum Value must be >= Minimum";
inline constexpr std::string_view CannotOpenFileFormat = "Cannot open file %s";
inline constexpr std::string_view BitmapNotValidText = "Bitmap image is not valid";
inline constexpr std::string_view StreamReadErrorText = "Stream read error";

// Captions of the message box.
inline constexpr std::string_view WarningCaption = "Warning";
inline constexpr std::string_view ErrorCaption = "Error";

enum class MessageKind { Warning, Error };
