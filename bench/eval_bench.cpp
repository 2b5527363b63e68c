// One run of the evaluation command, as the OK button makes it, for typical inputs.
#include "engine_host.h"
#include "evaluation_command.h"
#include "javascript_engine.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

void evaluate(benchmark::State& state, const char* language, const char* input) {
    quorvix::EngineHost engine;
    engine.setLanguage(quorvix::languageNamed(QString::fromLatin1(language)).value());
    quorvix::EvaluationCommand command(engine);
    const QString text = QString::fromLatin1(input);
    command.run(text); // the first run defines Pi and creates the engine
    for (auto _ : state) {
        benchmark::DoNotOptimize(command.run(text));
    }
}

// The same with the JavaScript engine in this process rather than in its worker: the
// difference is what the round trip to the worker costs.
void javaScriptEngineInProcess(benchmark::State& state) {
    quorvix::JavaScriptEngine engine;
    quorvix::EvaluationCommand command(engine);
    const QString text = QStringLiteral("2(3)+Math.sqrt(16)*Pi");
    command.run(text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(command.run(text));
    }
}
BENCHMARK_CAPTURE(evaluate, vbscript_typical, "VBScript", "2(3)+Sqr(16)*Pi");
BENCHMARK_CAPTURE(evaluate, vbscript_continue, "VBScript", "+1");
BENCHMARK_CAPTURE(evaluate, vbscript_statement, "VBScript", "!x = x + 1");
BENCHMARK_CAPTURE(evaluate, javascript_typical, "JavaScript", "2(3)+Math.sqrt(16)*Pi");
BENCHMARK_CAPTURE(evaluate, javascript_continue, "JavaScript", "+1");
BENCHMARK_CAPTURE(evaluate, javascript_statement, "JavaScript", "!x = 1");
BENCHMARK(javaScriptEngineInProcess);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
