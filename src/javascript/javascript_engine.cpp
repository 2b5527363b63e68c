#include "javascript_engine.h"

#include "number_format.h"
#include "timeout_description.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace quorvix {
namespace {

// Where an uncaught exception lies in `program`, from the stack trace QJSEngine gives
// ("function:line:column:file" per frame, innermost first; the column is -1 where the engine
// keeps none, as for run-time errors: then the line is marked). The outermost frame is always the
// program's own code, even when the failure happened in a function an earlier program defined.
std::optional<qsizetype> positionIn(const QString& program, const QStringList& stack) {
    if (stack.isEmpty()) {
        return std::nullopt;
    }
    const QStringList fields = stack.last().split(u':');
    if (fields.size() < 4) {
        return std::nullopt;
    }
    // Read from the end: a function's name may hold a colon; the program has no file name.
    bool lineOk = false;
    bool columnOk = false;
    const qsizetype line = fields[fields.size() - 3].toLongLong(&lineOk);
    const qsizetype column = fields[fields.size() - 2].toLongLong(&columnOk);
    if (!lineOk || !columnOk || line < 1) {
        return std::nullopt;
    }
    qsizetype start = 0;
    for (qsizetype n = 1; n < line; ++n) {
        start = program.indexOf(u'\n', start);
        if (start < 0) {
            return std::nullopt;
        }
        ++start;
    }
    const qsizetype end = program.indexOf(u'\n', start);
    const qsizetype lineEnd = end < 0 ? program.size() : end;
    if (column > 0) {
        return std::min(start + column - 1, lineEnd);
    }
    // The line's first character that shows, so that the mark is seen.
    qsizetype first = start;
    while (first < lineEnd && program.at(first).isSpace()) {
        ++first;
    }
    return first < lineEnd ? first : start;
}

// A truth value, number or text as the engine-neutral value; nothing for any other value.
std::optional<quorvix::ScriptValue> plainValue(const QJSValue& value) {
    if (value.isBool()) {
        return quorvix::ScriptValue::fromBool(value.toBool());
    }
    if (value.isNumber()) {
        return quorvix::ScriptValue::fromDouble(value.toNumber());
    }
    if (value.isString()) {
        return quorvix::ScriptValue::fromString(value.toString());
    }
    return std::nullopt;
}

} // namespace

JavaScriptEngine::JavaScriptEngine(std::chrono::milliseconds timeLimit, std::size_t memoryLimit,
                                   std::function<void(Watchdog::Outcome)> onUnstoppable)
    : m_timeLimit(timeLimit), m_memoryLimit(memoryLimit),
      m_watchdog([this] { m_engine.setInterrupted(true); }, std::move(onUnstoppable)) {
    m_engine.installExtensions(QJSEngine::ConsoleExtension);
    m_global = m_engine.globalObject();
    m_globalReader = std::make_unique<GlobalReader>(m_engine);
}

JavaScriptEngine::~JavaScriptEngine() = default;

template <typename Work>
Watchdog::Outcome JavaScriptEngine::limited(std::chrono::milliseconds timeLimit, Work work) {
    m_watchdog.arm(timeLimit, m_memoryLimit, m_request);
    try {
        work();
    } catch (const std::bad_alloc&) {
        m_watchdog.disarm();
        m_engine.setInterrupted(false);
        return Watchdog::Outcome::OutOfMemory;
    }
    const Watchdog::Outcome outcome = m_watchdog.disarm();
    if (outcome == Watchdog::Outcome::Finished && !m_engine.isInterrupted()) {
        return outcome;
    }
    m_engine.setInterrupted(false);
    if (outcome == Watchdog::Outcome::OutOfMemory) {
        // What the script still holds in its variables stays; its garbage goes now.
        m_engine.collectGarbage();
        return outcome;
    }
    return Watchdog::Outcome::TimedOut;
}

template <typename Work> bool JavaScriptEngine::withinLimits(Work work) {
    switch (limited(m_timeLimit, work)) {
    case Watchdog::Outcome::Finished:
        return true;
    case Watchdog::Outcome::OutOfMemory:
        m_error = QStringLiteral("Out of memory");
        return false;
    case Watchdog::Outcome::TimedOut:
        break;
    }
    m_error = timeoutDescription(m_timeLimit);
    return false;
}

