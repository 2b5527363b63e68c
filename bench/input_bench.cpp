// The input line's response to the keyboard, each from the key press to the repainted line:
// - one key typed in a long line with colouring on (the text is scanned again and its paragraph
//   laid out with the new formats), and for comparison with colouring off;
// - Up recalling an entry from a full input history.
// Offscreen, so no display is needed. Each iteration times one key; the counter "median_ms" is
// the median of those, which is what counts (a stray slow key moves the mean, not the median).
#include "command_box.h"
#include "history_keeper.h"
#include "input_highlighter.h"

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A line as the user might have typed it: calls, a user's variable, numbers, strings, brackets.
QString expression(qsizetype length) {
    QString text;
    while (text.size() < length) {
        text += QStringLiteral("Sqr(2)+total*3.5-Len(\"ab\")/(x+1) ");
    }
    text.truncate(length);
    return text;
}

void withAssist(quorvix::app::CommandBox& box) {
    box.setAssistSources([] { return quorvix::ScriptLanguage::VBScript; },
                         [] {
                             return QStringList{QStringLiteral("total"), QStringLiteral("x")};
                         });
    box.assist()->refreshNames();
}

// One key press and everything it causes, up to the repainted line.
double pressAndRepaint(quorvix::app::CommandBox& box, Qt::Key key) {
    const Clock::time_point start = Clock::now();
    QTest::keyClick(&box, key);
    box.viewport()->repaint();
    QCoreApplication::processEvents();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void reportMedian(benchmark::State& state, std::vector<double>& seconds) {
    if (seconds.empty()) {
        return;
    }
    const auto middle = seconds.begin() + std::ptrdiff_t(seconds.size() / 2);
    std::nth_element(seconds.begin(), middle, seconds.end());
    state.counters["median_ms"] = *middle * 1000.0;
}

// Args: the line's length, and 1 for colouring on, 0 for off.
void keystrokeToRepaint(benchmark::State& state) {
    quorvix::app::CommandBox box;
    if (state.range(1) != 0) {
        withAssist(box);
    }
    box.resize(313, 39); // the input line's size in the window
    box.show();
    const QString text = expression(state.range(0));
    box.setText(text);
    box.setSelection(text.size() / 2, 0);
    QCoreApplication::processEvents();
    std::vector<double> seconds;
    for (auto _ : state) {
        const double taken = pressAndRepaint(box, Qt::Key_1);
        state.SetIterationTime(taken);
        seconds.push_back(taken);
        // The line goes back to its length, untimed.
        pressAndRepaint(box, Qt::Key_Backspace);
    }
    const bool coloured = box.assist() != nullptr &&
                          text.size() <= quorvix::app::InputHighlighter::kMaxHighlightedLength;
    state.SetLabel(coloured ? "coloured" : "not coloured");
    reportMedian(state, seconds);
}
BENCHMARK(keystrokeToRepaint)
    ->Args({10'000, 1})
    ->Args({10'000, 0})
    ->Args({quorvix::app::InputHighlighter::kMaxHighlightedLength - 1, 1})
    ->Args({quorvix::app::InputHighlighter::kMaxHighlightedLength - 1, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// Up and Down in turn, in the middle of a history of 1,000 entries of one line each (a longer
// one would take Up and Down to its other lines first): each key puts one entry in the line.
void recallFromFullHistory(benchmark::State& state) {
    quorvix::app::CommandBox box;
    withAssist(box);
    quorvix::app::HistoryKeeper keeper(&box, [] { return quorvix::app::KeptFile{}; });
    for (int i = 0; i < quorvix::app::InputHistory::kMaxEntries; ++i) {
        keeper.record(expression(1 + (i * 37) % 60) + QString::number(i));
    }
    box.resize(313, 39); // the input line's size in the window
    box.show();
    for (int i = 0; i < quorvix::app::InputHistory::kMaxEntries / 2; ++i) {
        QTest::keyClick(&box, Qt::Key_Up);
    }
    QCoreApplication::processEvents();
    std::vector<double> seconds;
    bool up = true;
    for (auto _ : state) {
        const double taken = pressAndRepaint(box, up ? Qt::Key_Up : Qt::Key_Down);
        state.SetIterationTime(taken);
        seconds.push_back(taken);
        up = !up;
    }
    state.SetLabel(
        QStringLiteral("%1 entries").arg(keeper.history().entries().size()).toStdString());
    reportMedian(state, seconds);
}
BENCHMARK(recallFromFullHistory)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
