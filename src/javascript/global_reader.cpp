#include "global_reader.h"

#include <cmath>

namespace quorvix {
namespace {

// Installs the Proxy wrapper and gives the set it records proxies in. The handlers have no
// prototype, so that nothing a script puts on Object.prototype can become one of their traps.
const char* const kProxyRecorder = R"((function (global) {
    const RealProxy = global.Proxy;
    const proxies = new WeakSet();
    const add = WeakSet.prototype.add;
    const apply = Reflect.apply;
    const construct = Reflect.construct;
    const get = Reflect.get;
    const recorded = function (proxy) { apply(add, proxies, [proxy]); return proxy; };
    const revocableTraps = Object.create(null);
    revocableTraps.apply = function (target, self, args) {
        const made = apply(target, self, args);
        recorded(made.proxy);
        return made;
    };
    const revocable = new RealProxy(RealProxy.revocable, revocableTraps);
    const traps = Object.create(null);
    traps.construct = function (target, args, newTarget) {
        return recorded(construct(target, args, newTarget));
    };
    traps.get = function (target, key, receiver) {
        return key === 'revocable' ? revocable : get(target, key, receiver);
    };
    global.Proxy = new RealProxy(RealProxy, traps);
    return proxies;
})(this))";

// A function's parameters as far as the engine tells them: it keeps no source text, only how many
// a call is expected to pass (its length).
QString parameterCount(int count) {
    if (count <= 0) {
        return QStringLiteral("()");
    }
    return count == 1 ? QStringLiteral("(1 parameter)")
                      : QStringLiteral("(%1 parameters)").arg(count);
}

// SameValue: strictlyEquals, except that NaN is itself.
bool sameValue(const QJSValue& a, const QJSValue& b) {
    return a.strictlyEquals(b) ||
           (a.isNumber() && b.isNumber() && std::isnan(a.toNumber()) && std::isnan(b.toNumber()));
}

std::optional<ScriptValue> plainValue(const QJSValue& value) {
    if (value.isBool()) {
        return ScriptValue::fromBool(value.toBool());
    }
    if (value.isNumber()) {
        return ScriptValue::fromDouble(value.toNumber());
    }
    if (value.isString()) {
        // The window shows the start of a long text: the rest need not be copied.
        return ScriptValue::fromString(value.toString().left(kShownTextLength + 1));
    }
    return std::nullopt;
}

} // namespace

GlobalReader::GlobalReader(QJSEngine& engine) : m_global(engine.globalObject()) {
    const QJSValue object = m_global.property(QStringLiteral("Object"));
    m_names = object.property(QStringLiteral("getOwnPropertyNames"));
    m_describe = object.property(QStringLiteral("getOwnPropertyDescriptor"));
    m_prototypeOf = object.property(QStringLiteral("getPrototypeOf"));
    m_proxiesHas = m_global.property(QStringLiteral("WeakSet"))
                       .property(QStringLiteral("prototype"))
                       .property(QStringLiteral("has"));
    m_proxies = engine.evaluate(QString::fromUtf8(kProxyRecorder));
    const QJSValue names = m_names.call({m_global});
    const quint32 count = names.property(QStringLiteral("length")).toUInt();
    for (quint32 i = 0; i < count; ++i) {
        const QString name = names.property(i).toString();
        const QJSValue descriptor = ownDescriptor(m_global, name);
        const QString get = QStringLiteral("get");
        m_ownAtStart.insert(name, descriptor.hasOwnProperty(get)
                                      ? descriptor.property(get)
                                      : descriptor.property(QStringLiteral("value")));
    }
}

QJSValue GlobalReader::ownDescriptor(const QJSValue& object, const QString& name) const {
    // A fresh plain object: reading its own properties runs nothing.
    return m_describe.call({object, QJSValue(name)});
}

QJSValue GlobalReader::ownValue(const QJSValue& object, const QString& name) const {
    const QJSValue descriptor = ownDescriptor(object, name);
    const QString value = QStringLiteral("value");
    return descriptor.isObject() && descriptor.hasOwnProperty(value) ? descriptor.property(value)
                                                                     : QJSValue();
}

bool GlobalReader::isProxy(const QJSValue& value) const {
    return m_proxiesHas.callWithInstance(m_proxies, {value}).toBool();
}

