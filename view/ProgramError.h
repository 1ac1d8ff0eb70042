#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// The error that the program raises inside a handler with a message for the user
// ("Cannot open file 20_6.BMP", "'6,' is not a valid integer value", ...). It ends
// the handler where it is raised; the error report at the handler's boundary shows
// the message. The message is UTF-8.
class ProgramError : public std::runtime_error {
  public:
    explicit ProgramError(const std::string& message) : std::runtime_error(message) {}
};

// The messages of the program's errors; %s stands for the text or the file name.
inline constexpr std::string_view NotAnIntegerFormat = "'%s' is not a valid integer value";
inline constexpr std::string_view AxisMaximumText = "Axis Maximum Value must be >= Minimum";
inline constexpr std::string_view CannotOpenFileFormat = "Cannot open file %s";
inline constexpr std::string_view BitmapNotValidText = "Bitmap image is not valid";
inline constexpr std::string_view StreamReadErrorText = "Stream read error";

// The format with its %s replaced by the name.
inline std::string WithName(std::string_view format, std::string_view name) {
    std::string text(format);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, name);
    }
    return text;
}