bool JavaScriptEngine::run(const QString& program, QJSValue& result,
                           std::optional<ScriptValue>* converted) {
    QStringList stack;
    m_errorPosition.reset();
    // An uncaught exception leaves its stack trace; a thrown Error also reads as an error.
    const auto failed = [&] { return result.isError() || !stack.isEmpty(); };
    const bool finished = withinLimits([&] {
        result = m_engine.evaluate(program, QString(), 1, &stack);
        if (converted && !failed() && result.isObject()) {
            QString text;
            QString failure;
            *converted = m_conversion.toText(result, text, failure)
                             ? ScriptValue::object(std::move(text), true)
                             : ScriptValue::object(std::move(failure), false);
        }
    });
    if (!finished) {
        return false;
    }
    if (failed()) {
        m_error = result.isError() ? result.property(QStringLiteral("message")).toString()
                                   : result.toString();
        m_errorPosition = positionIn(program, stack);
        return false;
    }
    return true;
}

std::optional<ScriptValue> JavaScriptEngine::eval(const QString& expression) {
    QJSValue value;
    std::optional<ScriptValue> object;
    if (!run(expression, value, &object)) {
        return std::nullopt;
    }
    if (object) {
        // Objects, arrays and functions show JavaScript's own string conversion; one whose
        // conversion throws has no text form, and what it threw says why.
        return object;
    }
    if (value.isUndefined()) {
        return ScriptValue::empty();
    }
    if (value.isNull()) {
        return ScriptValue::null();
    }
    if (std::optional<ScriptValue> plain = plainValue(value)) {
        return plain;
    }
    return ScriptValue::object(value.toString(), true); // a symbol
}

std::optional<ScriptValue> JavaScriptEngine::preview(const QString& expression) {
    const std::optional<PreviewReads> reads = previewReads(expression);
    if (!reads || !m_previewGuard.allows(*reads)) {
        return std::nullopt;
    }
    // Under a limit of its own, and leaving m_error and m_errorPosition as they were.
    QJSValue result;
    QStringList stack;
    const Watchdog::Outcome outcome = limited(
        kPreviewTimeLimit, [&] { result = m_engine.evaluate(expression, QString(), 1, &stack); });
    if (outcome != Watchdog::Outcome::Finished || !stack.isEmpty()) {
        return std::nullopt;
    }
    return plainValue(result); // not an error, undefined or null: nothing to show
}

bool JavaScriptEngine::executeStatement(const QString& statement) {
    QJSValue ignored;
    return run(statement, ignored, nullptr);
}

QString JavaScriptEngine::noTextFormDescription(const ScriptValue& value) const {
    return value.kind == ScriptValue::Kind::Object ? value.text
                                                   : QStringLiteral("null has no value to show");
}

std::vector<GlobalDescription> JavaScriptEngine::describeGlobals() {
    std::vector<GlobalDescription> names;
    if (limited(m_timeLimit, [&] { names = m_globalReader->describe(); }) !=
        Watchdog::Outcome::Finished) {
        return {};
    }
    return names;
}

bool JavaScriptEngine::storeAnswer(const ScriptValue& answer, const QString& answerText) {
    // Ans is set on the global object directly: no script to compile, and no text of the
    // answer's can ever be read as code.
    QJSValue value;
    switch (answer.kind) {
    case ScriptValue::Kind::Null:
        return false;
    case ScriptValue::Kind::Boolean:
        value = QJSValue(answer.boolean);
        break;
    case ScriptValue::Kind::Double:
        // Rounded to the 15 digits shown, so that Ans holds what the output box shows; where that
        // rounding would overflow (the largest Double) the exact value is kept.
        value = QJSValue(vbs::shownDouble(answer.number));
        break;
    case ScriptValue::Kind::Object:
        if (!answer.hasText) {
            return false;
        }
        value = QJSValue(answerText);
        break;
    default:
        value = QJSValue(answerText);
        break;
    }
    m_global.setProperty(QStringLiteral("Ans"), value);
    return true;
}

} // namespace quorvix
