// The input history and the result tape: their rules, their files, and the keys and menus of
// the window that keeps them.
#include "../table_rows.h"
#include "history_file.h"
#include "history_keeper.h"
#include "input_history.h"
#include "keypad_button.h"
#include "live_status.h"
#include "record_file.h"
#include "result_tape.h"
#include "tape_keeper.h"
#include "tape_window.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <utility>
#include <vector>

#include <sys/stat.h>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

using testing_support::WindowTest;

// A walk through the entries "1+1", "2*3": each step is a key with what the line holds then,
// and what the key puts in the line (nothing: the key is left to move the cursor).
enum class Arrow { Up, Down };
using enum Arrow;
struct Step {
    Arrow key;
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
            step.key == Up ? history.up(current) : history.down(current);
        if (step.expected) {
            EXPECT_EQ(got, QString::fromUtf8(step.expected)) << step.current;
        } else {
            EXPECT_EQ(got, std::nullopt) << step.current;
        }
    }
}

// clang-format off
const WalkCase kSteps[] = {
    {"UpPastOldestLeavesTheKey", {{Up, "", "2*3"}, {Up, "2*3", "1+1"}, {Up, "1+1", nullptr}}},
    {"DownAtTheDraftLeavesTheKey", {{Down, "draft", nullptr}}},
    {"EditKept", {{Up, "", "2*3"}, {Up, "2*3+4", "1+1"}, {Down, "1+1", "2*3+4"}, {Down, "2*3+4", ""}}},
    {"AnEditTakenBackIsForgotten", {{Up, "", "2*3"}, {Up, "2*3+4", "1+1"}, {Down, "1+1", "2*3+4"}, {Up, "2*3", "1+1"}, {Down, "1+1", "2*3"}}},
    {"TheTextInTheLineIsSkipped", {{Up, "2*3", "1+1"}, {Down, "1+1", "2*3"}}},
    {"NothingElseToRecall", {{Up, "1+1", "2*3"}, {Up, "2*3", "1+1"}, {Up, "1+1", nullptr}}},
};
// clang-format on
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
    std::optional<HistoryContent> expected; // nothing: not a history
};

class HistoryParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(HistoryParseTest, ReadsAsFarAsSound) {
    EXPECT_EQ(parseHistory(GetParam().bytes), GetParam().expected);
}

// Entries that need escapes in the file.
const QStringList kOdd{u"1+1"_qs, u"a\nb\r\\n"_qs, u"#1/1/2000#"_qs, u"\u03c0 \\"_qs};
const QByteArray kHead = "#Quorvix input history\n";
const ParseCase kFiles[] = {
    {"RoundTrip", historyText({kOdd, true}), HistoryContent{kOdd, true}},
    // Remembering off, the file keeps only the mark.
    {"WrittenOff", historyText({{u"1"_qs}, false}), HistoryContent{{}, false}},
    {"AsWritten", kHead + "1+1\n2*3\n", HistoryContent{{"1+1", "2*3"}, true}},
    {"Empty", "", HistoryContent{}},
    {"RememberOff", kHead + "#remember=0\n", HistoryContent{{}, false}},
    {"Escapes", kHead + "a\\nb\\\\c\\r\n\\#1#\n", HistoryContent{{"a\nb\\c\r", "#1#"}, true}},
    {"CutInTheMiddle", kHead + "1+1\n2*", HistoryContent{{"1+1"}, true}},
    {"InvalidUtf8LineSkipped", kHead + "1\n\xff\xfe\n\xe2\x82\n2\n",
     HistoryContent{{"1", "2"}, true}},
    {"UnknownEscapeSkipped", kHead + "1\n\\x\n2\\\n3\n", HistoryContent{{"1", "3"}, true}},
    {"UnknownMarksIgnored", kHead + "#remember=2\n#other\n1\n", HistoryContent{{"1"}, true}},
    {"CrLfLineEnds", "#Quorvix input history\r\n1+1\r\n2\r\n", HistoryContent{{"1+1", "2"}, true}},
    // Tab and escaped line breaks are text; NUL, DEL and C1 controls are not.
    {"ControlCharactersSkipped", kHead + QByteArray("1\0002\n\x7f\n\xc2\x85\n5\t6\n", 13),
     HistoryContent{{"5\t6"}, true}},
    {"NoHeaderIsNoHistory", "1+1\n2*3\n", std::nullopt},
    {"BinaryIsNoHistory", "\177ELF\x02\x01\n#Quorvix input history\n", std::nullopt},
    {"EmptyLinesSkipped", kHead + "\n\n1\n", HistoryContent{{"1"}, true}},
    {"Utf8Kept", kHead + "\xcf\x80\xc2\xb2\n", HistoryContent{{u"\u03c0\u00b2"_qs}, true}},
};
INSTANTIATE_TEST_SUITE_P(Files, HistoryParseTest, testing::ValuesIn(kFiles),
                         testing_rows::RowName());

