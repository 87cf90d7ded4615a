#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// Base of every exception the system raises; carries the message shown to the user verbatim.
class TWINSCOPE_EXPORT RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const std::string& message) : std::runtime_error(message) {}
};

// Unwinds the current action to the event loop without any further message.
class TWINSCOPE_EXPORT SilentAbort : public RuntimeError {
public:
    SilentAbort() : RuntimeError("Operation aborted") {}
};

// Text that is not a number: "'abc' is not a valid floating point value".
class TWINSCOPE_EXPORT ConversionError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// Raised by an axis's range setters.
class TWINSCOPE_EXPORT AxisException : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// An index outside a list or collection.
class TWINSCOPE_EXPORT ListIndexError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// Stored data that cannot be read (truncated or inconsistent).
class TWINSCOPE_EXPORT StreamReadError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// Storage that could not be had: "not enough memory for 200000000 points". What was being
// changed stays as it was.
class TWINSCOPE_EXPORT OutOfMemoryError : public RuntimeError {
public:
    explicit OutOfMemoryError(std::size_t points)
        : RuntimeError("not enough memory for " + std::to_string(points) + " points") {}
};

// Raises the silent abort; never returns.
[[noreturn]] TWINSCOPE_EXPORT void Abort();

}  // namespace twinscope
