#include "random_generator.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

// The first values of a run without Randomize, shown with 7 digits as VBScript shows them.
TEST(Rnd, ReproducesTheDefaultSequence) {
    Interpreter in(quickOptions());
    const char* expected[] = {"0.7055475", "0.533424", "0.5795186",
                              "0.2895625", "0.301948", "0.7747401"};
    for (const char* value : expected) {
        EXPECT_EQ(evalText(in, "Rnd"), std::string(value) + " (Single)");
    }
}

TEST(Rnd, ZeroRepeatsTheLastValue) {
    Interpreter in(quickOptions());
    // 327680 / 2^24, shown by the Single rule of 7 significant digits and 7 decimals.
    EXPECT_EQ(evalText(in, "Rnd(0)"), "1.953125E-02 (Single)");
    EXPECT_EQ(evalText(in, "Rnd(0) = 0.01953125"), "True (Boolean)");
    EXPECT_EQ(evalText(in, "Rnd(1)"), "0.7055475 (Single)");
    EXPECT_EQ(evalText(in, "Rnd(0)"), "0.7055475 (Single)");
}

TEST(Rnd, NegativeArgumentDependsOnlyOnIt) {
    Interpreter in(quickOptions());
    EXPECT_EQ(evalText(in, "Rnd(-1)"), "0.224007 (Single)");
    EXPECT_EQ(evalText(in, "Rnd(-2)"), "0.7133257 (Single)");
    EXPECT_EQ(evalText(in, "Rnd(-2) = Rnd(-2)"), "True (Boolean)");
}

TEST(Randomize, ZeroFromTheStartGivesTheMeasuredValue) {
    Interpreter in(quickOptions());
    ASSERT_EQ(execText(in, "Randomize 0"), "ok");
    EXPECT_EQ(evalText(in, "Rnd"), "0.7641413 (Single)");
}

TEST(Randomize, RepeatsAfterAReset) {
    Interpreter in(quickOptions());
    ASSERT_EQ(execText(in, "x = Rnd(-1): Randomize 123: a = Rnd"), "ok");
    ASSERT_EQ(execText(in, "x = Rnd(-1): Randomize 123: b = Rnd"), "ok");
    EXPECT_EQ(evalText(in, "a = b"), "True (Boolean)");
    // Without the reset the low bits of the state differ, and so does the value.
    ASSERT_EQ(execText(in, "Randomize 123: c = Rnd"), "ok");
    EXPECT_EQ(evalText(in, "a = c"), "False (Boolean)");
}

TEST(Randomize, AsAFunctionIsAnError) {
    Interpreter in(quickOptions());
    EXPECT_EQ(execText(in, "x = Randomize(0)"), "#13 Type mismatch");
}

TEST(RandomGenerator, StaysWithin24Bits) {
    RandomGenerator g;
    for (int i = 0; i < 1000; ++i) {
        const float v = g.next();
        EXPECT_GE(v, 0.0f);
        EXPECT_LT(v, 1.0f);
        EXPECT_LT(g.state(), 1u << 24);
    }
}

} // namespace
} // namespace vbs::test