// History file on disk -------------------------------------------------------------------------

// The window fixture; the file tests use only its folder.
class InputHistoryWindowTest : public WindowTest {
protected:
    QString historyPath() const { return m_dir.filePath(QStringLiteral("Quorvix-history.txt")); }
    void writeHistory(const QByteArray& bytes) const {
        testing_support::writeFile(historyPath(), bytes);
    }
    QByteArray history() const { return testing_support::fileContent(historyPath()); }
    QString tapePath() const { return m_dir.filePath(QStringLiteral("Quorvix-tape.txt")); }
    std::optional<QList<TapeEntry>> tape() const {
        return parseTapeFile(testing_support::fileContent(tapePath()));
    }
    void triggerMenuAction(const char* name) {
        const std::unique_ptr<QMenu> menu = window().inputLine()->createContextMenu({});
        QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_TRUE(action);
        action->trigger();
    }
};
using HistoryFileTest = InputHistoryWindowTest;

TEST_F(HistoryFileTest, WrittenForTheOwnerOnlyAndReadBack) {
    writeHistory("a longer text than the history\n");
    QFile::setPermissions(historyPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    const HistoryContent written{{u"1+1"_qs, u"2*3"_qs}, true};
    ASSERT_TRUE(changeRecordFile(historyPath(), kHistoryReadLimit, [&](const QByteArray& held) {
        EXPECT_EQ(held, "a longer text than the history\n");
        return historyText(written);
    }));
    EXPECT_EQ(parseHistory(history()), written);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(historyPath()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Quorvix-history.txt")}); // nor a lock file left
}

TEST_F(HistoryFileTest, HugeFileKeepsItsNewestEntries) {
    // 12 MB: the read begins part way through a line, which is dropped.
    writeHistory(kHead + QByteArray("1234567\n").repeated(3 * kHistoryReadLimit / 8) + "new\n");
    const QStringList entries =
        parseHistory(readRecordFile(historyPath(), kHistoryReadLimit))->entries;
    EXPECT_EQ(entries.size(), kHistoryReadLimit / 8);
    EXPECT_EQ(entries.constFirst(), u"1234567");
    EXPECT_EQ(entries.constLast(), u"new");
    EXPECT_EQ(readRecordFile(m_dir.path(), kHistoryReadLimit), ""); // a folder reads as empty
}

// Result tape ----------------------------------------------------------------------------------

const TapeEntry kSum{u"1+1"_qs, u"2"_qs, true};
const TapeEntry kFailed{u"1/0"_qs, u"Division by zero"_qs, false};
const TapeEntry kStatement{u"!x = \"a\\b\"\n"_qs, QString(), false};

struct FileCase {
    const char* name;
    QByteArray bytes;
    std::optional<QList<TapeEntry>> expected; // nothing: not a tape
};

class TapeFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(TapeFileTest, ReadsAsFarAsItIsSound) {
    EXPECT_EQ(parseTapeFile(GetParam().bytes), GetParam().expected);
}

const QByteArray kTapeHead = "#Quorvix result tape\n";
const FileCase kTapes[] = {
    {"RoundTrip", tapeFileText({kSum, kFailed, kStatement}), {{kSum, kFailed, kStatement}}},
    {"CrLfLineEnds", "#Quorvix result tape\r\n>1+1\r\n=2\r\n", {{kSum}}},
    {"CutLastLine", kTapeHead + ">1+1\n=2\n>1/0\n!Divi", {{kSum, {u"1/0"_qs, {}, false}}}},
    {"BadInputDropsItsEntry", kTapeHead + ">1\\q1\n=2\n>1\x01\n=2\n>1+1\n=2\n", {{kSum}}},
    {"BadOutputDropsOnlyTheOutput", kTapeHead + ">1+1\n=\xff\n", {{{u"1+1"_qs, QString(), false}}}},
    {"StrayAndUnknownLinesAreSkipped",
     kTapeHead + "=5\nnoise\n#other\n>1+1\n=2\n!again\n",
     {{kSum}}},
    {"Empty", "", QList<TapeEntry>()},
    {"NoHeaderIsNoTape", ">1+1\n=2\n", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Files, TapeFileTest, testing::ValuesIn(kTapes), testing_rows::RowName());

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

    // A long answer is kept whole; one too long to keep is a note of its length, never cut.
    tape.clear();
    const QString longAnswer(ResultTape::kMaxAnswerLength, u'9');
    tape.add({u"long"_qs, longAnswer, true});
    tape.add({u"huge"_qs, longAnswer + u'9', true});
    tape.add({u"error"_qs, QString(ResultTape::kMaxFieldLength + 1, u'!'), false});
    EXPECT_EQ(tape.entries()[0], (TapeEntry{u"long"_qs, longAnswer, true}));
    EXPECT_EQ(tape.entries()[1].output, u"An answer of 262145 characters, too long to keep");
    EXPECT_FALSE(tape.entries()[1].answered);
    EXPECT_TRUE(tape.entries()[2].output.endsWith(u"(cut: 65537 characters)"));
    tape.add({u" "_qs, QString(), false});
    ASSERT_EQ(tape.entries().size(), 3);
    tape.remove(0);
    tape.remove(3); // out of range: nothing
    EXPECT_EQ(tape.entries().size(), 2);
    // Four long answers more than fill the characters kept: the oldest goes.
    for (int i = 0; i < 4; ++i) {
        tape.add({QString::number(i), longAnswer, true});
    }
    EXPECT_EQ(tape.entries().constFirst().input, u"1");
}

TEST(ResultTapeTest, TextFormShowsAnswersErrorsAndStatements) {
    EXPECT_EQ(tapeText({kSum, kFailed, {u"!x=1"_qs, QString(), false}}),
              u"1+1\n= 2\n\n1/0\n! Division by zero\n\n!x=1\n");
    EXPECT_EQ(tapeText({}), QString());
}

// In the window -------------------------------------------------------------------------------

// Keys in the input line with "1+1" and "2*3" kept from an earlier run.
struct KeysCase {
    const char* name;
    const char* text;
    qsizetype cursor;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    const char* expectedText;
    qsizetype expectedCursor;
};

class InputHistoryKeysTest : public InputHistoryWindowTest,
                             public testing::WithParamInterface<KeysCase> {};

TEST_P(InputHistoryKeysTest, RecallOnlyWhereTheCursorCannotMove) {
    writeHistory("#Quorvix input history\n1+1\n2*3\n");
    MainWindow& main = open();
    setLine(QString::fromUtf8(GetParam().text), GetParam().cursor);
    for (const auto& [key, modifiers] : GetParam().keys) {
        QTest::keyClick(main.inputLine(), key, modifiers);
    }
    EXPECT_EQ(main.inputLine()->text(), QString::fromUtf8(GetParam().expectedText));
    EXPECT_EQ(main.inputLine()->selStart(), GetParam().expectedCursor);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
const std::pair<Qt::Key, Qt::KeyboardModifiers> kUp{Qt::Key_Up, kNone}, kDown{Qt::Key_Down, kNone};

const KeysCase kRecalls[] = {
    {"KeypadArrowRecalls", "", 0, {{Qt::Key_Up, Qt::KeypadModifier}}, "2*3", 3},
    {"DownBringsBackTheDraft", "7+", 1, {kUp, kUp, kDown, kDown}, "7+", 2},
    {"UndoBringsBackTheLine", "7+", 2, {kUp, {Qt::Key_Z, Qt::ControlModifier}}, "7+", 2},
    {"UpOnTheSecondLineMovesTheCursor", "12\n34", 4, {kUp}, "12\n34", 1},
    {"UpOnTheFirstLineRecalls", "12\n34", 1, {kUp}, "2*3", 3},
    {"DownOnTheFirstLineMovesTheCursor", "12\n34", 1, {kDown}, "12\n34", 4},
    {"DownWithoutAnUpLeavesTheCursor", "12", 1, {kDown}, "12", 1},
    {"ShiftUpSelects", "12", 2, {{Qt::Key_Up, Qt::ShiftModifier}}, "12", 0},
};
INSTANTIATE_TEST_SUITE_P(Keys, InputHistoryKeysTest, testing::ValuesIn(kRecalls),
                         testing_rows::RowName());

TEST_F(InputHistoryWindowTest, FileIsReadOnlyOnceTheWindowIsShown) {
    writeHistory(kHead + "1+1\n");
    MainWindow& main = create();
    EXPECT_TRUE(main.inputHistory().history().entries().isEmpty());
    main.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.inputHistory().history().entries().size() == 1; },
                                30000));
}

