#pragma once

#include <QJSEngine>
#include <QJSValue>
#include <QString>

namespace quorvix {

// Turns an object answer into its text as JavaScript's String() does, with two guards of our
// own: QJSEngine's join recurses without a limit, so an array that contains itself, or arrays
// nested a hundred thousand deep, would overflow the stack. Arrays are joined here without
// recursion; an array met again inside itself shows as empty, as JavaScript's join shows it,
// and nesting deeper than kMaxDepth fails with a RangeError.
class AnswerConversion {
public:
    static constexpr int kMaxDepth = 10000;

    // Compiles the conversion in `engine` before any of the user's code runs, so that it uses
    // the built-ins as they were, whatever the user later puts in their place.
    explicit AnswerConversion(QJSEngine& engine);

    // The text of `object`, or false with the conversion's failure (what it threw, as text) in
    // `failure`.
    bool toText(const QJSValue& object, QString& text, QString& failure) const;

private:
    QJSValue m_convert;
};

} // namespace quorvix
