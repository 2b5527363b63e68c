// Finding past work: Ctrl+R in the input line, on a window whose history holds four inputs, and
// the result tape's filter.
#include "history_search.h"
#include "tape_window.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <vector>

namespace quorvix::app {
namespace {

using testing_support::WindowTest;

enum class Step { SearchKey, Backspace, Enter, Esc };
struct Key {
    Step step;
    const char* typed = nullptr; // typed characters instead of a step
};
Key typed(const char* text) {
    return {Step::SearchKey, text};
}

struct SearchRow {
    const char* name;
    std::vector<Key> keys;
    const char* line;   // the input line afterwards
    bool searching;     // the search is still on
    const char* status; // what the search line says, while on
};

const SearchRow kSearchRows[] = {
    {"NewestMatchFirst", {{Step::SearchKey}, typed("12")}, "5*12", true, "Search inputs: 12"},
    {"CtrlRGoesOlder",
     {{Step::SearchKey}, typed("12"), {Step::SearchKey}},
     "12+1",
     true,
     "Search inputs: 12"},
    {"NoOlderMatchKeepsTheLast",
     {{Step::SearchKey}, typed("12"), {Step::SearchKey}, {Step::SearchKey}},
     "12+1",
     true,
     "No older input holds \"12\""},
    {"NoMatchKeepsTheDraft",
     {{Step::SearchKey}, typed("zz")},
     "draft",
     true,
     "No input holds \"zz\""},
    {"MultiLineEntryWithoutRegardToCase",
     {{Step::SearchKey}, typed("N = 4")},
     "!m = 3\nn = 4",
     true,
     "Search inputs: N = 4"},
    {"BackspaceWidens",
     {{Step::SearchKey}, typed("12+"), {Step::Backspace}},
     "5*12",
     true,
     "Search inputs: 12"},
    {"EscRestoresTheDraft", {{Step::SearchKey}, typed("12"), {Step::Esc}}, "draft", false, ""},
    {"EnterTakesTheMatchWithoutEvaluating",
     {{Step::SearchKey}, typed("12"), {Step::Enter}},
     "5*12",
     false,
     ""},
};

class HistorySearchTest : public WindowTest, public ::testing::WithParamInterface<SearchRow> {};

TEST_P(HistorySearchTest, FindsInputsAsShellsDo) {
    const SearchRow& row = GetParam();
    open();
    for (const char* input : {"12+1", "5*12", "!m = 3\nn = 4", "7-1"}) {
        evaluate(QString::fromUtf8(input));
    }
    auto* line = window().findChild<CommandBox*>(QStringLiteral("Command"));
    auto* answer = window().findChild<QLineEdit*>(QStringLiteral("Ans"));
    ASSERT_EQ(answer->text(), u"6");
    line->setText(QStringLiteral("draft"));
    for (const Key& key : row.keys) {
        if (key.typed) {
            QTest::keyClicks(line, QString::fromUtf8(key.typed));
            continue;
        }
        switch (key.step) {
        case Step::SearchKey:
            QTest::keyClick(line, Qt::Key_R, Qt::ControlModifier);
            break;
        case Step::Backspace:
            QTest::keyClick(line, Qt::Key_Backspace);
            break;
        case Step::Enter:
            QTest::keyClick(line, Qt::Key_Return);
            break;
        case Step::Esc:
            QTest::keyClick(line, Qt::Key_Escape);
            break;
        }
    }
    EXPECT_EQ(line->text(), QString::fromUtf8(row.line));
    EXPECT_EQ(line->findChild<HistorySearch*>()->searching(), row.searching);
    auto* status = line->findChild<QLabel*>(QStringLiteral("HistorySearchStatus"));
    EXPECT_EQ(status->isVisible(), row.searching);
    if (row.searching) {
        EXPECT_EQ(status->text(), QString::fromUtf8(row.status));
    }
    EXPECT_TRUE(window().isVisible()); // Esc ended the search, not the program
    EXPECT_EQ(answer->text(), u"6");   // nothing was evaluated
    if (!row.searching) {
        QTest::keyClick(line, Qt::Key_Return);
        // The line holds what Enter now evaluates: the draft (an unset name, Empty) or 5*12.
        EXPECT_EQ(answer->text(), row.line == QStringLiteral("draft") ? u"" : u"60");
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, HistorySearchTest, ::testing::ValuesIn(kSearchRows),
                         [](const auto& info) { return std::string(info.param.name); });

class TapeFilterTest : public WindowTest {};

TEST_F(TapeFilterTest, ShowsMatchingInputsAndAnswersAndTheKeysActOnThem) {
    MainWindow& main = open();
    for (const char* input : {"6*7", "\"Apple\" & 1", "1/0", "40+2"}) {
        evaluate(QString::fromUtf8(input));
    }
    main.showTape();
    TapeWindow& tape = *main.tapeWindow();
    auto* filter = tape.findChild<QLineEdit*>(QStringLiteral("Filter"));
    auto* entries = tape.findChild<QListWidget*>(QStringLiteral("Entries"));
    tape.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tape));
    QTest::keyClick(entries, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(filter->hasFocus());
    QTest::keyClicks(filter, QStringLiteral("42")); // the answers of the first and the last
    ASSERT_EQ(entries->count(), 2);
    EXPECT_TRUE(entries->item(0)->text().startsWith(u"6*7"));
    QTest::keyClick(filter, Qt::Key_Down);
    entries->setCurrentRow(0);
    QTest::keyClick(entries, Qt::Key_Delete); // removes 6*7, not the tape's first row of another
    EXPECT_EQ(tape.findChild<QPushButton*>(QStringLiteral("ClearAll"))->isEnabled(), false);
    tape.findChild<QPushButton*>(QStringLiteral("CopyAll"))->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"40+2\n= 42\n");
    filter->setText(QStringLiteral("APPLE"));
    ASSERT_EQ(entries->count(), 1);
    entries->setCurrentRow(0);
    QTest::keyClick(entries, Qt::Key_Return); // inserts the answer of the entry shown
    EXPECT_EQ(main.findChild<CommandBox*>(QStringLiteral("Command"))->text(), u"Apple1");
    filter->setFocus();
    QTest::keyClick(filter, Qt::Key_Escape); // empties the filter, the window stays
    EXPECT_TRUE(tape.isVisible());
    EXPECT_EQ(entries->count(), 3);
}

} // namespace
} // namespace quorvix::app
