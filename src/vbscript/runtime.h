#pragma once

#include "convert.h"
#include "random_generator.h"

#include <string>

namespace vbs {

// What the Err object shows.
struct ErrState {
    int number = 0;
    std::u16string description;
    std::u16string source;
};

// State the built-in functions share with the interpreter.
struct Runtime {
    NumberLocale locale;
    RandomGenerator rnd;
    ErrState err;
};

} // namespace vbs
