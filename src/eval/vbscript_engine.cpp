#include "vbscript_engine.h"

#include "date_form.h"
#include "number_format.h"

#include <QLocale>

namespace quorvix {
namespace {

vbs::InterpreterOptions options(std::chrono::milliseconds timeLimit, QChar separator,
                                const vbs::DateForm& dates) {
    vbs::InterpreterOptions o;
    o.timeLimit = timeLimit;
    o.decimalSeparator = separator.unicode();
    o.dateForm = dates;
    // Numeric text may carry the locale's currency symbol when it is one character; "$" for
    // locales without one, as in the C locale.
    const QString currency = QLocale().currencySymbol(QLocale::CurrencySymbol);
    if (currency.size() == 1) {
        o.currencySymbol = currency.at(0).unicode();
    }
    return o;
}

QChar localeSeparator() {
    const QString s = QLocale().decimalPoint();
    return s.size() == 1 ? s.at(0) : QChar(u'.');
}

QString fromU16(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

// A Currency answer stays Currency. Up to 15 significant digits a Double literal carries the
// exact value into CCur; beyond that the whole and the ten-thousandths are joined in Currency
// arithmetic, which is exact.
QString currencyLiteral(std::int64_t scaled) {
    const QString text = fromU16(vbs::formatCurrency(scaled));
    int digits = 0;
    for (const QChar c : text) {
        digits += c.isDigit() ? 1 : 0;
    }
    if (digits <= 15) {
        return QStringLiteral("CCur(%1)").arg(text);
    }
    return QStringLiteral("CCur(%1) + CCur(%2) * CCur(0.0001)")
        .arg(scaled / 10000)
        .arg(scaled % 10000);
}

} // namespace

VBScriptEngine::VBScriptEngine(std::chrono::milliseconds timeLimit)
    : VBScriptEngine(timeLimit, localeSeparator(), dateFormOf(QLocale())) {}

VBScriptEngine::VBScriptEngine(std::chrono::milliseconds timeLimit, QChar decimalSeparator,
                               const vbs::DateForm& dates)
    : m_interpreter(options(timeLimit, decimalSeparator, dates)) {}

ScriptValue VBScriptEngine::toScriptValue(const vbs::Variant& v) {
    using Kind = ScriptValue::Kind;
    switch (v.type()) {
    case vbs::VarType::Empty:
        return ScriptValue::empty();
    case vbs::VarType::Null:
        return ScriptValue::null();
    case vbs::VarType::Boolean:
        return ScriptValue::fromBool(v.asBool());
    case vbs::VarType::Byte:
        return ScriptValue::fromInteger(Kind::Byte, v.asInt());
    case vbs::VarType::Integer:
        return ScriptValue::fromInteger(Kind::Integer, v.asInt());
    case vbs::VarType::Long:
        return ScriptValue::fromInteger(Kind::Long, v.asInt());
    case vbs::VarType::Currency:
        return ScriptValue::fromInteger(Kind::Currency, v.asInt());
    case vbs::VarType::Single:
        return ScriptValue::fromNumber(Kind::Single, v.asDouble());
    case vbs::VarType::Double:
        return ScriptValue::fromDouble(v.asDouble());
    case vbs::VarType::Date:
        return ScriptValue::fromNumber(Kind::Date, v.asDouble());
    case vbs::VarType::String:
        return ScriptValue::fromString(fromU16(v.asString()));
    case vbs::VarType::Array:
        // An array has no text form: showing one is what VBScript calls a type mismatch.
        return ScriptValue::object(QStringLiteral("Type mismatch"), false);
    case vbs::VarType::Object:
        return ScriptValue::object(
            v.asObject() ? QStringLiteral("Object doesn't support this property or method")
                         : QStringLiteral("Object variable not set"),
            false);
    }
    return ScriptValue::empty();
}

std::optional<ScriptValue> VBScriptEngine::eval(const QString& expression) {
    const std::optional<vbs::Variant> v = m_interpreter.eval(expression.toStdU16String());
    if (!v) {
        m_error = fromU16(m_interpreter.lastError().description);
        return std::nullopt;
    }
    return toScriptValue(*v);
}

bool VBScriptEngine::executeStatement(const QString& statement) {
    if (!m_interpreter.execute(statement.toStdU16String())) {
        m_error = fromU16(m_interpreter.lastError().description);
        return false;
    }
    return true;
}

QString VBScriptEngine::noTextFormDescription(const ScriptValue& value) const {
    if (value.kind == ScriptValue::Kind::Null) {
        return QStringLiteral("Invalid use of Null");
    }
    return value.text;
}

QString VBScriptEngine::stringLiteral(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"') {
            out += QStringLiteral("\"\"");
        } else if (c == u'\r') {
            out += QStringLiteral("\" & Chr(13) & \"");
        } else if (c == u'\n') {
            out += QStringLiteral("\" & Chr(10) & \"");
        } else {
            out += c;
        }
    }
    out += u'"';
    return out;
}

bool VBScriptEngine::storeAnswer(const ScriptValue& answer, const QString& answerText) {
    const std::optional<QString> statement = ansStatement(answer, answerText);
    return statement && executeStatement(*statement);
}

std::optional<QString> VBScriptEngine::ansStatement(const ScriptValue& answer,
                                                    const QString& answerText) const {
    const QString prefix = QStringLiteral("Ans = ");
    switch (answer.kind) {
    case ScriptValue::Kind::Null:
        return std::nullopt;
    case ScriptValue::Kind::Object:
        return answer.hasText ? std::optional<QString>(prefix + stringLiteral(answerText))
                              : std::nullopt;
    case ScriptValue::Kind::Empty:
        return prefix + QStringLiteral("\"\"");
    case ScriptValue::Kind::Boolean:
        return prefix + (answer.boolean ? QStringLiteral("True") : QStringLiteral("False"));
    case ScriptValue::Kind::Byte:
    case ScriptValue::Kind::Integer:
    case ScriptValue::Kind::Long:
        return prefix + QString::number(answer.integer);
    // Numbers are rebuilt from the value with "." (the shown text has the user's separator)
    // and rounded as shown, so Ans holds exactly what the output box shows.
    case ScriptValue::Kind::Currency:
        return prefix + currencyLiteral(answer.integer);
    case ScriptValue::Kind::Single:
        return prefix + fromU16(vbs::formatSingle(static_cast<float>(answer.number)));
    case ScriptValue::Kind::Double:
        return prefix + fromU16(vbs::formatDouble(answer.number));
    case ScriptValue::Kind::Date:
        return prefix + u'#' + fromU16(vbs::formatDate(answer.number)) + u'#';
    case ScriptValue::Kind::String:
        return prefix + stringLiteral(answer.text);
    }
    return std::nullopt;
}

} // namespace quorvix
