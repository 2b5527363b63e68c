// The names window (F8): what it lists for each language, that it follows the session, that
// listing runs none of the user's code, and that Enter inserts a name without evaluating.
#include "../table_rows.h"
#include "names_window.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <vector>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;
using testing_support::WindowTest;

struct NamesRow {
    const char* name;
    const char* language; // the option's object name
    // Run before the window opens; their last code counts in `n` when it runs.
    std::vector<const char16_t*> before;
    const char16_t* listed; // the newest row then: name, kind and value
    const char16_t* after;  // run while the window is open
    const char16_t* added;  // the newest row then
};

const NamesRow kNamesRows[] = {
    {"VBScriptPropertyGetNotRun",
     "VBScript",
     {u"!n = 0",
      u"!Class Counter\nPublic Default Property Get Value\nn = n + 1: Value = n\nEnd "
      u"Property\nEnd Class",
      u"!Set c = New Counter"},
     u"c Variable Counter object",
     u"!Total = 25",
     u"Total Variable 25"},
    {"JavaScriptGetterNotRun",
     "JavaScript",
     {u"!var n = 0", u"!Object.defineProperty(this, 'g', { get: function () { n++; } })"},
     u"g Variable getter",
     u"!function area(r) { return r * r; }",
     u"area Function (1 parameter)"},
};

class NamesWindowTest : public WindowTest, public testing::WithParamInterface<NamesRow> {
protected:
    QString newestRow() {
        auto* list = window().namesWindow()->findChild<QTreeWidget*>(QStringLiteral("NamesList"));
        const QTreeWidgetItem* row = list->topLevelItem(list->topLevelItemCount() - 1);
        return row ? row->text(0) + u' ' + row->text(1) + u' ' + row->text(2) : QString();
    }
    QString output() { return window().outputBox()->text(); }
};

TEST_P(NamesWindowTest, FollowsTheSessionWithoutRunningItsCode) {
    const NamesRow& row = GetParam();
    MainWindow& main = open();
    CommandBox* line = main.inputLine();
    QTest::keyClick(line, Qt::Key_F8);
    ASSERT_TRUE(main.namesWindow());
    // Open before the language is chosen, it follows the choice.
    button(QString::fromLatin1(row.language))->click();
    EXPECT_EQ(main.namesWindow()->findChild<QLabel*>(QStringLiteral("NamesHeading"))->text(),
              QStringLiteral("No %1 names yet: !x = 5 makes one.").arg(row.language));
    for (const char16_t* input : row.before) {
        evaluate(QString::fromUtf16(input));
    }
    // The list is filled once the engine is free (an answer preview may hold it).
    const auto listed = [&](const char16_t* expected) {
        (void)QTest::qWaitFor([&] { return newestRow() == QString::fromUtf16(expected); }, 10000);
        return newestRow();
    };
    EXPECT_EQ(listed(row.listed), QString::fromUtf16(row.listed));

    evaluate(QString::fromUtf16(row.after));
    EXPECT_EQ(listed(row.added), QString::fromUtf16(row.added));
    // Enter inserts the chosen name, the newest while the user chose none, at the cursor;
    // nothing is evaluated.
    setLine(QStringLiteral("2*"), 2);
    const QString shown = output();
    auto* list = main.namesWindow()->findChild<QTreeWidget*>(QStringLiteral("NamesList"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(line->text(), QStringLiteral("2*") + newestRow().section(u' ', 0, 0));
    EXPECT_EQ(output(), shown);

    // A name the user chose stays chosen when the list is filled again.
    QTest::keyClick(list, Qt::Key_Home);
    const QString chosen = main.namesWindow()->chosenName();
    evaluate(QStringLiteral("!zz = 1"));
    EXPECT_EQ(listed(u"zz Variable 1"), u"zz Variable 1");
    EXPECT_EQ(main.namesWindow()->chosenName(), chosen);

    evaluate(QStringLiteral("n"));
    EXPECT_EQ(output(), u"0");
}

INSTANTIATE_TEST_SUITE_P(Rows, NamesWindowTest, testing::ValuesIn(kNamesRows),
                         testing_rows::RowName());

} // namespace
} // namespace quorvix::app
