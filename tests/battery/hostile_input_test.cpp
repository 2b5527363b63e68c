// Input lines no user types but any user can paste: huge, deeply nested, with NUL characters,
// lone surrogates and the replacement characters of invalid UTF-8. Each ends with an answer or
// the engine's message, and the engine goes on.
#include "../table_rows.h"
#include "engine_host.h"
#include "evaluation_command.h"

#include <gtest/gtest.h>

#include <chrono>

namespace quorvix {
namespace {

using testing_rows::PrintTo;

struct InputCase {
    const char* name;
    const char* language;
    QString input;
    QString expected;
};

// Far above what the slowest case needs on a busy machine under the sanitizers (the ten-megabyte
// sum takes about 20 seconds there): every row expects an answer or a message other than the
// time-out.
constexpr std::chrono::minutes kGenerousLimit(5);

class HostileInputTest : public testing::TestWithParam<InputCase> {};

TEST_P(HostileInputTest, GivesAClearResultAndTheEngineGoesOn) {
    const InputCase& c = GetParam();
    EngineHost engine(kGenerousLimit);
    engine.setLanguage(languageNamed(QString::fromLatin1(c.language)).value());
    EvaluationCommand command(engine);
    ASSERT_EQ(command.run(QStringLiteral("6*7")).output.value_or(QString()), u"42");
    ASSERT_FALSE(command.run(QStringLiteral("!keep = 5")).output.has_value());
    const QString output = command.run(c.input).output.value_or(QStringLiteral("<none>"));
    EXPECT_EQ(output.left(200).toStdString(), c.expected.left(200).toStdString());
    EXPECT_EQ(output.size(), c.expected.size());
    EXPECT_EQ(command.run(QStringLiteral("keep+2")).output.value_or(QString()), u"7");
}

QString repeated(QStringView piece, qsizetype times) {
    return piece.toString().repeated(times);
}

// "1+1+...+1" of at least `size` characters, and its sum.
QString sumOfOnes(qsizetype size) {
    return QStringLiteral("1") + repeated(u"+1", size / 2);
}

constexpr qsizetype kDeep = 100000;

// `open` and `close` each `depth` times around `core`.
QString nest(QStringView open, QChar core, QStringView close, qsizetype depth = kDeep) {
    return repeated(open, depth) + core + repeated(close, depth);
}

constexpr qsizetype kTenMB = qsizetype(10) << 20;
const QString kTenMBOfX(kTenMB, u'x');
// Longer than the longest text a script may hold (16M characters).
constexpr qsizetype kSeventeenMB = qsizetype(17) << 20;
// What each engine says when the nesting is deeper than it can parse.
const QString kOutOfStack = QStringLiteral("Out of stack space");
const QString kTooDeep = QStringLiteral("Maximum statement or expression depth exceeded");
const QString kNul(QChar(0));
constexpr const char* VB = "VBScript";
constexpr const char* JS = "JavaScript";

const InputCase kInputs[] = {
    {"VBScriptTenMegabyteSum", VB, sumOfOnes(kTenMB), QString::number(kTenMB / 2 + 1)},
    {"JavaScriptTenMegabyteSum", JS, sumOfOnes(kTenMB), kTooDeep},
    {"VBScriptTenMegabyteString", VB, u'"' + kTenMBOfX + u'"', kTenMBOfX},
    {"JavaScriptTenMegabyteString", JS, u'\'' + kTenMBOfX + u'\'', kTenMBOfX},
    {"VBScriptStringBeyondTheLongestText", VB, u'"' + QString(kSeventeenMB, u'x') + u'"',
     "Out of memory"},
    {"VBScriptNestedBrackets", VB, nest(u"[", u'1', u"]"), "Invalid character"},
    {"JavaScriptNestedBrackets", JS, nest(u"[", u'1', u"]"), kTooDeep},
    {"JavaScriptNestedBracketsAndParentheses", JS, nest(u"([", u'1', u"])", kDeep / 2), kTooDeep},
    {"VBScriptNestedCalls", VB, nest(u"Abs(", u'1', u")"), kOutOfStack},
    {"VBScriptUnclosedParentheses", VB, QString(kDeep, u'('), kOutOfStack},
    {"JavaScriptUnclosedBrackets", JS, QString(kDeep, u'['), "Expected token `]'"},
    {"VBScriptSignGroups", VB, nest(u"(-", u'5', u")"), kOutOfStack},
    {"JavaScriptSignGroups", JS, nest(u"(-", u'5', u")"), kTooDeep},
    // Answers whose text JavaScript's own join cannot make without overflowing the stack.
    {"JavaScriptArrayInsideItself", JS, "[[1]].map(a => (a.push(a), a))[0]", "1,"},
    {"JavaScriptArraysNestedTooDeep", JS, "Array(100000).fill(0).reduce(a => [a], [])",
     "RangeError: Maximum call stack size exceeded."},
    {"JavaScriptDeeplyNestedPattern", JS,
     "new RegExp('('.repeat(1e5) + 'a' + ')'.repeat(1e5)).test('a')", "True"},
    {"VBScriptNulInAString", VB, "Len(\"a" + kNul + "b\")", "3"},
    {"JavaScriptNulInAString", JS, "'a" + kNul + "b'.length", "3"},
    {"VBScriptNulBetweenOperands", VB, "1+" + kNul + "1", "Invalid character"},
    {"JavaScriptNulBetweenOperands", JS, "1+" + kNul + "1", "Unexpected token `'"},
    {"VBScriptOnlyNul", VB, kNul, "Invalid character"},
    {"JavaScriptOnlyNul", JS, kNul, "Expected token `;'"},
    {"VBScriptLoneSurrogate", VB, "Len(\"" + QString(QChar(0xD800)) + "\")", "1"},
    {"JavaScriptLoneSurrogate", JS, "'" + QString(QChar(0xDC00)) + "'.length", "1"},
    {"VBScriptInvalidUtf8", VB, QString::fromUtf8("1+\xff\xfe") + u'2', "Invalid character"},
    {"JavaScriptInvalidUtf8", JS, QString::fromUtf8("1+\xc3(2"), "Unexpected token `'"},
};

INSTANTIATE_TEST_SUITE_P(Inputs, HostileInputTest, testing::ValuesIn(kInputs),
                         testing_rows::RowName());

// An answer holding NUL characters and lone surrogates is stored in Ans and reads back whole.
class HostileAnswerTest : public testing::TestWithParam<const char*> {};

TEST_P(HostileAnswerTest, AnsKeepsEveryCharacter) {
    EngineHost engine(kGenerousLimit);
    engine.setLanguage(languageNamed(QString::fromLatin1(GetParam())).value());
    EvaluationCommand command(engine);
    const bool vbs = QLatin1String(GetParam()) == QLatin1String("VBScript");
    const QString text = QStringLiteral("a") + QChar(0) + QChar(0xD800) + QStringLiteral("\"'\\b");
    const QString literal = vbs ? QStringLiteral("\"a\" & Chr(0) & ChrW(&HD800) & \"\"\"'\\b\"")
                                : QStringLiteral("'a\\0\\ud800\"\\'\\\\b'");
    EXPECT_EQ(command.run(literal).output.value_or(QString()), text);
    EXPECT_EQ(command.run(vbs ? QStringLiteral("Len(Ans)") : QStringLiteral("Ans.length"))
                  .output.value_or(QString()),
              QString::number(text.size()));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, HostileAnswerTest,
                         testing::Values("VBScript", "JavaScript"));

} // namespace
} // namespace quorvix
