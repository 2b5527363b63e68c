#include "history_keeper.h"
#include "keypad_button.h"
#include "window_fixture.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <sys/stat.h>

#include <utility>
#include <vector>

namespace quorvix::app {
namespace {

using testing_support::WindowTest;

class InputHistoryWindowTest : public WindowTest {
protected:
    QString historyPath() const { return m_dir.filePath(QStringLiteral("Quorvix-history.txt")); }
    void writeHistory(const QByteArray& bytes) const {
        QFile file(historyPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray history() const {
        QFile file(historyPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void evaluate(const QString& input) {
        window().Command->setText(input);
        QTest::keyClick(window().Command, Qt::Key_Return);
    }
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

void PrintTo(const KeysCase& c, std::ostream* os) {
    *os << c.name;
}

class InputHistoryKeysTest : public InputHistoryWindowTest,
                             public testing::WithParamInterface<KeysCase> {};

TEST_P(InputHistoryKeysTest, RecallOnlyWhereTheCursorCannotMove) {
    writeHistory("#Quorvix input history\n1+1\n2*3\n");
    MainWindow& main = open();
    main.Command->setText(QString::fromUtf8(GetParam().text));
    main.Command->setSelection(GetParam().cursor, 0);
    for (const auto& [key, modifiers] : GetParam().keys) {
        QTest::keyClick(main.Command, key, modifiers);
    }
    EXPECT_EQ(main.Command->text(), QString::fromUtf8(GetParam().expectedText));
    EXPECT_EQ(main.Command->selStart(), GetParam().expectedCursor);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, InputHistoryKeysTest,
    testing::Values(
        KeysCase{"UpRecallsTheNewest", "", 0, {{Qt::Key_Up, kNone}}, "2*3", 3},
        KeysCase{
            "UpTwiceRecallsTheOlder", "", 0, {{Qt::Key_Up, kNone}, {Qt::Key_Up, kNone}}, "1+1", 3},
        KeysCase{"KeypadArrowRecalls", "", 0, {{Qt::Key_Up, Qt::KeypadModifier}}, "2*3", 3},
        KeysCase{"DownBringsBackTheDraft",
                 "7+",
                 1,
                 {{Qt::Key_Up, kNone},
                  {Qt::Key_Up, kNone},
                  {Qt::Key_Down, kNone},
                  {Qt::Key_Down, kNone}},
                 "7+",
                 2},
        KeysCase{"UndoBringsBackTheLine",
                 "7+",
                 2,
                 {{Qt::Key_Up, kNone}, {Qt::Key_Z, Qt::ControlModifier}},
                 "7+",
                 2},
        KeysCase{
            "UpOnTheSecondLineMovesTheCursor", "12\n34", 4, {{Qt::Key_Up, kNone}}, "12\n34", 1},
        KeysCase{"UpOnTheFirstLineRecalls", "12\n34", 1, {{Qt::Key_Up, kNone}}, "2*3", 3},
        KeysCase{
            "DownOnTheFirstLineMovesTheCursor", "12\n34", 1, {{Qt::Key_Down, kNone}}, "12\n34", 4},
        KeysCase{"DownWithoutAnUpLeavesTheCursor", "12", 1, {{Qt::Key_Down, kNone}}, "12", 1},
        KeysCase{"ShiftUpSelects", "12", 2, {{Qt::Key_Up, Qt::ShiftModifier}}, "12", 0}),
    [](const testing::TestParamInfo<KeysCase>& info) { return info.param.name; });

TEST_F(InputHistoryWindowTest, FileIsReadOnlyOnceTheWindowIsShown) {
    writeHistory("1+1\n");
    MainWindow& main = create();
    EXPECT_TRUE(main.inputHistory().history().entries().isEmpty());
    main.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.inputHistory().history().entries().size() == 1; },
                                30000));
}

TEST_F(InputHistoryWindowTest, EvaluationsAreKeptOnceAcrossRunsUntilForgotten) {
    MainWindow& main = open();
    evaluate(u"1+1"_qs);
    evaluate(u"bad("_qs); // fails, and counts all the same
    main.Command->setText(u"2*3"_qs);
    QTest::mouseClick(main.Equals, Qt::LeftButton);
    evaluate(u"2*3"_qs);
    EXPECT_EQ(history(), "#Quorvix input history\n1+1\nbad(\n2*3\n");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(historyPath()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
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

    // Off: the file keeps only the mark, this run still recalls.
    triggerMenuAction("rememberInputs");
    EXPECT_EQ(history(), "#Quorvix input history\n#remember=0\n");
    main.Command->setText(QString());
    QTest::keyClick(main.Command, Qt::Key_Up);
    EXPECT_EQ(main.Command->text(), u"2*3");

    // The next run remembers that it is off; on again, it keeps what comes.
    create();
    window().show();
    QTest::keyClick(window().Command, Qt::Key_Up);
    EXPECT_EQ(window().Command->text(), u"");
    EXPECT_FALSE(window().inputHistory().remembering());
    triggerMenuAction("rememberInputs");
    evaluate(u"4"_qs);
    EXPECT_EQ(history(), "#Quorvix input history\n4\n");
    triggerMenuAction("clearInputHistory");
    EXPECT_EQ(history(), "#Quorvix input history\n");
    window().Command->setText(QString());
    QTest::keyClick(window().Command, Qt::Key_Up);
    EXPECT_EQ(window().Command->text(), u"");
}

} // namespace
} // namespace quorvix::app
