#include "../table_rows.h"
#include "library_file.h"
#include "window_fixture.h"

#include <QDir>
#include <QLineEdit>

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
        QFile file(dir.filePath(QStringLiteral("Quorvix-library.vbs")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(*c.bytes);
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

INSTANTIATE_TEST_SUITE_P(
    Cases, LibraryFileTest,
    testing::Values(
        LibraryCase{"Missing", std::nullopt, std::nullopt, ""},
        LibraryCase{"Utf8", QByteArray("s = \"\xc3\xa9\"\r\n"), "s = \"\u00e9\"\r\n", ""},
        LibraryCase{"ByteOrderMarkDropped", QByteArray("\xef\xbb\xbfx = 1"), "x = 1", ""},
        LibraryCase{"JustFits", QByteArray(kLibraryReadLimit, ' '),
                    std::string(std::size_t(kLibraryReadLimit), ' '), ""},
        LibraryCase{"TooLarge", QByteArray(kLibraryReadLimit + 1, ' '), "",
                    "Quorvix-library.vbs is larger than 1048576 bytes and was not run"}),
    testing_rows::RowName());

class LibraryWindowTest : public testing_support::WindowTest {};

// Written after the window is made: the library is read at the first evaluation, not before.
TEST_F(LibraryWindowTest, FirstEvaluationRunsTheLibraryBesideTheSettings) {
    MainWindow& window = create();
    QFile file(QDir(folder()).filePath(QStringLiteral("Quorvix-library.vbs")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Function Twice(v)\n  Twice = 2 * v\nEnd Function\n");
    file.close();
    window.Command->setPlainText(QStringLiteral("Twice(Pi)"));
    window.EvaluateInput();
    EXPECT_EQ(window.Ans->text().toStdString(), "6.28318530717958");
}

} // namespace
} // namespace quorvix::app
