#include "../table_rows.h"
#include "answer_text.h"
#include "javascript_engine.h"
#include "javascript_loader.h"
#include "vbscript_engine.h"

#include <gtest/gtest.h>

namespace quorvix {
namespace {

using testing_rows::PrintTo;
using namespace std::chrono_literals;

// What the names window shows for one name after a script ran; kind "" when it lists no such
// name. Every script may try to count in `hits` when code of its runs: describing must not.
struct NameCase {
    const char* name;
    ScriptLanguage language;
    const char16_t* script;
    const char16_t* global;
    const char16_t* kind;
    const char16_t* detail;
};

constexpr ScriptLanguage kVbs = ScriptLanguage::VBScript;
constexpr ScriptLanguage kJs = ScriptLanguage::JavaScript;

const NameCase kNames[] = {
    {"VbsNumber", kVbs, u"x = 1.5", u"x", u"Variable", u"1.5"},
    {"VbsText", kVbs, u"s = \"hi\"", u"s", u"Variable", u"\"hi\""},
    {"VbsLongTextCut", kVbs, u"s = String(70, \"a\")", u"s", u"Variable",
     u"\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\u2026\""},
    {"VbsEmptyAndNull", kVbs, u"e = Empty: n = Null", u"n", u"Variable", u"Null"},
    {"VbsConstant", kVbs, u"Const k = 3", u"k", u"Constant", u"3"},
    {"VbsArray", kVbs, u"Dim a(2): a(0) = 1: a(1) = \"b\"", u"a", u"Variable",
     u"Array(0 To 2): 1, \"b\", Empty"},
    {"VbsArrayFirstElements", kVbs, u"b = Array(1, 2, 3, 4, 5, 6)", u"b", u"Variable",
     u"Array(0 To 5): 1, 2, 3, 4, 5, \u2026"},
    {"VbsMatrix", kVbs, u"Dim m(1, 0)", u"m", u"Variable", u"Array(0 To 1, 0 To 0): Empty, Empty"},
    {"VbsNothing", kVbs, u"Set o = Nothing", u"o", u"Variable", u"Nothing"},
    {"VbsFunction", kVbs, u"Function f(a, ByVal b): f = a: End Function", u"f", u"Function",
     u"(a, ByVal b)"},
    {"VbsSub", kVbs, u"Sub tick(): hits = hits + 1: End Sub", u"tick", u"Sub", u"()"},
    {"VbsClass", kVbs, u"Class Point: Public X: End Class", u"Point", u"Class", u""},
    // Its default member and Property Get count: the window calls neither.
    {"VbsObjectByClass", kVbs,
     u"Class Counter\nPublic Default Property Get Value: hits = hits + 1: Value = 1: End "
     u"Property\nEnd Class\nSet c = New Counter",
     u"c", u"Variable", u"Counter object"},
    {"VbsDictionary", kVbs, u"Set d = CreateObject(\"Scripting.Dictionary\")", u"d", u"Variable",
     u"Dictionary object"},
    {"JsNumber", kJs, u"var x = 1.5", u"x", u"Variable", u"1.5"},
    {"JsArray", kJs, u"var a = [1, 'b', , {}, null]", u"a", u"Variable",
     u"Array(5): 1, \"b\", empty, Object object, null"},
    {"JsFunction", kJs, u"function f(a, b) { return a; }", u"f", u"Function", u"(2 parameters)"},
    {"JsArrow", kJs, u"var g = y => y", u"g", u"Function", u"(1 parameter)"},
    {"JsClass", kJs, u"var Point = class Point { constructor(x) { this.x = x; } }", u"Point",
     u"Class", u""},
    {"JsObjectByClass", kJs, u"var Point = class Point {}; var p = new Point()", u"p", u"Variable",
     u"Point object"},
    {"JsUndefined", kJs, u"var u", u"u", u"Variable", u"undefined"},
    // Getters, valueOf, toString and a proxy's traps count: the window runs none of them.
    {"JsGetter", kJs, u"Object.defineProperty(this, 'g', { get: function () { hits++; } })", u"g",
     u"Variable", u"getter"},
    {"JsObjectWithConversions", kJs,
     u"var o = { valueOf: function () { hits++; }, toString: function () { hits++; } }", u"o",
     u"Variable", u"Object object"},
    {"JsProxy", kJs,
     u"var t = { getPrototypeOf: function () { hits++; return null; }, get: function () { "
     u"hits++; }, getOwnPropertyDescriptor: function () { hits++; } };\n"
     u"var px = new Proxy([], t); var rv = Proxy.revocable({}, t).proxy",
     u"rv", u"Variable", u"Proxy"},
    {"JsEnginesOwnNotListed", kJs, u"var y = 1", u"Math", u"", u""},
    {"JsChangedBuiltinListed", kJs, u"var escape = 2", u"escape", u"Variable", u"2"},
    // Only the newest 2000 names are listed.
    {"JsOldestBeyond2000NotListed", kJs, u"for (var i = 0; i <= 2000; i++) this['v' + i] = i",
     u"v0", u"", u""},
};

std::unique_ptr<ScriptEngine> engineFor(ScriptLanguage language) {
    if (language == kJs) {
        return std::make_unique<JavaScriptEngine>(10s);
    }
    return std::make_unique<VBScriptEngine>(10s);
}

class NamesTest : public testing::TestWithParam<NameCase> {};

TEST_P(NamesTest, DescribesWithoutRunningTheScriptsCode) {
    const NameCase& c = GetParam();
    const std::unique_ptr<ScriptEngine> engine = engineFor(c.language);
    ASSERT_TRUE(engine->executeStatement(c.language == kJs ? QStringLiteral("var hits = 0")
                                                           : QStringLiteral("hits = 0")));
    ASSERT_TRUE(engine->executeStatement(QString::fromUtf16(c.script)))
        << engine->errorDescription().toStdString();
    QString kind;
    QString detail;
    for (const GlobalDescription& name : engine->describeGlobals()) {
        if (name.name == QString::fromUtf16(c.global)) {
            kind = kindText(name);
            detail = detailText(name, u'.');
        }
    }
    EXPECT_EQ(kind, QString::fromUtf16(c.kind));
    EXPECT_EQ(detail, QString::fromUtf16(c.detail));
    EXPECT_EQ(answerText(*engine->eval(QStringLiteral("hits")), u'.'), QStringLiteral("0"));
}

INSTANTIATE_TEST_SUITE_P(Names, NamesTest, testing::ValuesIn(kNames), testing_rows::RowName());

// Through the worker, with the window's decimal separator; the last call's failure stays.
TEST(WorkerNames, ArriveAsDescribedAndLeaveTheLastFailure) {
    const std::unique_ptr<ScriptEngine> engine =
        loadJavaScriptEngine({QStringLiteral(QUORVIX_JAVASCRIPT_WORKER_BUILD_PATH)}, 10s);
    EXPECT_TRUE(engine->describeGlobals().empty());
    ASSERT_TRUE(engine->executeStatement(QStringLiteral("var w = [0.5, 'x']; function f(a) {}")));
    ASSERT_FALSE(engine->eval(QStringLiteral("nosuch")).has_value());
    const QString error = engine->errorDescription();
    QStringList shown;
    for (const GlobalDescription& name : engine->describeGlobals()) {
        shown.append(name.name + u' ' + kindText(name) + u' ' + detailText(name, u','));
    }
    // A function declaration is made before the statements around it run.
    EXPECT_EQ(shown, QStringList({QStringLiteral("f Function (1 parameter)"),
                                  QStringLiteral("w Variable Array(2): 0,5, \"x\"")}));
    EXPECT_EQ(engine->errorDescription(), error);
}

} // namespace
} // namespace quorvix
