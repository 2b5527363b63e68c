#include "preview_guard.h"

namespace quorvix {

PreviewGuard::PreviewGuard(QJSEngine& engine) : m_global(engine.globalObject()) {
    const QJSValue object = m_global.property(QStringLiteral("Object"));
    m_describe = object.property(QStringLiteral("getOwnPropertyDescriptor"));
    m_math = m_global.property(QStringLiteral("Math"));
    // Math's members are not enumerable: their names come from the engine's own list.
    const QJSValue names = object.property(QStringLiteral("getOwnPropertyNames")).call({m_math});
    const int count = names.property(QStringLiteral("length")).toInt();
    for (int i = 0; i < count; ++i) {
        const QString name = names.property(static_cast<quint32>(i)).toString();
        m_mathMembers.insert(name, m_math.property(name));
    }
}

QJSValue PreviewGuard::ownValue(const QJSValue& object, const QString& name) const {
    // The descriptor is a fresh plain object: reading its own "value" runs nothing, while a
    // missing one would be looked up on Object.prototype, where a script may have put a getter.
    const QJSValue descriptor = m_describe.call({object, QJSValue(name)});
    const QString value = QStringLiteral("value");
    return descriptor.isObject() && descriptor.hasOwnProperty(value) ? descriptor.property(value)
                                                                     : QJSValue();
}

bool PreviewGuard::allows(const PreviewReads& reads) const {
    if (!reads.mathMembers.isEmpty() &&
        !ownValue(m_global, QStringLiteral("Math")).strictlyEquals(m_math)) {
        return false;
    }
    for (const QString& name : reads.mathMembers) {
        const auto original = m_mathMembers.constFind(name);
        if (original == m_mathMembers.cend() || !ownValue(m_math, name).strictlyEquals(*original)) {
            return false;
        }
    }
    for (const QString& name : reads.globals) {
        const QJSValue value = ownValue(m_global, name);
        if (!value.isNumber() && !value.isString()) {
            return false;
        }
    }
    return true;
}

} // namespace quorvix
