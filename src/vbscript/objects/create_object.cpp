#include "create_object.h"

#include "dictionary_object.h"
#include "regexp_object.h"
#include "values/convert.h"

namespace vbs {
namespace {

Outcome made(std::shared_ptr<NativeObject> o, Variant& out) {
    if (!o) {
        return Outcome::OutOfMemory;
    }
    out = Variant::object(std::move(o));
    return Outcome::Normal;
}

} // namespace

Outcome newNativeObject(Runtime& rt, std::u16string_view lowerName, Variant& out) {
    if (lowerName == u"regexp") {
        return made(makeRegExp(rt.budget), out);
    }
    return Outcome::ClassNotDefined;
}

namespace fn {

Outcome CreateObject(Runtime& rt, const Variant* a, int, Variant& out) {
    std::u16string name = VBS_TRY_VALUE(toText(a[0], rt.locale));
    name = lowerAscii(name);
    if (name == u"scripting.dictionary") {
        return made(makeDictionary(rt.budget, rt.objects), out);
    }
    if (name == u"vbscript.regexp") {
        return made(makeRegExp(rt.budget), out);
    }
    return Outcome::CannotCreateObject;
}

Outcome GetObject(Runtime&, const Variant*, int, Variant&) {
    return Outcome::CannotCreateObject;
}

} // namespace fn
} // namespace vbs
