// Typed errors of the engine. Each carries the message the user sees.
#pragma once

#include <stdexcept>
#include <string>

// A text that is not a number, with the wording users know:
// "'%s' is not a valid floating point value" / "'%s' is not a valid integer value".
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A floating-point failure detected by the numerics ("Floating point division by zero",
// "Floating point overflow", "Invalid floating point operation").
class MathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char *kDivisionByZeroMessage = "Floating point division by zero";
inline constexpr const char *kOverflowMessage = "Floating point overflow";
inline constexpr const char *kInvalidOperationMessage = "Invalid floating point operation";
