#include "class_def.h"

#include <limits>
#include <unordered_map>
#include <vector>

namespace vbs {
namespace {

std::size_t instanceBytes(const ClassDef& def) {
    return sizeof(ClassInstance) + static_cast<std::size_t>(def.fieldCount) * sizeof(Variant);
}

// Calls `visit` for each object the value refers to, also through arrays. With `ownedOnly`,
// arrays that other values share are skipped: their references are not known to come from
// these values alone.
template <typename Visit> void forEachReference(const Variant& v, bool ownedOnly, Visit&& visit) {
    if (v.isArray()) {
        if (!(ownedOnly && v.isShared())) {
            for (const Variant& item : v.asArray()->items) {
                forEachReference(item, ownedOnly, visit);
            }
        }
    } else if (v.isObject() && v.objectPtr()) {
        visit(v.objectPtr());
    }
}

template <typename Visit>
void forEachReference(const std::vector<Variant>& values, bool ownedOnly, Visit&& visit) {
    for (const Variant& v : values) {
        forEachReference(v, ownedOnly, visit);
    }
}

} // namespace

ClassInstance::ClassInstance(std::shared_ptr<const ClassDef> def, std::shared_ptr<ObjectHeap> heap)
    : fields(static_cast<std::size_t>(def->fieldCount)), def_(std::move(def)),
      heap_(std::move(heap)) {
    heap_->link(this);
}

ClassInstance::~ClassInstance() {
    heap_->unlink(this);
}

std::shared_ptr<ClassInstance> ObjectHeap::make(std::shared_ptr<const ClassDef> def) {
    const std::size_t bytes = instanceBytes(*def);
    if (budget_ && !budget_->allows(bytes)) {
        return nullptr;
    }
    auto* raw = new ClassInstance(std::move(def), shared_from_this());
    // The deleter keeps the heap alive while it decides, as the instance may hold its last
    // reference.
    return std::shared_ptr<ClassInstance>(raw, [](ClassInstance* o) {
        const std::shared_ptr<ObjectHeap> heap = o->heap_;
        heap->release(o);
    });
}

void ObjectHeap::link(ClassInstance* o) {
    const std::lock_guard lock(mutex_);
    o->next_ = head_;
    if (head_) {
        head_->prev_ = o;
    }
    head_ = o;
    ++live_;
    ++madeSinceCollect_;
    if (budget_) {
        budget_->add(instanceBytes(o->def()));
    }
}

void ObjectHeap::unlink(ClassInstance* o) {
    const std::lock_guard lock(mutex_);
    (o->prev_ ? o->prev_->next_ : head_) = o->next_;
    if (o->next_) {
        o->next_->prev_ = o->prev_;
    }
    --live_;
    if (budget_) {
        budget_->remove(instanceBytes(o->def()));
    }
}

void ObjectHeap::release(ClassInstance* o) {
    {
        const std::lock_guard lock(mutex_);
        if (open_ && !o->terminated && o->def().terminate) {
            terminating_.push_back(o);
            hasTerminating_.store(true, std::memory_order_relaxed);
            return;
        }
    }
    destroy(o);
}

void ObjectHeap::destroy(ClassInstance* o) {
    // Deleting an instance releases what its fields hold, which may delete the next one of a
    // long chain: those wait in a list for the first call's loop, so a chain of a million
    // objects does not take a million nested calls.
    {
        const std::lock_guard lock(mutex_);
        doomed_.push_back(o);
        if (destroying_) {
            return;
        }
        destroying_ = true;
    }
    for (;;) {
        ClassInstance* next = nullptr;
        {
            const std::lock_guard lock(mutex_);
            if (doomed_.empty()) {
                destroying_ = false;
                return;
            }
            next = doomed_.back();
            doomed_.pop_back();
        }
        delete next;
    }
}

std::shared_ptr<ClassInstance> ObjectHeap::nextToTerminate() {
    ClassInstance* o = nullptr;
    {
        const std::lock_guard lock(mutex_);
        if (terminating_.empty()) {
            return nullptr;
        }
        o = terminating_.back();
        terminating_.pop_back();
        hasTerminating_.store(!terminating_.empty(), std::memory_order_relaxed);
    }
    o->terminated = true;
    return std::shared_ptr<ClassInstance>(o, [](ClassInstance* p) {
        const std::shared_ptr<ObjectHeap> heap = p->heap_;
        heap->release(p);
    });
}

std::size_t ObjectHeap::liveCount() const {
    const std::lock_guard lock(mutex_);
    return live_;
}

// The objects of one heap as the cycle search sees them: class instances and dictionaries alike.
// `refs` starts as the number of references to the object and loses one for each reference
// from another node's fields or values: what is left comes from outside (a variable, a running
// procedure, an answer handed out).
struct CycleGraph {
    struct Node {
        ObjectData* object;
        long refs;
        bool reached;
    };
    std::vector<Node> nodes;
    std::unordered_map<ObjectData*, std::size_t> indexOf;

