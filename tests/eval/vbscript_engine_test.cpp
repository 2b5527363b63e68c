#include "../table_rows.h"
#include "answer_text.h"
#include "date_form.h"
#include "vbscript_engine.h"

#include <gtest/gtest.h>

using quorvix::ScriptLanguage;
using quorvix::VBScriptEngine;
using namespace std::chrono_literals;

namespace {

using testing_rows::PrintTo;

// ---- Results: their text, and Ans -----------------------------------------------------------

struct AnsCase {
    const char* name;
    const char* expression;
    const char* text;     // the answer's text with "." as separator, or the no-text description
    const char* typeName; // TypeName(Ans) after the store; nullptr: nothing is stored
};

class VBScriptAnsTest : public testing::TestWithParam<AnsCase> {};

// Each kind of result is shown in its own form; Ans gets a value of the answer's own type that
// reads back as exactly what is shown, also when the user's decimal separator is a comma.
TEST_P(VBScriptAnsTest, IsShownAndAnsHoldsWhatIsShown) {
    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        VBScriptEngine engine(1s, {separator, u'$', {}, {}});
        ASSERT_TRUE(engine.executeStatement(QStringLiteral("Ans = \"before\"")));
        const auto v = engine.eval(QString::fromUtf8(GetParam().expression));
        ASSERT_TRUE(v.has_value()) << engine.errorDescription().toStdString();
        const auto shown = quorvix::answerText(*v, separator);
        if (separator == u'.') {
            EXPECT_EQ(shown.value_or(engine.noTextFormDescription(*v)).toStdString(),
                      GetParam().text);
        }
        const bool stored = engine.storeAnswer(*v, shown.value_or(QString()));
        EXPECT_EQ(stored, GetParam().typeName != nullptr);
        const auto back = engine.eval(QStringLiteral("Ans"));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(quorvix::answerText(*back, separator),
                  stored ? shown : std::optional(QStringLiteral("before")));
        const auto type = engine.eval(QStringLiteral("TypeName(Ans)"));
        ASSERT_TRUE(type.has_value());
        EXPECT_EQ(type->text.toStdString(), stored ? GetParam().typeName : "String");
    }
}

const AnsCase kValues[] = {
    {"Empty", "", "", "Empty"},
    {"Whole", "6*7", "42", "Integer"},
    {"Negative", "-5", "-5", "Integer"},
    {"Long", "32767+1", "32768", "Long"},
    {"Byte", "CByte(200)", "200", "Byte"},
    {"Fraction", "0.1+0.2", "0.3", "Double"},
    {"Large", "1E20", "1E+20", "Double"},
    {"Small", "1/30", "3.33333333333333E-02", "Double"},
    {"LargestDouble", "1.7976931348623157e308", "1.79769313486232E+308", "Double"},
    {"SmallestDouble", "-1.7976931348623157e308", "-1.79769313486232E+308", "Double"},
    {"Single", "Rnd", "0.7055475", "Single"},
    {"Currency", "CCur(2.25)", "2.25", "Currency"},
    {"LargestCurrency", "CCur(922337203685477) + CCur(0.5807)", "922337203685477.5807", "Currency"},
    {"Quote", "\"a\"\"b\" & 1", "a\"b1", "String"},
    {"LineBreaks", "\"a\" & vbCrLf & \"b\"", "a\r\nb", "String"},
    {"True", "1 < 2", "True", "Boolean"},
    {"False", "1 > 2", "False", "Boolean"},
    {"Date", "#3/4/2005 1:02:03 PM#", "3/4/2005 1:02:03 PM", "Date"},
    {"TimeOnly", "#6:00 AM#", "6:00:00 AM", "Date"},
    {"BeforeDayZero", "CDate(-1.25)", "12/29/1899 6:00:00 AM", "Date"},
    {"Null", "Null", "Invalid use of Null", nullptr},
    {"Array", "Array(1)", "Type mismatch", nullptr},
    {"Nothing", "Nothing", "Object variable not set", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Values, VBScriptAnsTest, testing::ValuesIn(kValues),
                         testing_rows::RowName());

// ---- Dates in the user's locale ---------------------------------------------------------------

struct DateCase {
    const char* name;
    const char* locale;
    const char* expression;
    const char* shown; // the answer's text in that locale
};

class VBScriptDateTest : public testing::TestWithParam<DateCase> {};

// The locale is handed in as the evaluation hands in the user's; Ans, stored as a literal,
// reads back as what was shown.
TEST_P(VBScriptDateTest, ShowsAndReadsTheLocaleForm) {
    const QLocale locale(QString::fromUtf8(GetParam().locale));
    const QChar separator = locale.decimalPoint().front();
    const vbs::DateForm dates = quorvix::dateFormOf(locale);
    VBScriptEngine engine(1s, {separator, u'$', dates, {}});
    const auto v = engine.eval(QString::fromUtf8(GetParam().expression));
    ASSERT_TRUE(v.has_value()) << engine.errorDescription().toStdString();
    const auto shown = quorvix::answerText(*v, separator, dates);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->toStdString(), GetParam().shown);
    ASSERT_TRUE(engine.storeAnswer(*v, *shown)) << engine.errorDescription().toStdString();
    const auto back = engine.eval(QStringLiteral("Ans"));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(quorvix::answerText(*back, separator, dates), shown);
}

