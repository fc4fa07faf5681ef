// Exceptions at the edge of the system's callbacks. A window procedure, hook, timer or enumeration callback
// is called from the system's own frames, which an exception must never cross: ContainExceptions runs the
// callback's body, reports whatever escapes it to the one diagnostic handler and answers with the
// callback's fallback instead.
#pragma once

#include <functional>
#include <string_view>
#include <type_traits>
#include <utility>

namespace gui {

// Told of every exception a callback contained: where (the callback) and what (the exception's text).
using DiagnosticHandler = std::function<void(std::string_view where, std::string_view what)>;

// Replaces the diagnostic handler and returns the one it replaces. An empty handler restores the default,
// which writes each report to the debugger's output (OutputDebugStringW).
DiagnosticHandler SetDiagnosticHandler(DiagnosticHandler handler);

// Reports the exception being handled (call inside a catch block) to the diagnostic handler. A handler
// that throws itself is ignored.
void ReportCurrentException(std::string_view where) noexcept;

// Runs body and returns its result. When it throws, the exception is reported and fallback decides the
// answer: called (inside the catch block, so that it may look at the exception again with `throw;`) when it
// is callable, returned as it is otherwise. A fallback that throws too is reported and the answer is a
// value-initialised result.
template <class Body, class Fallback>
auto ContainExceptions(std::string_view where, Body&& body, Fallback&& fallback) noexcept
    -> std::invoke_result_t<Body> {
    using Result = std::invoke_result_t<Body>;
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        ReportCurrentException(where);
        try {
            if constexpr (std::is_invocable_v<Fallback>) {
                return static_cast<Result>(std::forward<Fallback>(fallback)());
            } else {
                return static_cast<Result>(std::forward<Fallback>(fallback));
            }
        } catch (...) {
            ReportCurrentException(where);
            if constexpr (!std::is_void_v<Result>) return Result{};
        }
    }
}

// The same for a body without an answer: what it did before throwing stays done.
template <class Body> void ContainExceptions(std::string_view where, Body&& body) noexcept {
    ContainExceptions(where, std::forward<Body>(body), [] {});
}

} // namespace gui