    void add(ObjectData* object, long refs) {
        indexOf.emplace(object, nodes.size());
        nodes.push_back(Node{object, refs, false});
    }
    Node* find(ObjectData* object) {
        const auto it = indexOf.find(object);
        return it == indexOf.end() ? nullptr : &nodes[it->second];
    }
};

namespace {

// Calls `visit` with each object that `o`'s fields (an instance) or values (a dictionary) hold.
template <typename Visit> void forEachHeldObject(ObjectData* o, bool ownedOnly, Visit&& visit) {
    if (ClassInstance* i = o->asInstance()) {
        forEachReference(i->fields, ownedOnly, visit);
    } else {
        o->forEachHeld([&](const Variant& v) { forEachReference(v, ownedOnly, visit); });
    }
}

// Marks what the nodes held from outside reach, following fields and values.
void markReachable(CycleGraph& graph) {
    std::vector<ObjectData*> work;
    const auto reach = [&](ObjectData* o) {
        if (CycleGraph::Node* n = graph.find(o); n && !n->reached) {
            n->reached = true;
            work.push_back(o);
        }
    };
    for (const CycleGraph::Node& n : graph.nodes) {
        if (n.refs > 0) {
            reach(n.object);
        }
    }
    while (!work.empty()) {
        ObjectData* o = work.back();
        work.pop_back();
        forEachHeldObject(o, false, reach);
    }
}

} // namespace

// Trial deletion: an object that more values hold than the fields of instances and the values of
// dictionaries do is held from outside; whatever such an object reaches lives, the rest is held
// only by itself and is freed: an unreached instance's fields are emptied (its Class_Terminate
// does not run, as it cannot be known to be safe in a cycle), an unreached dictionary lets go of
// its keys and items.
void ObjectHeap::collectCycles() {
    std::vector<Variant> freed;
    std::vector<std::shared_ptr<ObjectData>> freedContainers;
    {
        const std::lock_guard lock(mutex_);
        if (madeSinceCollect_ == 0 || (head_ == nullptr && tracked_.empty())) {
            return;
        }
        madeSinceCollect_ = 0;
        CycleGraph graph = cycleGraph();
        for (const CycleGraph::Node& n : graph.nodes) {
            forEachHeldObject(n.object, true, [&](ObjectData* o) {
                if (CycleGraph::Node* target = graph.find(o)) {
                    --target->refs;
                }
            });
        }
        markReachable(graph);
        for (const CycleGraph::Node& n : graph.nodes) {
            if (n.reached) {
                continue;
            }
            if (ClassInstance* i = n.object->asInstance()) {
                i->terminated = true;
                for (Variant& v : i->fields) {
                    freed.push_back(std::move(v));
                }
                i->fields.assign(i->fields.size(), Variant());
            } else if (std::shared_ptr<ObjectData> o = tracked_.at(n.object).lock()) {
                freedContainers.push_back(std::move(o));
            }
        }
    }
    // Dropped outside the lock: the objects freed take it to leave the lists.
    freed.clear();
    for (const std::shared_ptr<ObjectData>& o : freedContainers) {
        o->dropReferences();
    }
}

// The heap's instances and its live dictionaries, each with its count of references. An
// instance waiting for its Class_Terminate is held by the heap itself; a dictionary whose last
// reference is going (count 0) takes no part.
CycleGraph ObjectHeap::cycleGraph() const {
    CycleGraph graph;
    for (ClassInstance* o = head_; o; o = o->next_) {
        const long count = o->weak_from_this().use_count();
        graph.add(o, count == 0 ? std::numeric_limits<long>::max() / 2 : count);
    }
    for (const auto& [raw, weak] : tracked_) {
        if (const long count = weak.use_count(); count > 0) {
            graph.add(raw, count);
        }
    }
    return graph;
}

void ObjectHeap::track(const std::shared_ptr<ObjectData>& o) {
    const std::lock_guard lock(mutex_);
    tracked_.emplace(o.get(), o);
    ++madeSinceCollect_;
}

void ObjectHeap::untrack(ObjectData* o) {
    const std::lock_guard lock(mutex_);
    tracked_.erase(o);
}

void ObjectHeap::close() {
    std::vector<Variant> freed;
    std::vector<ClassInstance*> waiting;
    std::vector<std::shared_ptr<ObjectData>> containers;
    {
        const std::lock_guard lock(mutex_);
        open_ = false;
        for (const auto& [raw, weak] : tracked_) {
            if (std::shared_ptr<ObjectData> o = weak.lock()) {
                containers.push_back(std::move(o));
            }
        }
        for (ClassInstance* o = head_; o; o = o->next_) {
            o->terminated = true;
            for (Variant& v : o->fields) {
                freed.push_back(std::move(v));
            }
            o->fields.assign(o->fields.size(), Variant());
        }
        waiting.swap(terminating_);
        hasTerminating_.store(false, std::memory_order_relaxed);
    }
    freed.clear();
    // Emptied outside the lock: what they let go of may leave the heap's lists.
    for (const std::shared_ptr<ObjectData>& o : containers) {
        o->dropReferences();
    }
    containers.clear();
    for (ClassInstance* o : waiting) {
        destroy(o);
    }
}

} // namespace vbs
