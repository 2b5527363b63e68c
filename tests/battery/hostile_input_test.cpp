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
    engine.setLanguage(QString::fromLatin1(c.language));
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

constexpr qsizetype kTenMegabytes = qsizetype(10) << 20;
constexpr qsizetype kDeep = 100000;
// Longer than the longest text a script may hold (16M characters).
constexpr qsizetype kSeventeenMegabytes = qsizetype(17) << 20;
// What each engine says when the nesting is deeper than it can parse.
const QString kOutOfStack = QStringLiteral("Out of stack space");
const QString kTooDeep = QStringLiteral("Maximum statement or expression depth exceeded");

INSTANTIATE_TEST_SUITE_P(
    Inputs, HostileInputTest,
    testing::Values(
        InputCase{"VBScriptTenMegabyteSum", "VBScript", sumOfOnes(kTenMegabytes),
                  QString::number(kTenMegabytes / 2 + 1)},
        InputCase{"JavaScriptTenMegabyteSum", "JavaScript", sumOfOnes(kTenMegabytes), kTooDeep},
        InputCase{"VBScriptTenMegabyteString", "VBScript",
                  u'"' + QString(kTenMegabytes, u'x') + u'"', QString(kTenMegabytes, u'x')},
        InputCase{"JavaScriptTenMegabyteString", "JavaScript",
                  u'\'' + QString(kTenMegabytes, u'x') + u'\'', QString(kTenMegabytes, u'x')},
        InputCase{"VBScriptStringBeyondTheLongestText", "VBScript",
                  u'"' + QString(kSeventeenMegabytes, u'x') + u'"',
                  QStringLiteral("Out of memory")},
        InputCase{"VBScriptNestedBrackets", "VBScript",
                  QString(kDeep, u'[') + u'1' + QString(kDeep, u']'),
                  QStringLiteral("Invalid character")},
        InputCase{"JavaScriptNestedBrackets", "JavaScript",
                  QString(kDeep, u'[') + u'1' + QString(kDeep, u']'), kTooDeep},
        InputCase{"JavaScriptNestedBracketsAndParentheses", "JavaScript",
                  repeated(u"([", kDeep / 2) + u'1' + repeated(u"])", kDeep / 2), kTooDeep},
        InputCase{"VBScriptNestedCalls", "VBScript",
                  repeated(u"Abs(", kDeep) + u'1' + QString(kDeep, u')'), kOutOfStack},
        InputCase{"VBScriptUnclosedParentheses", "VBScript", QString(kDeep, u'('), kOutOfStack},
        InputCase{"JavaScriptUnclosedBrackets", "JavaScript", QString(kDeep, u'['),
                  QStringLiteral("Expected token `]'")},
        InputCase{"VBScriptSignGroups", "VBScript",
                  repeated(u"(-", kDeep) + u'5' + QString(kDeep, u')'), kOutOfStack},
        InputCase{"JavaScriptSignGroups", "JavaScript",
                  repeated(u"(-", kDeep) + u'5' + QString(kDeep, u')'), kTooDeep},
        // Answers whose text JavaScript's own join cannot make without overflowing the stack.
        InputCase{"JavaScriptArrayInsideItself", "JavaScript",
                  QStringLiteral("[[1]].map(a => (a.push(a), a))[0]"), QStringLiteral("1,")},
        InputCase{"JavaScriptArraysNestedTooDeep", "JavaScript",
                  QStringLiteral("Array(100000).fill(0).reduce(a => [a], [])"),
                  QStringLiteral("RangeError: Maximum call stack size exceeded.")},
        InputCase{"JavaScriptDeeplyNestedPattern", "JavaScript",
                  QStringLiteral("new RegExp('('.repeat(1e5) + 'a' + ')'.repeat(1e5)).test('a')"),
                  QStringLiteral("True")},
        InputCase{"VBScriptNulInAString", "VBScript",
                  QStringLiteral("Len(\"a") + QChar(0) + QStringLiteral("b\")"),
                  QStringLiteral("3")},
        InputCase{"JavaScriptNulInAString", "JavaScript",
                  QStringLiteral("'a") + QChar(0) + QStringLiteral("b'.length"),
                  QStringLiteral("3")},
        InputCase{"VBScriptNulBetweenOperands", "VBScript",
                  QStringLiteral("1+") + QChar(0) + QStringLiteral("1"),
                  QStringLiteral("Invalid character")},
        InputCase{"JavaScriptNulBetweenOperands", "JavaScript",
                  QStringLiteral("1+") + QChar(0) + QStringLiteral("1"),
                  QStringLiteral("Unexpected token `'")},
        InputCase{"VBScriptOnlyNul", "VBScript", QString(1, QChar(0)),
                  QStringLiteral("Invalid character")},
        InputCase{"JavaScriptOnlyNul", "JavaScript", QString(1, QChar(0)),
                  QStringLiteral("Expected token `;'")},
        InputCase{"VBScriptLoneSurrogate", "VBScript",
                  QStringLiteral("Len(\"") + QChar(0xD800) + QStringLiteral("\")"),
                  QStringLiteral("1")},
        InputCase{"JavaScriptLoneSurrogate", "JavaScript",
                  QStringLiteral("'") + QChar(0xDC00) + QStringLiteral("'.length"),
                  QStringLiteral("1")},
        InputCase{"VBScriptInvalidUtf8", "VBScript",
                  QString::fromUtf8("1+\xff\xfe"
                                    "2"),
                  QStringLiteral("Invalid character")},
        InputCase{"JavaScriptInvalidUtf8", "JavaScript",
                  QString::fromUtf8("1+\xc3\x28"
                                    "2"),
                  QStringLiteral("Unexpected token `'")}),
    testing_rows::RowName());

// An answer holding NUL characters and lone surrogates is stored in Ans and reads back whole.
class HostileAnswerTest : public testing::TestWithParam<const char*> {};

TEST_P(HostileAnswerTest, AnsKeepsEveryCharacter) {
    EngineHost engine(kGenerousLimit);
    engine.setLanguage(QString::fromLatin1(GetParam()));
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
