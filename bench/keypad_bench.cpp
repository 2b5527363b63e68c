// Every keypad edit on a 100-character input line.
#include "decimal_point.h"
#include "erase.h"
#include "exponent_entry.h"
#include "insert_at_cursor.h"
#include "memories.h"
#include "sign_toggle.h"

#include <benchmark/benchmark.h>

namespace {

using quorvix::keypad::LineState;

LineState hundredCharacters() {
    QString text;
    while (text.size() < 92) {
        text += QStringLiteral("(12+3)*");
    }
    text += QStringLiteral("(4+567)");
    return {text, 50, 0};
}

template <typename Edit> void edit(benchmark::State& state, Edit e) {
    const LineState line = hundredCharacters();
    for (auto _ : state) {
        benchmark::DoNotOptimize(e(line));
    }
}

BENCHMARK_CAPTURE(edit, insert,
                  [](const LineState& s) { return quorvix::keypad::insertAtCursor(s, u"Pi"); });
BENCHMARK_CAPTURE(edit, sign_toggle, quorvix::keypad::toggleSign);
BENCHMARK_CAPTURE(edit, exponent, quorvix::keypad::enterExponent);
BENCHMARK_CAPTURE(edit, decimal_point, quorvix::keypad::enterDecimalPoint);
BENCHMARK_CAPTURE(edit, backspace, quorvix::keypad::backspace);
BENCHMARK_CAPTURE(edit, store,
                  [](const LineState& s) { return quorvix::keypad::storeInMemory(s, 1); });

} // namespace

BENCHMARK_MAIN();