const DateCase kLocales[] = {
    {"GermanShowsDayFirst", "de_DE", "#12/31/2000#", "31.12.2000"},
    {"GermanTextIsDayFirst", "de_DE", "CStr(#1/2/2000 6:05:00 PM#)", "02.01.2000 18:05:00"},
    {"GermanReadsItsForm", "de_DE", "CDate(\"31.12.2000\") = #12/31/2000#", "True"},
    {"GermanTimeOnly", "de_DE", "#6:05 AM#", "06:05:00"},
    {"BritishDayFirst", "en_GB", "CDate(\"2/1/2000\")", "02/01/2000"},
    {"UsMonthFirst", "en_US", "CStr(#1/2/2000 6:05:00 PM#)", "1/2/2000 6:05:00 PM"},
    {"UsReadsMonthFirst", "en_US", "Month(CDate(\"1/2/2000\"))", "1"},
    {"CLocaleKeepsUsForm", "C", "#12/31/2000 6:05:00 PM#", "12/31/2000 6:05:00 PM"},
    {"YearFirstIsReadEverywhere", "de_DE", "CDate(\"2000-12-31\")", "31.12.2000"},
    {"SwedishShowsYearFirst", "sv_SE", "#12/31/2000#", "2000-12-31"},
};

INSTANTIATE_TEST_SUITE_P(Locales, VBScriptDateTest, testing::ValuesIn(kLocales),
                         testing_rows::RowName());

// ---- Errors, persistence and limits ----------------------------------------------------------

TEST(VBScriptEngine, ReportsTheLanguageExactly) {
    EXPECT_EQ(VBScriptEngine(1s).language(), ScriptLanguage::VBScript);
}

TEST(VBScriptEngine, ListsGlobalNames) {
    VBScriptEngine engine;
    ASSERT_TRUE(engine.executeStatement(
        QStringLiteral("Dim Rate: Function Twice(x): Twice = 2 * x: End Function")));
    const QStringList names = engine.globalNames();
    EXPECT_TRUE(names.contains(QStringLiteral("rate")));
    EXPECT_TRUE(names.contains(QStringLiteral("twice")));
}

// Where a failure is marked: `mark` is the text that starts at the reported position.
struct ErrorPositionCase {
    const char* name;
    bool statement;
    const char16_t* text;
    const char16_t* mark;
};

class ErrorPositionTest : public testing::TestWithParam<ErrorPositionCase> {};

TEST_P(ErrorPositionTest, TellsWhereTheFailureLies) {
    const ErrorPositionCase& c = GetParam();
    VBScriptEngine engine(10s);
    ASSERT_TRUE(engine.executeStatement(
        QStringLiteral("Function Inverse(x)\nInverse = 1 / x\nEnd Function")));
    const QString text = QString::fromUtf16(c.text);
    EXPECT_FALSE(c.statement ? engine.executeStatement(text) : engine.eval(text).has_value());
    const qsizetype expected = text.indexOf(QString::fromUtf16(c.mark));
    ASSERT_GE(expected, 0) << "the row's mark is not in its text";
    EXPECT_EQ(engine.errorPosition(), expected);
}

const ErrorPositionCase kFailures[] = {
    {"CompileError", false, u"1 + )", u")"},
    {"DivisionAtItsOperator", false, u"1 / 0", u"/ 0"},
    {"FailingCallAtItsName", false, u"Sqr(-1)+2", u"Sqr"},
    {"InnermostOperation", false, u"2 + Sqr(4 - \"a\")", u"- \""},
    {"NegatedText", false, u"1 + -\"a\"", u"-\""},
    {"ProcedureOfAnEarlierSourceAtItsCall", false, u"2 + Inverse(0)", u"Inverse"},
    {"WrongArgumentCountAtTheCall", false, u"2 + Inverse(1, 2)", u"Inverse"},
    {"FailingLineOfSeveral", true, u"x = 1\ny = x / 0", u"/ 0"},
    {"OperatorAssignedToItsLeft", true, u"x = 5: x = x + \"a\"", u"+ \""},
    {"CallInAnOperandOfAnAssignment", true, u"x = 5: x = x + 2 * Sqr(-1)", u"Sqr"},
    {"StatementWithoutExpression", true, u"x = 1\nErr.Raise 5", u"Err"},
    {"SyntaxErrorOnLine2", true, u"x = 1\ny = 2 z", u"z"},
    {"WrongBlockEnd", true, u"If x Then\nEnd Sub", u"Sub"},
    {"CaseIsNeedsComparison", true, u"Select Case 1\nCase Is + 2\nEnd Select", u"+ 2"},
    {"OpenStringOnLine2", true, u"x = 1\ny = \"ab", u"\"ab"},
    {"ExitWithoutLoop", true, u"x = 1\nExit Do", u"Do"},
    {"ResumedErrorIsNotMarked", true,
     u"On Error Resume Next: a = 1 / 0\nOn Error GoTo 0: b = Sqr(-1)", u"Sqr"},
};

INSTANTIATE_TEST_SUITE_P(Failures, ErrorPositionTest, testing::ValuesIn(kFailures));

TEST(VBScriptEngine, UsesTheDecimalSeparatorForNumberText) {
    VBScriptEngine engine(1s, {u',', u'$', {}, {}});
    const auto v = engine.eval(QStringLiteral("1.5 & \"\""));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->text, QStringLiteral("1,5"));
    const auto sum = engine.eval(QStringLiteral("\"2,5\" * 2"));
    ASSERT_TRUE(sum.has_value());
    EXPECT_EQ(sum->number, 5.0);
}

TEST(VBScriptEngine, StopsARunawayLoopAndStaysUsable) {
    VBScriptEngine engine(200ms);
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("Do: Loop")));
    EXPECT_EQ(engine.errorDescription(), QStringLiteral("Script timed out after 200 milliseconds"));
    const auto v = engine.eval(QStringLiteral("1+1"));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->integer, 2);
}

} // namespace
