#pragma once

#include "script_engine.h"
#include "watchdog.h"

#include <QJSEngine>
#include <chrono>

namespace quorvix {

// JavaScript over QJSEngine, with a watchdog that interrupts a script running past its limit;
// the engine stays usable afterwards.
class JavaScriptEngine final : public ScriptEngine {
public:
    explicit JavaScriptEngine(std::chrono::milliseconds timeLimit = std::chrono::seconds(10));
    ~JavaScriptEngine() override;

    QString language() const override { return QStringLiteral("JavaScript"); }
    std::optional<ScriptValue> eval(const QString& expression) override;
    bool executeStatement(const QString& statement) override;
    QString errorDescription() const override { return m_error; }
    QString noTextFormDescription(const ScriptValue& value) const override;
    std::optional<QString> ansStatement(const ScriptValue& answer,
                                        const QString& answerText) const override;

    // The JavaScript string literal for a text: quotes, backslashes, line breaks and control
    // characters escaped, so any text round-trips.
    static QString stringLiteral(const QString& text);

private:
    std::optional<QJSValue> run(const QString& program);

    QJSEngine m_engine;
    std::chrono::milliseconds m_timeLimit;
    Watchdog m_watchdog;
    QString m_error;
};

// "Script timed out after 10 seconds", with the limit as given.
QString timeoutDescription(std::chrono::milliseconds limit);

} // namespace quorvix
