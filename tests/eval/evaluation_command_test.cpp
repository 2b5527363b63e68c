#include "../table_rows.h"
#include "engine_host.h"
#include "evaluation_command.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <string_view>

using quorvix::EngineHost;
using quorvix::EvaluationCommand;
using quorvix::languageNamed;
using quorvix::ScriptLanguage;
using quorvix::UserLocale;
using quorvix::userLocaleOf;

namespace {

using testing_rows::PrintTo;

// Input lines typed and evaluated one after another, each with the output box's text after it:
// "input -> output | input -> output ..."; "<unchanged>" where the run leaves the box as it was.
struct SessionCase {
    const char* name;
    const char* language;
    const char* steps;
    // The user's library, run before the first input; null for none.
    const char* library = nullptr;
};

constexpr const char* VB = "VBScript";
constexpr const char* JS = "JavaScript";

class SessionTest : public testing::TestWithParam<SessionCase> {};

TEST_P(SessionTest, ShowsTheExpectedOutputAfterEachInput) {
    const SessionCase& c = GetParam();
    EngineHost engine(std::chrono::minutes(1));
    engine.setLanguage(languageNamed(QString::fromUtf8(c.language)).value());
    EvaluationCommand command(engine);
    int libraryReads = 0;
    if (c.library) {
        command.setLibraryLoader([&](quorvix::ScriptLanguage language) {
            ++libraryReads;
            return std::optional(quorvix::LibraryScript{
                quorvix::libraryFileName(language), QString::fromUtf8(c.library), {}});
        });
    }
    EXPECT_FALSE(command.hasRun());
    const QStringList steps = QString::fromUtf8(c.steps).split(QStringLiteral(" | "));
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QStringList step = steps[i].split(QStringLiteral(" -> "));
        ASSERT_EQ(step.size(), 2) << steps[i].toStdString();
        const auto result = command.run(step[0]);
        EXPECT_EQ(result.shownOutput().value_or(u"<unchanged>"_qs).toStdString(),
                  step[1].toStdString())
            << "after input " << i << ": " << step[0].toStdString();
        EXPECT_EQ(result.firstRun, i == 0);
        EXPECT_TRUE(command.hasRun());
    }
    EXPECT_EQ(libraryReads, c.library ? 1 : 0);
}

// Statement and rewrite details are the rewrite table's; these rows show them wired to the
// engines, to Ans and to the library.
const SessionCase kVBScript[] = {
    {"ImplicitTimesAndContinuation", VB, "2(3) -> 6 | *2 -> 12 | ^2 -> 144"},
    {"StatementKeepsOutputAndAns", VB, "4 -> 4 | !x=5 -> <unchanged> | +1 -> 5 | x -> 5"},
    {"AnsRefused", VB, "4 -> 4 | !ans=1 -> Ans cannot be set with a statement | Ans -> 4"},
    {"DivisionByZeroKeepsAns", VB, "4 -> 4 | 1/0 -> Division by zero | +1 -> 5"},
    {"FailedRunCountsAsTheFirst", VB, "1+ -> Syntax error | Pi -> 3.14159265358979"},
    {"PiDefined", VB, "Pi -> 3.14159265358979"},
    {"PiRedefinedStays", VB, "1 -> 1 | !Pi=3 -> <unchanged> | Pi -> 3"},
    {"AnsHoldsWhatIsShown", VB, "1/3 -> 0.333333333333333 | Ans*3 -> 0.999999999999999"},
    {"EmptyAnswerStaysEmpty", VB, "5+5 -> 10 |  ->  | +5 -> 5 | nope ->  | Ans & \"x\" -> x"},
    {"NamesBeginningWithE", VB, "Exp(1) -> 2.71828182845905 | eps ->  | 2 -> 2 | e3 -> 2000"},
    {"KeypadSigns", VB, "2×3 -> 6 | ÷2 -> 3 | 3−1 -> 2 | \"×\" -> ×"},
    {"GoodStatementAfterAnError", VB,
     "1/0 -> Division by zero | !y = 7 ->  | 4 -> 4 | x+ -> Syntax error | !y = 1/0 -> Division by "
     "zero | !y = 7 -> 4 | !z=1 -> <unchanged>"},
    {"NullHasNoText", VB, "4 -> 4 | Null -> Invalid use of Null | Ans -> 4"},
    {"LibraryUsesPi", VB, "Area(1) -> 3.14159265358979 | Tau -> 6.28",
     "Function Area(r)\r\n  Area = Pi * r ^ 2\r\nEnd Function\r\nConst Tau = 6.28"},
    // The failure is shown once, instead of the first answer, which still becomes Ans.
    {"LibrarySyntaxErrorLine", VB, "2(3) -> Quorvix-library.vbs, line 3: Syntax error | Ans+1 -> 7",
     "a = 1\nb = 2\nc = (\nd = 4"},
    {"LibraryRunTimeErrorStopsIt", VB,
     "1 -> Quorvix-library.vbs, line 2: Division by zero | a -> 1 | b -> ",
     "a = 1\nb = 1/0\nb = 2"},
    {"LibraryErrorInAProcedureNamesTheCallingLine", VB,
     "1 -> Quorvix-library.vbs, line 5: Division by zero",
     "Function F()\n  F = 1/0\nEnd Function\n\nx = F()"},
};

