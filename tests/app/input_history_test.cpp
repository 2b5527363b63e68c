#include "../table_rows.h"
#include "file_helpers.h"
#include "history_file.h"
#include "input_history.h"
#include "result_tape.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

// A walk through the entries "1+1", "2*3": each step is a key with what the line holds then,
// and what the key puts in the line (nothing: the key is left to move the cursor).
struct Step {
    int direction; // -1 Up, +1 Down
    const char* current;
    const char* expected; // nullptr: nothing recalled
};

struct WalkCase {
    const char* name;
    std::vector<Step> steps;
};

class InputHistoryWalkTest : public testing::TestWithParam<WalkCase> {};

TEST_P(InputHistoryWalkTest, RecallsAndKeepsWhatWasTyped) {
    InputHistory history;
    history.add(u"1+1"_qs);
    history.add(u"2*3"_qs);
    for (const Step& step : GetParam().steps) {
        const QString current = QString::fromUtf8(step.current);
        const std::optional<QString> got =
            step.direction < 0 ? history.up(current) : history.down(current);
        if (step.expected) {
            EXPECT_EQ(got, QString::fromUtf8(step.expected)) << step.current;
        } else {
            EXPECT_EQ(got, std::nullopt) << step.current;
        }
    }
}

const WalkCase kSteps[] = {
    {"UpPastOldestLeavesTheKey", {{-1, "", "2*3"}, {-1, "2*3", "1+1"}, {-1, "1+1", nullptr}}},
    {"DownBringsTheDraftBack",
     {{-1, "draft", "2*3"}, {-1, "2*3", "1+1"}, {1, "1+1", "2*3"}, {1, "2*3", "draft"}}},
    {"DownAtTheDraftLeavesTheKey", {{1, "draft", nullptr}}},
    {"AnEditedEntryIsKept",
     {{-1, "", "2*3"}, {-1, "2*3+4", "1+1"}, {1, "1+1", "2*3+4"}, {1, "2*3+4", ""}}},
    {"AnEditTakenBackIsForgotten",
     {{-1, "", "2*3"},
      {-1, "2*3+4", "1+1"},
      {1, "1+1", "2*3+4"},
      {-1, "2*3", "1+1"},
      {1, "1+1", "2*3"}}},
    {"TheTextInTheLineIsSkipped", {{-1, "2*3", "1+1"}, {1, "1+1", "2*3"}}},
    {"NothingElseToRecall", {{-1, "1+1", "2*3"}, {-1, "2*3", "1+1"}, {-1, "1+1", nullptr}}},
};
INSTANTIATE_TEST_SUITE_P(Steps, InputHistoryWalkTest, testing::ValuesIn(kSteps),
                         testing_rows::RowName());

struct AddCase {
    const char* name;
    QStringList added;
    QStringList expected;
};

class InputHistoryAddTest : public testing::TestWithParam<AddCase> {};

TEST_P(InputHistoryAddTest, RecordsEachInputOnce) {
    InputHistory history;
    for (const QString& input : GetParam().added) {
        history.add(input);
    }
    EXPECT_EQ(history.entries(), GetParam().expected);
    // Read back from a file the same rules apply.
    InputHistory loaded;
    loaded.addOlder(GetParam().added);
    EXPECT_EQ(loaded.entries(), GetParam().expected);
}

const AddCase kInputs[] = {
    {"RepeatOfNewestNotAdded", {"1", "1", "2", "1"}, {"1", "2", "1"}},
    {"BlankNotAdded", {"", "  ", "\n", "1"}, {"1"}},
    {"TextKeptAsTyped", {" 2(3) ", "a\nb"}, {" 2(3) ", "a\nb"}},
    {"OverlongNotAdded", {"1", QString(InputHistory::kMaxEntryLength + 1, u'7')}, {"1"}},
};
INSTANTIATE_TEST_SUITE_P(Inputs, InputHistoryAddTest, testing::ValuesIn(kInputs),
                         testing_rows::RowName());

TEST(InputHistoryLimitTest, KeepsTheNewestThousandAndAMegaCharacter) {
    InputHistory history;
    for (int i = 0; i < 1005; ++i) {
        history.add(QString::number(i));
    }
    ASSERT_EQ(history.entries().size(), 1000);
    EXPECT_EQ(history.entries().constFirst(), u"5");
    EXPECT_EQ(history.entries().constLast(), u"1004");
    for (int i = 0; i < 20; ++i) {
        history.add(QString(InputHistory::kMaxEntryLength, QChar(u'a' + i)));
    }
    EXPECT_EQ(history.entries().size(), 16); // 16 * 65,536 characters fill the megacharacter
    EXPECT_EQ(history.entries().constLast().front(), QChar(u'a' + 19));
}

// History file text ----------------------------------------------------------------------------

struct ParseCase {
    const char* name;
    QByteArray bytes;
    QStringList entries;
    bool remember;
};

class HistoryParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(HistoryParseTest, ReadsAsFarAsSound) {
    const HistoryContent content = parseHistory(GetParam().bytes);
    EXPECT_EQ(content.entries, GetParam().entries);
    EXPECT_EQ(content.remember, GetParam().remember);
}

const ParseCase kFiles[] = {
    {"AsWritten", "#Quorvix input history\n1+1\n2*3\n", {"1+1", "2*3"}, true},
    {"Empty", "", {}, true},
    {"RememberOff", "#Quorvix input history\n#remember=0\n", {}, false},
    {"Escapes", "a\\nb\\\\c\\r\n\\#1#\n", {"a\nb\\c\r", "#1#"}, true},
    {"CutInTheMiddle", "1+1\n2*", {"1+1"}, true},
    {"InvalidUtf8LineSkipped", "1\n\xff\xfe\n\xe2\x82\n2\n", {"1", "2"}, true},
    {"UnknownEscapeSkipped", "1\n\\x\n2\\\n3\n", {"1", "3"}, true},
    {"UnknownMarksIgnored", "#remember=2\n#other\n1\n", {"1"}, true},
    {"CrLfLineEnds", "1+1\r\n2\r\n", {"1+1", "2"}, true},
    {"NulKept", QByteArray("1\0002\n", 4), {QString(u"1\u00002"_qs)}, true},
    {"EmptyLinesSkipped", "\n\n1\n", {"1"}, true},
    {"Utf8Kept", "\xcf\x80\xc2\xb2\n", {u"\u03c0\u00b2"_qs}, true},
};
INSTANTIATE_TEST_SUITE_P(Files, HistoryParseTest, testing::ValuesIn(kFiles),
                         testing_rows::RowName());

TEST(HistoryTextTest, EntriesComeBackAsTheyWere) {
    const HistoryContent content{{u"1+1"_qs, u"a\nb\r\\n"_qs, u"#1/1/2000#"_qs, u"\u03c0 \\"_qs},
                                 true};
    EXPECT_EQ(parseHistory(historyText(content)), content);
    EXPECT_EQ(historyText({{u"1"_qs}, false}), "#Quorvix input history\n#remember=0\n");
}

// History file on disk -------------------------------------------------------------------------

class HistoryFileTest : public testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Quorvix-history.txt")); }
    QTemporaryDir m_dir;
};

TEST_F(HistoryFileTest, WrittenForTheOwnerOnlyAndReadBack) {
    testing_support::writeFile(path(), "a longer text than the history\n");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    const HistoryContent written{{u"1+1"_qs, u"2*3"_qs}, true};
    ASSERT_TRUE(writeHistoryFile(path(), written));
    EXPECT_EQ(readHistoryFile(path()), written);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Quorvix-history.txt")});
}

TEST_F(HistoryFileTest, HugeFileIsReadOnlyUpToTheLimit) {
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray lines = QByteArray("1+1\n2*3\n").repeated(1 << 16); // 512 KiB
    for (qsizetype written = 0; written <= kHistoryReadLimit; written += lines.size()) {
        file.write(lines);
    }
    file.close();
    EXPECT_EQ(readHistoryFile(path()).entries.size(), kHistoryReadLimit / 4);
    EXPECT_EQ(readHistoryFile(m_dir.path()).entries.size(), 0); // a folder reads as empty
}

using HistoryFileDeathTest = HistoryFileTest;

TEST_F(HistoryFileDeathTest, CutWriteLeavesTheOldFile) {
    ASSERT_TRUE(writeHistoryFile(path(), {{u"1+1"_qs}, true}));
    testing_support::expectCutWriteLeavesTheOldFile(path(), [this] {
        return writeHistoryFile(path(), {{u"2*3"_qs, u"4-5"_qs}, true});
    });
}

// Result tape ----------------------------------------------------------------------------------

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

const FileCase kTapeFiles[] = {
    {"RoundTrip", tapeFileText({kSum, kFailed, kStatement}), {kSum, kFailed, kStatement}},
    {"CrLfLineEnds", "#Quorvix result tape\r\n>1+1\r\n=2\r\n", {kSum}},
    {"CutLastLine", "#Quorvix result tape\n>1+1\n=2\n>1/0\n!Divi", {kSum, {u"1/0"_qs, {}, false}}},
    {"BadInputDropsItsEntry", ">1\\q1\n=2\n>1+1\n=2\n", {kSum}},
    {"BadOutputDropsOnlyTheOutput", ">1+1\n=\xff\n", {{u"1+1"_qs, QString(), false}}},
    {"StrayAndUnknownLinesAreSkipped", "=5\nnoise\n#other\n>1+1\n=2\n!again\n", {kSum}},
    {"Empty", "", {}},
};
INSTANTIATE_TEST_SUITE_P(Files, TapeFileTest, testing::ValuesIn(kTapeFiles),
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
