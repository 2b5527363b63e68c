#pragma once

#include <cstdint>

namespace vbs {

// VBScript's Rnd: a 24-bit linear congruential generator whose values are returned as Singles.
// Reproduces the Windows sequence exactly, including how Rnd(negative) and Randomize reseed.
class RandomGenerator {
public:
    // Rnd(n): n > 0 or no argument advances, 0 repeats the last value, n < 0 reseeds from n.
    float next(double n = 1.0);
    // Randomize n: replaces the middle 16 bits of the state from n's bit pattern.
    void randomize(double seed);
    // Randomize without an argument, seeded from the time of day.
    void randomizeFromTimer(float timerValue);
    std::uint32_t state() const { return state_; }

private:
    void step() { state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFFu; }
    void setMiddleBits(std::uint32_t h);
    float value() const { return static_cast<float>(state_) / 16777216.0f; }

    std::uint32_t state_ = 327680; // 0x50000 at start
};

} // namespace vbs
