#pragma once

#include "global_description.h"
#include "script_value.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <chrono>
#include <optional>
#include <vector>

namespace quorvix {

enum class ScriptLanguage { VBScript, JavaScript };

// The language's name as the window, the settings file and messages write it.
inline QString languageName(ScriptLanguage language) {
    return language == ScriptLanguage::JavaScript ? QStringLiteral("JavaScript")
                                                  : QStringLiteral("VBScript");
}

// The language named so, in any case; nullopt for any other name.
inline std::optional<ScriptLanguage> languageNamed(QStringView name) {
    for (const ScriptLanguage language : {ScriptLanguage::VBScript, ScriptLanguage::JavaScript}) {
        if (name.compare(languageName(language), Qt::CaseInsensitive) == 0) {
            return language;
        }
    }
    return std::nullopt;
}

// How long one run of the user's text may take before the engine stops it.
inline constexpr std::chrono::seconds kScriptTimeLimit{10};
// How long computing a preview may take: short enough that one never holds up typing.
inline constexpr std::chrono::milliseconds kPreviewTimeLimit{50};

// What the calculator asks of a script engine. One global scope per engine persists across
// calls. Failure is reported by the result, never by an exception across this interface; the
// failure's text is then available from errorDescription().
class ScriptEngine {
public:
    virtual ~ScriptEngine() = default;

    virtual ScriptLanguage language() const = 0;
    // The value of one expression, or nullopt on failure.
    virtual std::optional<ScriptValue> eval(const QString& expression) = 0;
    // The value of `expression` when computing it cannot change anything the user or a later
    // call could see: no variable, no Ans, no error description or position, no random-number
    // state, no Err object; computed within kPreviewTimeLimit. nullopt when the expression is
    // not of that kind, fails or takes too long.
    virtual std::optional<ScriptValue> preview([[maybe_unused]] const QString& expression) {
        return std::nullopt;
    }
    // Runs statements in the global scope; false on failure.
    virtual bool executeStatement(const QString& statement) = 0;
    // The description of the last failure (what the output box shows).
    virtual QString errorDescription() const = 0;
    // Where the last failure lies, as a character index into the text of the failing call, when
    // the engine knows it (see vbs::ScriptError::position).
    virtual std::optional<qsizetype> errorPosition() const { return std::nullopt; }
    // The engine's own description for an answer that has no text form (Null, an object
    // without a default value).
    virtual QString noTextFormDescription(const ScriptValue& value) const = 0;
    // Stores the answer in `Ans` as a value of its own type (a number stays a number), holding
    // exactly what the output box shows as `answerText`. False when the answer has no text form
    // or the store failed; nothing of the user's text is ever run as code here.
    virtual bool storeAnswer(const ScriptValue& answer, const QString& answerText) = 0;
    // True, once, after the engine had to be started afresh and lost its global scope (a script
    // that could not be stopped any other way), so that the caller can set up again what it
    // relies on.
    virtual bool takeRestart() { return false; }
    // The names the user's scripts have defined in the global scope (variables, constants,
    // procedures), for completion and colouring; built-ins may be among them. Asking changes
    // nothing the next call sees.
    virtual QStringList globalNames() { return {}; }
    // The names the user's scripts have defined in the global scope with what they hold, in the
    // order they were made; nothing of the user's code runs to find them, and asking changes
    // nothing the next call sees.
    virtual std::vector<GlobalDescription> describeGlobals() { return {}; }

    // Asks the run in progress to end as soon as it can, as its time limit would end it; safe
    // from any thread and from a signal handler. The request holds, so that every later call
    // fails at once, until clearStop().
    virtual void requestStop() {}
    virtual bool stopRequested() const { return false; }
    // Only between runs, from the thread that runs them.
    virtual void clearStop() {}
};

} // namespace quorvix
