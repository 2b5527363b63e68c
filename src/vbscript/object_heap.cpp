#include "class_def.h"

#include <limits>

namespace vbs {
namespace {

std::size_t instanceBytes(const ClassDef& def) {
    return sizeof(ClassInstance) + static_cast<std::size_t>(def.fieldCount) * sizeof(Variant);
}

// The instance of `heap` that `v` refers to, or null.
ClassInstance* instanceIn(const Variant& v, const ObjectHeap* heap) {
    if (!v.isObject() || !v.objectPtr()) {
        return nullptr;
    }
    ClassInstance* o = v.objectPtr()->asInstance();
    return o && o->heapIs(heap) ? o : nullptr;
}

// Calls `visit` for each instance the values refer to, also through arrays. With
// `ownedOnly`, arrays that other values share are skipped: their references are not known to
// come from these values alone.
template <typename Visit>
void forEachReference(const std::vector<Variant>& values, const ObjectHeap* heap, bool ownedOnly,
                      Visit&& visit) {
    for (const Variant& v : values) {
        if (v.isArray()) {
            if (!(ownedOnly && v.isShared())) {
                forEachReference(v.asArray()->items, heap, ownedOnly, visit);
            }
        } else if (ClassInstance* o = instanceIn(v, heap)) {
            visit(o);
        }
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
    // Trial deletion: an instance that more values hold than the fields of instances do is
    // held from outside (a variable, a running procedure, an answer handed out); whatever such
    // an instance reaches lives, the rest is held only by itself.
    std::vector<Variant> freed;
    {
        const std::lock_guard lock(mutex_);
        if (madeSinceCollect_ == 0 || head_ == nullptr) {
            return;
        }
        madeSinceCollect_ = 0;
        for (ClassInstance* o = head_; o; o = o->next_) {
            const long count = o->weak_from_this().use_count();
            // One waiting for its Class_Terminate is held by the heap itself.
            o->gcRefs_ = count == 0 ? std::numeric_limits<long>::max() / 2 : count;
            o->gcReached_ = false;
        }
        for (ClassInstance* o = head_; o; o = o->next_) {
            forEachReference(o->fields, this, true, [](ClassInstance* t) { --t->gcRefs_; });
        }
        std::vector<ClassInstance*> work;
        for (ClassInstance* o = head_; o; o = o->next_) {
            if (o->gcRefs_ > 0) {
                o->gcReached_ = true;
                work.push_back(o);
            }
        }
        while (!work.empty()) {
            ClassInstance* o = work.back();
            work.pop_back();
            forEachReference(o->fields, this, false, [&work](ClassInstance* t) {
                if (!t->gcReached_) {
                    t->gcReached_ = true;
                    work.push_back(t);
                }
            });
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
    }
    // Dropped outside the lock: the instances freed take it to leave the list.
}

void ObjectHeap::track(const std::shared_ptr<ObjectData>& o) {
    const std::lock_guard lock(mutex_);
    tracked_.emplace(o.get(), o);
}

void ObjectHeap::untrack(const ObjectData* o) {
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
