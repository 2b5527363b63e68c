#pragma once

#include "public/variant.h"
#include "values/error_codes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace vbs {

struct Runtime;
class ClassInstance;
class ProcedureReference;

// How a member is reached: read (`x = o.m`), called as a statement (`o.m 1`), assigned
// (`o.m = 1`) or assigned with Set (`Set o.m = p`).
enum class MemberAccess : std::uint8_t { Get, Call, Let, Set };

// What every object a script holds offers: its members by name, one default member, a type
// name. Objects written in C++ (a dictionary, a regular expression) do their work in invoke();
// a script's class instance answers asInstance() and the executor runs its procedures, as
// only the executor can run script code.
class ObjectData {
public:
    virtual ~ObjectData() = default;
    // What TypeName shows.
    virtual std::u16string_view typeName() const = 0;
    // The member called `lower` (lower case), or -1 when there is none.
    virtual int memberIndex(std::u16string_view lower) const = 0;
    // The member used where the object stands for a value, or -1.
    virtual int defaultMember() const = 0;
    // Whether the default member needs an index (a collection's Item): then the object has no
    // value of its own, and VarType, IsNumeric and IsDate look at the object itself.
    virtual bool defaultNeedsIndex() const { return false; }
    // Runs a member of a C++ object with evaluated arguments. Get and Call leave the result in
    // `value`; Let and Set find the value assigned there.
    virtual Outcome invoke(Runtime& rt, int member, MemberAccess access, Variant* args,
                           std::size_t argc, Variant& value) = 0;
    // The items For Each walks, in order; a script's class is no collection.
    virtual Outcome enumerate(Runtime&, std::vector<Variant>&) { return Outcome::NotACollection; }
    virtual ClassInstance* asInstance() { return nullptr; }
    // Lets go of the script values the object holds (a dictionary's keys and items): the
    // interpreter ends, and cycles through such objects must be freed too.
    virtual void dropReferences() {}
    // Calls `visit` with each script value the object holds, for the heap's cycle finder.
    virtual void forEachHeld(const std::function<void(const Variant&)>& visit) const {
        static_cast<void>(visit);
    }
    // GetRef's result, which the executor calls.
    virtual const ProcedureReference* asProcedureReference() const { return nullptr; }
};

} // namespace vbs
