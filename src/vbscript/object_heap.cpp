#include "class_def.h"

#include <limits>

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

void ObjectHeap::collectCycles() {
    // Trial deletion: an object that more values hold than the fields of instances and the
    // values of dictionaries do is held from outside (a variable, a running procedure, an answer
    // handed out); whatever such an object reaches lives, the rest is held only by itself.
    std::vector<Variant> freed;
    std::vector<std::shared_ptr<ObjectData>> freedContainers;
    {
        const std::lock_guard lock(mutex_);
        if (madeSinceCollect_ == 0 || (head_ == nullptr && tracked_.empty())) {
            return;
        }
        madeSinceCollect_ = 0;
        // The dictionaries' scratch: references not explained, and whether one is reached. One
        // whose last reference is going (count 0) takes no part.
        struct Scratch {
            long refs;
            bool reached;
        };
        std::unordered_map<ObjectData*, Scratch> containers;
        for (const auto& [raw, weak] : tracked_) {
            if (const long count = weak.use_count(); count > 0) {
                containers.emplace(raw, Scratch{count, false});
            }
        }
        // The node `t` is, among the instances and the dictionaries of this heap; calls
        // `onInstance` or `onContainer` for it.
        const auto node = [&](ObjectData* t, auto&& onInstance, auto&& onContainer) {
            if (ClassInstance* i = t->asInstance()) {
                if (i->heapIs(this)) {
                    onInstance(i);
                }
            } else if (const auto it = containers.find(t); it != containers.end()) {
                onContainer(it->first, it->second);
            }
        };
        const auto held = [](ObjectData* o, bool ownedOnly, auto&& visit) {
            if (ClassInstance* i = o->asInstance()) {
                forEachReference(i->fields, ownedOnly, visit);
            } else {
                o->forEachHeld([&](const Variant& v) { forEachReference(v, ownedOnly, visit); });
            }
        };
        for (ClassInstance* o = head_; o; o = o->next_) {
            const long count = o->weak_from_this().use_count();
            // One waiting for its Class_Terminate is held by the heap itself.
            o->gcRefs_ = count == 0 ? std::numeric_limits<long>::max() / 2 : count;
            o->gcReached_ = false;
        }
        const auto explained = [&](ObjectData* t) {
            node(
                t, [](ClassInstance* i) { --i->gcRefs_; },
                [](ObjectData*, Scratch& c) { --c.refs; });
        };
        for (ClassInstance* o = head_; o; o = o->next_) {
            held(o, true, explained);
        }
        for (const auto& [raw, c] : containers) {
            held(raw, true, explained);
        }
        std::vector<ObjectData*> work;
        const auto reach = [&](ObjectData* t) {
            node(
                t,
                [&](ClassInstance* i) {
                    if (!i->gcReached_) {
                        i->gcReached_ = true;
                        work.push_back(i);
                    }
                },
                [&](ObjectData* o, Scratch& c) {
                    if (!c.reached) {
                        c.reached = true;
                        work.push_back(o);
                    }
                });
        };
        for (ClassInstance* o = head_; o; o = o->next_) {
            if (o->gcRefs_ > 0) {
                reach(o);
            }
        }
        for (auto& [raw, c] : containers) {
            if (c.refs > 0) {
                reach(raw);
            }
        }
        while (!work.empty()) {
            ObjectData* o = work.back();
            work.pop_back();
            held(o, false, reach);
        }
        for (ClassInstance* o = head_; o; o = o->next_) {
            if (!o->gcReached_) {
                o->terminated = true;
                for (Variant& v : o->fields) {
                    freed.push_back(std::move(v));
                }
                o->fields.assign(o->fields.size(), Variant());
            }
        }
        for (const auto& [raw, c] : containers) {
            if (!c.reached) {
                if (std::shared_ptr<ObjectData> o = tracked_.at(raw).lock()) {
                    freedContainers.push_back(std::move(o));
                }
            }
        }
    }
    // Dropped outside the lock: the objects freed take it to leave the lists.
    freed.clear();
    for (const std::shared_ptr<ObjectData>& o : freedContainers) {
        o->dropReferences();
    }
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
