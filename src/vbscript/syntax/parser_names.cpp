#include "parser.h"

#include "caller_scope.h"
#include "library/builtins.h"
#include "library/builtins_eval.h"

#include <unordered_set>

namespace vbs {

// Dim and ReDim declare a name in the current scope. Inside a procedure the slot is made at
// once; at script level the global entry is made only when the whole text has parsed, so that
// a text with a syntax error declares nothing.
void Parser::declare(Expr& name) {
    if (proc_) {
        auto [it, added] = proc_->locals.try_emplace(name.name, proc_->proc->slotCount);
        if (added) {
            ++proc_->proc->slotCount;
        }
        return;
    }
    if (caller_) {
        if (caller_->locals.try_emplace(name.name, caller_->slotCount).second) {
            ++caller_->slotCount;
        }
        return;
    }
    topDims_.push_back(name.name);
}

void Parser::checkClassNames() const {
    // Every script-level name this text declares, but its classes.
    std::unordered_set<std::u16string> others(topDims_.begin(), topDims_.end());
    for (const auto& [name, value] : topConsts_) {
        others.insert(name);
    }
    for (const auto& scope : procs_) {
        if (!scope->cls) {
            others.insert(scope->proc->name);
        }
    }
    std::unordered_set<std::u16string> classNames;
    for (const auto& def : classes_) {
        const int g = globals_.find(def->lowerName);
        const GlobalEntry* before = g >= 0 ? &globals_.at(g) : nullptr;
        const bool declaredBefore =
            before && ((before->kind == GlobalEntry::Kind::Variable && before->declared) ||
                       before->kind == GlobalEntry::Kind::Constant);
        if (declaredBefore || others.count(def->lowerName) != 0) {
            fail(Outcome::NameRedefined);
        }
        classNames.insert(def->lowerName);
    }
    // Dim of a name an earlier text made a class (and this one does not redefine).
    for (const std::u16string& name : topDims_) {
        const int g = globals_.find(name);
        if (g >= 0 && globals_.at(g).kind == GlobalEntry::Kind::Class &&
            classNames.count(name) == 0) {
            fail(Outcome::NameRedefined);
        }
    }
}

void Parser::retire(GlobalEntry& g) {
    if (g.proc) {
        replaced_.push_back(std::move(g.proc));
    }
    g.proc.reset();
}

void Parser::resolveAll() {
    // Nothing is defined when a name clashes, as a failed parse defines nothing.
    checkClassNames();
    // Procedures and script-level declarations first: a name may be used above its Dim or
    // its Function, as VBScript hoists both.
    for (const auto& def : classes_) {
        GlobalEntry& g = globals_.at(globals_.findOrAdd(def->lowerName));
        g.kind = GlobalEntry::Kind::Class;
        g.declared = true;
        g.value = Variant();
        retire(g);
        g.cls = def;
    }
    for (const auto& scope : procs_) {
        if (scope->cls) {
            continue; // a class's procedures are reached through its instances
        }
        const int i = globals_.findOrAdd(scope->proc->name);
        GlobalEntry& g = globals_.at(i);
        g.kind = GlobalEntry::Kind::Procedure;
        g.declared = true;
        g.value = Variant();
        retire(g);
        g.proc = scope->proc;
    }
    for (const std::u16string& name : topDims_) {
        GlobalEntry& g = globals_.at(globals_.findOrAdd(name));
        if (g.kind == GlobalEntry::Kind::Variable) {
            g.declared = true;
        }
    }
    for (auto& [name, value] : topConsts_) {
        GlobalEntry& g = globals_.at(globals_.findOrAdd(name));
        g.kind = GlobalEntry::Kind::Constant;
        g.declared = true;
        g.value = value;
        retire(g);
    }
    resolvePending(topPending_, nullptr);
    for (const auto& scope : procs_) {
        resolvePending(scope->pending, scope.get());
        scope->proc->localNames = scope->locals;
    }
}

namespace {

// "f(1)" or "f 1" (a call, or an array's element): unknown, it names a procedure that text given
// to Execute may define later, so it is global, not a new local variable.
bool callForm(const Expr& e) {
    return e.hasParens || !e.args.empty();
}

// A procedure's own names: its variables and parameters, then, in a class's procedure, the
// class's members. Inside Function f, "f(...)" calls f again while a bare "f" is its result.
bool resolveLocally(Expr& e, const Procedure& p,
                    const std::unordered_map<std::u16string, std::int32_t>& locals,
                    const ClassDef* cls) {
    const bool recursiveCall = e.hasParens && p.isFunction && e.name == p.name;
    if (const auto it = locals.find(e.name); it != locals.end() && !recursiveCall) {
        e.scope = Scope::Local;
        e.index = it->second;
        return true;
    }
    if (cls) {
        if (const std::int32_t m = cls->find(e.name); m >= 0) {
            e.scope = Scope::Member;
            e.index = m;
            return true;
        }
    }
    return false;
}

} // namespace

void Parser::resolvePending(const std::vector<Expr*>& names, ProcScope* scope) {
    // Plain names first: a variable assigned anywhere in the scope is a local before a call
    // form of the same name is looked at.
    for (Expr* e : names) {
        if (!callForm(*e)) {
            resolve(*e, scope);
        }
    }
    for (Expr* e : names) {
        if (callForm(*e)) {
            resolve(*e, scope);
        }
    }
}

bool Parser::resolveInCaller(Expr& e) {
    return resolveLocally(e, *caller_->proc, caller_->locals, caller_->cls);
}

// A name is looked up where VBScript looks: the procedure's own variables and parameters, then
// (in a class's procedure) the class's members, then script-level names, then the built-in
// functions. A name found nowhere is a new variable where it is used, unless Option Explicit
// asks for declarations (error 500 when it is reached).
void Parser::resolve(Expr& e, ProcScope* scope) {
    if (!scope && caller_ && resolveInCaller(e)) {
        return;
    }
    if ((scope && resolveLocally(e, *scope->proc, scope->locals, scope->cls.get())) ||
        resolveAtScriptLevel(e)) {
        return;
    }
    if (optionExplicit_ || definesNothing_) {
        e.scope = Scope::Undefined;
        return;
    }
    makeVariable(e, scope);
}

// Script-level names (under Option Explicit only declared variables), then built-ins.
bool Parser::resolveAtScriptLevel(Expr& e) {
    const int g = globals_.find(e.name);
    if (g >= 0) {
        const GlobalEntry& entry = globals_.at(g);
        if (entry.kind != GlobalEntry::Kind::Variable || entry.declared || !optionExplicit_) {
            e.scope = Scope::Global;
            e.index = g;
            e.global = &globals_.at(g);
            return true;
        }
    }
    const int b = findBuiltin(e.name);
    if (b >= 0) {
        const BuiltinInfo& info = builtinAt(b);
        e.scope = Scope::Builtin;
        e.index = b;
        e.builtinOnOneValue = e.args.size() == 1 && info.minArgs <= 1 && info.maxArgs >= 1 &&
                              scriptBuiltin(info.fn) == ScriptBuiltin::None &&
                              !readsElementValues(info.fn);
        return true;
    }
    return false;
}

// An undeclared name used as a variable belongs to the procedure it is used in (or, for text
// that Execute runs inside a procedure, to that call); at script level, and when called, it is
// global.
void Parser::makeVariable(Expr& e, ProcScope* scope) {
    if (scope && !callForm(e)) {
        const std::int32_t slot = scope->proc->slotCount++;
        scope->locals.emplace(e.name, slot);
        e.scope = Scope::Local;
        e.index = slot;
        return;
    }
    if (caller_ && !callForm(e)) {
        e.scope = Scope::Local;
        e.index = caller_->slotCount++;
        caller_->locals.emplace(e.name, e.index);
        return;
    }
    e.scope = Scope::Global;
    e.index = globals_.add(e.name);
    e.global = &globals_.at(e.index);
}

} // namespace vbs
