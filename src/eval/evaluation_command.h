#pragma once

#include "input_rewrites.h"
#include "personal_library.h"
#include "script_engine.h"
#include "user_locale.h"

#include <QString>
#include <functional>
#include <optional>
#include <utility>

namespace quorvix {

// The most characters the input line holds. Qt lays the line out whole, in time that grows with
// its length (about a second for a megabyte); a longer text is refused before it gets there.
inline constexpr qsizetype kMaxInputLength = 2'000'000;

// What one run of the evaluation command did, for the window to show.
struct EvaluationResult {
    // The run's own outcome: its answer, or the message or error it ended with; nullopt when the
    // run left the output box as it was.
    std::optional<QString> output;
    // True for the run that defined Pi and froze the choice of language.
    bool firstRun = false;
    // True when the output is an answer (it became Ans), false for a message or an error.
    bool answered = false;
    // Where in the input line the engine found the user's text at fault (a zero-based
    // character offset), when it says.
    std::optional<qsizetype> errorPosition;
    // Why the user's library failed, when it ran on this run and failed.
    std::optional<QString> libraryFailure;
    // The engine had to be started afresh during this run or before it: what happened, what was
    // set up again and which of the user's names were lost.
    std::optional<QString> restart;
    // The user stopped the run (ScriptEngine::requestStop) before it had an answer.
    bool stopped = false;

    // The output box's new text: a failing library says so instead of the run's own outcome
    // (which still took effect); nullopt leaves the box as it was.
    std::optional<QString> shownOutput() const { return libraryFailure ? libraryFailure : output; }
};

// The calculator's evaluation command without a window: rewrite the input line's text, run it
// in the engine, and report the output box's new text. Each step that fails sets the run's
// error indicator and the run goes on, so one bad step never hides the engine's description.
// Answers are shown in `locale`'s form, which should be the one the engine was given.
class EvaluationCommand {
public:
    explicit EvaluationCommand(ScriptEngine& engine, const UserLocale& locale = {});

    EvaluationResult run(const QString& input);
    bool hasRun() const { return m_hasRun; }
    // Whether the output box now shows a failure (an error, a message, a library failure, a
    // stopped run) rather than an answer.
    bool showsFailure() const { return m_showsFailure; }
    // Gives the user's library for a language, asked once, at the first run; nullopt when there
    // is none. When the library fails, that first run shows why instead of its own outcome (the
    // input is still evaluated, so Ans and the user's statement take effect).
    using LibraryLoader = std::function<std::optional<LibraryScript>(ScriptLanguage)>;
    void setLibraryLoader(LibraryLoader loader) { m_loadLibrary = std::move(loader); }

    // Runs a whole program (statements and procedures) in the engine's global scope, after the
    // first-run steps if none has run yet, so that later runs see what it defined. Returns the
    // failure's message ("lib.vbs, line 3: Syntax error"), or a failing library's, or nullopt.
    std::optional<QString> runProgram(const LibraryScript& program);

    // The answer's text Enter would show for `input`, the same rewrites applied, computed only
    // when that can change nothing (see ScriptEngine::preview): nothing for a statement, before
    // the first run (which defines Pi and freezes the language), or when the engine declines.
    std::optional<QString> preview(const QString& input);

    // The statement of the first run: "Pi =  3.14159265358979" (a blank in the sign's place).
    static QString piStatement();

private:
    // After the engine lost its global scope, defines Pi again, gives Ans its last answer and
    // runs the user's library again (unless the library is what is running); returns what
    // happened, nullopt when there was no restart.
    std::optional<QString> restoreAfterRestart(bool rerunLibrary = true);
    // The engine's error position traced back to the input line.
    std::optional<qsizetype> errorPosition(const QString& input,
                                           const RewrittenInput& rewritten) const;
    // Defines Pi and runs the library on the first call only (`piFailed` tells whether Pi could
    // not be set); returns what a failing library shows.
    std::optional<QString> startOnce(EvaluationResult& result, ScriptLanguage language,
                                     bool& piFailed);
    // Runs a library or program; returns what the output box is to show when it failed.
    std::optional<QString> runScript(const LibraryScript& script, bool isLibrary);
    // Runs the user's library; returns what the output box is to show when it failed.
    std::optional<QString> runLibrary(ScriptLanguage language);
    ScriptLanguage language() const;
    // The run after its first-run steps; `failed` is the run's error indicator so far. True
    // when the output box then shows an answer (this run's, or the last one again).
    bool evaluate(const QString& input, ScriptLanguage language, bool failed,
                  EvaluationResult& result);
    // Notes a restart that happened during the run, if any.
    void noteRestart(EvaluationResult& result);

    ScriptEngine& m_engine;
    UserLocale m_locale;
    bool m_hasRun = false;
    LibraryLoader m_loadLibrary;
    // The last answer stored in Ans, to store again after a restart. The text is shared with
    // the output box's, not copied.
    std::optional<std::pair<ScriptValue, QString>> m_lastAnswer;
    // The output box shows a failure (an error, a message, a library's failure) rather than an
    // answer: a statement that succeeds then shows the last answer again.
    bool m_showsFailure = false;
    // The names the engine's global scope held after the last run, to tell after a restart
    // which of them were lost.
    QStringList m_knownNames;
};

} // namespace quorvix
