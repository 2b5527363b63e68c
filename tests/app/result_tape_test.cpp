#include "../table_rows.h"
#include "result_tape.h"

#include <gtest/gtest.h>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

const TapeEntry kSum{u"1+1"_qs, u"2"_qs, true};
const TapeEntry kFailed{u"1/0"_qs, u"Division by zero"_qs, false};
const TapeEntry kStatement{u"!x = \"a\\b\"\n"_qs, QString(), false};

struct FileCase {
    const char* name;
    QByteArray bytes;
    QList<TapeEntry> expected;
};

class TapeFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(TapeFileTest, ReadsAsFarAsItIsSound) {
    EXPECT_EQ(parseTapeFile(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TapeFileTest,
    testing::Values(
        FileCase{
            "RoundTrip", tapeFileText({kSum, kFailed, kStatement}), {kSum, kFailed, kStatement}},
        FileCase{"CrLfLineEnds", "#Quorvix result tape\r\n>1+1\r\n=2\r\n", {kSum}},
        FileCase{"CutLastLineIsDropped",
                 "#Quorvix result tape\n>1+1\n=2\n>1/0\n!Divi",
                 {kSum, {u"1/0"_qs, QString(), false}}},
        FileCase{"BadInputDropsItsEntry", ">1\\q1\n=2\n>1+1\n=2\n", {kSum}},
        FileCase{"BadOutputDropsOnlyTheOutput", ">1+1\n=\xff\n", {{u"1+1"_qs, QString(), false}}},
        FileCase{"StrayAndUnknownLinesAreSkipped", "=5\nnoise\n#other\n>1+1\n=2\n!again\n", {kSum}},
        FileCase{"Empty", "", {}}),
    testing_rows::RowName());

TEST(ResultTapeTest, KeepsTheNewestWithinBounds) {
    ResultTape tape;
    for (int i = 0; i < ResultTape::kMaxEntries + 5; ++i) {
        tape.add({QString::number(i), QString::number(i), true});
    }
    ASSERT_EQ(tape.entries().size(), ResultTape::kMaxEntries);
    EXPECT_EQ(tape.entries().constFirst().input, u"5");
    tape.addOlder({kSum});
    EXPECT_EQ(tape.entries().constLast().input, QString::number(ResultTape::kMaxEntries + 4));
    EXPECT_EQ(tape.entries().constFirst().input, u"5"); // the older entry made room at once

    // A cut answer is no longer one: inserting it would insert a wrong number.
    tape.clear();
    tape.add({u"huge"_qs, QString(ResultTape::kMaxFieldLength + 1, u'9'), true});
    EXPECT_FALSE(tape.entries().constFirst().answered);
    EXPECT_TRUE(tape.entries().constFirst().output.endsWith(u"(cut: 65537 characters)"));
    tape.add({u" "_qs, QString(), false});
    ASSERT_EQ(tape.entries().size(), 1);
    tape.remove(0);
    tape.remove(3); // out of range: nothing
    EXPECT_TRUE(tape.entries().isEmpty());
}

TEST(ResultTapeTest, TextFormShowsAnswersErrorsAndStatements) {
    EXPECT_EQ(tapeText({kSum, kFailed, {u"!x=1"_qs, QString(), false}}),
              u"1+1\n= 2\n\n1/0\n! Division by zero\n\n!x=1\n");
    EXPECT_EQ(tapeText({}), QString());
}

} // namespace
} // namespace quorvix::app
