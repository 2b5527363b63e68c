#pragma once

#include "script_engine.h"

#include <QStringList>
#include <chrono>
#include <memory>

namespace quorvix {

// Where the JavaScript worker program is looked for by a program in `programFolder`: beside it
// (the installed layout), then, only for a program inside this build's tree (its programs and
// tests), where the build put it. An installed program never runs code from a build path,
// which on another machine could be anybody's folder.
QStringList javaScriptWorkerCandidates(const QString& programFolder);
// The same for the running program.
QStringList javaScriptWorkerCandidates();

// The JavaScript engine, run by the first of `candidates` that exists. When there is none, the
// engine returned answers every evaluation with "JavaScript is not available: ..." and the
// reason, so the calculator keeps working in VBScript.
std::unique_ptr<ScriptEngine> loadJavaScriptEngine(const QStringList& candidates,
                                                   std::chrono::milliseconds timeLimit);

} // namespace quorvix