// A file of another kind in the history's or the tape's place is left as it is, and said so.
TEST_F(InputHistoryWindowTest, FilesOfAnotherKindAreLeftAlone) {
    const QByteArray binary("\x7f"
                            "ELF\x02\x01\0\n1+1\n",
                            11);
    writeHistory(binary);
    testing_support::writeFile(tapePath(), binary);
    MainWindow& main = open();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return main.outputBox()->text().contains(u"not an input history"); }));
    evaluate(u"2*3"_qs);
    main.showTape();
    EXPECT_TRUE(main.tapeWindow()->Status->text().endsWith(u"not a result tape: it is left as it "
                                                           "is, and new entries are not saved"));
    // Asked for again, the tape comes to the front.
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    main.showTape();
    EXPECT_TRUE(QTest::qWaitForWindowActive(main.tapeWindow()));
    // A screen reader hears the status line as news.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(main.tapeWindow()->Status)->role(),
              QAccessible::Notification);
    EXPECT_EQ(history(), binary);
    EXPECT_EQ(testing_support::fileContent(tapePath()), binary);
    EXPECT_EQ(main.inputHistory().history().entries(), QStringList{u"2*3"_qs});
}

// Inputs and the tape are kept across runs until the user turns remembering off; this run still
// recalls and lists them, and the next run remembers that it is off.
TEST_F(InputHistoryWindowTest, InputsAndTapeAreKeptAcrossRunsUntilForgotten) {
    MainWindow& main = open();
    evaluate(u"1+1"_qs);
    main.showTape();
    ASSERT_TRUE(main.tapeWindow()->saveAs(m_dir.filePath(u"saved.txt"_qs)));
    EXPECT_EQ(testing_support::fileContent(m_dir.filePath(u"saved.txt"_qs)), "1+1\n= 2\n");
    EXPECT_FALSE(main.tapeWindow()->saveAs(m_dir.filePath(u"no/such/folder/x.txt"_qs)));
    // A folder that takes no new files even from root, with no file there to write over.
    EXPECT_FALSE(main.tapeWindow()->saveAs(u"/sys/kernel/quorvix-tape.txt"_qs));
    evaluate(u"bad("_qs); // fails, and counts all the same
    main.inputLine()->setText(u"2*3"_qs);
    QTest::mouseClick(main.keypadKey(u"Equals"), Qt::LeftButton);
    evaluate(u"2*3"_qs);
    EXPECT_EQ(history(), "#Quorvix input history\n1+1\nbad(\n2*3\n");
    EXPECT_EQ(tape(), main.resultTape().entries());

    // The context menu from the keyboard, once.
    QSignalSpy opened(main.inputLine(), &CommandBox::contextMenuOpening);
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    });
    QTest::keyClick(main.inputLine(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(opened.count(), 1);

    // Off: the history file keeps only the mark, the tape file is emptied once and then left
    // alone.
    triggerMenuAction("rememberInputs");
    EXPECT_EQ(history(), "#Quorvix input history\n#remember=0\n");
    main.inputLine()->setText(QString());
    QTest::keyClick(main.inputLine(), Qt::Key_Up);
    EXPECT_EQ(main.inputLine()->text(), u"2*3");
    const qsizetype listed = main.tapeWindow()->Entries->count();
    evaluate(u"7"_qs);
    EXPECT_EQ(tape(), QList<TapeEntry>());
    EXPECT_EQ(main.tapeWindow()->Entries->count(), listed + 1);

    // The next run finds nothing old; on again, it keeps what comes; the menu opens the tape.
    create();
    window().show();
    QTest::keyClick(window().inputLine(), Qt::Key_Up);
    EXPECT_EQ(window().inputLine()->text(), u"");
    EXPECT_FALSE(window().inputHistory().remembering());
    triggerMenuAction("rememberInputs");
    evaluate(u"4"_qs);
    EXPECT_EQ(history(), "#Quorvix input history\n4\n");
    triggerMenuAction("resultTape");
    TapeWindow* shown = window().tapeWindow();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Entries->count(), 1);
    // Its buttons read left to right, the status line under them.
    shown->layout()->activate();
    EXPECT_LT(shown->InsertAnswer->geometry().right(), shown->InsertInput->x());
    EXPECT_GT(shown->Status->y(), shown->Save->geometry().bottom());
    EXPECT_EQ(tape(), window().resultTape().entries());
    triggerMenuAction("clearInputHistory");
    EXPECT_EQ(history(), "#Quorvix input history\n");
    window().inputLine()->setText(QString());
    QTest::keyClick(window().inputLine(), Qt::Key_Up);
    EXPECT_EQ(window().inputLine()->text(), u"");
    // Another calculator's input written after the clearing stays; turning the answer preview
    // off is written at once, as remembering is.
    writeHistory("#Quorvix input history\nother\n");
    triggerMenuAction("previewAnswers");
    EXPECT_EQ(history(), "#Quorvix input history\n#preview=0\nother\n");
    EXPECT_EQ(iniContent(), std::nullopt);
}

