#pragma once

#include "global_description.h"

#include <QHash>
#include <QJSEngine>
#include <QJSValue>
#include <vector>

namespace quorvix {

// Reads the names the user's scripts put on the global object, with what they hold, without
// running any of the user's code: no getter is called, no object is turned into text or a number,
// and no proxy is touched (a proxy runs its handler's code on the plainest read). The engine's
// own functions it uses, and the global object's properties it leaves out as the engine's own,
// are taken when it is made, before any script has run. Making it wraps the Proxy constructor
// so that every proxy a script makes is known as one; the wrapper behaves as the constructor.
class GlobalReader {
public:
    explicit GlobalReader(QJSEngine& engine);

    // At most kDescribedNames names, the most recently made ones.
    std::vector<GlobalDescription> describe() const;
    static constexpr int kDescribedNames = 2000;
    // Every own property name of the global object, the engine's own too.
    QStringList names() const;

private:
    QJSValue ownDescriptor(const QJSValue& object, const QString& name) const;
    // The value of `object`'s own data property `name`; undefined for none or an accessor.
    QJSValue ownValue(const QJSValue& object, const QString& name) const;
    bool isProxy(const QJSValue& value) const;
    // What a non-plain value is, in a word or two ("Array", "Point object", "Proxy").
    QString typeOf(const QJSValue& value) const;
    // The name of the class whose instance `object` is, from its prototype's constructor.
    QString className(const QJSValue& object) const;
    void describeValue(const QJSValue& value, GlobalDescription& described) const;

    QJSValue m_global;
    QJSValue m_names;       // Object.getOwnPropertyNames
    QJSValue m_describe;    // Object.getOwnPropertyDescriptor
    QJSValue m_prototypeOf; // Object.getPrototypeOf
    QJSValue m_proxies;     // a WeakSet of every proxy made
    QJSValue m_proxiesHas;  // WeakSet.prototype.has
    // The global object's own properties as the engine made them, by name: the value of a data
    // property, the getter of an accessor.
    QHash<QString, QJSValue> m_ownAtStart;
};

} // namespace quorvix
