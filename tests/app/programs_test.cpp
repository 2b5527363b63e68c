// VBScript beyond one line: a library file run at the first evaluation, and a long program typed
// into the input line.
#include "../table_rows.h"
#include "library_file.h"
#include "tape_keeper.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QStringList>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

struct LibraryCase {
    const char* name;
    std::optional<QByteArray> bytes;   // nullopt: no file
    std::optional<std::string> source; // expected source; nullopt when no library is given
    const char* problem;               // expected problem; empty when none
};

class LibraryFileTest : public testing::TestWithParam<LibraryCase> {};

TEST_P(LibraryFileTest, ReadsTheFileBesideTheSettings) {
    const LibraryCase& c = GetParam();
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Quorvix.ini"));
    if (c.bytes) {
        testing_support::writeFile(dir.filePath(u"Quorvix-library.vbs"_qs), *c.bytes);
    }
    const std::optional<LibraryScript> library =
        readLibraryBeside(settings, ScriptLanguage::VBScript);
    ASSERT_EQ(library.has_value(), c.source.has_value());
    if (library) {
        EXPECT_EQ(library->fileName.toStdString(), "Quorvix-library.vbs");
        EXPECT_EQ(library->source.toStdString(), *c.source);
        EXPECT_EQ(library->problem.toStdString(), c.problem);
    }
    EXPECT_FALSE(readLibraryBeside(settings, ScriptLanguage::JavaScript).has_value());
    EXPECT_FALSE(readLibraryBeside(QString(), ScriptLanguage::VBScript).has_value());
}

const LibraryCase kLibs[] = {
    {"Missing", std::nullopt, std::nullopt, ""},
    {"Utf8", QByteArray("s = \"\xc3\xa9\"\r\n"), "s = \"\u00e9\"\r\n", ""},
    {"ByteOrderMarkDropped", QByteArray("\xef\xbb\xbfx = 1"), "x = 1", ""},
    {"JustFits", QByteArray(kLibraryReadLimit, ' '),
     std::string(std::size_t(kLibraryReadLimit), ' '), ""},
    {"TooLarge", QByteArray(kLibraryReadLimit + 1, ' '), "",
     "Quorvix-library.vbs is larger than 1048576 bytes and was not run"},
};
INSTANTIATE_TEST_SUITE_P(All, LibraryFileTest, testing::ValuesIn(kLibs), testing_rows::RowName());

using testing_support::WindowTest;

class LibraryWindowTest : public WindowTest {
protected:
    // Evaluates `input` in a window made before the library is written beside its settings.
    QString evaluateWithLibrary(const QByteArray& library, const QString& input) {
        MainWindow& window = create();
        testing_support::writeFile(QDir(folder()).filePath(u"Quorvix-library.vbs"_qs), library);
        window.inputLine()->setPlainText(input);
        window.EvaluateInput();
        return window.outputBox()->text();
    }
};

// The library is read at the first evaluation, not before.
TEST_F(LibraryWindowTest, FirstEvaluationRunsTheLibraryBesideTheSettings) {
    EXPECT_EQ(
        evaluateWithLibrary("Function Twice(v)\n  Twice = 2 * v\nEnd Function\n", u"Twice(Pi)"_qs),
        u"6.28318530717958");
}

// A failing library is a failure of its own on the tape; the input keeps its own answer, which
// the tape can insert.
TEST_F(LibraryWindowTest, TapeKeepsTheLibraryFailureApartFromTheAnswer) {
    EXPECT_EQ(evaluateWithLibrary("a = 1\nb = 2\nc = (\n", u"1+1"_qs),
              u"Quorvix-library.vbs, line 3: Syntax error");
    const QList<TapeEntry> expected{{{}, u"Quorvix-library.vbs, line 3: Syntax error"_qs, false},
                                    {u"1+1"_qs, u"2"_qs, true}};
    EXPECT_EQ(window().resultTape().entries(), expected);
}

// The example ledger (classes, a dictionary, regular expressions, With blocks; over 300 lines)
// typed into the input line after "!", one Shift+Enter line at a time, runs as one program; the
// inputs after it see what it defined.
using LongProgramTest = WindowTest;

TEST_F(LongProgramTest, RunsFromTheInputLine) {
    QFile file(QStringLiteral(QUORVIX_EXAMPLES_DIR "/ledger.vbs"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    ASSERT_GE(lines.size(), 300);

    MainWindow& main = open();
    main.inputLine()->setFocus();
    main.inputLine()->insertPlainText(u"!"_qs);
    for (const QString& line : lines) {
        main.inputLine()->insertPlainText(line);
        QTest::keyClick(main.inputLine(), Qt::Key_Return, Qt::ShiftModifier);
    }
    ASSERT_EQ(main.inputLine()->text(), u"!"_qs + lines.join(u'\n') + u'\n');
    QTest::keyClick(main.inputLine(), Qt::Key_Return);
    EXPECT_EQ(main.outputBox()->text(),
              QString()); // a statement that succeeds has no answer to show

    const std::pair<const char*, const char*> afterwards[] = {
        {"TagCounts()", "work:1 home:2 food:4 weekly:2 travel:2 family:1"},
        {"!CloseGifts", "work:1 home:2 food:4 weekly:2 travel:2 family:1"}, // the answer stays
        {"Report", "Salary=2500.00(in) Rent=-850.00(out) Groceries=-118.65(out) "
                   "Transport=-52.80(out) Refunds=12.35(in) Savings=-200.00(out) "
                   "| total 1290.90 | 9 bookings, 3 rejected, 1 closed"},
    };
    for (const auto& [input, answer] : afterwards) {
        evaluate(QString::fromUtf8(input));
        EXPECT_EQ(main.outputBox()->text().toStdString(), answer) << input;
    }
}

} // namespace
} // namespace quorvix::app
