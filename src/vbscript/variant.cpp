#include "variant.h"

namespace vbs {

Variant Variant::string(std::u16string s) {
    Variant v(VarType::String);
    v.ref_ = std::make_shared<std::u16string>(std::move(s));
    return v;
}

Variant Variant::array(std::shared_ptr<ArrayData> a) {
    Variant v(VarType::Array);
    v.ref_ = std::move(a);
    return v;
}

Variant Variant::object(std::shared_ptr<ObjectData> o) {
    Variant v(VarType::Object);
    v.ref_ = std::move(o);
    return v;
}

const std::u16string& Variant::asString() const {
    static const std::u16string empty;
    return ref_ ? *static_cast<const std::u16string*>(ref_.get()) : empty;
}

Variant Variant::copied() const {
    if (type_ != VarType::Array || !ref_) {
        return *this;
    }
    auto copy = std::make_shared<ArrayData>(*asArray());
    copy->fixed = false;
    for (Variant& item : copy->items) {
        item = item.copied();
    }
    return array(std::move(copy));
}

} // namespace vbs
