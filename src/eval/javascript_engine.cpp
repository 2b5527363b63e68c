#include "javascript_engine.h"

#include "number_format.h"

#include <QStringList>
#include <cmath>

namespace quorvix {

QString timeoutDescription(std::chrono::milliseconds limit) {
    const double seconds = static_cast<double>(limit.count()) / 1000.0;
    return QStringLiteral("Script timed out after %1 %2")
        .arg(QString::fromStdU16String(vbs::formatDouble(seconds)),
             seconds == 1.0 ? QStringLiteral("second") : QStringLiteral("seconds"));
}

JavaScriptEngine::JavaScriptEngine(std::chrono::milliseconds timeLimit, std::size_t memoryLimit)
    : m_timeLimit(timeLimit), m_memoryLimit(memoryLimit),
      m_watchdog([this] { m_engine.setInterrupted(true); }) {
    m_engine.installExtensions(QJSEngine::ConsoleExtension);
}

JavaScriptEngine::~JavaScriptEngine() = default;

std::optional<QJSValue> JavaScriptEngine::run(const QString& program) {
    QStringList stack;
    m_watchdog.arm(m_timeLimit, m_memoryLimit);
    QJSValue result;
    try {
        result = m_engine.evaluate(program, QString(), 1, &stack);
    } catch (const std::bad_alloc&) {
        m_watchdog.disarm();
        m_engine.setInterrupted(false);
        m_error = QStringLiteral("Out of memory");
        return std::nullopt;
    }
    const Watchdog::Outcome outcome = m_watchdog.disarm();
    if (outcome != Watchdog::Outcome::Finished || m_engine.isInterrupted()) {
        m_engine.setInterrupted(false);
        if (outcome == Watchdog::Outcome::OutOfMemory) {
            // What the script still holds in its variables stays; its garbage goes now.
            m_engine.collectGarbage();
            m_error = QStringLiteral("Out of memory");
        } else {
            m_error = timeoutDescription(m_timeLimit);
        }
        return std::nullopt;
    }
    // An uncaught exception leaves its stack trace; a thrown Error also reads as an error.
    if (result.isError() || !stack.isEmpty()) {
        m_error = result.isError() ? result.property(QStringLiteral("message")).toString()
                                   : result.toString();
        return std::nullopt;
    }
    return result;
}

std::optional<ScriptValue> JavaScriptEngine::eval(const QString& expression) {
    const std::optional<QJSValue> value = run(expression);
    if (!value) {
        return std::nullopt;
    }
    if (value->isUndefined()) {
        return ScriptValue::empty();
    }
    if (value->isNull()) {
        return ScriptValue::null();
    }
    if (value->isBool()) {
        return ScriptValue::fromBool(value->toBool());
    }
    if (value->isNumber()) {
        return ScriptValue::fromDouble(value->toNumber());
    }
    if (value->isString()) {
        return ScriptValue::fromString(value->toString());
    }
    // Objects, arrays and functions show JavaScript's own string conversion.
    return ScriptValue::object(value->toString(), true);
}

bool JavaScriptEngine::executeStatement(const QString& statement) {
    return run(statement).has_value();
}

QString JavaScriptEngine::noTextFormDescription(const ScriptValue&) const {
    return QStringLiteral("null has no value to show");
}

QString JavaScriptEngine::stringLiteral(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out.append(u'"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out.append(QLatin1String("\\\""));
            break;
        case u'\\':
            out.append(QLatin1String("\\\\"));
            break;
        case u'\n':
            out.append(QLatin1String("\\n"));
            break;
        case u'\r':
            out.append(QLatin1String("\\r"));
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x2028 || c.unicode() == 0x2029) {
                out.append(QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')));
            } else {
                out.append(c);
            }
        }
    }
    out.append(u'"');
    return out;
}

std::optional<QString> JavaScriptEngine::ansStatement(const ScriptValue& answer,
                                                      const QString& answerText) const {
    const QString prefix = QStringLiteral("Ans = ");
    switch (answer.kind) {
    case ScriptValue::Kind::Null:
        return std::nullopt;
    case ScriptValue::Kind::Empty:
        return prefix + QStringLiteral("\"\"");
    case ScriptValue::Kind::Boolean:
        return prefix + (answer.boolean ? QStringLiteral("true") : QStringLiteral("false"));
    case ScriptValue::Kind::Double:
        // Written with "." whatever the user's separator, and rounded as shown, so that Ans
        // holds exactly what the output box shows.
        return prefix + QString::fromStdU16String(vbs::formatDouble(answer.number));
    case ScriptValue::Kind::Object:
        if (!answer.hasText) {
            return std::nullopt;
        }
        return prefix + stringLiteral(answerText);
    default:
        return prefix + stringLiteral(answerText);
    }
}

} // namespace quorvix
