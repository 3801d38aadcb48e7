#pragma once
// Errors of the drawing layer.
#include "framework/core/Exception.h"

namespace vexo {

// Image data that cannot be read: a bad or truncated bitmap file, an unsupported format.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A drawing request that cannot be carried out: a canvas without a device, an image index out of range.
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

} // namespace vexo
