// How the window answers around an evaluation, with the real main window offscreen:
// - the longest gap between two 10 ms timer ticks while `!Do: Loop` runs, and the time from
//   Esc to an idle window, in each language;
// - what the engine's thread costs one typical evaluation ("2(3)+Sqr(16)*Pi", from Enter to the
//   answer in the box), against the evaluation command run in place;
// - from a change of the input line to its answer preview, and the key-to-repaint median of
//   typing 200 characters with the preview on and off.
// Prints one line a figure; run it on an idle machine.
#include "background_evaluation.h"
#include "command_box.h"
#include "engine_host.h"
#include "evaluation_command.h"
#include "history_keeper.h"
#include "main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using quorvix::app::MainWindow;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void enter(MainWindow& window, const QString& input) {
    window.inputLine()->setText(input);
    QTest::keyClick(window.inputLine(), Qt::Key_Return);
}

void waitIdle(MainWindow& window) {
    while (!window.engineIdle()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

// The event loop's longest gap while a run goes on for `runFor`, then Esc to an idle window.
void runningWindow(MainWindow& window, const char* language, const QString& loop) {
    enter(window, loop);
    QTimer tick;
    tick.setInterval(10);
    Clock::time_point last = Clock::now();
    double longest = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, msSince(last));
        last = Clock::now();
    });
    last = Clock::now();
    tick.start();
    QTest::qWait(3000);
    tick.stop();
    const Clock::time_point esc = Clock::now();
    QTest::keyClick(window.inputLine(), Qt::Key_Escape);
    waitIdle(window);
    std::printf("%s: longest gap between 10 ms ticks during a run: %.1f ms\n", language, longest);
    std::printf("%s: Esc to an idle window: %.1f ms (%s)\n", language, msSince(esc),
                qPrintable(window.outputBox()->text()));
}

void threadHop(MainWindow& window) {
    const QString input = QStringLiteral("2(3)+Sqr(16)*Pi");
    std::vector<double> hop;
    for (int i = 0; i < 2000; ++i) {
        window.inputLine()->setText(input);
        const Clock::time_point start = Clock::now();
        window.EvaluateInput();
        waitIdle(window);
        hop.push_back(msSince(start) * 1000);
    }
    quorvix::EngineHost engine;
    quorvix::EvaluationCommand command(engine);
    std::vector<double> inPlace;
    for (int i = 0; i < 2000; ++i) {
        const Clock::time_point start = Clock::now();
        command.run(input);
        inPlace.push_back(msSince(start) * 1000);
    }
    quorvix::BackgroundEvaluation background(command, engine, std::chrono::milliseconds(25));
    std::vector<double> handedBack;
    for (int i = 0; i < 2000; ++i) {
        const Clock::time_point start = Clock::now();
        background.start(input);
        background.waitForIdle();
        handedBack.push_back(msSince(start) * 1000);
    }
    std::printf("\"%s\": the command in place %.1f us, on the engine's thread %.1f us; Enter to "
                "the answer in the box (with the history and tape written) %.1f us (medians)\n",
                qPrintable(input), median(inPlace), median(handedBack), median(hop));
}

void preview(MainWindow& window) {
    std::vector<double> shown;
    for (int i = 0; i < 200; ++i) {
        const Clock::time_point start = Clock::now();
        window.inputLine()->setText(QStringLiteral("Sqr(%1)*2+Pi").arg(i + 1));
        while (!window.control<QLabel>(u"AnswerPreview")->isVisible()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        shown.push_back(msSince(start));
    }
    std::printf("input changed to its preview shown: median %.2f ms\n", median(shown));
    for (const bool on : {false, true}) {
        window.inputHistory().setPreviewing(on);
        window.inputLine()->setText(QString());
        std::vector<double> keys;
        const QString typed =
            QStringLiteral("Sqr(2)+3*4-Len(\"abc\")/(7+1) ").repeated(8).left(200);
        for (const QChar c : typed) {
            const Clock::time_point start = Clock::now();
            QTest::keyClick(window.inputLine(), c.toLatin1());
            window.inputLine()->viewport()->repaint();
            QCoreApplication::processEvents();
            keys.push_back(msSince(start));
        }
        waitIdle(window);
        std::printf("typing 200 characters, preview %s: key-to-repaint median %.3f ms\n",
                    on ? "on " : "off", median(keys));
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const char* language : {"VBScript", "JavaScript"}) {
        QTemporaryDir folder;
        MainWindow window(folder.path());
        window.show();
        if (language == std::string_view("JavaScript")) {
            window.control<QRadioButton>(u"JavaScript")->click();
        }
        enter(window, QStringLiteral("1"));
        waitIdle(window);
        runningWindow(window, language,
                      language == std::string_view("JavaScript") ? QStringLiteral("!while(1){}")
                                                                 : QStringLiteral("!Do: Loop"));
        if (language == std::string_view("VBScript")) {
            threadHop(window);
            preview(window);
        }
    }
    return 0;
}
