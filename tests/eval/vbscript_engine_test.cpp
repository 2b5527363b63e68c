#include "answer_text.h"
#include "date_form.h"
#include "vbscript_engine.h"

#include <gtest/gtest.h>

using quorvix::ScriptValue;
using quorvix::VBScriptEngine;
using Kind = ScriptValue::Kind;
using namespace std::chrono_literals;

namespace {

// ---- Conversion of results to the engine-neutral value -------------------------------------

struct ValueCase {
    const char* name;
    const char* expression;
    Kind kind;
    const char* text; // the answer's text with "." as separator, or the no-text description
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.name;
}

class VBScriptValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(VBScriptValueTest, ConvertsTheResult) {
    VBScriptEngine engine(1s, u'.');
    const auto v = engine.eval(QString::fromUtf8(GetParam().expression));
    ASSERT_TRUE(v.has_value()) << engine.errorDescription().toStdString();
    EXPECT_EQ(v->kind, GetParam().kind);
    const auto text = quorvix::answerText(*v, u'.');
    const QString shown = text ? *text : engine.noTextFormDescription(*v);
    EXPECT_EQ(shown.toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, VBScriptValueTest,
    testing::Values(ValueCase{"EmptyText", "", Kind::Empty, ""},
                    ValueCase{"Integer", "2*3", Kind::Integer, "6"},
                    ValueCase{"Long", "32767+1", Kind::Long, "32768"},
                    ValueCase{"Byte", "CByte(200)", Kind::Byte, "200"},
                    ValueCase{"Double", "1/3", Kind::Double, "0.333333333333333"},
                    ValueCase{"Single", "Rnd", Kind::Single, "0.7055475"},
                    ValueCase{"Currency", "CCur(1.5)", Kind::Currency, "1.5"},
                    ValueCase{"Date", "#1/2/2003 4:05:06 PM#", Kind::Date, "1/2/2003 4:05:06 PM"},
                    ValueCase{"String", "\"a\" & 1", Kind::String, "a1"},
                    ValueCase{"Boolean", "1 = 1", Kind::Boolean, "True"},
                    ValueCase{"Null", "Null", Kind::Null, "Invalid use of Null"},
                    ValueCase{"Array", "Array(1, 2)", Kind::Object, "Type mismatch"},
                    ValueCase{"Nothing", "Nothing", Kind::Object, "Object variable not set"}));

// ---- The statement that stores Ans -----------------------------------------------------------

struct AnsCase {
    const char* name;
    const char* expression;
    const char* statement; // nullptr: no statement
};

void PrintTo(const AnsCase& c, std::ostream* os) {
    *os << c.name;
}

class VBScriptAnsTest : public testing::TestWithParam<AnsCase> {};

// The statement is a literal of the answer's type that reads back as exactly what is shown,
// also when the user's decimal separator is a comma.
TEST_P(VBScriptAnsTest, WritesALiteralThatReadsBackAsShown) {
    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        VBScriptEngine engine(1s, separator);
        const auto v = engine.eval(QString::fromUtf8(GetParam().expression));
        ASSERT_TRUE(v.has_value()) << engine.errorDescription().toStdString();
        const auto shown = quorvix::answerText(*v, separator);
        const auto statement = engine.ansStatement(*v, shown.value_or(QString()));
        if (!GetParam().statement) {
            EXPECT_FALSE(statement.has_value());
            continue;
        }
        ASSERT_TRUE(statement.has_value());
        EXPECT_EQ(statement->toStdString(), GetParam().statement);
        ASSERT_TRUE(engine.executeStatement(*statement)) << engine.errorDescription().toStdString();
        const auto back = engine.eval(QStringLiteral("Ans"));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(quorvix::answerText(*back, separator), shown);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Literals, VBScriptAnsTest,
    testing::Values(AnsCase{"Whole", "6*7", "Ans = 42"}, AnsCase{"Negative", "-5", "Ans = -5"},
                    AnsCase{"Fraction", "0.1+0.2", "Ans = 0.3"},
                    AnsCase{"Large", "1E20", "Ans = 1E+20"},
                    AnsCase{"Small", "1/30", "Ans = 3.33333333333333E-02"},
                    AnsCase{"Single", "Rnd", "Ans = 0.7055475"},
                    AnsCase{"Currency", "CCur(2.25)", "Ans = CCur(2.25)"},
                    AnsCase{"LargestCurrency", "CCur(922337203685477) + CCur(0.5807)",
                            "Ans = CCur(922337203685477) + CCur(5807) * CCur(0.0001)"},
                    AnsCase{"Quote", "\"a\"\"b\"", "Ans = \"a\"\"b\""},
                    AnsCase{"LineBreaks", "\"a\" & vbCrLf & \"b\"",
                            "Ans = \"a\" & Chr(13) & \"\" & Chr(10) & \"b\""},
                    AnsCase{"True", "1 < 2", "Ans = True"},
                    AnsCase{"False", "1 > 2", "Ans = False"}, AnsCase{"Empty", "", "Ans = \"\""},
                    AnsCase{"Date", "#3/4/2005 1:02:03 PM#", "Ans = #3/4/2005 1:02:03 PM#"},
                    AnsCase{"TimeOnly", "#6:00 AM#", "Ans = #6:00:00 AM#"},
                    AnsCase{"Null", "Null", nullptr}, AnsCase{"Array", "Array(1)", nullptr}));

// ---- Dates in the user's locale ---------------------------------------------------------------

struct DateCase {
    const char* name;
    const char* locale;
    const char* expression;
    const char* shown; // the answer's text in that locale
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.name;
}

class VBScriptDateTest : public testing::TestWithParam<DateCase> {};

// The locale is handed in as the evaluation hands in the user's; Ans, stored as a literal,
// reads back as what was shown.
TEST_P(VBScriptDateTest, ShowsAndReadsTheLocaleForm) {
    const QLocale locale(QString::fromUtf8(GetParam().locale));
    const QChar separator = locale.decimalPoint().front();
    const vbs::DateForm dates = quorvix::dateFormOf(locale);
    VBScriptEngine engine(1s, separator, dates);
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

INSTANTIATE_TEST_SUITE_P(
    Locales, VBScriptDateTest,
    testing::Values(
        DateCase{"GermanShowsDayFirst", "de_DE", "#12/31/2000#", "31.12.2000"},
        DateCase{"GermanTextIsDayFirst", "de_DE", "CStr(#1/2/2000 6:05:00 PM#)",
                 "02.01.2000 18:05:00"},
        DateCase{"GermanReadsItsForm", "de_DE", "CDate(\"31.12.2000\") = #12/31/2000#", "True"},
        DateCase{"GermanIsDate", "de_DE", "IsDate(\"31.12.2000\")", "True"},
        DateCase{"GermanTimeOnly", "de_DE", "#6:05 AM#", "06:05:00"},
        DateCase{"BritishDayFirst", "en_GB", "CDate(\"2/1/2000\")", "02/01/2000"},
        DateCase{"UsMonthFirst", "en_US", "CStr(#1/2/2000 6:05:00 PM#)", "1/2/2000 6:05:00 PM"},
        DateCase{"UsReadsMonthFirst", "en_US", "Month(CDate(\"1/2/2000\"))", "1"},
        DateCase{"CLocaleKeepsUsForm", "C", "#12/31/2000 6:05:00 PM#", "12/31/2000 6:05:00 PM"},
        DateCase{"YearFirstIsReadEverywhere", "de_DE", "CDate(\"2000-12-31\")", "31.12.2000"}),
    [](const testing::TestParamInfo<DateCase>& info) { return std::string(info.param.name); });

// ---- Errors, persistence and limits ----------------------------------------------------------

TEST(VBScriptEngine, ReportsTheLanguageExactly) {
    EXPECT_EQ(VBScriptEngine(1s).language(), QStringLiteral("VBScript"));
}

TEST(VBScriptEngine, KeepsVariablesAcrossCalls) {
    VBScriptEngine engine(1s, u'.');
    ASSERT_TRUE(engine.executeStatement(QStringLiteral("x = 5")));
    const auto v = engine.eval(QStringLiteral("x * 2"));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->integer, 10);
}

TEST(VBScriptEngine, ReportsTheErrorText) {
    VBScriptEngine engine(1s, u'.');
    EXPECT_FALSE(engine.eval(QStringLiteral("1/0")).has_value());
    EXPECT_EQ(engine.errorDescription(), QStringLiteral("Division by zero"));
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("x = (1")));
    EXPECT_EQ(engine.errorDescription(), QStringLiteral("Expected ')'"));
}

TEST(VBScriptEngine, UsesTheDecimalSeparatorForNumberText) {
    VBScriptEngine engine(1s, u',');
    const auto v = engine.eval(QStringLiteral("1.5 & \"\""));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->text, QStringLiteral("1,5"));
    const auto sum = engine.eval(QStringLiteral("\"2,5\" * 2"));
    ASSERT_TRUE(sum.has_value());
    EXPECT_EQ(sum->number, 5.0);
}

TEST(VBScriptEngine, StopsARunawayLoopAndStaysUsable) {
    VBScriptEngine engine(200ms, u'.');
    EXPECT_FALSE(engine.executeStatement(QStringLiteral("Do: Loop")));
    EXPECT_EQ(engine.errorDescription(), QStringLiteral("Script timed out after 200 milliseconds"));
    const auto v = engine.eval(QStringLiteral("1+1"));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->integer, 2);
}

} // namespace
