#pragma once

#include <string_view>

// The boxes with which "Proces" refuses to start, UTF-8, exactly as the user sees them.

enum class MessageKind { Warning, Error };

inline constexpr std::string_view ModellingNotFeasibleText = "Modeliranje nije izvodljivo!";
inline constexpr std::string_view ChooseBothMaterialsText = "Izaberite materijal alata i obratka!";
inline constexpr std::string_view NoToolMaterialText = "Materijal alata nije zadat!";
inline constexpr std::string_view NoWorkMaterialText = "Materijal obratka nije zadat!";
inline constexpr std::string_view MaterialsNotMatchingText =
    "Izabrani materijali ne odgovaraju zadatim varijantama!";
