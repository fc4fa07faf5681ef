// The engine's diagnostics: painters, hooks and window procedures of the skinning objects contain their
// exceptions (a window keeps its previous look and goes on working) and report each one here. The handler
// is the framework's, so one handler hears the program's callbacks and the engine's alike.
#pragma once

#include "framework/gui/diagnostics.h"

namespace skin {

using gui::ContainExceptions;
using gui::DiagnosticHandler;
using gui::ReportCurrentException;
using gui::SetDiagnosticHandler;

} // namespace skin
