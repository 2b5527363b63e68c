#include "vbscript_engine.h"

#include "calendar.h"
#include "number_format.h"

#include <QStringList>
#include <algorithm>

namespace quorvix {
namespace {

vbs::InterpreterOptions options(std::chrono::milliseconds timeLimit, const UserLocale& locale,
                                const std::atomic<bool>& stop) {
    vbs::InterpreterOptions o;
    o.stop = &stop;
    o.timeLimit = timeLimit;
    o.decimalSeparator = locale.decimalSeparator.unicode();
    o.currencySymbol = locale.currencySymbol.unicode();
    o.dateForm = locale.dates;
    o.localeName = locale.name.toStdU16String();
    return o;
}

std::optional<qsizetype> positionOf(const vbs::ScriptError& error) {
    return error.position ? std::optional(static_cast<qsizetype>(*error.position)) : std::nullopt;
}

QString fromU16(std::u16string_view s) {
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}

// The interpreter's own text for an error, as it would raise it.
QString textOf(vbs::HostError error) {
    return fromU16(vbs::errorDescription(error));
}

} // namespace

VBScriptEngine::VBScriptEngine(std::chrono::milliseconds timeLimit, const UserLocale& locale)
    : m_interpreter(options(timeLimit, locale, m_stop)) {}

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
        return ScriptValue::object(textOf(vbs::HostError::TypeMismatch), false);
    case vbs::VarType::Object:
        return ScriptValue::object(
            textOf(v.asObject() ? vbs::HostError::NoSuchMember : vbs::HostError::ObjectNotSet),
            false);
    }
    return ScriptValue::empty();
}

std::optional<ScriptValue> VBScriptEngine::eval(const QString& expression) {
    const std::optional<vbs::Variant> v = m_interpreter.eval(expression.toStdU16String());
    if (!v) {
        m_error = fromU16(m_interpreter.lastError().description);
        m_errorPosition = positionOf(m_interpreter.lastError());
        return std::nullopt;
    }
    return toScriptValue(*v);
}

std::optional<ScriptValue> VBScriptEngine::preview(const QString& expression) {
    const std::optional<vbs::Variant> v =
        m_interpreter.preview(expression.toStdU16String(), kPreviewTimeLimit);
    return v ? std::optional(toScriptValue(*v)) : std::nullopt;
}

bool VBScriptEngine::executeStatement(const QString& statement) {
    if (!m_interpreter.execute(statement.toStdU16String())) {
        m_error = fromU16(m_interpreter.lastError().description);
        m_errorPosition = positionOf(m_interpreter.lastError());
        return false;
    }
    return true;
}

QString VBScriptEngine::noTextFormDescription(const ScriptValue& value) const {
    if (value.kind == ScriptValue::Kind::Null) {
        return textOf(vbs::HostError::InvalidNull);
    }
    return value.text;
}

QStringList VBScriptEngine::globalNames() {
    QStringList names;
    for (const std::u16string& name : m_interpreter.globalNames()) {
        names.append(fromU16(name));
    }
    return names;
}

namespace {

// A value read for the names window: what it holds, without calling any of its members.
void describeValue(const vbs::GlobalSummary& summary, GlobalDescription& described) {
    const vbs::Variant& value = summary.value;
    if (value.isObject()) {
        described.type = summary.className.empty()
                             ? QStringLiteral("Nothing")
                             : fromU16(summary.className) + QStringLiteral(" object");
        return;
    }
    if (!value.isArray()) {
        described.value = VBScriptEngine::toScriptValue(value);
        described.value->text.truncate(kShownTextLength + 1);
        return;
    }
    const vbs::ArrayData& array = *value.asArray();
    described.type = QStringLiteral("Array");
    QStringList bounds;
    for (const vbs::ArrayBound& bound : array.bounds) {
        bounds.append(QStringLiteral("0 To %1").arg(bound.upper));
    }
    described.shape = u'(' + bounds.join(QStringLiteral(", ")) + u')';
    const std::size_t shown = std::min<std::size_t>(array.items.size(), kDescribedElements);
    for (std::size_t i = 0; i < shown; ++i) {
        const vbs::Variant& element = array.items[i];
        described.firstElements.append(
            element.isArray() ? ScriptValue::object(QStringLiteral("Array"), false)
            : element.isObject()
                ? ScriptValue::object(element.objectPtr() ? QStringLiteral("Object")
                                                          : QStringLiteral("Nothing"),
                                      false)
                : VBScriptEngine::toScriptValue(element));
    }
    described.moreElements = array.items.size() > shown;
}

} // namespace

std::vector<GlobalDescription> VBScriptEngine::describeGlobals() {
    std::vector<GlobalDescription> names;
    for (const vbs::GlobalSummary& summary : m_interpreter.describeGlobals()) {
        GlobalDescription described;
        described.name = fromU16(summary.name);
        switch (summary.kind) {
        case vbs::GlobalSummary::Kind::Variable:
        case vbs::GlobalSummary::Kind::Constant:
            described.kind = summary.kind == vbs::GlobalSummary::Kind::Variable
                                 ? GlobalDescription::Kind::Variable
                                 : GlobalDescription::Kind::Constant;
            describeValue(summary, described);
            break;
        case vbs::GlobalSummary::Kind::Procedure:
            described.kind = GlobalDescription::Kind::Procedure;
            described.type =
                summary.isFunction ? QStringLiteral("Function") : QStringLiteral("Sub");
            described.shape = fromU16(summary.parameters);
            break;
        case vbs::GlobalSummary::Kind::Class:
            described.kind = GlobalDescription::Kind::Class;
            break;
        }
        names.push_back(std::move(described));
    }
    return names;
}

bool VBScriptEngine::storeAnswer(const ScriptValue& answer, const QString& answerText) {
    const std::optional<vbs::Variant> value = ansValue(answer, answerText);
    return value && m_interpreter.setGlobal(u"Ans", *value);
}

std::optional<vbs::Variant> VBScriptEngine::ansValue(const ScriptValue& answer,
                                                     const QString& answerText) {
    switch (answer.kind) {
    case ScriptValue::Kind::Null:
        return std::nullopt;
    case ScriptValue::Kind::Object:
        return answer.hasText
                   ? std::optional(vbs::Variant::string(answerText.toStdU16String(), nullptr))
                   : std::nullopt;
    // Empty stays Empty, so that "+5" after the clear key gives 5 and Ans & "x" gives "x".
    case ScriptValue::Kind::Empty:
        return vbs::Variant();
    case ScriptValue::Kind::Boolean:
        return vbs::Variant::boolean(answer.boolean);
    case ScriptValue::Kind::Byte:
        return vbs::Variant::byte(static_cast<std::uint8_t>(answer.integer));
    case ScriptValue::Kind::Integer:
        return vbs::Variant::integer(static_cast<std::int16_t>(answer.integer));
    case ScriptValue::Kind::Long:
        return vbs::Variant::longInt(static_cast<std::int32_t>(answer.integer));
    case ScriptValue::Kind::Currency:
        return vbs::Variant::currency(answer.integer);
    // Numbers are rounded as shown, so Ans holds exactly what the output box shows.
    case ScriptValue::Kind::Single:
        return vbs::Variant::single(static_cast<float>(answer.number));
    case ScriptValue::Kind::Double:
        return vbs::Variant::dbl(vbs::shownDouble(answer.number));
    case ScriptValue::Kind::Date:
        return vbs::Variant::date(vbs::shownSerial(answer.number));
    case ScriptValue::Kind::String:
        return vbs::Variant::string(answer.text.toStdU16String(), nullptr);
    }
    return std::nullopt;
}

} // namespace quorvix
