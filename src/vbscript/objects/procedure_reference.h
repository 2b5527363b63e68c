#pragma once

#include "object.h"
#include "syntax/ast.h"

#include <memory>

namespace vbs {

// What GetRef returns: an object that calls a script's Sub or Function when it is called with
// arguments ("f(1)", "f 1", "Call f(1)"). Only the executor can run script code, so invoke()
// refuses and the executor calls procedure() itself.
class ProcedureReference final : public ObjectData {
public:
    explicit ProcedureReference(std::shared_ptr<const Procedure> proc) : proc_(std::move(proc)) {}

    std::u16string_view typeName() const override { return u"Object"; }
    int memberIndex(std::u16string_view) const override { return -1; }
    // No default member: used as a value (not called) it is an object without one.
    int defaultMember() const override { return -1; }
    Outcome invoke(Runtime&, int, MemberAccess, Variant*, std::size_t, Variant&) override {
        return Outcome::NoSuchMember;
    }
    const ProcedureReference* asProcedureReference() const override { return this; }

    // Kept alive here: a later definition of the same name leaves this reference as it was.
    const Procedure& procedure() const { return *proc_; }

private:
    std::shared_ptr<const Procedure> proc_;
};

} // namespace vbs
