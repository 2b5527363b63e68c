// The entry point of the JavaScript module: the program looks it up by name after loading the
// module, so it is the module's only exported symbol.
#include "javascript_module.h"
#include "javascript_engine.h"

extern "C" __attribute__((visibility("default"))) quorvix::ScriptEngine*
quorvixCreateJavaScriptEngine(long long timeLimitMilliseconds) {
    return new quorvix::JavaScriptEngine(std::chrono::milliseconds(timeLimitMilliseconds));
}
