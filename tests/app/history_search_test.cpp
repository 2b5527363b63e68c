// Ctrl+R in the input line, on a window whose history holds four inputs.
#include "history_search.h"
#include "window_fixture.h"

#include <QLabel>
#include <QLineEdit>
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

} // namespace
} // namespace quorvix::app