// The tape after "1+1", "1/0" and "2*3", with "7+" in the input line and the cursor at its end:
// a key in the tape's list (or a button) on one entry.
struct TapeCase {
    const char* name;
    int row;
    Qt::Key key; // Qt::Key_unknown: click `button` instead
    Qt::KeyboardModifiers modifiers;
    const char* button;
    const char* expectedLine;
    QStringList expectedInputs;
    const char* expectedClipboard; // nullptr: left as it was
    int chosenAfter = -1;          // the entry chosen afterwards; -1: not looked at
};

class TapeKeysTest : public InputHistoryWindowTest, public testing::WithParamInterface<TapeCase> {};

TEST_P(TapeKeysTest, ActsOnTheChosenEntry) {
    MainWindow& main = open();
    for (const QString& input : {u"1+1"_qs, u"1/0"_qs, u"2*3"_qs}) {
        evaluate(input);
    }
    setLine(u"7+"_qs, 2);
    QGuiApplication::clipboard()->setText(u"before"_qs);
    QTest::keyClick(main.inputLine(), Qt::Key_F9);
    TapeWindow* tape = main.tapeWindow();
    ASSERT_TRUE(tape);
    ASSERT_EQ(tape->Entries->count(), 3);
    EXPECT_EQ(tape->currentEntry(), 2); // the newest is chosen
    tape->Entries->setCurrentRow(GetParam().row);
    if (GetParam().key == Qt::Key_unknown) {
        tape->findChild<QPushButton*>(QString::fromLatin1(GetParam().button))->click();
    } else {
        QTest::keyClick(tape->Entries, GetParam().key, GetParam().modifiers);
    }
    EXPECT_EQ(main.inputLine()->text(), QString::fromUtf8(GetParam().expectedLine));
    QStringList inputs;
    for (const TapeEntry& entry : main.resultTape().entries()) {
        inputs.append(entry.input);
    }
    EXPECT_EQ(inputs, GetParam().expectedInputs);
    EXPECT_EQ(InputHistoryWindowTest::tape(), main.resultTape().entries()); // the file too
    EXPECT_EQ(tape->Entries->count(), inputs.size());
    if (GetParam().chosenAfter >= 0) {
        EXPECT_EQ(tape->currentEntry(), GetParam().chosenAfter);
    }
    const char* clipboard = GetParam().expectedClipboard;
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8(clipboard ? clipboard : "before"));
}

