#include "framework/core/TPersistent.h"

#include "framework/core/Exception.h"

namespace vexo {

void TPersistent::Assign(const TPersistent* source) {
    if (source == nullptr) assignError(nullptr);
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
    dest->assignError(this);
}

void TPersistent::assignError(const TPersistent* source) const {
    const std::string from = source ? source->ClassName() : std::string("nil");
    throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

} // namespace vexo
