#pragma once

#include "../table_rows.h"
#include "interpreter.h"
#include "values/convert.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <utility>

// Shared helpers of the interpreter tests: an outcome as one line of text, so that a table row
// says in one string what a run must give.
namespace vbs::test {

inline std::string utf8(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

inline std::u16string utf16(const std::string& s) {
    return {s.begin(), s.end()};
}

inline const char* typeName(VarType t) {
    constexpr std::pair<VarType, const char*> kNames[] = {
        {VarType::Empty, "Empty"},       {VarType::Null, "Null"},
        {VarType::Integer, "Integer"},   {VarType::Long, "Long"},
        {VarType::Single, "Single"},     {VarType::Double, "Double"},
        {VarType::Currency, "Currency"}, {VarType::Date, "Date"},
        {VarType::String, "String"},     {VarType::Object, "Object"},
        {VarType::Boolean, "Boolean"},   {VarType::Byte, "Byte"},
        {VarType::Array, "Array"}};
    for (const auto& [type, name] : kNames) {
        if (type == t) {
            return name;
        }
    }
    return "?";
}

// "text (Type)" for a value, "#number description" for an error. Strings are quoted so that
// "" and Empty differ.
inline std::string describe(const Variant& v, char16_t decimal = u'.') {
    NumberLocale locale;
    locale.decimal = decimal;
    std::string shown;
    if (v.isString()) {
        // Appended, not "\"" + text: GCC 12 at -O3 warns falsely (-Wrestrict) on a literal
        // prepended to a temporary string.
        shown.append(1, '"').append(utf8(v.asString())).append(1, '"');
    } else if (const Result<std::u16string> text = toText(v, locale); text.ok()) {
        shown = utf8(text.value());
    }
    if (v.isEmpty() || v.isNull() || v.isArray() || v.isObject()) {
        return typeName(v.type());
    }
    return shown + " (" + typeName(v.type()) + ")";
}

inline std::string failure(const Interpreter& in) {
    std::string text(1, '#');
    return text.append(std::to_string(in.lastError().number))
        .append(1, ' ')
        .append(utf8(in.lastError().description));
}

inline std::string evalText(Interpreter& in, const std::string& expression) {
    const auto v = in.eval(utf16(expression));
    return v ? describe(*v) : failure(in);
}

// Runs statements; "ok" or the error.
inline std::string execText(Interpreter& in, const std::string& statements) {
    return in.execute(utf16(statements)) ? "ok" : failure(in);
}

// A time limit far above what any test needs on a busy machine under the sanitizers, short
// enough that a fault that loops for ever still ends the test.
inline InterpreterOptions quickOptions() {
    InterpreterOptions o;
    o.timeLimit = std::chrono::minutes(1);
    return o;
}

// One row of an expression table.
struct Case {
    const char* name;
    const char* input;
    const char* expected;
};

// One row of a statement table: run `statements`, then evaluate `expression`.
struct ScriptCase {
    const char* name;
    const char* statements;
    const char* expression;
    const char* expected;
};

// An expression table: each row's expression in a fresh interpreter. A statement table: each
// row's statements, then its expression in the same global scope. Their tests are defined once,
// in errors_test.cpp and statements_test.cpp; any file may add rows.
class ExpressionTable : public testing::TestWithParam<Case> {};
class ScriptTable : public testing::TestWithParam<ScriptCase> {};

using testing_rows::PrintTo;
using testing_rows::RowName;

// What a row's expression gives in a fresh interpreter.
inline std::string evalFresh(const Case& c) {
    Interpreter in(quickOptions());
    return evalText(in, c.input);
}

// Runs a row's statements, then evaluates its expression in the same global scope; a failed
// run shows its error instead.
inline std::string runScript(const ScriptCase& c) {
    Interpreter in(quickOptions());
    const std::string ran = execText(in, c.statements);
    return ran == "ok" ? evalText(in, c.expression) : ran;
}

} // namespace vbs::test
