#include "interpreter.h"

#include <gtest/gtest.h>

TEST(Smoke, Basic) {
    vbs::Interpreter in;
    auto v = in.eval(u"1+2");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->asInt(), 3);
}