INSTANTIATE_TEST_SUITE_P(VBScript, SessionTest, testing::ValuesIn(kVBScript),
                         testing_rows::RowName());

const SessionCase kJavaScript[] = {
    {"Continuation", JS, "2(3) -> 6 | +4 -> 10 | e2 -> 1000 | !x=5 -> <unchanged> | x*2 -> 10"},
    {"NonFinite", JS,
     "1/0 -> Infinity | (-1)/0 -> -Infinity | 0/0 -> NaN | 1/0 -> Infinity | +1 -> Infinity"},
    {"AnsIsANumber", JS, "42 -> 42 | Ans+Ans -> 84"},
    {"AnsHoldsTheLargestDouble", JS,
     "1.7976931348623157e308 -> 1.79769313486232E+308 | +0 -> 1.79769313486232E+308 | "
     "0-Ans -> -1.79769313486232E+308"},
    {"AnsHoldsWhatIsShown", JS, "1/3 -> 0.333333333333333 | Ans*3 -> 0.999999999999999"},
    {"AnsTextIsNeverCode", JS, "'\"; x=1; \"' -> \"; x=1; \" | Ans.length -> 9"},
    {"QuoteInAnswer", JS, "'a\"b\\\\c' -> a\"b\\c | Ans.length -> 5"},
    {"LineBreakInAnswer", JS, "'a\\nb' -> a\nb | Ans.length -> 3"},
    {"BooleanAnswer", JS, "1==1 -> True | Ans===true -> True"},
    {"ArrayShowsItsText", JS, "[1,2] -> 1,2 | Ans -> 1,2"},
    {"UndefinedIsEmpty", JS, "4 -> 4 | undefined -> "},
    {"NamesBeginningWithE", JS, "escape(\"a b\") -> a%20b | exp = 2 -> 2 | e2 -> 200"},
    {"GoodStatementAfterAnError", JS, "4 -> 4 | nope -> nope is not defined | !var y = 7 -> 4"},
    {"ErrorMessage", JS, "4 -> 4 | nope+1 -> nope is not defined | +1 -> 5"},
    {"ThrownError", JS, "!throw new Error('boom') -> boom"},
    {"PiDefined", JS, "Pi -> 3.14159265358979"},
    {"LibraryUsesPi", JS, "area(1) -> 3.14159265358979", "function area(r) { return Pi * r * r; }"},
    {"LibraryFailureSaysWhich", JS, "1 -> Quorvix-library.js, line 2: boom | 2 -> 2",
     "var a = 1;\nthrow new Error('boom');"},
    {"LibrarySyntaxErrorLine", JS, "1 -> Quorvix-library.js, line 3: Expected token `)'",
     "var a = 1;\r\n\r\nvar b = (;\r\n"},
    {"LibraryErrorInAFunctionNamesTheCallingLine", JS,
     "1 -> Quorvix-library.js, line 4: nope is not defined",
     "function f() {\n  return nope;\n}\nvar x = f();"},
};

