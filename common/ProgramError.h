#pragma once

#include "UserTexts.h"

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

// The format with its %s replaced by the name.
inline std::string WithName(std::string_view format, std::string_view name) {
    std::string text(format);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, name);
    }
    return text;
}
