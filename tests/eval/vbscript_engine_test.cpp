#include "../table_rows.h"
#include "answer_text.h"
#include "date_form.h"
#include "vbscript_engine.h"

#include <gtest/gtest.h>

using quorvix::ScriptValue;
using quorvix::VBScriptEngine;
using Kind = ScriptValue::Kind;
using namespace std::chrono_literals;

namespace {

using testing_rows::PrintTo;

// ---- Conversion of results to the engine-neutral value -------------------------------------

struct ValueCase {
    const char* name;
    const char* expression;
    Kind kind;
    const char* text; // the answer's text with "." as separator, or the no-text description
};

class VBScriptValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(VBScriptValueTest, ConvertsTheResult) {
    VBScriptEngine engine(1s);
    const auto v = engine.eval(QString::fromUtf8(GetParam().expression));
    ASSERT_TRUE(v.has_value()) << engine.errorDescription().toStdString();
    EXPECT_EQ(v->kind, GetParam().kind);
    const auto text = quorvix::answerText(*v, u'.');
    const QString shown = text ? *text : engine.noTextFormDescription(*v);
    EXPECT_EQ(shown.toStdString(), GetParam().text);
}

const ValueCase kKinds[] = {
    {"EmptyText", "", Kind::Empty, ""},
    {"Integer", "2*3", Kind::Integer, "6"},
    {"Long", "32767+1", Kind::Long, "32768"},
    {"Byte", "CByte(200)", Kind::Byte, "200"},
    {"Double", "1/3", Kind::Double, "0.333333333333333"},
    {"Single", "Rnd", Kind::Single, "0.7055475"},
    {"Currency", "CCur(1.5)", Kind::Currency, "1.5"},
    {"Date", "#1/2/2003 4:05:06 PM#", Kind::Date, "1/2/2003 4:05:06 PM"},
    {"String", "\"a\" & 1", Kind::String, "a1"},
    {"Boolean", "1 = 1", Kind::Boolean, "True"},
    {"Null", "Null", Kind::Null, "Invalid use of Null"},
    {"Array", "Array(1, 2)", Kind::Object, "Type mismatch"},
    {"Nothing", "Nothing", Kind::Object, "Object variable not set"},
};

INSTANTIATE_TEST_SUITE_P(Kinds, VBScriptValueTest, testing::ValuesIn(kKinds));

// ---- Storing Ans ---------------------------------------------------------------------------

struct AnsCase {
    const char* name;
    const char* expression;
    const char* typeName; // TypeName(Ans) after the store; nullptr: nothing is stored
};

class VBScriptAnsTest : public testing::TestWithParam<AnsCase> {};

// Ans gets a value of the answer's own type that reads back as exactly what is shown, also
// when the user's decimal separator is a comma.
TEST_P(VBScriptAnsTest, HoldsWhatIsShown) {
    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        VBScriptEngine engine(1s, {separator, u'$', {}, {}});
        ASSERT_TRUE(engine.executeStatement(QStringLiteral("Ans = \"before\"")));
        const auto v = engine.eval(QString::fromUtf8(GetParam().expression));
        ASSERT_TRUE(v.has_value()) << engine.errorDescription().toStdString();
        const auto shown = quorvix::answerText(*v, separator);
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

INSTANTIATE_TEST_SUITE_P(
    Values, VBScriptAnsTest,
    testing::Values(
        AnsCase{"Whole", "6*7", "Integer"}, AnsCase{"Negative", "-5", "Integer"},
        AnsCase{"Long", "70000", "Long"}, AnsCase{"Byte", "CByte(200)", "Byte"},
        AnsCase{"Fraction", "0.1+0.2", "Double"}, AnsCase{"Large", "1E20", "Double"},
        AnsCase{"Small", "1/30", "Double"},
        AnsCase{"LargestDouble", "1.7976931348623157e308", "Double"},
        AnsCase{"SmallestDouble", "-1.7976931348623157e308", "Double"},
        AnsCase{"Single", "Rnd", "Single"}, AnsCase{"Currency", "CCur(2.25)", "Currency"},
        AnsCase{"LargestCurrency", "CCur(922337203685477) + CCur(0.5807)", "Currency"},
        AnsCase{"Quote", "\"a\"\"b\"", "String"},
        AnsCase{"LineBreaks", "\"a\" & vbCrLf & \"b\"", "String"},
        AnsCase{"True", "1 < 2", "Boolean"}, AnsCase{"False", "1 > 2", "Boolean"},
        AnsCase{"Empty", "", "String"}, AnsCase{"Date", "#3/4/2005 1:02:03 PM#", "Date"},
        AnsCase{"TimeOnly", "#6:00 AM#", "Date"}, AnsCase{"BeforeDayZero", "CDate(-1.25)", "Date"},
        AnsCase{"Null", "Null", nullptr}, AnsCase{"Array", "Array(1)", nullptr}));

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
    {"GermanIsDate", "de_DE", "IsDate(\"31.12.2000\")", "True"},
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
    EXPECT_EQ(VBScriptEngine(1s).language(), QStringLiteral("VBScript"));
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
