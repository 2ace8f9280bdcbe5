#pragma once
// Failures are exceptions carrying their message text; the application's top-level handler
// shows the text in an error box and the program goes on.

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

/// A string list index outside its lines: "List index out of bounds (%d)".
class EStringListError : public Exception {
public:
    explicit EStringListError(long long index)
        : Exception("List index out of bounds (" + std::to_string(index) + ")") {}
};
