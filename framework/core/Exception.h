#pragma once
// The framework's exception hierarchy. Every error the library raises derives from Exception and
// carries a readable Message.
#include <exception>
#include <string>
#include <utility>

namespace vexo {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    std::string Message;
};

// A text that does not convert to the requested value, or an impossible date or time.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a pointer list.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a string list.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

// Allocation failure, translated from std::bad_alloc where the framework allocates on a caller's behalf.
class EOutOfMemory : public Exception {
public:
    using Exception::Exception;
};

} // namespace vexo
