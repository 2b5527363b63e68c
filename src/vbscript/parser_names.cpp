#include "parser.h"

#include "builtins.h"

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
    topDims_.push_back(name.name);
}

void Parser::resolveAll() {
    // Procedures and script-level declarations first: a name may be used above its Dim or
    // its Function, as VBScript hoists both.
    for (const auto& def : classes_) {
        GlobalEntry& g = globals_.at(globals_.findOrAdd(def->lowerName));
        g.kind = GlobalEntry::Kind::Class;
        g.declared = true;
        g.value = Variant();
        g.proc.reset();
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
        g.proc.reset();
    }
    for (Expr* e : topPending_) {
        resolve(*e, nullptr);
    }
    for (const auto& scope : procs_) {
        for (Expr* e : scope->pending) {
            resolve(*e, scope.get());
        }
    }
}

void Parser::resolve(Expr& e, ProcScope* scope) {
    if (scope) {
        const Procedure& p = *scope->proc;
        // Inside Function f, "f(...)" calls f again while a bare "f" is its result.
        const bool recursiveCall = e.hasParens && p.isFunction && e.name == p.name;
        if (!recursiveCall) {
            const auto it = scope->locals.find(e.name);
            if (it != scope->locals.end()) {
                e.scope = Scope::Local;
                e.index = it->second;
                return;
            }
        }
        // In a class's procedure the class's own members come next.
        if (scope->cls) {
            const std::int32_t m = scope->cls->find(e.name);
            if (m >= 0) {
                e.scope = Scope::Member;
                e.index = m;
                return;
            }
        }
    }
    const int g = globals_.find(e.name);
    if (g >= 0) {
        const GlobalEntry& entry = globals_.at(g);
        if (entry.kind != GlobalEntry::Kind::Variable || entry.declared || !optionExplicit_) {
            e.scope = Scope::Global;
            e.index = g;
            e.global = &globals_.at(g);
            return;
        }
    }
    const int b = findBuiltin(e.name);
    if (b >= 0) {
        e.scope = Scope::Builtin;
        e.index = b;
        return;
    }
    if (optionExplicit_) {
        e.scope = Scope::Undefined;
        return;
    }
    if (scope) {
        // An undeclared name in a procedure is a variable of that procedure.
        const std::int32_t slot = scope->proc->slotCount++;
        scope->locals.emplace(e.name, slot);
        e.scope = Scope::Local;
        e.index = slot;
        return;
    }
    e.scope = Scope::Global;
    e.index = globals_.add(e.name);
    e.global = &globals_.at(e.index);
}

} // namespace vbs
