#include "background_evaluation.h"

namespace quorvix {

// The engine's thread: runs the jobs it is given, one after another, until it is told to end.
class BackgroundEvaluation::Thread final : public QThread {
public:
    void post(std::function<void()> job) {
        {
            const std::lock_guard lock(m_mutex);
            m_jobs.push_back(std::move(job));
        }
        m_wake.notify_one();
    }
    void end() {
        {
            const std::lock_guard lock(m_mutex);
            m_ending = true;
        }
        m_wake.notify_one();
        wait();
    }

protected:
    void run() override {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_ending || !m_jobs.empty(); });
                if (m_jobs.empty()) {
                    return;
                }
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            job();
        }
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_ending = false;
};

BackgroundEvaluation::BackgroundEvaluation(EvaluationCommand& command, ScriptEngine& engine,
                                           std::chrono::milliseconds patience, QObject* parent)
    : QObject(parent), m_command(command), m_engine(engine), m_patience(patience) {}

BackgroundEvaluation::~BackgroundEvaluation() {
    if (m_thread) {
        stop();
        m_thread->end();
        delete m_thread;
    }
}

bool BackgroundEvaluation::start(const QString& input) {
    if (m_running) {
        return false;
    }
    if (!m_thread) {
        m_thread = new Thread;
        m_thread->setStackSize(kStackBytes);
        m_thread->start();
    }
    m_running = true;
    m_nextPreview.reset();
    // No run is in flight: the stop of the last one may be taken back from here.
    m_engine.clearStop();
    m_thread->post([this, input] {
        EvaluationResult result = m_command.run(input);
        {
            const std::lock_guard lock(m_mutex);
            m_result = std::move(result);
        }
        m_ended.notify_all();
        QMetaObject::invokeMethod(
            this, [this] { deliver(); }, Qt::QueuedConnection);
    });
    {
        std::unique_lock lock(m_mutex);
        if (!m_ended.wait_for(lock, m_patience, [this] { return m_result.has_value(); })) {
            return true;
        }
    }
    deliver();
    return true;
}

void BackgroundEvaluation::deliver() {
    std::optional<EvaluationResult> result;
    {
        const std::lock_guard lock(m_mutex);
        result.swap(m_result);
    }
    if (!result || !m_running) {
        return; // handed on already, by start()
    }
    m_running = false;
    emit finished(*result);
}

void BackgroundEvaluation::preview(const QString& input) {
    if (m_running) {
        return;
    }
    if (m_previewing) {
        m_nextPreview = input;
        return;
    }
    startPreview(input);
}

void BackgroundEvaluation::startPreview(const QString& input) {
    if (!m_thread) {
        return; // no run yet, so nothing to preview
    }
    m_previewing = true;
    // Nothing is in flight: a stop asked for the last run must not end this preview.
    m_engine.clearStop();
    m_thread->post([this, input] {
        const std::optional<QString> answer = m_command.preview(input);
        QMetaObject::invokeMethod(
            this,
            [this, input, answer] {
                m_previewing = false;
                emit previewed(input, answer);
                if (std::optional<QString> next = std::exchange(m_nextPreview, std::nullopt);
                    next && !m_running) {
                    startPreview(*next);
                }
            },
            Qt::QueuedConnection);
    });
}

void BackgroundEvaluation::stop() {
    if (m_running) {
        m_engine.requestStop();
    }
}

void BackgroundEvaluation::waitForIdle() {
    if (!m_running) {
        return;
    }
    {
        std::unique_lock lock(m_mutex);
        m_ended.wait(lock, [this] { return m_result.has_value(); });
    }
    deliver();
}

} // namespace quorvix
