#pragma once

#include "number_format.h"
#include "variant.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vbs {

struct InterpreterOptions {
    // A run (one eval or execute call) is stopped after this long.
    std::chrono::milliseconds timeLimit{10000};
    // Used when numbers become text (CStr, &) and when text is read as a number; source
    // literals always use ".".
    char16_t decimalSeparator = u'.';
    // Accepted once in front of or behind numeric text ("$11").
    char16_t currencySymbol = u'$';
    // How dates become text and how date text is read (CStr, CDate, IsDate); date literals in
    // the source always use the US form.
    DateForm dateForm;
    // The user's locale name ("de-DE"), for GetLocale and SetLocale; empty is en-US.
    std::u16string localeName;
    // Set from any thread to stop the run in progress as its time limit would; null for none.
    // The caller clears it between runs. It must outlive the interpreter.
    const std::atomic<bool>* stop = nullptr;
    // Off: no syntax node gets a runner specialised for its shape; each runs the general way.
    // Results are the same either way (tests compare the two); only the speed differs.
    bool specializeNodes = true;
};

struct ScriptError {
    int number = 0;
    std::u16string description;
    // Where the failure lies in the source of the failing call, when known: the error itself
    // for a syntax error; for a run-time error, the innermost failing operation or call of the
    // top-level statement that failed (its operator or name), else that statement's start.
    std::optional<std::size_t> position;
};

// A word an input line may offer to complete: a keyword (no signature) or a built-in function
// or constant, with its signature as the user reads it ("Mid(string, start[, length])").
struct ScriptWord {
    std::u16string name;
    std::u16string signature;
    bool isKeyword = false;
};
// The language's keywords, then its built-ins, in their usual spelling.
std::vector<ScriptWord> scriptWords();

// The errors a host raises itself about a value the interpreter handed out, numbered as the
// interpreter numbers them.
enum class HostError { TypeMismatch = 13, ObjectNotSet = 91, InvalidNull = 94, NoSuchMember = 438 };
// The interpreter's own text for such an error, as it would raise it.
std::u16string errorDescription(HostError error);

// A script-level name and what it holds, read without running any of the script's code: an
// object's default member and Property Get are never called for it.
struct GlobalSummary {
    enum class Kind { Variable, Constant, Procedure, Class };
    Kind kind = Kind::Variable;
    // Lower case, as the interpreter keeps names; a class's as its Class statement writes it.
    std::u16string name;
    // A variable's or constant's value; an array or object is shared, not copied.
    Variant value;
    // An object's type as TypeName gives it (its class's name, "Dictionary"); else empty.
    std::u16string className;
    // A procedure: whether it is a Function (else a Sub), and its parameter list as a Sub
    // statement would write it ("(a, ByVal b)"); parameters are ByRef unless marked.
    bool isFunction = false;
    std::u16string parameters;
};

class GlobalTable;
class Executor;
struct Runtime;

// A VBScript engine with one global scope that persists from call to call. No call throws:
// failures are reported by the result and lastError().
class Interpreter {
public:
    explicit Interpreter(InterpreterOptions options = {});
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // The value of one expression ("x = 5" compares); Empty for empty text; nullopt on error.
    std::optional<Variant> eval(std::u16string_view expression);
    // Runs statements ("x = 5" assigns); false on error. What ran before the error stays done.
    bool execute(std::u16string_view statements);
    // The value of `expression` when evaluating it can change nothing that a later call or the
    // user could see (see previewAllowed): no variable is made or set, no procedure or object
    // member runs, and lastError(), Err and the random sequence stay as they were. It is
    // stopped after `limit`, a limit of its own that leaves the normal runs' alone. nullopt
    // when the text is empty, is no such expression, fails, takes too long or gives an object.
    std::optional<Variant> preview(std::u16string_view expression, std::chrono::milliseconds limit);
    const ScriptError& lastError() const { return error_; }
    // Sets a global variable to exactly `value`, as `name = value` would, with no text to
    // parse. False (and nothing changes) when the name is a constant or a procedure.
    bool setGlobal(std::u16string_view name, Variant value);
    // The script-level names defined so far (lower case), in the order they were made.
    std::vector<std::u16string> globalNames() const;
    // Every script-level name with what it holds, in the order they were made.
    std::vector<GlobalSummary> describeGlobals() const;
    // Bytes the strings and arrays of this interpreter hold (what its memory budget counts).
    std::size_t memoryInUse() const;

private:
    template <typename Run> bool guarded(Run&& run);
    // False (with Out of memory) for a text too long to parse.
    bool acceptsSource(std::u16string_view source);
    // Where the calling thread's stack ends, read once per thread that calls.
    std::uintptr_t stackEnd();
    void fail(int number, std::u16string description);
    // An error the interpreter raises itself (an Outcome's number), with its own text.
    void fail(int number);
    // Where a run-time error of the last run lies: its failing expression, else `statementPos`.
    std::size_t runtimeErrorPosition(std::size_t statementPos) const;

    InterpreterOptions options_;
    std::unique_ptr<GlobalTable> globals_;
    std::unique_ptr<Runtime> runtime_;
    std::unique_ptr<Executor> executor_;
    ScriptError error_;
    std::thread::id stackThread_;
    std::uintptr_t stackEnd_ = 0;
};

} // namespace vbs
