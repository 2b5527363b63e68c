#pragma once

#include "script_engine.h"
#include "user_locale.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

namespace quorvix {

// The calculator's one engine instance: it takes the language and creates the engine of that
// language only when it is first used, so the engine not chosen costs nothing at start-up.
// `locale` is what the VBScript engine reads and writes number and date text with.
class EngineHost final : public ScriptEngine {
public:
    explicit EngineHost(std::chrono::milliseconds timeLimit = kScriptTimeLimit,
                        const UserLocale& locale = {});
    ~EngineHost() override;

    // Switching drops the engine of the other language, which the calculator only does before
    // its first run.
    void setLanguage(ScriptLanguage language);

    ScriptLanguage language() const override;
    std::optional<ScriptValue> eval(const QString& expression) override;
    // Nothing until the engine exists: a preview does not start one.
    std::optional<ScriptValue> preview(const QString& expression) override;
    bool executeStatement(const QString& statement) override;
    QString errorDescription() const override;
    std::optional<qsizetype> errorPosition() const override;
    QString noTextFormDescription(const ScriptValue& value) const override;
    bool storeAnswer(const ScriptValue& answer, const QString& answerText) override;
    bool takeRestart() override;
    // These two: nothing until the engine exists; asking does not start one.
    QStringList globalNames() override;
    std::vector<GlobalDescription> describeGlobals() override;
    // A request made before the engine exists reaches it when it is made.
    void requestStop() override;
    bool stopRequested() const override { return m_stop.load(std::memory_order_relaxed); }
    void clearStop() override;

private:
    ScriptEngine& engine();

    std::chrono::milliseconds m_timeLimit;
    UserLocale m_locale;
    ScriptLanguage m_language = ScriptLanguage::VBScript;
    std::unique_ptr<ScriptEngine> m_engine;
    // A stop may come from another thread while the engine is made or dropped.
    std::mutex m_engineMutex;
    std::atomic<bool> m_stop = false;
};

} // namespace quorvix