INSTANTIATE_TEST_SUITE_P(JavaScript, SessionTest, testing::ValuesIn(kJavaScript),
                         testing_rows::RowName());

// A failing library shows its failure in the output box, but the run's own answer is still
// the run's answer, not the library's message.
TEST(EvaluationCommand, LibraryFailureIsKeptApartFromTheAnswer) {
    EngineHost engine(std::chrono::minutes(1));
    EvaluationCommand command(engine);
    command.setLibraryLoader([](quorvix::ScriptLanguage) {
        return std::optional(quorvix::LibraryScript{
            QStringLiteral("Quorvix-library.vbs"), QStringLiteral("a = 1\nb = (\n"), {}});
    });
    const quorvix::EvaluationResult result = command.run(QStringLiteral("1+1"));
    EXPECT_EQ(result.output.value_or(QString()), u"2");
    EXPECT_TRUE(result.answered);
    EXPECT_EQ(result.libraryFailure.value_or(QString()),
              u"Quorvix-library.vbs, line 2: Syntax error");
    EXPECT_EQ(result.shownOutput(), result.libraryFailure);
    EXPECT_FALSE(command.run(QStringLiteral("2")).libraryFailure.has_value());
}

TEST(EvaluationCommand, PiStatementHasTwoBlanks) {
    EXPECT_EQ(EvaluationCommand::piStatement().toStdString(), "Pi =  3.14159265358979");
}

TEST(EvaluationCommand, AnswersInTheUsersDecimalSeparatorAndKeepsAnsNumeric) {
    const UserLocale german = userLocaleOf(QLocale(QLocale::German, QLocale::Germany));
    for (const char* language : {"VBScript", "JavaScript"}) {
        EngineHost engine(quorvix::kScriptTimeLimit, german);
        engine.setLanguage(languageNamed(QString::fromLatin1(language)).value());
        EvaluationCommand command(engine, german);
        const auto run = [&](const char16_t* input) {
            return command.run(QString::fromUtf16(input)).output.value_or(QString());
        };
        EXPECT_EQ(run(u"1/4"), u"0,25") << language;
        EXPECT_EQ(run(u"*2"), u"0,5") << language;
        // Pi is written with "." whatever the locale, so it is still a number.
        EXPECT_EQ(run(u"Pi*2"), u"6,28318530717958") << language;
        if (language == std::string_view("VBScript")) {
            // Numeric text is read with the user's currency symbol too.
            EXPECT_EQ(run(u"CDbl(\"1.234,5 €\")*2"), u"2469");
            // And the script's locale is the user's.
            EXPECT_EQ(run(u"GetLocale()"), u"1031");
        }
    }
}

TEST(EvaluationCommand, JavaScriptRunawayScriptIsStoppedAndTheEngineGoesOn) {
    EngineHost engine(std::chrono::seconds(1));
    engine.setLanguage(ScriptLanguage::JavaScript);
    EvaluationCommand command(engine);
    EXPECT_EQ(command.run(QStringLiteral("while(true){}")).output.value_or(QString()).toStdString(),
              "Script timed out after 1 second");
    EXPECT_EQ(command.run(QStringLiteral("1+1")).output.value_or(QString()).toStdString(), "2");
}

// Huge inputs, a megabyte sum and 100,000 nested parentheses, end with an answer or a clear
// message, never a crash or a hang.
class HugeInputTest : public testing::TestWithParam<const char*> {};

TEST_P(HugeInputTest, EndsWithAnAnswerOrAMessage) {
    for (const QString& input : {QStringLiteral("1") + QStringLiteral("+1").repeated(1 << 19),
                                 QString(100000, u'(') + u'1' + QString(100000, u')')}) {
        EngineHost engine;
        engine.setLanguage(languageNamed(QString::fromLatin1(GetParam())).value());
        EvaluationCommand command(engine);
        const auto result = command.run(input);
        ASSERT_TRUE(result.output.has_value());
        EXPECT_FALSE(result.output->isEmpty());
        EXPECT_EQ(command.run(QStringLiteral("2+2")).output.value_or(QString()).toStdString(), "4");
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, HugeInputTest, testing::Values("VBScript", "JavaScript"));

} // namespace
