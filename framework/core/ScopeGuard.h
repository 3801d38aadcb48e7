#pragma once
// Runs a function when the scope ends, whether it ends normally or by an exception: the reset
// that must follow a call even when the call throws. The function must not throw; a guard is
// neither copied nor moved, so it runs exactly once. A flag set for the length of a call in
// framework code is QScopedValueRollback's job; this guard is for actions (ending a paint) and
// for the layers above the framework, which keep Qt out of their sources.
#include <utility>

namespace vexo {

template <class F> class [[nodiscard]] ScopeGuard {
public:
    explicit ScopeGuard(F onExit) : onExit_(std::move(onExit)) {}
    ~ScopeGuard() { onExit_(); }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

private:
    F onExit_;
};

} // namespace vexo
