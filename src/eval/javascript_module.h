#pragma once

namespace quorvix {
class ScriptEngine;
}

// The JavaScript engine lives in a module of its own, quorvix-javascript.so, which exports this
// function. The caller owns the engine it returns.
extern "C" using QuorvixCreateJavaScriptEngine =
    quorvix::ScriptEngine * (*)(long long timeLimitMilliseconds);

namespace quorvix {
inline constexpr const char* kJavaScriptModuleName = "quorvix-javascript.so";
inline constexpr const char* kJavaScriptFactoryName = "quorvixCreateJavaScriptEngine";
} // namespace quorvix
