#include "engine_host.h"
#include "evaluation_command.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <vector>

using quorvix::EngineHost;
using quorvix::EvaluationCommand;
using quorvix::UserLocale;
using quorvix::userLocaleOf;

namespace {

// A sequence of input lines typed and evaluated one after another, with the output box's text
// after each ("<unchanged>" where the run leaves the box as it was).
struct SessionCase {
    const char* name;
    const char* language;
    std::vector<const char*> inputs;
    std::vector<const char*> outputs;
    // The user's library, run before the first input; null for none.
    const char* library = nullptr;
};

void PrintTo(const SessionCase& c, std::ostream* os) {
    *os << c.name;
}

constexpr const char* kUnchanged = "<unchanged>";

class SessionTest : public testing::TestWithParam<SessionCase> {};

TEST_P(SessionTest, ShowsTheExpectedOutputAfterEachInput) {
    const SessionCase& c = GetParam();
    ASSERT_EQ(c.inputs.size(), c.outputs.size());
    EngineHost engine(std::chrono::minutes(1));
    engine.setLanguage(QString::fromUtf8(c.language));
    EvaluationCommand command(engine);
    int libraryReads = 0;
    if (c.library) {
        command.setLibraryLoader([&](quorvix::ScriptLanguage language) {
            ++libraryReads;
            return std::optional(quorvix::LibraryScript{
                quorvix::libraryFileName(language), QString::fromUtf8(c.library), {}});
        });
    }
    for (std::size_t i = 0; i < c.inputs.size(); ++i) {
        const auto result = command.run(QString::fromUtf8(c.inputs[i]));
        const std::string shown = result.output ? result.output->toStdString() : kUnchanged;
        EXPECT_EQ(shown, c.outputs[i]) << "after input " << i << ": " << c.inputs[i];
        EXPECT_EQ(result.firstRun, i == 0);
    }
    EXPECT_EQ(libraryReads, c.library ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    VBScript, SessionTest,
    testing::Values(
        SessionCase{"ImplicitTimes", "VBScript", {"2(3)"}, {"6"}},
        SessionCase{"BracketPairs", "VBScript", {"(1+2)(3+4)", "(2)3"}, {"21", "6"}},
        SessionCase{"NameEndingInDigit", "VBScript", {"!x2=4", "x2(3)"}, {kUnchanged, "12"}},
        SessionCase{"ContinueWithPlus", "VBScript", {"3", "+5"}, {"3", "8"}},
        SessionCase{"MinusContinues", "VBScript", {"3", "-5"}, {"3", "-2"}},
        SessionCase{"TimesAndPower", "VBScript", {"3", "*2", "^2"}, {"3", "6", "36"}},
        SessionCase{"EShorthand", "VBScript", {"3", "e3", "E-3"}, {"3", "3000", "3"}},
        SessionCase{"NegativeExponentShorthand", "VBScript", {"3", "e-2"}, {"3", "0.03"}},
        SessionCase{"TrailingEquals", "VBScript", {"7="}, {"7"}},
        SessionCase{"EqualsAloneIsEmpty", "VBScript", {"5", "="}, {"5", ""}},
        SessionCase{"Blanks", "VBScript", {"  1+1  "}, {"2"}},
        SessionCase{"StatementKeepsOutput",
                    "VBScript",
                    {"4", "!x=5", "x", "Ans"},
                    {"4", kUnchanged, "5", "5"}},
        SessionCase{"StatementLeavesAns", "VBScript", {"4", "!x=5", "+1"}, {"4", kUnchanged, "5"}},
        SessionCase{"StatementImplicitTimes", "VBScript", {"!x=2(3)", "x"}, {kUnchanged, "6"}},
        SessionCase{"AnsRefused",
                    "VBScript",
                    {"4", "!ans=1", "!Ans=1", "!ANS=1", "Ans"},
                    {"4", "Ans cannot be set with a statement",
                     "Ans cannot be set with a statement", "Ans cannot be set with a statement",
                     "4"}},
        SessionCase{
            "AnsWithBlankRuns", "VBScript", {"4", "!Ans =1", "Ans"}, {"4", kUnchanged, "1"}},
        SessionCase{"BangAlone", "VBScript", {"4", "!"}, {"4", kUnchanged}},
        SessionCase{
            "EqualsCompares", "VBScript", {"x=5", "!x=5", "x=5"}, {"False", kUnchanged, "True"}},
        SessionCase{"DivisionByZeroKeepsAns",
                    "VBScript",
                    {"4", "1/0", "+1"},
                    {"4", "Division by zero", "5"}},
        SessionCase{"PiDefined", "VBScript", {"Pi"}, {"3.14159265358979"}},
        SessionCase{"PiRedefinedStays", "VBScript", {"1", "!Pi=3", "Pi"}, {"1", kUnchanged, "3"}},
        SessionCase{"AnsIsANumber", "VBScript", {"42", "Ans+Ans"}, {"42", "84"}},
        SessionCase{"AnsIsAFraction", "VBScript", {"0.1+0.2", "Ans*10"}, {"0.3", "3"}},
        SessionCase{"AnsHoldsWhatIsShown",
                    "VBScript",
                    {"1/3", "Ans*3"},
                    {"0.333333333333333", "0.999999999999999"}},
        SessionCase{"AnsHoldsTheLargestDouble",
                    "VBScript",
                    {"1.7976931348623157e308", "+0", "0-Ans"},
                    {"1.79769313486232E+308", "1.79769313486232E+308", "-1.79769313486232E+308"}},
        SessionCase{"QuoteInAnswer",
                    "VBScript",
                    {"\"a\"\"b\"", "Ans", "Ans & 1"},
                    {"a\"b", "a\"b", "a\"b1"}},
        SessionCase{"TrueAnswer", "VBScript", {"1=1", "Not Ans"}, {"True", "False"}},
        SessionCase{
            "NullHasNoText", "VBScript", {"4", "Null", "Ans"}, {"4", "Invalid use of Null", "4"}},
        SessionCase{"SyntaxError", "VBScript", {"1+", "2"}, {"Syntax error", "2"}},
        SessionCase{"UnknownNameIsEmpty", "VBScript", {"nothingHere+1"}, {"1"}},
        SessionCase{"LibraryUsesPi",
                    "VBScript",
                    {"Area(1)", "Tau"},
                    {"3.14159265358979", "6.28"},
                    "Function Area(r)\r\n  Area = Pi * r ^ 2\r\nEnd Function\r\nConst Tau = 6.28"},
        // The failure is shown once, instead of the first answer, which still becomes Ans.
        SessionCase{"LibrarySyntaxErrorLine",
                    "VBScript",
                    {"2(3)", "Ans+1"},
                    {"Quorvix-library.vbs, line 3: Syntax error", "7"},
                    "a = 1\nb = 2\nc = (\nd = 4"},
        SessionCase{"LibraryRunTimeErrorStopsIt",
                    "VBScript",
                    {"1", "a", "b"},
                    {"Quorvix-library.vbs, line 2: Division by zero", "1", ""},
                    "a = 1\nb = 1/0\nb = 2"},
        SessionCase{"LibraryErrorInAProcedureNamesTheCallingLine",
                    "VBScript",
                    {"1"},
                    {"Quorvix-library.vbs, line 5: Division by zero"},
                    "Function F()\n  F = 1/0\nEnd Function\n\nx = F()"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    JavaScript, SessionTest,
    testing::Values(
        SessionCase{"ImplicitTimes", "JavaScript", {"2(3)", "(1+2)(3+4)"}, {"6", "21"}},
        SessionCase{"Continuation",
                    "JavaScript",
                    {"2(3)", "+4", "e2", "!x=5", "x*2"},
                    {"6", "10", "1000", kUnchanged, "10"}},
        SessionCase{"PowerShorthandUsesStarStar", "JavaScript", {"2", "e3"}, {"2", "2000"}},
        SessionCase{
            "FifteenDigits", "JavaScript", {"0.1+0.2", "1/3"}, {"0.3", "0.333333333333333"}},
        SessionCase{"NonFinite",
                    "JavaScript",
                    {"1/0", "(-1)/0", "0/0", "1/0", "+1"},
                    {"Infinity", "-Infinity", "NaN", "Infinity", "Infinity"}},
        SessionCase{"AnsIsANumber", "JavaScript", {"42", "Ans+Ans"}, {"42", "84"}},
        SessionCase{"AnsHoldsTheLargestDouble",
                    "JavaScript",
                    {"1.7976931348623157e308", "+0", "0-Ans"},
                    {"1.79769313486232E+308", "1.79769313486232E+308", "-1.79769313486232E+308"}},
        SessionCase{"AnsHoldsWhatIsShown",
                    "JavaScript",
                    {"1/3", "Ans*3"},
                    {"0.333333333333333", "0.999999999999999"}},
        SessionCase{"AnsTextIsNeverCode",
                    "JavaScript",
                    {"'\"; x=1; \"'", "Ans.length"},
                    {"\"; x=1; \"", "9"}},
        SessionCase{"QuoteInAnswer", "JavaScript", {"'a\"b\\\\c'", "Ans.length"}, {"a\"b\\c", "5"}},
        SessionCase{"LineBreakInAnswer", "JavaScript", {"'a\\nb'", "Ans.length"}, {"a\nb", "3"}},
        SessionCase{"BooleanAnswer", "JavaScript", {"1==1", "Ans===true"}, {"True", "True"}},
        SessionCase{"ArrayShowsItsText", "JavaScript", {"[1,2]", "Ans"}, {"1,2", "1,2"}},
        SessionCase{"UndefinedIsEmpty", "JavaScript", {"4", "undefined"}, {"4", ""}},
        SessionCase{
            "ErrorMessage", "JavaScript", {"4", "nope+1", "+1"}, {"4", "nope is not defined", "5"}},
        SessionCase{"ThrownError", "JavaScript", {"!throw new Error('boom')"}, {"boom"}},
        SessionCase{"AnsRefused", "JavaScript", {"!ans=1"}, {"Ans cannot be set with a statement"}},
        SessionCase{"PiDefined", "JavaScript", {"Pi"}, {"3.14159265358979"}},
        SessionCase{"LibraryUsesPi",
                    "JavaScript",
                    {"area(1)"},
                    {"3.14159265358979"},
                    "function area(r) { return Pi * r * r; }"},
        SessionCase{"LibraryFailureSaysWhich",
                    "JavaScript",
                    {"1", "2"},
                    {"Quorvix-library.js: boom", "2"},
                    "var a = 1;\nthrow new Error('boom');"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EvaluationCommand, PiStatementHasTwoBlanks) {
    EXPECT_EQ(EvaluationCommand::piStatement().toStdString(), "Pi =  3.14159265358979");
}

TEST(EvaluationCommand, AnswersInTheUsersDecimalSeparatorAndKeepsAnsNumeric) {
    const UserLocale german = userLocaleOf(QLocale(QLocale::German, QLocale::Germany));
    for (const char* language : {"VBScript", "JavaScript"}) {
        EngineHost engine(quorvix::kScriptTimeLimit, german);
        engine.setLanguage(QString::fromLatin1(language));
        EvaluationCommand command(engine, german);
        EXPECT_EQ(command.run(QStringLiteral("1/4")).output.value_or(QString()).toStdString(),
                  "0,25")
            << language;
        EXPECT_EQ(command.run(QStringLiteral("*2")).output.value_or(QString()).toStdString(), "0,5")
            << language;
        // Pi is written with "." whatever the locale, so it is still a number.
        EXPECT_EQ(command.run(QStringLiteral("Pi*2")).output.value_or(QString()).toStdString(),
                  "6,28318530717958")
            << language;
    }
}

TEST(EvaluationCommand, VBScriptReadsNumericTextWithTheUsersCurrencySymbol) {
    const UserLocale german = userLocaleOf(QLocale(QLocale::German, QLocale::Germany));
    EngineHost engine(quorvix::kScriptTimeLimit, german);
    engine.setLanguage(QStringLiteral("VBScript"));
    EvaluationCommand command(engine, german);
    EXPECT_EQ(command.run(QStringLiteral("CDbl(\"1.234,5 €\")*2")).output.value_or(QString()),
              QStringLiteral("2469"));
}

TEST(EvaluationCommand, FirstRunHappensOnceEvenWhenItFails) {
    EngineHost engine;
    EvaluationCommand command(engine);
    EXPECT_FALSE(command.hasRun());
    EXPECT_TRUE(command.run(QStringLiteral("1+")).firstRun);
    EXPECT_TRUE(command.hasRun());
    EXPECT_FALSE(command.run(QStringLiteral("Pi")).firstRun);
}

TEST(EvaluationCommand, JavaScriptRunawayScriptIsStoppedAndTheEngineGoesOn) {
    EngineHost engine(std::chrono::seconds(1));
    engine.setLanguage(QStringLiteral("JavaScript"));
    EvaluationCommand command(engine);
    EXPECT_EQ(command.run(QStringLiteral("while(true){}")).output.value_or(QString()).toStdString(),
              "Script timed out after 1 second");
    EXPECT_EQ(command.run(QStringLiteral("1+1")).output.value_or(QString()).toStdString(), "2");
}

// Huge inputs end with an answer or a clear message, never a crash or a hang.
class HugeInputTest : public testing::TestWithParam<const char*> {};

TEST_P(HugeInputTest, MegabyteSum) {
    EngineHost engine;
    engine.setLanguage(QString::fromLatin1(GetParam()));
    EvaluationCommand command(engine);
    QString input = QStringLiteral("1");
    input.reserve(1 << 20);
    while (input.size() < (1 << 20)) {
        input += QStringLiteral("+1");
    }
    const auto result = command.run(input);
    ASSERT_TRUE(result.output.has_value());
    EXPECT_FALSE(result.output->isEmpty());
    EXPECT_EQ(command.run(QStringLiteral("2+2")).output.value_or(QString()).toStdString(), "4");
}

TEST_P(HugeInputTest, HundredThousandNestedParentheses) {
    EngineHost engine;
    engine.setLanguage(QString::fromLatin1(GetParam()));
    EvaluationCommand command(engine);
    const int depth = 100000;
    const QString input = QString(depth, u'(') + QStringLiteral("1") + QString(depth, u')');
    const auto result = command.run(input);
    ASSERT_TRUE(result.output.has_value());
    EXPECT_FALSE(result.output->isEmpty());
    EXPECT_EQ(command.run(QStringLiteral("2+2")).output.value_or(QString()).toStdString(), "4");
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, HugeInputTest, testing::Values("VBScript", "JavaScript"));

} // namespace
