#pragma once

#include "ast.h"
#include "objects/class_def.h"
#include "public/variant.h"

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vbs {

// The script-level names that live from call to call: variables, constants and procedures.
// Entries are never removed and never move (deque), so a resolved index stays valid and a
// ByRef argument may point at an entry's value.
struct GlobalEntry {
    enum class Kind : std::uint8_t { Variable, Constant, Procedure, Class };
    Kind kind = Kind::Variable;
    // Dim'd (or a constant or procedure); an implicit variable is not, which matters only under
    // Option Explicit.
    bool declared = false;
    std::u16string name; // lower case
    Variant value;
    std::shared_ptr<Procedure> proc;
    std::shared_ptr<const ClassDef> cls;
};

class GlobalTable {
public:
    // -1 when absent.
    int find(std::u16string_view lower) const {
        const auto it = index_.find(std::u16string(lower));
        return it == index_.end() ? -1 : it->second;
    }
    int add(std::u16string lower) {
        const int i = static_cast<int>(entries_.size());
        entries_.emplace_back();
        entries_.back().name = lower;
        index_.emplace(std::move(lower), i);
        return i;
    }
    int findOrAdd(std::u16string_view lower) {
        const int i = find(lower);
        return i >= 0 ? i : add(std::u16string(lower));
    }
    std::vector<std::u16string> names() const {
        std::vector<std::u16string> out;
        out.reserve(entries_.size());
        for (const GlobalEntry& entry : entries_) {
            out.push_back(entry.name);
        }
        return out;
    }
    std::size_t size() const { return entries_.size(); }
    // Option Explicit of the script: on once a text run as a script says it, for every text
    // parsed after it (Execute's and Eval's too). The one place the setting is kept.
    bool optionExplicit = false;
    GlobalEntry& at(int i) { return entries_[static_cast<std::size_t>(i)]; }
    const GlobalEntry& at(int i) const { return entries_[static_cast<std::size_t>(i)]; }

private:
    std::deque<GlobalEntry> entries_;
    std::unordered_map<std::u16string, int> index_;
};

} // namespace vbs
