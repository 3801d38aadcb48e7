#include "framework/core/TObject.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <string_view>
#include <typeinfo>

namespace vexo {

std::string TObject::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    std::string name = status == 0 && demangled ? std::string(demangled.get()) : std::string(mangled);
    // The library's own classes are named as written, without the namespace they live in.
    constexpr std::string_view prefix = "vexo::";
    if (name.starts_with(prefix)) name.erase(0, prefix.size());
    return name;
}

} // namespace vexo
