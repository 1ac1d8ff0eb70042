#pragma once

#include <stdexcept>
#include <string>

// The error that the program raises inside a handler with a message for the user
// ("Cannot open file 20_6.BMP", "'6,' is not a valid integer value", ...). It ends
// the handler where it is raised; the error report at the handler's boundary shows
// the message. The message is UTF-8.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const std::string& message) : std::runtime_error(message) {}
};
