// A keystroke in a long input line with colouring on, up to the repainted line: the text is
// scanned again and its paragraph laid out with the new formats. 4,000 characters is the most
// that is coloured; at 10,000 colouring is off, and the second argument 0 leaves it out.
// Offscreen, so no display is needed; the median is what counts.
#include "command_box.h"
#include "input_highlighter.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

void keystrokeToRepaint(benchmark::State& state) {
    quorvix::app::CommandBox box;
    if (state.range(1) != 0) {
        box.setAssistSources([] { return quorvix::ScriptLanguage::VBScript; },
                             [] { return QStringList{QStringLiteral("total")}; });
        box.assist()->refreshNames();
    }
    box.resize(600, 60);
    box.show();
    QString text;
    while (text.size() < state.range(0)) {
        text += QStringLiteral("Sqr(2)+total*3.5-\"ab\" ");
    }
    text.truncate(state.range(0));
    box.setText(text);
    box.setSelection(text.size() / 2, 0);
    for (auto _ : state) {
        QTest::keyClick(&box, Qt::Key_1);
        box.viewport()->repaint();
        QTest::keyClick(&box, Qt::Key_Backspace);
        box.viewport()->repaint();
    }
    const bool coloured = box.assist() != nullptr &&
                          text.size() <= quorvix::app::InputHighlighter::kMaxHighlightedLength;
    state.SetLabel(coloured ? "coloured, two keystrokes per iteration"
                            : "not coloured, two keystrokes per iteration");
}
BENCHMARK(keystrokeToRepaint)
    ->Args({10'000, 1})
    ->Args({10'000, 0})
    ->Args({4'000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
