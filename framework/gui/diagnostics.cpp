#include "framework/gui/diagnostics.h"

#include "framework/gui/wide.h"

#include <windows.h>

#include <exception>
#include <string>

namespace gui {
namespace {

void WriteToDebugger(std::string_view where, std::string_view what) {
    const std::string line =
        "Marivel: exception contained in " + std::string(where) + ": " + std::string(what) + "\n";
    OutputDebugStringW(Wide(line).c_str());
}

DiagnosticHandler& Handler() {
    static DiagnosticHandler handler = &WriteToDebugger;
    return handler;
}

std::string CurrentExceptionText() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "an exception of unknown type";
    }
}

} // namespace

DiagnosticHandler SetDiagnosticHandler(DiagnosticHandler handler) {
    DiagnosticHandler previous = std::move(Handler());
    Handler() = handler ? std::move(handler) : DiagnosticHandler(&WriteToDebugger);
    return previous;
}

void ReportCurrentException(std::string_view where) noexcept {
    try {
        const std::string what = CurrentExceptionText();
        if (const DiagnosticHandler& handler = Handler()) handler(where, what);
    } catch (...) {
        // The report is a courtesy: a handler that fails must not turn a contained exception into a crash.
    }
}

} // namespace gui
