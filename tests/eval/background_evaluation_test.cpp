#include "background_evaluation.h"
#include "engine_host.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

#include <memory>

namespace quorvix {
namespace {

using namespace std::chrono_literals;

// A run that ends within the patience is delivered before start() returns, so the next can
// start; a run that does not end is refused company and ends when stopped. The engine's own
// limit is an hour: only the stop can end the loop here.
TEST(BackgroundEvaluation, RunsOneAfterAnotherAndStopsARunaway) {
    EngineHost engine(1h);
    EvaluationCommand command(engine);
    BackgroundEvaluation run(command, engine, 1h);
    QStringList outputs;
    QObject::connect(&run, &BackgroundEvaluation::finished, [&](const EvaluationResult& result) {
        outputs.append(result.output.value_or(QStringLiteral("<none>")));
    });
    ASSERT_TRUE(run.start(QStringLiteral("1+1")));
    ASSERT_TRUE(run.start(QStringLiteral("2+3")));
    EXPECT_EQ(outputs, QStringList({QStringLiteral("2"), QStringLiteral("5")}));

    const auto stopsARunaway = [&](const QString& runaway) {
        run.setPatience(0ms);
        ASSERT_TRUE(run.start(runaway));
        EXPECT_FALSE(run.start(QStringLiteral("1")));
        run.stop();
        // Generous: a busy machine may take its time, and a run that was not stopped never ends.
        const QDeadlineTimer deadline(30s);
        while (run.running() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
        EXPECT_FALSE(run.running());
    };
    stopsARunaway(QStringLiteral("!Do: Loop"));
    EXPECT_EQ(outputs.size(), 3);
    // The stop was for that run alone: a long one after it runs to its end.
    run.setPatience(1h);
    ASSERT_TRUE(run.start(QStringLiteral("!For i = 1 To 100000: x = i: Next")));
    ASSERT_TRUE(run.start(QStringLiteral("x")));
    EXPECT_EQ(outputs.constLast(), QStringLiteral("100000"));

    // Going away during a run stops it rather than waiting for it (an hour).
    auto doomed = std::make_unique<BackgroundEvaluation>(command, engine, 0ms);
    ASSERT_TRUE(doomed->start(QStringLiteral("!Do: Loop")));
    doomed.reset();

    // The stop reaches a script running in the worker process too.
    engine.setLanguage(ScriptLanguage::JavaScript);
    stopsARunaway(QStringLiteral("while (true) {}"));
}

} // namespace
} // namespace quorvix
