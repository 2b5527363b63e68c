#include "answer_conversion.h"

namespace quorvix {
namespace {

// Returns the text, or {failure: text} when the conversion throws. Each array being joined has
// a frame of its own on an explicit list; its elements are converted as join converts them
// (undefined and null as nothing, other primitives by their own conversion, which throws for a
// symbol). An array whose toString or join is not the built-in one converts as String() does.
const char* const kSource = R"((function (maxDepth) {
    var isArray = Array.isArray, arrayToString = Array.prototype.toString,
        arrayJoin = Array.prototype.join, text = String, toPrimitive = Symbol.toPrimitive,
        PathSet = Set, TooDeep = RangeError, nativeJoin = Function.prototype.call.bind(arrayJoin);
    function plain(v) {
        return isArray(v) && v[toPrimitive] === undefined && v.toString === arrayToString &&
               v.join === arrayJoin;
    }
    function frame(array) {
        return { array: array, length: array.length >>> 0, next: 0, text: '' };
    }
    // An array of primitives cannot recurse, and the built-in join is much faster.
    function flat(array) {
        for (var i = 0, n = array.length >>> 0; i < n; ++i) {
            var e = array[i];
            if (e !== null && (typeof e === 'object' || typeof e === 'function'))
                return false;
        }
        return true;
    }
    function join(top) {
        var path = new PathSet([top]), frames = [frame(top)];
        for (;;) {
            var f = frames[frames.length - 1];
            if (f.next >= f.length) {
                frames.length -= 1;
                path.delete(f.array);
                if (frames.length === 0)
                    return f.text;
                frames[frames.length - 1].text += f.text;
                continue;
            }
            var i = f.next++;
            if (i > 0)
                f.text += ',';
            var e = f.array[i];
            if (e === undefined || e === null || path.has(e))
                continue;
            if (typeof e !== 'object' && typeof e !== 'function')
                f.text += '' + e;
            else if (!plain(e))
                f.text += text(e);
            else if (flat(e))
                f.text += nativeJoin(e);
            else if (frames.length >= maxDepth)
                throw new TooDeep('Maximum call stack size exceeded.');
            else {
                path.add(e);
                frames[frames.length] = frame(e);
            }
        }
    }
    return function (value) {
        try {
            if (!plain(value))
                return text(value);
            return flat(value) ? nativeJoin(value) : join(value);
        } catch (thrown) {
            try {
                return { failure: text(thrown) };
            } catch (unprintable) {
                return { failure: 'The answer has no text form' };
            }
        }
    };
}))";

} // namespace

AnswerConversion::AnswerConversion(QJSEngine& engine)
    : m_convert(engine.evaluate(QString::fromLatin1(kSource)).call({kMaxDepth})) {}

bool AnswerConversion::toText(const QJSValue& object, QString& text, QString& failure) const {
    const QJSValue result = m_convert.call({object});
    if (result.isString()) {
        text = result.toString();
        return true;
    }
    // An interrupted run leaves an Error here, which the caller reports as the limit it met.
    failure = result.isObject() && !result.isError()
                  ? result.property(QStringLiteral("failure")).toString()
                  : result.toString();
    return false;
}

} // namespace quorvix
