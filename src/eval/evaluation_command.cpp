#include "evaluation_command.h"

#include "answer_text.h"
#include "input_rewrites.h"
#include "number_format.h"

#include <cmath>

namespace quorvix {

EvaluationCommand::EvaluationCommand(ScriptEngine& engine, const UserLocale& locale)
    : m_engine(engine), m_locale(locale) {}

QString EvaluationCommand::piStatement() {
    return QStringLiteral("Pi =  ") +
           QString::fromStdU16String(vbs::formatDouble(4.0 * std::atan(1.0)));
}

QString EvaluationCommand::restoreAfterRestart() {
    if (!m_hasRun || !m_engine.takeRestart()) {
        return QString();
    }
    QString restart = m_engine.errorDescription();
    m_engine.executeStatement(piStatement());
    if (m_lastAnswer) {
        m_engine.storeAnswer(m_lastAnswer->first, m_lastAnswer->second);
    }
    return restart;
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
    return m_engine.language() == QLatin1String("JavaScript") ? ScriptLanguage::JavaScript
                                                              : ScriptLanguage::VBScript;
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
    EvaluationResult result;

    // An engine that was lost between runs is replaced before this one; the run then says so
    // wherever it has no answer to show.
    const QString restart = restoreAfterRestart();
    const ScriptLanguage language = this->language();
    bool failed = false;
    const std::optional<QString> libraryFailure = startOnce(result, language, failed);
    evaluate(input, language, failed, restart, result);
    if (libraryFailure) {
        result.output = *libraryFailure;
    }
    return result;
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
    return runScript(program);
}

std::optional<QString> EvaluationCommand::runLibrary(ScriptLanguage language) {
    const std::optional<LibraryScript> library =
        m_loadLibrary ? m_loadLibrary(language) : std::nullopt;
    return library ? runScript(*library) : std::nullopt;
}

std::optional<QString> EvaluationCommand::runScript(const LibraryScript& script) {
    if (!script.problem.isEmpty()) {
        return script.problem;
    }
    if (m_engine.executeStatement(script.source)) {
        return std::nullopt;
    }
    QString message = libraryFailureMessage(script.fileName, script.source,
                                            m_engine.errorPosition(), m_engine.errorDescription());
    // A script that had to be stopped by ending the engine must not cost the run its Pi.
    restoreAfterRestart();
    return message;
}

void EvaluationCommand::evaluate(const QString& input, ScriptLanguage language, bool failed,
                                 const QString& restart, EvaluationResult& result) {
    const RewrittenInput rewritten = rewriteInput(input, language);
    switch (rewritten.mode) {
    case RewrittenInput::Mode::RefusedAnsAssignment:
        result.output = QStringLiteral("Ans cannot be set with a statement");
        return;
    case RewrittenInput::Mode::Statement:
        if (!m_engine.executeStatement(rewritten.text)) {
            failed = true;
            result.errorPosition = errorPosition(input, rewritten);
        }
        if (failed) {
            result.output = m_engine.errorDescription();
            restoreAfterRestart();
        }
        if (!restart.isEmpty()) {
            result.output = restart;
        }
        return;
    case RewrittenInput::Mode::Expression:
        break;
    }

    const std::optional<ScriptValue> answer = m_engine.eval(rewritten.text);
    if (!answer) {
        failed = true;
        result.errorPosition = errorPosition(input, rewritten);
    }
    if (failed) {
        result.output = restart.isEmpty() ? m_engine.errorDescription() : restart;
        restoreAfterRestart();
        return;
    }
    const std::optional<QString> text =
        answerText(*answer, m_locale.decimalSeparator, m_locale.dates);
    if (!text) {
        // Nothing to show and nothing to store: say why, and keep the previous Ans.
        result.output = m_engine.noTextFormDescription(*answer);
        return;
    }
    result.output = *text;
    result.answered = true;
    // Ans keeps the answer's own type. A failure here is silent: the output box already shows
    // the new answer, and Ans keeps the previous one.
    if (m_engine.storeAnswer(*answer, *text)) {
        m_lastAnswer.emplace(*answer, *text);
    }
}

} // namespace quorvix
