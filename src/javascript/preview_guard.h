#pragma once

#include "preview_expression.h"

#include <QHash>
#include <QJSEngine>
#include <QJSValue>

namespace quorvix {

// Checks, without running any of the user's code, that what a preview reads is what it seems:
// each name an own data property of the global object that holds a number or a text (no
// getter), and Math and the members of it used the engine's own. The references it compares
// with are taken when it is made, before any script has run. A name's binding is the global
// object's property: QJSEngine::evaluate keeps no script-level let or const from one call to the
// next that could hide it.
class PreviewGuard {
public:
    explicit PreviewGuard(QJSEngine& engine);

    bool allows(const PreviewReads& reads) const;

private:
    // The value of `object`'s own data property `name`; undefined for none or an accessor.
    QJSValue ownValue(const QJSValue& object, const QString& name) const;

    QJSValue m_global;
    QJSValue m_describe; // Object.getOwnPropertyDescriptor as the engine started
    QJSValue m_math;
    QHash<QString, QJSValue> m_mathMembers;
};

} // namespace quorvix
