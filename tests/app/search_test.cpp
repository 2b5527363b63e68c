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

using testing_support::kEnter;
using testing_support::kEsc;
using testing_support::Press;
using testing_support::typedText;

const Press kSearch{Qt::Key_R, Qt::ControlModifier}, kBackspace{Qt::Key_Backspace};

struct SearchRow {
    const char* name;
    std::vector<Press> keys;
    const char* line;   // the input line afterwards
    bool searching;     // the search is still on
    const char* status; // what the search line says, while on
};

// clang-format off
const SearchRow kSearchRows[] = {
    {"NewestMatchFirst", {kSearch, typedText("12")}, "5*12", true, "Search inputs: 12"},
    {"CtrlRGoesOlder", {kSearch, typedText("12"), kSearch}, "12+1", true, "Search inputs: 12"},
    {"NoOlderMatchKeepsTheLast", {kSearch, typedText("12"), kSearch, kSearch}, "12+1", true, "No older input holds \"12\""},
    {"NoMatchKeepsTheDraft", {kSearch, typedText("zz")}, "draft", true, "No input holds \"zz\""},
    {"MultiLineEntryWithoutRegardToCase", {kSearch, typedText("N = 4")}, "!m = 3\nn = 4", true, "Search inputs: N = 4"},
    {"BackspaceWidens", {kSearch, typedText("12+"), kBackspace}, "5*12", true, "Search inputs: 12"},
    {"BackspaceSearchesFromTheNewest", {kSearch, typedText("7-1x"), kBackspace}, "7-1", true, "Search inputs: 7-1"},
    {"EscRestoresTheDraft", {kSearch, typedText("12"), kEsc}, "draft", false, ""},
    {"EnterTakesTheMatchWithoutEvaluating", {kSearch, typedText("12"), kEnter}, "5*12", false, ""},
};
// clang-format on

class HistorySearchTest : public WindowTest, public ::testing::WithParamInterface<SearchRow> {};

TEST_P(HistorySearchTest, FindsInputsAsShellsDo) {
    const SearchRow& row = GetParam();
    open();
    for (const char* input : {"12+1", "5*12", "!m = 3\nn = 4", "7-1"}) {
        evaluate(QString::fromUtf8(input));
    }
    auto* line = window().inputLine();
    auto* answer = window().outputBox();
    ASSERT_EQ(answer->text(), u"6");
    line->setText(QStringLiteral("draft"));
    testing_support::press(line, row.keys);
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
    EXPECT_EQ(main.inputLine()->text(), u"Apple1");
    filter->setFocus();
    QTest::keyClick(filter, Qt::Key_Escape); // empties the filter, the window stays
    EXPECT_TRUE(tape.isVisible());
    EXPECT_EQ(entries->count(), 3);
}

} // namespace
} // namespace quorvix::app
