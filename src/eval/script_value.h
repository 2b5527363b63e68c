#pragma once

#include <QString>
#include <cstdint>

namespace quorvix {

// The engine-neutral value an engine's Eval returns, so that one conversion turns every
// answer into text whichever language computed it.
struct ScriptValue {
    enum class Kind {
        Empty,
        Null,
        Boolean,
        Byte,
        Integer,
        Long,
        Single,
        Double,
        Currency,
        Date,
        String,
        Object,
    };

    Kind kind = Kind::Empty;
    bool boolean = false;
    // Byte, Integer and Long; Currency as its value times 10,000.
    std::int64_t integer = 0;
    // Single (already rounded to float precision), Double, and Date as days since 30 Dec 1899.
    double number = 0.0;
    // String: the text. Object: its text form when hasText, else the engine's description of
    // why it has none.
    QString text;
    bool hasText = false;

    static ScriptValue empty() { return {}; }
    static ScriptValue null() { return make(Kind::Null); }
    static ScriptValue fromBool(bool b) {
        ScriptValue v = make(Kind::Boolean);
        v.boolean = b;
        return v;
    }
    static ScriptValue fromInteger(Kind k, std::int64_t i) {
        ScriptValue v = make(k);
        v.integer = i;
        return v;
    }
    static ScriptValue fromNumber(Kind k, double d) {
        ScriptValue v = make(k);
        v.number = d;
        return v;
    }
    static ScriptValue fromDouble(double d) { return fromNumber(Kind::Double, d); }
    static ScriptValue fromString(QString s) {
        ScriptValue v = make(Kind::String);
        v.text = std::move(s);
        return v;
    }
    // An object with a text form (hasText) or without one (text explains why).
    static ScriptValue object(QString textOrFailure, bool hasTextForm) {
        ScriptValue v = make(Kind::Object);
        v.text = std::move(textOrFailure);
        v.hasText = hasTextForm;
        return v;
    }

private:
    static ScriptValue make(Kind k) {
        ScriptValue v;
        v.kind = k;
        return v;
    }
};

} // namespace quorvix
