#include "../table_rows.h"
#include "engine_host.h"
#include "javascript_engine.h"
#include "javascript_loader.h"
#include "vbscript_engine.h"

#include <gtest/gtest.h>

namespace quorvix {
namespace {

using testing_rows::PrintTo;
using namespace std::chrono_literals;

std::string shown(const std::optional<ScriptValue>& v) {
    if (!v) {
        return "refused";
    }
    switch (v->kind) {
    case ScriptValue::Kind::Double:
        return QString::number(v->number, 'g', 15).toStdString();
    case ScriptValue::Kind::Boolean:
        return v->boolean ? "true" : "false";
    case ScriptValue::Kind::String:
        return '"' + v->text.toStdString() + '"';
    default:
        return "other";
    }
}

// Every row runs in a scope with plain values and with code that would count its runs: a
// function, a getter, an object's valueOf and a replaced Math member.
constexpr const char* kScope = R"(var counter = 0, n = 6, s = "ab";
var o = {valueOf: function () { return ++counter; }};
function bump() { return ++counter; }
Object.defineProperty(this, "g", {get: function () { return ++counter; }});
Math.hypot = function () { return ++counter; };
let hidden = 1;)";

struct PreviewCase {
    const char* name;
    const char* expression;
    const char* expected;
};

class JavaScriptPreviewTest : public testing::TestWithParam<PreviewCase> {};

TEST_P(JavaScriptPreviewTest, GivesTheValueOnlyWhenNothingCanChange) {
    JavaScriptEngine engine(10s);
    ASSERT_TRUE(engine.executeStatement(QString::fromUtf8(kScope)));
    EXPECT_EQ(shown(engine.preview(QString::fromUtf8(GetParam().expression))), GetParam().expected);
}

const PreviewCase kJavaScriptRows[] = {
    {"Operators", "1 + 2 * 3 ** 2 - 7 % 4", "16"},
    {"Brackets", "(1 + 2) * -3", "-9"},
    {"Numbers", "0x10 + 1e1 + .5 + 2.", "28.5"},
    {"Names", "n * 2 + s", "\"12ab\""},
    {"Comparisons", "n === 6 && n >= 6 ? 'y' : 'n'", "\"y\""},
    {"MathFunctionsAndConstants", "Math.max(Math.sqrt(16), Math . PI, 1)", "4"},
    {"Assignment", "n = 1", "refused"},
    {"Increment", "n++", "refused"},
    {"Function", "bump()", "refused"},
    {"Getter", "g + 1", "refused"},
    {"ValueOf", "o + 1", "refused"},
    {"ReplacedMathMember", "Math.hypot(3, 4)", "refused"},
    {"MathRandom", "Math.random()", "refused"},
    {"Member", "s.length", "refused"},
    {"New", "new Date()", "refused"},
    {"RegularExpression", "/a/.test(s)", "refused"},
    {"Comment", "1 /* n = 2 */", "refused"},
    {"Template", "`${n}`", "refused"},
    {"Escape", "'\\x41'", "refused"},
    {"Statements", "1; n = 2", "refused"},
    {"LineBreak", "n\n+1", "refused"},
    {"Unknown", "nosuch", "refused"},
    {"NotAGlobalProperty", "hidden", "refused"},
    {"Failure", "n(1)", "refused"},
};

INSTANTIATE_TEST_SUITE_P(Rows, JavaScriptPreviewTest, testing::ValuesIn(kJavaScriptRows),
                         testing_rows::RowName());

// What a later call sees after every row's preview: the values, the counter, the last error.
TEST(JavaScriptPreview, ChangesNothingALaterCallSees) {
    JavaScriptEngine engine(10s);
    ASSERT_TRUE(engine.executeStatement(QString::fromUtf8(kScope)));
    ASSERT_FALSE(engine.eval(QStringLiteral("1 +\n nosuch")).has_value());
    const QString error = engine.errorDescription();
    const std::optional<qsizetype> position = engine.errorPosition();
    for (const PreviewCase& row : kJavaScriptRows) {
        engine.preview(QString::fromUtf8(row.expression));
    }
    EXPECT_EQ(engine.errorDescription(), error);
    EXPECT_EQ(engine.errorPosition(), position);
    EXPECT_EQ(shown(engine.eval(QStringLiteral("counter + ',' + n"))), "\"0,6\"");
}

// Text conversions of long texts, each too quick to stop by itself, are stopped together.
TEST(JavaScriptPreview, EndsASlowExpressionAtItsLimit) {
    JavaScriptEngine engine(10s);
    ASSERT_TRUE(engine.executeStatement(QStringLiteral("var s = '1'.repeat(1 << 23)")));
    QString slow = QStringLiteral("Math.max(");
    for (int i = 0; i < 1000; ++i) {
        slow += QStringLiteral("Math.sqrt(s + s), ");
    }
    EXPECT_EQ(shown(engine.preview(slow + u'0' + u')')), "refused");
    EXPECT_EQ(shown(engine.eval(QStringLiteral("s.length"))), "8388608");
}

// The worker is asked only once it is up; a preview does not disturb the last call's failure.
TEST(JavaScriptPreview, GoesThroughTheWorker) {
    const std::unique_ptr<ScriptEngine> engine =
        loadJavaScriptEngine({QStringLiteral(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH)}, 10s);
    EXPECT_EQ(shown(engine->preview(QStringLiteral("1 + 1"))), "refused");
    ASSERT_TRUE(engine->executeStatement(QStringLiteral("var x = 5")));
    ASSERT_TRUE(engine->storeAnswer(ScriptValue::fromDouble(7), QStringLiteral("7")));
    ASSERT_FALSE(engine->eval(QStringLiteral("nosuch")).has_value());
    const QString error = engine->errorDescription();
    EXPECT_EQ(shown(engine->preview(QStringLiteral("x * Ans"))), "35");
    EXPECT_EQ(shown(engine->preview(QStringLiteral("x = 1"))), "refused");
    EXPECT_EQ(engine->errorDescription(), error);
    EXPECT_FALSE(engine->takeRestart());
    EXPECT_EQ(shown(engine->eval(QStringLiteral("x"))), "5");
}

TEST(VBScriptPreview, LeavesTheLastFailureAlone) {
    VBScriptEngine engine;
    ASSERT_TRUE(engine.executeStatement(QStringLiteral("x = 5")));
    ASSERT_FALSE(engine.eval(QStringLiteral("1 + nosuch(")).has_value());
    const QString error = engine.errorDescription();
    const std::optional<qsizetype> position = engine.errorPosition();
    EXPECT_EQ(shown(engine.preview(QStringLiteral("1 / 0"))), "refused");
    EXPECT_EQ(shown(engine.preview(QStringLiteral("CDbl(x) / 2"))), "2.5");
    EXPECT_EQ(engine.errorDescription(), error);
    EXPECT_EQ(engine.errorPosition(), position);
}

} // namespace
} // namespace quorvix
