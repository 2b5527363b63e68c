// Scripts that allocate or recurse without end end with a clear message, the engine goes on,
// and what the session held before is kept. The engines' limits are short here; the program
// uses 10 seconds and 1 GiB.
#include "../table_rows.h"
#include "evaluation_command.h"
#include "javascript_engine.h"
#include "javascript_loader.h"
#include "vbscript_engine.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace quorvix {
namespace {

using testing_rows::PrintTo;

using std::chrono::milliseconds;

constexpr milliseconds kTimeLimit(1000);
constexpr std::size_t kMemoryLimit = std::size_t(256) << 20;

struct RunawayCase {
    const char* name;
    const char* language;
    const char* setup; // a statement run first, e.g. a function definition; null for none
    const char* input;
    // Each output that is a clear result, separated by "|". Where the engine may meet either
    // limit first, depending on the machine, both are listed.
    const char* accepted;
};

std::unique_ptr<ScriptEngine> makeEngine(const char* language) {
    if (QLatin1String(language) == QLatin1String("JavaScript")) {
        return std::make_unique<JavaScriptEngine>(kTimeLimit, kMemoryLimit);
    }
    return std::make_unique<VBScriptEngine>(kTimeLimit);
}

class RunawayScriptTest : public testing::TestWithParam<RunawayCase> {};

TEST_P(RunawayScriptTest, EndsWithAClearMessageAndKeepsTheSession) {
    const RunawayCase& c = GetParam();
    const std::unique_ptr<ScriptEngine> engine = makeEngine(c.language);
    EvaluationCommand command(*engine);
    ASSERT_EQ(command.run(QStringLiteral("6*7")).output.value_or(QString()), u"42");
    ASSERT_FALSE(command.run(QStringLiteral("!keep = 5")).output.has_value());
    if (c.setup) {
        ASSERT_FALSE(command.run(QString::fromUtf8(c.setup)).output.has_value()) << c.setup;
    }

    const QString output = command.run(QString::fromUtf8(c.input)).output.value_or(QString());
    const QStringList accepted = QString::fromUtf8(c.accepted).split(u'|');
    EXPECT_TRUE(accepted.contains(output)) << output.left(200).toStdString();

    // Nothing is lost: the answer and the variables of before are still there, and the engine
    // goes on.
    EXPECT_EQ(command.run(QStringLiteral("Ans")).output.value_or(QString()), u"42");
    EXPECT_EQ(command.run(QStringLiteral("keep+1")).output.value_or(QString()), u"6");
}

constexpr const char* VB = "VBScript";
constexpr const char* JS = "JavaScript";
// Where the engine may meet either limit first.
constexpr const char* kEither = "Out of memory|Script timed out after 1 second";
constexpr const char* kStack = "Out of stack space";
constexpr const char* kCallStack = "Maximum call stack size exceeded.";

const RunawayCase kScripts[] = {
    {"VBScriptStringDoubling", VB, nullptr, "!s = \"x\" : Do : s = s & s : Loop", kEither},
    {"VBScriptGrowingArray", VB, nullptr,
     "!ReDim a(0) : n = 0 : Do : n = n + 1 : ReDim Preserve a(n) : a(n) = Space(1000000) : Loop",
     kEither},
    {"VBScriptRecursion", VB, "!Function f(n) : f = f(n + 1) : End Function", "f(1)", kStack},
    {"VBScriptRecursionThroughASub", VB, "!Sub g : g : End Sub", "!g", kStack},
    {"JavaScriptArraysOfArrays", JS, nullptr,
     "!var a = []; while (true) a.push(new Array(1e6).fill(0))", kEither},
    {"JavaScriptStringDoubling", JS, nullptr, "!var s = 'x'; while (true) s = s + s",
     "Out of memory|Script timed out after 1 second|Invalid string length"},
    {"JavaScriptTwentyMegabytesAStep", JS, nullptr, "!var b = []; for (;;) b.push('x'.repeat(1e7))",
     kEither},
    {"JavaScriptAllocationInAFunction", JS,
     "!function grow() { var l = []; for (;;) l.push(new Float64Array(1e6)); }", "grow()", kEither},
    {"JavaScriptRecursion", JS, "!function f(n) { return f(n + 1) + 1; }", "f(1)", kCallStack},
    {"JavaScriptRecursionBuildingArrays", JS,
     "!function h(n) { return [h(n + 1), new Array(1000).fill(n)]; }", "h(0)", kCallStack},
};

INSTANTIATE_TEST_SUITE_P(Scripts, RunawayScriptTest, testing::ValuesIn(kScripts),
                         testing_rows::RowName());

// With a long time limit and a small memory limit, the memory limit is met first: 80 MB a step
// against 64 MB.
class JavaScriptMemoryLimitTest : public testing::Test {
protected:
    JavaScriptEngine m_engine{std::chrono::minutes(1), std::size_t(64) << 20};
    EvaluationCommand m_command{m_engine};

    QString run(const char* input) {
        return m_command.run(QString::fromUtf8(input)).output.value_or(QString());
    }
};

TEST_F(JavaScriptMemoryLimitTest, StopsTheRunWithOutOfMemory) {
    EXPECT_EQ(run("!var keep = 'kept'; var b = []; for (;;) b.push(new Float64Array(1e7))"),
              u"Out of memory");
    EXPECT_EQ(run("keep"), u"kept");
}

TEST_F(JavaScriptMemoryLimitTest, EachRunHasTheWholeLimit) {
    ASSERT_EQ(run("!function grow() { var l = []; for (;;) l.push(new Float64Array(1e7)); }"), u"");
    EXPECT_EQ(run("grow()"), u"Out of memory");
    EXPECT_EQ(run("grow()"), u"Out of memory");
    EXPECT_EQ(run("new Float64Array(1e6).length"), u"1000000");
}

// QJSEngine checks for an interrupt only between its own instructions, so a single built-in
// call over a huge array runs on past both limits. Run in its worker program, such a call is
// ended by killing the worker shortly after the limit; the session keeps Pi and Ans. (The
// worker engine's own test covers Array.fill.)
TEST(JavaScriptBuiltinRunaway, EndsSoonAfterTheLimitAndKeepsPiAndAns) {
    const std::unique_ptr<ScriptEngine> engine =
        loadJavaScriptEngine({QStringLiteral(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH)}, kTimeLimit);
    EvaluationCommand command(*engine);
    ASSERT_EQ(command.run(QStringLiteral("6*7")).output.value_or(QString()), u"42");

    // Which limit the call meets first depends on how fast the machine runs it; either way
    // the worker is ended, or ends itself, and a new one takes over.
    const QString output =
        command.run(u"JSON.stringify(new Array(1e9)).length"_qs).output.value_or(QString());
    const QString restarted =
        QStringLiteral("; JavaScript was restarted, and only Pi and Ans were kept");
    bool clear = false;
    for (const QString& limit : QString::fromUtf8(kEither).split(u'|')) {
        clear = clear || output == limit || output == limit + restarted;
    }
    EXPECT_TRUE(clear) << output.toStdString();
    EXPECT_EQ(command.run(QStringLiteral("Ans")).output.value_or(QString()), u"42");
    EXPECT_EQ(command.run(QStringLiteral("Pi")).output.value_or(QString()), u"3.14159265358979");
}

} // namespace
} // namespace quorvix
