#pragma once
// Objects whose state can be copied from another object (Assign) and that report who owns them,
// which the form designer uses to build names such as "VexoGrid1.Columns[2]".
#include "framework/core/TObject.h"

namespace vexo {

class TPersistent : public TObject {
public:
    // Copies source's state into this object. The default asks source to do it (AssignTo), which
    // by default refuses with EConvertError "Cannot assign a <source> to a <dest>". A class that
    // can copy a given source overrides Assign (or the source's class overrides AssignTo) and
    // defers to the inherited Assign for every other source. A null source is refused likewise.
    virtual void Assign(const TPersistent* source);

    // The object this one belongs to for the designer; none by default.
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* dest) const;
    [[noreturn]] void assignError(const TPersistent* source) const;
};

} // namespace vexo
