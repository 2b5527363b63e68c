#pragma once

#include "number_format.h"
#include "script_value.h"

#include <QList>
#include <QString>
#include <optional>

namespace quorvix {

// One name of the session's global scope as the names window lists it. The engine reads it
// without running any of the user's code: a value that only code could give (a property's
// getter, an object's default member or text form) is described by its type instead.
struct GlobalDescription {
    enum class Kind { Variable, Constant, Procedure, Class };
    Kind kind = Kind::Variable;
    QString name;
    // A variable's or constant's plain value: a number, text, date, truth value, Empty or Null.
    std::optional<ScriptValue> value;
    // What the name holds when it has no plain value ("Array", "Dictionary object", "Nothing",
    // "getter"), or what kind of procedure it is ("Function", "Sub").
    QString type;
    // An array's bounds ("(0 To 2)") or length ("(3)"), a procedure's parameters ("(a, ByRef b)").
    QString shape;
    // An array's first elements; one without a plain value is an Object whose text is its type.
    QList<ScriptValue> firstElements;
    // The array holds more elements than firstElements.
    bool moreElements = false;
};

// How many of an array's elements a description shows.
inline constexpr int kDescribedElements = 5;
// Texts longer than this are shown cut short; an engine need give no more than one character
// beyond it.
inline constexpr qsizetype kShownTextLength = 60;

// The word the names window shows for the kind of a name ("Variable", "Function", "Class").
QString kindText(const GlobalDescription& name);
// What the names window shows beside a name: its value as the output box would show it (a text
// in quotes, cut short when long), its type, an array's bounds with its first elements, or a
// procedure's parameters.
QString detailText(const GlobalDescription& name, QChar decimalSeparator,
                   const vbs::DateForm& dates = {});

} // namespace quorvix
