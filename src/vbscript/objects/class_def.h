#pragma once

#include "object.h"
#include "public/memory_budget.h"
#include "syntax/ast.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace vbs {

// One member of a script class: a variable, a Sub or Function, or a property with any of its
// Get, Let and Set procedures.
struct ClassMember {
    std::u16string name; // lower case
    bool isPublic = true;
    // A variable: its index in the instance's fields; -1 for a procedure or property.
    std::int32_t field = -1;
    // A variable declared as an array: the upper bounds it starts with (none for `Dim a()`).
    bool isArray = false;
    std::vector<std::int32_t> bounds;
    std::shared_ptr<Procedure> method; // Sub or Function
    std::shared_ptr<Procedure> get;
    std::shared_ptr<Procedure> let;
    std::shared_ptr<Procedure> set;

    // What a read or a call of the member runs: its Property Get, else its Sub or Function.
    const Procedure* reader() const { return get ? get.get() : method.get(); }
    // That procedure when it is one that takes arguments; null for a variable or otherwise.
    const Procedure* methodWithParameters() const {
        const Procedure* p = field < 0 ? reader() : nullptr;
        return p && !p->params.empty() ? p : nullptr;
    }
};

// A Class ... End Class, as parsed. Instances share it; a later definition of the same name
// makes a new one, and instances made before keep theirs.
struct ClassDef {
    std::u16string name; // as written, for TypeName
    std::u16string lowerName;
    std::vector<ClassMember> members;
    std::unordered_map<std::u16string, std::int32_t> index;
    std::int32_t defaultMember = -1;
    std::int32_t fieldCount = 0;
    std::shared_ptr<Procedure> initialize;
    std::shared_ptr<Procedure> terminate;

    std::int32_t find(std::u16string_view lower) const {
        const auto it = index.find(std::u16string(lower));
        return it == index.end() ? -1 : it->second;
    }
};

class ObjectHeap;
struct CycleGraph;

// An object made by New. Its fields hold the member variables.
class ClassInstance final : public ObjectData, public std::enable_shared_from_this<ClassInstance> {
public:
    ClassInstance(std::shared_ptr<const ClassDef> def, std::shared_ptr<ObjectHeap> heap);
    ~ClassInstance() override;
    ClassInstance(const ClassInstance&) = delete;
    ClassInstance& operator=(const ClassInstance&) = delete;

    std::u16string_view typeName() const override { return def_->name; }
    int memberIndex(std::u16string_view lower) const override { return def_->find(lower); }
    int defaultMember() const override { return def_->defaultMember; }
    Outcome invoke(Runtime&, int, MemberAccess, Variant*, std::size_t, Variant&) override {
        return Outcome::NoSuchMember; // the executor runs a class's procedures
    }
    ClassInstance* asInstance() override { return this; }

    const ClassDef& def() const { return *def_; }
    const std::shared_ptr<const ClassDef>& sharedDef() const { return def_; }
    bool heapIs(const ObjectHeap* heap) const { return heap_.get() == heap; }
    std::vector<Variant> fields;
    // Class_Terminate has run or must not run (the interpreter is gone, or a cycle was broken).
    bool terminated = false;

private:
    friend class ObjectHeap;
    std::shared_ptr<const ClassDef> def_;
    std::shared_ptr<ObjectHeap> heap_;
    // The heap's list of live instances.
    ClassInstance* prev_ = nullptr;
    ClassInstance* next_ = nullptr;
};

// The instances of one interpreter. It counts them in the memory budget, holds back those
// whose Class_Terminate must run (an object is released deep inside an assignment, where no
// script may run; the executor runs them after the statement), and finds reference cycles.
//
// Cycles: VBScript counts references, so two objects that point at each other live on. Here,
// after each evaluation the heap looks for groups of instances held only by each other (every
// reference to them comes from their own fields) and empties their fields, which frees them
// without Class_Terminate. This costs a walk over the live instances once per evaluation that
// made new ones, and keeps a long session's memory from growing with every cycle it makes.
class ObjectHeap : public std::enable_shared_from_this<ObjectHeap> {
public:
    explicit ObjectHeap(Budget budget) : budget_(std::move(budget)) {}

    // A new instance of `def`, counted; null when the memory budget refuses it.
    std::shared_ptr<ClassInstance> make(std::shared_ptr<const ClassDef> def);
    // An instance whose Class_Terminate is due, alive again for it to run; null when none.
    std::shared_ptr<ClassInstance> nextToTerminate();
    bool hasTerminating() const { return hasTerminating_.load(std::memory_order_relaxed); }
    // Frees the instances that only reference cycles keep alive.
    void collectCycles();
    // The interpreter ends: no Class_Terminate runs any more, and every instance's fields are
    // emptied so that cycles are freed too.
    void close();
    std::size_t liveCount() const;
    // Objects written in C++ that hold script values (dictionaries): the cycle finder and
    // close() take them in too.
    void track(const std::shared_ptr<ObjectData>& o);
    void untrack(ObjectData* o);

private:
    friend class ClassInstance;
    // The instances and dictionaries with their reference counts, for collectCycles.
    CycleGraph cycleGraph() const;
    void link(ClassInstance* o);
    void unlink(ClassInstance* o);
    // The last reference to `o` went away.
    void release(ClassInstance* o);
    void destroy(ClassInstance* o);

    Budget budget_;
    mutable std::mutex mutex_;
    ClassInstance* head_ = nullptr;
    std::size_t live_ = 0;
    std::size_t madeSinceCollect_ = 0;
    bool open_ = true;
    std::vector<ClassInstance*> terminating_;
    std::atomic<bool> hasTerminating_{false};
    // Instances being deleted, and whether a destroy() call is deleting them.
    std::vector<ClassInstance*> doomed_;
    bool destroying_ = false;
    std::unordered_map<ObjectData*, std::weak_ptr<ObjectData>> tracked_;
};

} // namespace vbs
