#pragma once

#include "answer_conversion.h"
#include "global_reader.h"
#include "preview_guard.h"
#include "script_engine.h"
#include "watchdog.h"

#include <QJSEngine>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace quorvix {

// JavaScript over QJSEngine, with a watchdog that interrupts a script running past its time
// limit or growing the process by more than its memory limit; the engine stays usable
// afterwards. QJSEngine has no heap limit of its own, and a script that allocates without end
// would otherwise take all of the system's memory within its time limit.
class JavaScriptEngine final : public ScriptEngine {
public:
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t(1) << 30;

    // `onUnstoppable` is called, from the watchdog's thread, for a run that goes on after it
    // was interrupted (one built-in call over a huge array); see Watchdog.
    explicit JavaScriptEngine(std::chrono::milliseconds timeLimit = std::chrono::seconds(10),
                              std::size_t memoryLimit = kDefaultMemoryLimit,
                              std::function<void(Watchdog::Outcome)> onUnstoppable = {});
    ~JavaScriptEngine() override;

    ScriptLanguage language() const override { return ScriptLanguage::JavaScript; }
    std::optional<ScriptValue> eval(const QString& expression) override;
    // Only number and text literals, operators, brackets, Math's own functions and constants
    // (not random), and names that hold plain numbers or texts; see previewReads and
    // PreviewGuard.
    std::optional<ScriptValue> preview(const QString& expression) override;
    bool executeStatement(const QString& statement) override;
    QString errorDescription() const override { return m_error; }
    // The failing line's start, or for a syntax error the offending token.
    std::optional<qsizetype> errorPosition() const override { return m_errorPosition; }
    QString noTextFormDescription(const ScriptValue& value) const override;
    bool storeAnswer(const ScriptValue& answer, const QString& answerText) override;
    // The global object's properties that scripts made or changed, read by GlobalReader under
    // the time limit; nothing when that runs out.
    std::vector<GlobalDescription> describeGlobals() override;
    // The global object's own property names: the standard globals and whatever the user's
    // scripts put there (var, function; not let or const), read as GlobalReader reads.
    QStringList globalNames() override { return m_globalReader->names(); }
    // Interrupts the run in progress as its time limit would; nothing when none runs.
    void requestStop() override { m_watchdog.expireNow(); }
    // For a process that serves numbered requests (the worker): the runs from here on are for
    // request `number` (from 1 up). A stop can come before the request it is meant for runs.
    void beginRequest(std::uint32_t number) { m_request = number; }
    // Stops the runs of every request up to `number`: the one running, and one that has not
    // begun yet as soon as it begins. Safe from any thread.
    void stopThrough(std::uint32_t number) { m_watchdog.expireThrough(number); }

private:
    // Runs `work` under `timeLimit` and the memory limit; which of them stopped it, if any.
    template <typename Work>
    Watchdog::Outcome limited(std::chrono::milliseconds timeLimit, Work work);
    // Runs `work` under the time and memory limits; false, with m_error set, when one of them
    // stopped it.
    template <typename Work> bool withinLimits(Work work);
    // Runs `program`; false, with m_error set, when it fails. An object answer is turned into
    // text within the same limits, into `converted`.
    bool run(const QString& program, QJSValue& result, std::optional<ScriptValue>* converted);

    QJSEngine m_engine;
    QJSValue m_global; // looked up once: each globalObject() call makes a new handle
    AnswerConversion m_conversion{m_engine};
    PreviewGuard m_previewGuard{m_engine};        // made before any script runs
    std::unique_ptr<GlobalReader> m_globalReader; // made once the engine's own globals are in
    std::chrono::milliseconds m_timeLimit;
    std::size_t m_memoryLimit; // bytes the process may grow by during one run
    Watchdog m_watchdog;
    std::uint32_t m_request = 0; // 0: requests are not numbered
    QString m_error;
    std::optional<qsizetype> m_errorPosition;
};

} // namespace quorvix
