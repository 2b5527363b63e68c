#pragma once

#include "global_description.h"
#include "interpreter.h"
#include "script_engine.h"
#include "user_locale.h"

#include <atomic>
#include <chrono>

namespace quorvix {

// VBScript over our own interpreter (src/vbscript). Number and date text follow `locale`.
class VBScriptEngine final : public ScriptEngine {
public:
    explicit VBScriptEngine(std::chrono::milliseconds timeLimit = kScriptTimeLimit,
                            const UserLocale& locale = {});

    ScriptLanguage language() const override { return ScriptLanguage::VBScript; }
    std::optional<ScriptValue> eval(const QString& expression) override;
    std::optional<ScriptValue> preview(const QString& expression) override;
    bool executeStatement(const QString& statement) override;
    QString errorDescription() const override { return m_error; }
    std::optional<qsizetype> errorPosition() const override { return m_errorPosition; }
    QString noTextFormDescription(const ScriptValue& value) const override;
    bool storeAnswer(const ScriptValue& answer, const QString& answerText) override;
    QStringList globalNames() override;
    std::vector<GlobalDescription> describeGlobals() override;
    void requestStop() override { m_stop.store(true, std::memory_order_relaxed); }
    bool stopRequested() const override { return m_stop.load(std::memory_order_relaxed); }
    void clearStop() override { m_stop.store(false, std::memory_order_relaxed); }

    // The value `Ans` gets for an answer (of its own type, rounded as shown), or nullopt when
    // the answer has no text form. It is set directly: no text of the answer is ever parsed.
    static std::optional<vbs::Variant> ansValue(const ScriptValue& answer,
                                                const QString& answerText);

    // The value as the engine-neutral ScriptValue.
    static ScriptValue toScriptValue(const vbs::Variant& value);

private:
    // Before the interpreter, which reads it while it runs.
    std::atomic<bool> m_stop = false;
    vbs::Interpreter m_interpreter;
    QString m_error;
    std::optional<qsizetype> m_errorPosition;
};

} // namespace quorvix
