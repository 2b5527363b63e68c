#include "../table_rows.h"
#include "file_helpers.h"
#include "history_keeper.h"
#include "keypad_button.h"
#include "tape_keeper.h"
#include "tape_window.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <utility>
#include <vector>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

using testing_support::WindowTest;

class InputHistoryWindowTest : public WindowTest {
protected:
    QString historyPath() const { return m_dir.filePath(QStringLiteral("Quorvix-history.txt")); }
    void writeHistory(const QByteArray& bytes) const {
        testing_support::writeFile(historyPath(), bytes);
    }
    QByteArray history() const { return testing_support::fileContent(historyPath()); }
    void triggerMenuAction(const char* name) {
        const std::unique_ptr<QMenu> menu = window().Command->createContextMenu({});
        QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_TRUE(action);
        action->trigger();
    }
};

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
        QTest::keyClick(main.Command, key, modifiers);
    }
    EXPECT_EQ(main.Command->text(), QString::fromUtf8(GetParam().expectedText));
    EXPECT_EQ(main.Command->selStart(), GetParam().expectedCursor);
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
    writeHistory("1+1\n");
    MainWindow& main = create();
    EXPECT_TRUE(main.inputHistory().history().entries().isEmpty());
    main.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.inputHistory().history().entries().size() == 1; },
                                30000));
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
    evaluate(u"bad("_qs); // fails, and counts all the same
    main.Command->setText(u"2*3"_qs);
    QTest::mouseClick(main.Equals, Qt::LeftButton);
    evaluate(u"2*3"_qs);
    EXPECT_EQ(history(), "#Quorvix input history\n1+1\nbad(\n2*3\n");
    const QString tapePath = m_dir.filePath(u"Quorvix-tape.txt"_qs);
    EXPECT_EQ(readTapeFile(tapePath), main.resultTape().entries());
    EXPECT_EQ(iniContent(), std::nullopt);

    // The context menu from the keyboard, once.
    QSignalSpy opened(main.Command, &CommandBox::contextMenuOpening);
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    });
    QTest::keyClick(main.Command, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(opened.count(), 1);

    // Off: the history file keeps only the mark, the tape file is emptied once and then left
    // alone.
    triggerMenuAction("rememberInputs");
    EXPECT_EQ(history(), "#Quorvix input history\n#remember=0\n");
    main.Command->setText(QString());
    QTest::keyClick(main.Command, Qt::Key_Up);
    EXPECT_EQ(main.Command->text(), u"2*3");
    const qsizetype listed = main.tapeWindow()->Entries->count();
    evaluate(u"7"_qs);
    EXPECT_EQ(readTapeFile(tapePath), QList<TapeEntry>());
    EXPECT_EQ(main.tapeWindow()->Entries->count(), listed + 1);

    // The next run finds nothing old; on again, it keeps what comes; the menu opens the tape.
    create();
    window().show();
    QTest::keyClick(window().Command, Qt::Key_Up);
    EXPECT_EQ(window().Command->text(), u"");
    EXPECT_FALSE(window().inputHistory().remembering());
    triggerMenuAction("rememberInputs");
    evaluate(u"4"_qs);
    EXPECT_EQ(history(), "#Quorvix input history\n4\n");
    triggerMenuAction("resultTape");
    ASSERT_TRUE(window().tapeWindow());
    EXPECT_EQ(window().tapeWindow()->Entries->count(), 1);
    EXPECT_EQ(readTapeFile(tapePath), window().resultTape().entries());
    triggerMenuAction("clearInputHistory");
    EXPECT_EQ(history(), "#Quorvix input history\n");
    window().Command->setText(QString());
    QTest::keyClick(window().Command, Qt::Key_Up);
    EXPECT_EQ(window().Command->text(), u"");
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
    QTest::keyClick(main.Command, Qt::Key_F9);
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
    EXPECT_EQ(main.Command->text(), QString::fromUtf8(GetParam().expectedLine));
    QStringList inputs;
    for (const TapeEntry& entry : main.resultTape().entries()) {
        inputs.append(entry.input);
    }
    EXPECT_EQ(inputs, GetParam().expectedInputs);
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
    {"CopyAll", 0, Qt::Key_unknown, kNone, "CopyAll", "7+", kAll,
     "1+1\n= 2\n\n1/0\n! Division by zero\n\n2*3\n= 6\n"},
    {"DeleteRemovesTheEntry", 1, Qt::Key_Delete, kNone, "", "7+", kFirstAndLast, nullptr},
    {"DeleteTheFirstEntry", 0, Qt::Key_Delete, kNone, "", "7+", kLastTwo, nullptr},
    {"ClearAll", 1, Qt::Key_unknown, kNone, "ClearAll", "7+", {}, nullptr},
    {"UpChoosesTheEntryAbove", 2, Qt::Key_Up, kNone, "", "7+", kAll, nullptr, 1},
};
INSTANTIATE_TEST_SUITE_P(Keys, TapeKeysTest, testing::ValuesIn(kTapeKeys), testing_rows::RowName());

} // namespace
} // namespace quorvix::app
