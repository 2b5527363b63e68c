#include "engine_host.h"

#include "javascript_loader.h"
#include "vbscript_engine.h"

namespace quorvix {

EngineHost::EngineHost(std::chrono::milliseconds timeLimit, const UserLocale& locale)
    : m_timeLimit(timeLimit), m_locale(locale) {}

EngineHost::~EngineHost() = default;

void EngineHost::setLanguage(ScriptLanguage language) {
    if (language != m_language) {
        m_language = language;
        const std::lock_guard lock(m_engineMutex);
        m_engine.reset();
    }
}

ScriptLanguage EngineHost::language() const {
    return m_language;
}

ScriptEngine& EngineHost::engine() {
    if (!m_engine) {
        std::unique_ptr<ScriptEngine> made =
            m_language == ScriptLanguage::JavaScript
                ? loadJavaScriptEngine(javaScriptWorkerCandidates(), m_timeLimit)
                : std::make_unique<VBScriptEngine>(m_timeLimit, m_locale);
        const std::lock_guard lock(m_engineMutex);
        m_engine = std::move(made);
        if (m_stop.load(std::memory_order_relaxed)) {
            m_engine->requestStop();
        }
    }
    return *m_engine;
}

void EngineHost::requestStop() {
    m_stop.store(true, std::memory_order_relaxed);
    const std::lock_guard lock(m_engineMutex);
    if (m_engine) {
        m_engine->requestStop();
    }
}

void EngineHost::clearStop() {
    m_stop.store(false, std::memory_order_relaxed);
    const std::lock_guard lock(m_engineMutex);
    if (m_engine) {
        m_engine->clearStop();
    }
}

std::optional<ScriptValue> EngineHost::eval(const QString& expression) {
    return engine().eval(expression);
}

std::optional<ScriptValue> EngineHost::preview(const QString& expression) {
    return m_engine ? m_engine->preview(expression) : std::nullopt;
}

bool EngineHost::executeStatement(const QString& statement) {
    return engine().executeStatement(statement);
}

QString EngineHost::errorDescription() const {
    return m_engine ? m_engine->errorDescription() : QString();
}

std::optional<qsizetype> EngineHost::errorPosition() const {
    return m_engine ? m_engine->errorPosition() : std::nullopt;
}

QString EngineHost::noTextFormDescription(const ScriptValue& value) const {
    return m_engine ? m_engine->noTextFormDescription(value) : QString();
}

bool EngineHost::storeAnswer(const ScriptValue& answer, const QString& answerText) {
    return engine().storeAnswer(answer, answerText);
}

bool EngineHost::takeRestart() {
    return m_engine && m_engine->takeRestart();
}

QStringList EngineHost::globalNames() {
    return m_engine ? m_engine->globalNames() : QStringList();
}

std::vector<GlobalDescription> EngineHost::describeGlobals() {
    return m_engine ? m_engine->describeGlobals() : std::vector<GlobalDescription>();
}

} // namespace quorvix
