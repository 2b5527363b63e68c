#include "executor.h"
#include "executor_inline.h"

#include "library/builtins.h"
#include "limits/script_limits.h"
#include "objects/create_object.h"
#include "objects/procedure_reference.h"

// Objects: New, members of class instances, default members, With, calls or subscripts applied
// to a value ("x(0)(1)"), and the end of instances (Class_Terminate).

namespace vbs {

namespace {

const std::vector<ExprPtr> kNoArguments;

std::int32_t rememberMember(const Expr& e, const ClassInstance& instance) {
    e.cachedClass = &instance.def();
    e.cachedClassAlive = instance.sharedDef();
    e.cachedMember = instance.def().find(e.name);
    e.cachedMethod = e.cachedMember >= 0 ? instance.def()
                                               .members[static_cast<std::size_t>(e.cachedMember)]
                                               .methodWithParameters()
                                         : nullptr;
    return e.cachedMember;
}

// Instances of one class answer the same index for a name: the site `e` remembers it. The
// check is inlined into each method call's path, the look-up is not (measured: as a call,
// method22-o of bench/instruction_counts.sh takes 3 % more instructions).
[[gnu::always_inline]] inline std::int32_t memberAtSite(const Expr& e,
                                                        const ClassInstance& instance) {
    if (siteKnowsClass(e, instance)) {
        return e.cachedMember;
    }
    return rememberMember(e, instance);
}

bool isAssignment(MemberAccess access) {
    return access == MemberAccess::Let || access == MemberAccess::Set;
}

// The procedure a member runs for an access: a read or call takes the Property Get, else the
// Sub or Function; Let and Set take their own property, and a Sub or Function cannot be
// assigned to. A property without the procedure for the access (assigning one that has only
// a Get) is a wrong number of arguments.
Outcome memberProcedure(const ClassMember& m, MemberAccess access, const Procedure*& p) {
    switch (access) {
    case MemberAccess::Get:
    case MemberAccess::Call:
        p = m.reader();
        break;
    case MemberAccess::Let:
    case MemberAccess::Set:
        if (m.method) {
            return Outcome::NoSuchMember;
        }
        p = access == MemberAccess::Let ? m.let.get() : m.set.get();
        break;
    }
    return p ? Outcome::Normal : Outcome::WrongArgCount;
}

} // namespace

Outcome Executor::evalNew(const Expr& e, Variant& out) {
    const int g = globals_.find(e.name);
    if (g < 0 || globals_.at(g).kind != GlobalEntry::Kind::Class) {
        return newNativeObject(rt_, e.name, out);
    }
    const std::shared_ptr<const ClassDef>& def = globals_.at(g).cls;
    std::shared_ptr<ClassInstance> o = heap_.make(def);
    if (!o) {
        return Outcome::OutOfMemory;
    }
    // Member arrays declared with sizes start with their Empty elements.
    for (const ClassMember& m : def->members) {
        if (m.field < 0 || !m.isArray) {
            continue;
        }
        auto data = std::make_shared<ArrayData>(rt_.budget);
        std::size_t total = 1;
        for (const std::int32_t upper : m.bounds) {
            if (upper < -1 || static_cast<std::size_t>(upper) >= limits::kMaxArrayElements) {
                return Outcome::OutOfMemory;
            }
            data->bounds.push_back(ArrayBound{upper});
            total *= static_cast<std::size_t>(upper + 1);
            if (total > limits::kMaxArrayElements) {
                return Outcome::OutOfMemory;
            }
        }
        if (m.bounds.empty()) {
            total = 0;
        }
        VBS_TRY(sizeArray(*data, total));
        data->fixed = !m.bounds.empty();
        o->fields[static_cast<std::size_t>(m.field)] = Variant::array(std::move(data));
    }
    if (def->initialize) {
        VBS_TRY(callProcedure(*def->initialize, kNoArguments, 0, nullptr, o.get(), nullptr));
    }
    out = Variant::object(std::move(o));
    return Outcome::Normal;
}

Outcome Executor::evalWithObject(Variant& out) {
    if (withObjects_.size() <= frame_->withBase) {
        return Outcome::InvalidWithReference;
    }
    out = withObjects_.back();
    return Outcome::Normal;
}

Outcome Executor::execWith(const WithStmt& s) {
    Variant object;
    VBS_TRY(eval(*s.object, object));
    withObjects_.push_back(std::move(object));
    const Outcome f = execBlock(s.body);
    withObjects_.pop_back();
    return f;
}

Outcome Executor::evalMember(const Expr& e, MemberAccess access, Variant& value) {
    const Expr& object = *e.args[0];
    if (object.kind == ExprKind::Name && object.scope == Scope::Builtin && !object.hasParens &&
        object.name == u"err") {
        return errMember(e, access, value);
    }
    // An instance held by a plain variable is used where it lies, held by a copy of the
    // variable's reference while its procedure runs (the call may replace the variable).
    // Anything else is evaluated into a copy, which holds it, and also keeps a native object
    // alive while its arguments run.
    // Me.m, and a variable that holds the instance whose procedure runs (o.m inside o's own
    // method), use it where it is: the call of that procedure holds it. Me still counts its
    // step, as when it is evaluated.
    Variant storage;
    std::shared_ptr<ObjectData> hold;
    const bool me = object.kind == ExprKind::Me && frame_->me;
    const Variant* ref = me ? nullptr : valueInPlace(object);
    ObjectData* o = ref && ref->isObject() ? ref->objectPtr() : nullptr;
    ClassInstance* instance = o ? o->asInstance() : nullptr;
    if (me) {
        VBS_TRY(evaluationMayStart());
        instance = frame_->me;
    } else if (instance) {
        if (instance != frame_->me) {
            hold = ref->asObject();
        }
    } else {
        VBS_TRY(eval(object, storage));
        if (!storage.isObject()) {
            return Outcome::ObjectRequired;
        }
        o = storage.objectPtr();
        if (!o) {
            return Outcome::ObjectNotSet;
        }
        instance = o->asInstance();
    }
    if (!instance) {
        const std::int32_t member = o->memberIndex(e.name);
        return member >= 0 ? invokeMember(*o, member, access, e.args, 1, value)
                           : Outcome::NoSuchMember;
    }
    const std::int32_t member = memberAtSite(e, *instance);
    if (member < 0) {
        return Outcome::NoSuchMember;
    }
    return invokeHeldClassMember(*instance, member, access, e.args, 1, value);
}

// Me.m read or called: evalMember's way for Me, without its look at other kinds of object. It
// counts no step of its own: a procedure's call counts one (runCall), and reading a class
// variable is like reading any variable.
Outcome Executor::evalMeMember(const Expr& e, Variant& out) {
    ClassInstance* self = frame_->me;
    if (!self) {
        VBS_TRY(evaluationMayStart());
        return evalMember(e, MemberAccess::Get, out);
    }
    const std::int32_t member = memberAtSite(e, *self);
    if (member < 0) {
        return Outcome::NoSuchMember;
    }
    return invokeHeldClassMember(*self, member, MemberAccess::Get, e.args, 1, out);
}

Outcome Executor::invokeMember(ObjectData& o, std::int32_t member, MemberAccess access,
                               const std::vector<ExprPtr>& args, std::size_t first,
                               Variant& value) {
    if (ClassInstance* instance = o.asInstance()) {
        return invokeClassMember(*instance, member, access, args, first, value);
    }
    const std::size_t n = args.size() - first;
    std::vector<Variant> argv(n);
    for (std::size_t i = 0; i < n; ++i) {
        VBS_TRY(eval(*args[first + i], argv[i]));
    }
    return o.invoke(rt_, member, access, argv.data(), n, value);
}

Outcome Executor::invokeClassMember(ClassInstance& o, std::int32_t member, MemberAccess access,
                                    const std::vector<ExprPtr>& args, std::size_t first,
                                    Variant& value) {
    // The call may drop the last other reference to the object (Set x = Nothing inside it).
    const std::shared_ptr<ClassInstance> hold = o.shared_from_this();
    return invokeHeldClassMember(o, member, access, args, first, value);
}

Outcome Executor::invokeOwnMember(std::int32_t member, MemberAccess access,
                                  const std::vector<ExprPtr>& args, Variant& value) {
    return invokeHeldClassMember(*frame_->me, member, access, args, 0, value);
}

// Me's class is the one whose procedure holds the name, so the member's slot was fixed when
// the source was read; the procedure a read takes is looked up there.
Outcome Executor::callOwnMember(const Expr& e, Variant& out) {
    ClassInstance& self = *frame_->me;
    const ClassMember& m = self.def().members[static_cast<std::size_t>(e.index)];
    if (const Procedure* p = m.methodWithParameters()) {
        return callOwnMethod(*p, e, self, out);
    }
    VBS_TRY(evaluationMayStart());
    return evalName(e, out);
}

// Inlined into its callers: a method call on a variable (evalMember) is a hot path. Measured:
// as a call, method22 of bench/instruction_counts.sh takes 2.5 % more instructions.
[[gnu::always_inline]] inline Outcome
Executor::invokeHeldClassMember(ClassInstance& o, std::int32_t member, MemberAccess access,
                                const std::vector<ExprPtr>& args, std::size_t first,
                                Variant& value) {
    const ClassMember& m = o.def().members[static_cast<std::size_t>(member)];
    // Private members are reachable from the class's own procedures only.
    if (!m.isPublic && !(frame_->me && &frame_->me->def() == &o.def())) {
        return Outcome::NoSuchMember;
    }
    if (m.field >= 0) {
        return accessField(o.fields[static_cast<std::size_t>(m.field)], access, args, first, value);
    }
    const Procedure* p = nullptr;
    VBS_TRY(memberProcedure(m, access, p));
    if (isAssignment(access)) {
        return callProcedure(*p, args, first, nullptr, &o, &value);
    }
    // A property or function without parameters, given arguments, indexes its result:
    // "o.items(1)" where items returns an array.
    if (p->params.empty() && args.size() > first) {
        Variant result;
        VBS_TRY(callProcedure(*p, kNoArguments, 0, &result, &o, nullptr));
        return applyArguments(result, args, first, value);
    }
    return callMethod(*p, args, first, o, value);
}

// A class variable read or assigned as a whole, or given arguments: an array variable is
// indexed (o.list(2) = v), any other value has its arguments applied to a copy when read
// (o.handler(1) calls the object the variable holds) and cannot be assigned through them.
Outcome Executor::accessField(Variant& field, MemberAccess access, const std::vector<ExprPtr>& args,
                              std::size_t first, Variant& value) {
    Variant* target = &field;
    if (args.size() > first) {
        if (!field.isArray()) {
            if (isAssignment(access)) {
                return Outcome::TypeMismatch;
            }
            Variant callee = field;
            return applyArguments(callee, args, first, value);
        }
        VBS_TRY(element(field, args, first, target));
    }
    if (isAssignment(access)) {
        // An array assigned is the variable's own copy, as arrays are values.
        if (value.isArray() && value.isShared()) {
            value = value.copied();
        }
        *target = std::move(value);
    } else {
        value = *target;
    }
    return Outcome::Normal;
}

Outcome Executor::applyArguments(Variant& callee, const std::vector<ExprPtr>& args,
                                 std::size_t first, Variant& out) {
    if (callee.isArray()) {
        Variant* item = nullptr;
        VBS_TRY(element(callee, args, first, item));
        out = *item;
        return Outcome::Normal;
    }
    if (callee.isObject()) {
        ObjectData* o = callee.objectPtr();
        if (!o) {
            return Outcome::ObjectNotSet;
        }
        if (const ProcedureReference* ref = o->asProcedureReference()) {
            const Variant hold = callee;
            return callReference(*ref, args, first, out);
        }
        const int d = o->defaultMember();
        if (d < 0) {
            return Outcome::NoSuchMember;
        }
        const Variant hold = callee;
        return invokeMember(*o, d, MemberAccess::Get, args, first, out);
    }
    return Outcome::TypeMismatch;
}

// The values become literals of a call site of their own, so that the call binds them as it binds
// any expression: by value, even to a ByRef parameter.
Outcome Executor::ValueCaller::callWithValues(const Variant& callee, const Variant* args,
                                              std::size_t count, Variant& out) {
    std::vector<ExprPtr> site;
    site.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto literal = std::make_unique<Expr>();
        literal->value = args[i];
        site.push_back(std::move(literal));
    }
    Variant held = callee;
    return x_.applyArguments(held, site, 0, out);
}

