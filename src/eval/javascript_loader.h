#pragma once

#include "script_engine.h"

#include <QStringList>
#include <chrono>
#include <memory>

namespace quorvix {

// Where the JavaScript module is looked for: beside the program (the installed layout), then
// where this build put it (programs and tests run from the build tree).
QStringList javaScriptModuleCandidates();

// Creates the JavaScript engine from the first of `candidates` that exists. When none can be
// loaded, the engine returned answers every evaluation with "JavaScript is not available: ..."
// and the reason, so the calculator keeps working in VBScript.
std::unique_ptr<ScriptEngine> loadJavaScriptEngine(const QStringList& candidates,
                                                   std::chrono::milliseconds timeLimit);

} // namespace quorvix
