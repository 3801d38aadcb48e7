#pragma once
// The root of the framework's class tree: a polymorphic base with a virtual destructor and a
// readable class name, so that errors and the designer can name any object.
#include <string>

namespace vexo {

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    // The dynamic type's name as written in the source ("TVGColumn"); a class may override it.
    virtual std::string ClassName() const;
};

} // namespace vexo