QString GlobalReader::className(const QJSValue& object) const {
    const QJSValue prototype = m_prototypeOf.call({object});
    if (!prototype.isObject() || isProxy(prototype)) {
        return QStringLiteral("Object");
    }
    const QJSValue constructor = ownValue(prototype, QStringLiteral("constructor"));
    if (!constructor.isCallable() || isProxy(constructor)) {
        return QStringLiteral("Object");
    }
    const QJSValue name = ownValue(constructor, QStringLiteral("name"));
    return name.isString() && !name.toString().isEmpty() ? name.toString()
                                                         : QStringLiteral("Object");
}

QString GlobalReader::typeOf(const QJSValue& value) const {
    if (value.isUndefined()) {
        return QStringLiteral("undefined");
    }
    if (value.isNull()) {
        return QStringLiteral("null");
    }
    if (isProxy(value)) {
        return QStringLiteral("Proxy");
    }
    if (value.isArray()) {
        return QStringLiteral("Array");
    }
    if (value.isCallable()) {
        return QStringLiteral("Function");
    }
    if (value.isObject()) {
        return className(value) + QStringLiteral(" object");
    }
    return QStringLiteral("Symbol");
}

void GlobalReader::describeValue(const QJSValue& value, GlobalDescription& described) const {
    if (const std::optional<ScriptValue> plain = plainValue(value)) {
        described.value = plain;
        return;
    }
    described.type = typeOf(value);
    if (value.isCallable() && !isProxy(value)) {
        // A class's prototype cannot be replaced; a function's can, and an arrow has none.
        const QJSValue prototype = ownDescriptor(value, QStringLiteral("prototype"));
        const bool isClass =
            prototype.isObject() && !prototype.property(QStringLiteral("writable")).toBool();
        described.kind =
            isClass ? GlobalDescription::Kind::Class : GlobalDescription::Kind::Procedure;
        described.shape =
            isClass ? QString() : parameterCount(ownValue(value, QStringLiteral("length")).toInt());
        return;
    }
    if (!value.isArray() || isProxy(value)) {
        return;
    }
    const quint32 length = ownValue(value, QStringLiteral("length")).toUInt();
    described.shape = QStringLiteral("(%1)").arg(length);
    const quint32 shown = std::min<quint32>(length, kDescribedElements);
    for (quint32 i = 0; i < shown; ++i) {
        const QJSValue descriptor = ownDescriptor(value, QString::number(i));
        const QJSValue element = ownValue(value, QString::number(i));
        if (!descriptor.isObject()) {
            described.firstElements.append(ScriptValue::object(QStringLiteral("empty"), false));
        } else if (const std::optional<ScriptValue> plain = plainValue(element)) {
            described.firstElements.append(*plain);
        } else {
            described.firstElements.append(ScriptValue::object(
                descriptor.hasOwnProperty(QStringLiteral("value")) ? typeOf(element)
                                                                   : QStringLiteral("getter"),
                false));
        }
    }
    described.moreElements = length > shown;
}

QStringList GlobalReader::names() const {
    return m_names.call({m_global}).toVariant().toStringList();
}

std::vector<GlobalDescription> GlobalReader::describe() const {
    const QJSValue names = m_names.call({m_global});
    const quint32 count = names.property(QStringLiteral("length")).toUInt();
    std::vector<GlobalDescription> described;
    for (quint32 i = 0; i < count; ++i) {
        const QString name = names.property(i).toString();
        const QJSValue descriptor = ownDescriptor(m_global, name);
        const QString get = QStringLiteral("get");
        const bool accessor =
            descriptor.hasOwnProperty(get) || descriptor.hasOwnProperty(QStringLiteral("set"));
        const QJSValue held =
            accessor ? descriptor.property(get) : descriptor.property(QStringLiteral("value"));
        const auto atStart = m_ownAtStart.constFind(name);
        if (atStart != m_ownAtStart.cend() && sameValue(*atStart, held)) {
            continue; // the engine's own
        }
        GlobalDescription& entry = described.emplace_back();
        entry.name = name;
        if (accessor) {
            entry.type = held.isUndefined() ? QStringLiteral("setter") : QStringLiteral("getter");
        } else {
            describeValue(held, entry);
        }
    }
    if (described.size() > kDescribedNames) {
        described.erase(described.begin(), described.end() - kDescribedNames);
    }
    return described;
}

} // namespace quorvix
