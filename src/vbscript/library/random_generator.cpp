#include "random_generator.h"

#include <cstring>

namespace vbs {

float RandomGenerator::next(double n) {
    if (n < 0) {
        // The argument's 32-bit Single pattern decides the new state, so Rnd(-x) is repeatable.
        const float f = static_cast<float>(n);
        std::uint32_t b = 0;
        std::memcpy(&b, &f, sizeof b);
        state_ = (b + (b >> 24)) & 0xFFFFFFu;
        step();
    } else if (n > 0) {
        step();
    }
    return value();
}

void RandomGenerator::setMiddleBits(std::uint32_t h) {
    const std::uint32_t middle = ((h & 0xFFFFu) << 8) ^ ((h >> 8) & 0xFFFF00u);
    state_ = (middle & 0xFFFF00u) | (state_ & 0xFFu);
}

void RandomGenerator::randomize(double seed) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    setMiddleBits(static_cast<std::uint32_t>(bits >> 32));
}

void RandomGenerator::randomizeFromTimer(float timerValue) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &timerValue, sizeof bits);
    setMiddleBits(bits);
}

} // namespace vbs
