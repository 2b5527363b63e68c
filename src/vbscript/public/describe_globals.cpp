#include "interpreter.h"

#include "objects/object.h"
#include "syntax/global_table.h"

namespace vbs {
namespace {

std::u16string parameterList(const Procedure& procedure) {
    std::u16string list = u"(";
    for (const Parameter& parameter : procedure.params) {
        if (list.size() > 1) {
            list += u", ";
        }
        if (!parameter.byRef) {
            list += u"ByVal ";
        }
        list += parameter.name;
    }
    return list + u")";
}

} // namespace

std::vector<GlobalSummary> Interpreter::describeGlobals() const {
    std::vector<GlobalSummary> summaries;
    summaries.reserve(globals_->size());
    for (std::size_t i = 0; i < globals_->size(); ++i) {
        const GlobalEntry& entry = globals_->at(static_cast<int>(i));
        GlobalSummary summary;
        summary.name = entry.name;
        switch (entry.kind) {
        case GlobalEntry::Kind::Variable:
        case GlobalEntry::Kind::Constant:
            summary.kind = entry.kind == GlobalEntry::Kind::Variable
                               ? GlobalSummary::Kind::Variable
                               : GlobalSummary::Kind::Constant;
            summary.value = entry.value;
            if (const ObjectData* object =
                    entry.value.isObject() ? entry.value.objectPtr() : nullptr) {
                summary.className = object->typeName();
            }
            break;
        case GlobalEntry::Kind::Procedure:
            summary.kind = GlobalSummary::Kind::Procedure;
            if (entry.proc) {
                summary.isFunction = entry.proc->isFunction;
                summary.parameters = parameterList(*entry.proc);
            }
            break;
        case GlobalEntry::Kind::Class:
            summary.kind = GlobalSummary::Kind::Class;
            if (entry.cls) {
                summary.name = entry.cls->name;
            }
            break;
        }
        summaries.push_back(std::move(summary));
    }
    return summaries;
}

} // namespace vbs