const QStringList kAll{u"1+1"_qs, u"1/0"_qs, u"2*3"_qs}, kFirstAndLast{u"1+1"_qs, u"2*3"_qs},
    kLastTwo{u"1/0"_qs, u"2*3"_qs};

const TapeCase kTapeKeys[] = {
    {"EnterInsertsTheAnswer", 2, Qt::Key_Return, kNone, "", "7+6", kAll, nullptr},
    {"ShiftEnterInsertsTheInput", 2, Qt::Key_Return, Qt::ShiftModifier, "", "7+2*3", kAll, nullptr},
    {"AnErrorHasNoAnswerToInsert", 1, Qt::Key_Enter, Qt::KeypadModifier, "", "7+", kAll, nullptr},
    {"InsertButton", 0, Qt::Key_unknown, kNone, "InsertAnswer", "7+2", kAll, nullptr},
    {"CtrlCCopiesTheEntry", 0, Qt::Key_C, Qt::ControlModifier, "", "7+", kAll, "1+1\n= 2"},
    {"DeleteRemovesTheEntry", 1, Qt::Key_Delete, kNone, "", "7+", kFirstAndLast, nullptr},
    {"DeleteTheFirstEntry", 0, Qt::Key_Delete, kNone, "", "7+", kLastTwo, nullptr},
    {"UpChoosesTheEntryAbove", 2, Qt::Key_Up, kNone, "", "7+", kAll, nullptr, 1},
};
INSTANTIATE_TEST_SUITE_P(Keys, TapeKeysTest, testing::ValuesIn(kTapeKeys), testing_rows::RowName());

