#pragma once

#include "script_value.h"

#include <QString>
#include <optional>

namespace quorvix {

// What the calculator asks of a script engine. One global scope per engine persists across
// calls. Failure is reported by the result, never by an exception across this interface; the
// failure's text is then available from errorDescription().
class ScriptEngine {
public:
    virtual ~ScriptEngine() = default;

    // "VBScript" or "JavaScript", exactly.
    virtual QString language() const = 0;
    // The value of one expression, or nullopt on failure.
    virtual std::optional<ScriptValue> eval(const QString& expression) = 0;
    // Runs statements in the global scope; false on failure.
    virtual bool executeStatement(const QString& statement) = 0;
    // The description of the last failure (what the output box shows).
    virtual QString errorDescription() const = 0;
    // The engine's own description for an answer that has no text form (Null, an object
    // without a default value).
    virtual QString noTextFormDescription(const ScriptValue& value) const = 0;
    // The statement that stores the answer in `Ans`, with the answer written as a literal of
    // this language, or nullopt when the answer has no text form.
    virtual std::optional<QString> ansStatement(const ScriptValue& answer,
                                                const QString& answerText) const = 0;
};

} // namespace quorvix
