// The settings read at start: find their home, read the file and turn its items into actions.
#include "settings_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void readSettings(benchmark::State& state) {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("Quorvix.ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write("lang=0\r\npad=1\r\n") < 0) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    file.close();
    const quorvix::app::SettingsFile settings(folder.path());
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.read());
    }
}
BENCHMARK(readSettings);

} // namespace

BENCHMARK_MAIN();
