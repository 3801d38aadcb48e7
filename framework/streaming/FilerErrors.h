#pragma once
// Errors of form streaming and of the class registry.
#include "framework/core/Exception.h"

namespace vexo {

class EFilerError : public Exception {
public:
    using Exception::Exception;
};

// A form text that cannot be read; the message names the line and what was expected there.
class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

// A component tree that cannot be written (a class that is not registered, a value without a form).
class EWriteError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

// A class name that the class registry does not know.
class EClassNotFound : public EFilerError {
public:
    using EFilerError::EFilerError;
};

} // namespace vexo
