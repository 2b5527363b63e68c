#include "interpreter.h"

#include "limits/script_limits.h"
#include "run/executor.h"
#include "run/runtime.h"
#include "syntax/global_table.h"
#include "syntax/lexer.h"
#include "syntax/parser.h"
#include "syntax/preview_check.h"
#include "values/convert.h"
#include "values/locale_ids.h"

#include <new>
#include <string>

namespace vbs {
namespace {

std::u16string timeoutText(std::chrono::milliseconds limit) {
    const auto ms = limit.count();
    std::string after = " after ";
    if (ms % 1000 == 0) {
        after += std::to_string(ms / 1000) + (ms == 1000 ? " second" : " seconds");
    } else {
        after += std::to_string(ms) + (ms == 1 ? " millisecond" : " milliseconds");
    }
    return errorText(Outcome::Timeout) + asciiToU16(after);
}

} // namespace

Interpreter::Interpreter(InterpreterOptions options)
    : options_(options), globals_(std::make_unique<GlobalTable>()),
      runtime_(std::make_unique<Runtime>()),
      executor_(std::make_unique<Executor>(*runtime_, *globals_)) {
    runtime_->locale.decimal = options_.decimalSeparator;
    runtime_->locale.currency = options_.currencySymbol;
    runtime_->stop = options_.stop;
    runtime_->locale.dates = options_.dateForm;
    // The thousands separator is whichever of "," and "." is not the decimal one.
    runtime_->locale.thousands = options_.decimalSeparator == u',' ? u'.' : u',';
    executor_->setTimeoutText(timeoutText(options_.timeLimit));
    executor_->setSpecializing(options_.specializeNodes);
    if (const std::int32_t id = localeIdOf(options_.localeName); id != 0) {
        runtime_->localeId = runtime_->userLocaleId = id;
    }
}

// Everything this interpreter made goes with it: cycles of objects too, without their
// Class_Terminate (no script runs any more).
Interpreter::~Interpreter() {
    runtime_->objects->close();
}

std::uintptr_t Interpreter::stackEnd() {
    if (stackThread_ != std::this_thread::get_id()) {
        stackThread_ = std::this_thread::get_id();
        stackEnd_ = StackExtent::currentThreadEnd();
    }
    return stackEnd_;
}

bool Interpreter::acceptsSource(std::u16string_view source) {
    // The text of one call is held as tokens and a tree several times its size: beyond the
    // longest text a script may make, it is refused before any of that is built.
    if (source.size() > limits::kMaxStringLength) {
        fail(static_cast<int>(Outcome::OutOfMemory));
        return false;
    }
    return true;
}

void Interpreter::fail(int number, std::u16string description) {
    error_.number = number;
    error_.description = std::move(description);
    error_.position.reset();
}

void Interpreter::fail(int number) {
    fail(number, errorText(number));
}

std::size_t Interpreter::runtimeErrorPosition(std::size_t statementPos) const {
    const std::size_t expression = executor_->failedExpressionPos();
    return expression == Executor::kNoPosition ? statementPos : expression;
}

// Runs one API call: no exception may leave the interpreter. Allocation failures that slip
// past the explicit size limits end as VBScript's "Out of memory".
template <typename Run> bool Interpreter::guarded(Run&& run) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
        fail(static_cast<int>(Outcome::OutOfMemory));
    } catch (const std::length_error&) {
        fail(static_cast<int>(Outcome::OutOfMemory));
    }
    return false;
}

bool Interpreter::setGlobal(std::u16string_view name, Variant value) {
    GlobalEntry& entry = globals_->at(globals_->findOrAdd(lowerAscii(name)));
    if (entry.kind != GlobalEntry::Kind::Variable) {
        return false;
    }
    // A text made outside is counted here from now on, as the interpreter's own are.
    entry.value =
        value.isString() ? Variant::string(value.asString(), runtime_->budget) : value.copied();
    return true;
}

std::vector<std::u16string> Interpreter::globalNames() const {
    return globals_->names();
}

std::size_t Interpreter::memoryInUse() const {
    return runtime_->budget->used();
}

std::optional<Variant> Interpreter::eval(std::u16string_view expression) {
    std::optional<Variant> result;
    guarded([&] {
        if (!acceptsSource(expression)) {
            return false;
        }
        Parser parser(expression, *globals_, stackEnd(), runtime_->budget);
        ParseResult parsed = parser.parseExpression();
        if (parsed.error != Outcome::Normal) {
            fail(static_cast<int>(parsed.error));
            error_.position = parsed.errorPos;
            return false;
        }
        if (!parsed.expression) {
            result = Variant();
            return true;
        }
        executor_->begin(std::chrono::steady_clock::now() + options_.timeLimit, stackEnd());
        Variant value;
        const bool ok =
            executor_->evaluate(*parsed.expression, value) && executor_->answerValue(value);
        if (!ok) {
            fail(executor_->errorNumber(), executor_->errorDescription());
            error_.position = runtimeErrorPosition(0);
        }
        executor_->finishRun();
        if (ok) {
            result = std::move(value);
        }
        return ok;
    });
    return result;
}

std::optional<Variant> Interpreter::preview(std::u16string_view expression,
                                            std::chrono::milliseconds limit) {
    if (expression.size() > limits::kMaxStringLength) {
        return std::nullopt;
    }
    // No fail() here: every way out leaves error_ alone. Nothing is released that a
    // Class_Terminate would run for (no object is ever read), so finishRun() is not needed.
    try {
        Parser parser(expression, *globals_, stackEnd(), runtime_->budget);
        parser.defineNothing();
        const ParseResult parsed = parser.parseExpression();
        if (parsed.error != Outcome::Normal || !parsed.expression ||
            !previewAllowed(*parsed.expression)) {
            return std::nullopt;
        }
        executor_->begin(std::chrono::steady_clock::now() + limit, stackEnd());
        Variant value;
        if (!executor_->evaluate(*parsed.expression, value) || value.isObject()) {
            return std::nullopt;
        }
        return value;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return std::nullopt;
}

bool Interpreter::execute(std::u16string_view statements) {
    return guarded([&] {
        if (!acceptsSource(statements)) {
            return false;
        }
        Parser parser(statements, *globals_, stackEnd(), runtime_->budget);
        ParseResult parsed = parser.parseStatements();
        if (parsed.error != Outcome::Normal) {
            fail(static_cast<int>(parsed.error));
            error_.position = parsed.errorPos;
            return false;
        }
        globals_->optionExplicit = parsed.optionExplicit;
        executor_->begin(std::chrono::steady_clock::now() + options_.timeLimit, stackEnd());
        // Procedures keep pointers into their own bodies only; the script-level statements
        // are run once and dropped.
        const bool ok = executor_->runBlock(parsed.statements);
        if (!ok) {
            fail(executor_->errorNumber(), executor_->errorDescription());
            error_.position = runtimeErrorPosition(executor_->failedStatementPos());
        }
        executor_->finishRun();
        return ok;
    });
}

} // namespace vbs
