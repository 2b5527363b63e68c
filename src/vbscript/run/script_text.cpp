#include "executor.h"

#include "library/builtins_eval.h"
#include "objects/procedure_reference.h"
#include "syntax/caller_scope.h"
#include "syntax/parser.h"

// Eval, Execute and ExecuteGlobal (script text parsed and run while a script runs), and GetRef.
namespace vbs {
namespace {

// What the syntax tree of a text may take per character of it. While a text runs this much is
// held in the memory budget, so that Execute nested in the text it runs, of long texts, ends in
// "Out of memory" instead of exhausting the machine ("x=1:" builds a few hundred bytes).
constexpr std::size_t kTreeBytesPerChar = 64;
// What one variable name a text makes takes (its entry, its text, its place in the index).
// Script-level names are never removed, so those a script makes with ExecuteGlobal in a loop
// are counted in the budget for good and stop at its limit.
constexpr std::size_t kNameBytes = 256;

// Bytes held in a budget for as long as it lives.
class BudgetHold {
public:
    BudgetHold(MemoryBudget& budget, std::size_t bytes) : budget_(budget), bytes_(bytes) {
        budget_.add(bytes_);
    }
    ~BudgetHold() { budget_.remove(bytes_); }
    BudgetHold(const BudgetHold&) = delete;
    BudgetHold& operator=(const BudgetHold&) = delete;

private:
    MemoryBudget& budget_;
    std::size_t bytes_;
};

} // namespace

Outcome Executor::callScriptBuiltin(ScriptBuiltin which, Variant& argument, Variant& out) {
    if (which == ScriptBuiltin::GetRef) {
        return procedureReference(argument, out);
    }
    std::u16string text = VBS_TRY_VALUE(toText(argument, rt_.locale));
    out = Variant();
    return runText(text, which == ScriptBuiltin::Eval, which == ScriptBuiltin::ExecuteGlobal, out);
}

Outcome Executor::runText(const std::u16string& text, bool expression, bool global, Variant& out) {
    const std::size_t treeBytes = text.size() * kTreeBytesPerChar;
    if (!rt_.budget->allows(treeBytes)) {
        return Outcome::OutOfMemory;
    }
    const BudgetHold hold(*rt_.budget, treeBytes);
    // A text that runs Execute again nests like a call.
    if (callDepth_ >= limits::kMaxCallDepth || stack_.exhausted()) {
        return Outcome::OutOfStack;
    }
    // Execute and Eval see the running procedure's variables; ExecuteGlobal, and both at the
    // script level, the global ones only.
    CallerScope scope;
    const bool inProcedure = !global && frame_->proc;
    if (inProcedure) {
        scope.proc = frame_->proc;
        scope.cls = frame_->me ? &frame_->me->def() : nullptr;
        scope.locals = frame_->proc->localNames;
        scope.slotCount = frame_->proc->slotCount;
        if (frame_->textLocals) {
            scope.locals.insert(frame_->textLocals->names.begin(), frame_->textLocals->names.end());
            scope.slotCount += static_cast<std::int32_t>(frame_->textLocals->values.size());
        }
    }
    const std::size_t namesBefore = globals_.size();
    Parser parser(text, globals_, stackEnd_, rt_.budget);
    if (inProcedure) {
        parser.runInside(scope);
    }
    ParseResult parsed = expression ? parser.parseExpression() : parser.parseStatements();
    if (parsed.error != Outcome::Normal) {
        // A syntax error in the text is a run-time error of the call, with its own number.
        return parsed.error;
    }
    rt_.budget->add((globals_.size() - namesBefore) * kNameBytes);
    for (std::shared_ptr<Procedure>& p : parsed.replaced) {
        if (p->running > 0) {
            retired_.push_back(std::move(p));
        }
    }
    if (expression && !parsed.expression) {
        return Outcome::Normal; // an empty text is Empty
    }
    return runParsedText(parsed.expression.get(), parsed.statements, inProcedure ? &scope : nullptr,
                         out);
}

Outcome Executor::runParsedText(const Expr* expression, const Block& statements, CallerScope* scope,
                                Variant& out) {
    Frame f;
    f.withBase = withObjects_.size();
    std::vector<Variant*> slots;
    if (scope) {
        // The procedure's own slots, then the variables texts made in this call of it.
        const Procedure& p = *frame_->proc;
        f.proc = &p;
        f.me = frame_->me;
        const auto own = static_cast<std::size_t>(p.slotCount);
        const auto total = static_cast<std::size_t>(scope->slotCount);
        // Shared with the frame of the call itself, so that its later texts see them.
        if (!frame_->textLocals) {
            frame_->textLocals = std::make_shared<TextLocals>(rt_.budget);
        }
        f.textLocals = frame_->textLocals;
        TextLocals& extra = *f.textLocals;
        const std::size_t added = total - own - extra.values.size();
        rt_.budget->add(added * kNameBytes);
        extra.counted += added * kNameBytes;
        extra.values.resize(total - own);
        for (const auto& [name, slot] : scope->locals) {
            if (static_cast<std::size_t>(slot) >= own) {
                extra.names.emplace(name, slot);
            }
        }
        slots.assign(frame_->slots, frame_->slots + own);
        for (Variant& v : extra.values) {
            slots.push_back(&v);
        }
        f.slots = slots.data();
        for (const auto& [slot, value] : scope->constants) {
            *slots[static_cast<std::size_t>(slot)] = value;
        }
    }
    Frame* caller = frame_;
    enterFrame(f);
    ++callDepth_;
    const Outcome o = expression ? eval(*expression, out) : execBlock(statements);
    --callDepth_;
    enterFrame(*caller);
    if (!isError(o)) {
        return Outcome::Normal;
    }
    // The failure lies in the text: the caller's source shows the call.
    errors_.expressionPos = kNoPosition;
    return o;
}

Outcome Executor::procedureReference(const Variant& name, Variant& out) {
    std::u16string text = VBS_TRY_VALUE(toText(name, rt_.locale));
    const int g = globals_.find(lowerAscii(text));
    if (g < 0 || globals_.at(g).kind != GlobalEntry::Kind::Procedure) {
        return Outcome::InvalidCall;
    }
    out = Variant::object(std::make_shared<ProcedureReference>(globals_.at(g).proc));
    return Outcome::Normal;
}

Outcome Executor::callReference(const ProcedureReference& ref, const std::vector<ExprPtr>& args,
                                std::size_t first, Variant& out) {
    return callProcedure(ref.procedure(), args, first, &out);
}

} // namespace vbs