Outcome Executor::evalCallExpr(const Expr& e, Variant& out) {
    Variant callee;
    VBS_TRY(eval(*e.args[0], callee));
    return applyArguments(callee, e.args, 1, out);
}

Outcome Executor::toValue(Variant& v) {
    // A default member may itself give an object: follow a few, as a chain of defaults does.
    for (int hops = 0; v.isObject() && hops < 8; ++hops) {
        ObjectData* o = v.objectPtr();
        if (!o) {
            return Outcome::ObjectNotSet;
        }
        const int d = o->defaultMember();
        if (d < 0) {
            return Outcome::NoSuchMember;
        }
        const Variant hold = v;
        Variant result;
        VBS_TRY(invokeMember(*o, d, MemberAccess::Get, kNoArguments, 0, result));
        v = std::move(result);
    }
    return v.isObject() ? Outcome::NoSuchMember : Outcome::Normal;
}

Outcome Executor::evalValue(const Expr& e, Variant& out) {
    VBS_TRY(eval(e, out));
    return out.isObject() ? toValue(out) : Outcome::Normal;
}

Outcome Executor::assignMember(const Expr& target, MemberAccess access, Variant& value) {
    if (target.kind == ExprKind::Member) {
        return evalMember(target, access, value);
    }
    return invokeOwnMember(target.index, access, target.args, value);
}

void Executor::runTerminations() {
    if (runningTerminations_) {
        return; // the loop below takes the ones released meanwhile
    }
    runningTerminations_ = true;
    // The error under way, if the script raised its own, is kept for its capture.
    ErrState raised = errors_.raised;
    const std::size_t statementPos = errors_.statementPos;
    const std::size_t expressionPos = errors_.expressionPos;
    while (std::shared_ptr<ClassInstance> o = heap_.nextToTerminate()) {
        // An error in Class_Terminate has nobody to go to: it only ends that procedure.
        static_cast<void>(
            callProcedure(*o->def().terminate, kNoArguments, 0, nullptr, o.get(), nullptr));
    }
    errors_.raised = std::move(raised);
    errors_.statementPos = statementPos;
    errors_.expressionPos = expressionPos;
    runningTerminations_ = false;
}

void Executor::finishRun() {
    withObjects_.clear();
    retired_.clear();
    runTerminations();
    heap_.collectCycles();
}

} // namespace vbs