// Clear all is taken back with Ctrl+Z; the file is emptied only once the window closes.
TEST_F(InputHistoryWindowTest, ClearAllCanBeTakenBackUntilTheWindowCloses) {
    MainWindow& main = open();
    evaluate(u"1+1"_qs);
    evaluate(u"2*3"_qs);
    main.showTape();
    TapeWindow* tape = main.tapeWindow();
    const QByteArray kept = testing_support::fileContent(tapePath());
    for (const int round : {0, 1}) {
        tape->ClearAll->click();
        EXPECT_EQ(tape->Entries->count(), 0);
        EXPECT_TRUE(tape->Status->text().contains(u"Ctrl+Z"));
        EXPECT_EQ(testing_support::fileContent(tapePath()), kept);
        if (round == 0) {
            QTest::keyClick(tape->Entries, Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(tape->Entries->count(), 2);
        }
    }
    tape->close();
    EXPECT_EQ(parseTapeFile(readRecordFile(tapePath(), kTapeReadLimit)), QList<TapeEntry>());
}

// A long answer is listed cut with its length, in line with the others, and is inserted whole;
// each new entry comes into view while an older one stays chosen.
TEST_F(InputHistoryWindowTest, LongAnswersAndNewEntriesAreShown) {
    MainWindow& main = open();
    for (int i = 0; i < 30; ++i) {
        evaluate(QString::number(i));
    }
    main.showTape();
    TapeWindow* tape = main.tapeWindow();
    tape->Entries->setCurrentRow(0);
    evaluate(u"String(100000,\"a\")"_qs);
    const QListWidget& list = *tape->Entries;
    EXPECT_TRUE(list.viewport()->rect().intersects(list.visualItemRect(list.item(30))));
    EXPECT_EQ(tape->currentEntry(), 0);
    EXPECT_TRUE(list.item(30)->text().startsWith(u"String(100000,\"a\")\n=\u00a0aaa"));
    EXPECT_TRUE(list.item(30)->text().endsWith(u"a\u2026 (100000 characters)"));
    tape->Entries->setCurrentRow(30);
    main.inputLine()->setText(QString());
    tape->InsertAnswer->click();
    EXPECT_EQ(main.inputLine()->text(), QString(100000, u'a'));
}

} // namespace
} // namespace quorvix::app
