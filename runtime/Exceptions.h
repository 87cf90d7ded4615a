#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace twinscope {

// Base of every exception the system raises; carries the message shown to the user verbatim.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const std::string& message) : std::runtime_error(message) {}
};

// Unwinds the current action to the event loop without any further message.
class SilentAbort : public RuntimeError {
public:
    SilentAbort() : RuntimeError("Operation aborted") {}
};

// Text that is not a number: "'abc' is not a valid floating point value".
class ConversionError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// Raised by an axis's range setters.
class AxisException : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// An index outside a list or collection.
class ListIndexError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// Stored data that cannot be read (truncated or inconsistent).
class StreamReadError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// Storage that could not be had: "not enough memory for 200000000 points". What was being
// changed stays as it was.
class OutOfMemoryError : public RuntimeError {
public:
    explicit OutOfMemoryError(std::size_t points)
        : RuntimeError("not enough memory for " + std::to_string(points) + " points") {}
};

// Raises the silent abort; never returns.
[[noreturn]] void Abort();

}  // namespace twinscope
