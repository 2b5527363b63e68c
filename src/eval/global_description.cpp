#include "global_description.h"

#include "answer_text.h"

#include <QStringList>

namespace quorvix {
namespace {

// One value as the window shows it: texts in quotes, Empty and Null by name, a value without a
// plain form by its type.
QString valueText(const ScriptValue& value, QChar decimalSeparator, const vbs::DateForm& dates) {
    switch (value.kind) {
    case ScriptValue::Kind::Empty:
        return QStringLiteral("Empty");
    case ScriptValue::Kind::Null:
        return QStringLiteral("Null");
    case ScriptValue::Kind::Object:
        return value.text;
    case ScriptValue::Kind::String:
        return u'"' +
               (value.text.size() > kShownTextLength
                    ? value.text.left(kShownTextLength - 1) + QChar(0x2026)
                    : value.text) +
               u'"';
    default:
        return answerText(value, decimalSeparator, dates).value_or(QString());
    }
}

} // namespace

QString kindText(const GlobalDescription& name) {
    switch (name.kind) {
    case GlobalDescription::Kind::Variable:
        return QStringLiteral("Variable");
    case GlobalDescription::Kind::Constant:
        return QStringLiteral("Constant");
    case GlobalDescription::Kind::Procedure:
        return name.type.isEmpty() ? QStringLiteral("Procedure") : name.type;
    case GlobalDescription::Kind::Class:
        return QStringLiteral("Class");
    }
    return QString();
}

QString detailText(const GlobalDescription& name, QChar decimalSeparator,
                   const vbs::DateForm& dates) {
    if (name.kind == GlobalDescription::Kind::Procedure ||
        name.kind == GlobalDescription::Kind::Class) {
        return name.shape;
    }
    if (name.value) {
        return valueText(*name.value, decimalSeparator, dates);
    }
    if (name.firstElements.isEmpty() && !name.moreElements) {
        return name.type + name.shape;
    }
    QStringList elements;
    for (const ScriptValue& element : name.firstElements) {
        elements.append(valueText(element, decimalSeparator, dates));
    }
    if (name.moreElements) {
        elements.append(QString(QChar(0x2026)));
    }
    return name.type + name.shape + QStringLiteral(": ") + elements.join(QStringLiteral(", "));
}

} // namespace quorvix
