#include "library/random_generator.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

// Values are shown with 7 digits as VBScript shows a Single.
const ScriptCase kRandom[] = {
    {"DefaultSequence", "a = Rnd: b = Rnd: c = Rnd: d = Rnd: e = Rnd",
     "a & \" \" & b & \" \" & c & \" \" & d & \" \" & e & \" \" & Rnd",
     "\"0.7055475 0.533424 0.5795186 0.2895625 0.301948 0.7747401\" (String)"},
    // 327680 / 2^24, shown by the Single rule of 7 significant digits and 7 decimals.
    {"ZeroFromTheStart", "", "Rnd(0)", "1.953125E-02 (Single)"},
    {"ZeroFromTheStartIsExact", "", "Rnd(0) = 0.01953125", "True (Boolean)"},
    {"ZeroRepeatsTheLastValue", "x = Rnd(1)", "Rnd(0) & \" \" & x",
     "\"0.7055475 0.7055475\" (String)"},
    {"NegativeArgumentDependsOnlyOnIt", "a = Rnd(-1): b = Rnd(-2)",
     "a & \" \" & b & \" \" & (Rnd(-2) = Rnd(-2))", "\"0.224007 0.7133257 True\" (String)"},
    {"RandomizeZeroFromTheStart", "Randomize 0", "Rnd", "0.7641413 (Single)"},
    // Without the reset the low bits of the state differ, and so does the value.
    {"RandomizeRepeatsAfterAReset",
     "x = Rnd(-1): Randomize 123: a = Rnd\nx = Rnd(-1): Randomize 123: b = Rnd\nRandomize 123: c = "
     "Rnd",
     "(a = b) & (a = c)", "\"TrueFalse\" (String)"},
    {"RandomizeAsAFunctionIsAnError", "x = Randomize(0)", "1", "#13 Type mismatch"},
};

INSTANTIATE_TEST_SUITE_P(Random, ScriptTable, testing::ValuesIn(kRandom), RowName());

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
