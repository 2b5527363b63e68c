#include "evaluation_command.h"

#include "answer_text.h"
#include "input_rewrites.h"
#include "number_format.h"

#include <chrono>
#include <cmath>

namespace quorvix {

EvaluationCommand::EvaluationCommand(ScriptEngine& engine, const UserLocale& locale)
    : m_engine(engine), m_locale(locale) {}

QString EvaluationCommand::piStatement() {
    return QStringLiteral("Pi =  ") +
           QString::fromStdU16String(vbs::formatDouble(4.0 * std::atan(1.0)));
}

std::optional<QString> EvaluationCommand::restoreAfterRestart(bool rerunLibrary) {
    if (!m_hasRun || !m_engine.takeRestart()) {
        return std::nullopt;
    }
    // Empty when the engine that now starts is the first to run (the earlier ones never
    // started): nothing was lost, and only the set-up below is owed.
    QString note = m_engine.errorDescription();
    m_engine.executeStatement(piStatement());
    if (m_lastAnswer) {
        m_engine.storeAnswer(m_lastAnswer->first, m_lastAnswer->second);
    }
    const std::optional<LibraryScript> library =
        rerunLibrary && m_loadLibrary ? m_loadLibrary(language()) : std::nullopt;
    if (library) {
        const std::optional<QString> failure = runScript(*library, true);
        if (failure || !note.isEmpty()) {
            note += (note.isEmpty() ? QString() : QStringLiteral("; ")) +
                    failure.value_or(library->fileName + QStringLiteral(" was run again"));
        }
    }
    const QStringList names = m_engine.globalNames();
    QStringList lost;
    for (const QString& name : std::as_const(m_knownNames)) {
        if (!names.contains(name)) {
            lost += name;
        }
    }
    m_knownNames = names;
    if (!lost.isEmpty()) {
        note += QStringLiteral("; lost: ") + lost.join(QStringLiteral(", "));
    }
    return note.isEmpty() ? std::nullopt : std::optional(note);
}

std::optional<qsizetype> EvaluationCommand::errorPosition(const QString& input,
                                                          const RewrittenInput& rewritten) const {
    const std::optional<qsizetype> position = m_engine.errorPosition();
    if (!position) {
        return std::nullopt;
    }
    return inputPosition(input, rewritten, *position);
}

ScriptLanguage EvaluationCommand::language() const {
    return m_engine.language();
}

std::optional<QString> EvaluationCommand::startOnce(EvaluationResult& result,
                                                    ScriptLanguage language, bool& piFailed) {
    if (m_hasRun) {
        return std::nullopt;
    }
    m_hasRun = true;
    result.firstRun = true;
    piFailed = !m_engine.executeStatement(piStatement());
    return runLibrary(language);
}

EvaluationResult EvaluationCommand::run(const QString& input) {
    const auto began = std::chrono::steady_clock::now();
    EvaluationResult result;

    // An engine that was lost between runs is replaced before this one; the run then says so
    // wherever it has no answer to show.
    result.restart = restoreAfterRestart();
    const ScriptLanguage language = this->language();
    bool failed = false;
    result.libraryFailure = startOnce(result, language, failed);
    const bool showsAnswer = evaluate(input, language, failed, result);
    // A run the user stopped says so, rather than what its engine says of a time limit; a
    // restart it caused still says what was lost.
    if (m_engine.stopRequested() && !showsAnswer && result.output && !result.restart) {
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
        result.output = QStringLiteral("Stopped after %1 seconds").arg(took.count(), 0, 'f', 1);
        result.stopped = true;
    }
    if (result.shownOutput()) {
        m_showsFailure = !showsAnswer || result.libraryFailure;
    }
    m_knownNames = m_engine.globalNames();
    return result;
}

std::optional<QString> EvaluationCommand::preview(const QString& input) {
    if (!m_hasRun) {
        return std::nullopt;
    }
    const RewrittenInput rewritten = rewriteInput(input, language());
    if (rewritten.mode != RewrittenInput::Mode::Expression || rewritten.text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    const std::optional<ScriptValue> value = m_engine.preview(rewritten.text);
    return value ? answerText(*value, m_locale.decimalSeparator, m_locale.dates) : std::nullopt;
}

std::optional<QString> EvaluationCommand::runProgram(const LibraryScript& program) {
    restoreAfterRestart();
    EvaluationResult start;
    bool piFailed = false;
    if (std::optional<QString> libraryFailure = startOnce(start, language(), piFailed)) {
        return libraryFailure;
    }
    if (piFailed) {
        return m_engine.errorDescription();
    }
    const std::optional<QString> failure = runScript(program, false);
    m_knownNames = m_engine.globalNames();
    return failure;
}

std::optional<QString> EvaluationCommand::runLibrary(ScriptLanguage language) {
    const std::optional<LibraryScript> library =
        m_loadLibrary ? m_loadLibrary(language) : std::nullopt;
    return library ? runScript(*library, true) : std::nullopt;
}

std::optional<QString> EvaluationCommand::runScript(const LibraryScript& script, bool isLibrary) {
    if (!script.problem.isEmpty()) {
        return script.problem;
    }
    if (m_engine.executeStatement(script.source)) {
        return std::nullopt;
    }
    QString message = libraryFailureMessage(script.fileName, script.source,
                                            m_engine.errorPosition(), m_engine.errorDescription());
    // A script that had to be stopped by ending the engine must not cost the run its Pi; a
    // library that did so is not run again at once.
    restoreAfterRestart(!isLibrary);
    return message;
}

void EvaluationCommand::noteRestart(EvaluationResult& result) {
    if (std::optional<QString> note = restoreAfterRestart()) {
        result.output = note;
        result.restart = std::move(note);
    }
}

bool EvaluationCommand::evaluate(const QString& input, ScriptLanguage language, bool failed,
                                 EvaluationResult& result) {
    const RewrittenInput rewritten = rewriteInput(input, language);
    switch (rewritten.mode) {
    case RewrittenInput::Mode::RefusedAnsAssignment:
        result.output = QStringLiteral("Ans cannot be set with a statement");
        return false;
    case RewrittenInput::Mode::Statement:
        if (!m_engine.executeStatement(rewritten.text)) {
            failed = true;
            result.errorPosition = errorPosition(input, rewritten);
        }
        if (failed || result.restart) {
            result.output = result.restart.value_or(m_engine.errorDescription());
            noteRestart(result);
        } else if (m_showsFailure) {
            // A statement that succeeded must not read as the failure the box still shows.
            result.output = m_lastAnswer ? m_lastAnswer->second : QString();
            return true;
        }
        return false;
    case RewrittenInput::Mode::Expression:
        break;
    }

    const std::optional<ScriptValue> answer = m_engine.eval(rewritten.text);
    if (!answer) {
        failed = true;
        result.errorPosition = errorPosition(input, rewritten);
    }
    if (failed) {
        result.output = result.restart.value_or(m_engine.errorDescription());
        noteRestart(result);
        return false;
    }
    const std::optional<QString> text =
        answerText(*answer, m_locale.decimalSeparator, m_locale.dates);
    if (!text) {
        // Nothing to show and nothing to store: say why, and keep the previous Ans.
        result.output = m_engine.noTextFormDescription(*answer);
        return false;
    }
    result.output = *text;
    result.answered = true;
    // Ans keeps the answer's own type. A failure here is silent: the output box already shows
    // the new answer, and Ans keeps the previous one.
    if (m_engine.storeAnswer(*answer, *text)) {
        m_lastAnswer.emplace(*answer, *text);
    }
    return true;
}

} // namespace quorvix
