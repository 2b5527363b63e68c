#pragma once

#include "line_state.h"

#include <QStringView>
#include <array>

namespace quorvix::keypad {

// The five memories are plain variables of the script engine; the store and recall buttons
// with Index n (1 to 5) stand for the n-th of these names.
inline constexpr std::array<QStringView, 5> kMemoryNames{u"x", u"y", u"z", u"c", u"k"};

// The name of memory `index` (1 to 5); empty for any other index.
QStringView memoryName(int index);

// The store key: the line becomes "!" name "=" and the whole previous text, untrimmed and
// whatever was selected; the cursor goes to 0 as after any replacement of the whole text. The
// window then evaluates it in statement mode, which selects the whole line.
// An index outside 1..5 changes nothing but bringing a stale cursor or selection into range.
LineState storeInMemory(const LineState& state, int index);

// The recall key inserts the memory's name at the cursor (it is resolved only on evaluation).
// An index outside 1..5 changes nothing but bringing a stale cursor or selection into range.
LineState recallMemory(const LineState& state, int index);

} // namespace quorvix::keypad
