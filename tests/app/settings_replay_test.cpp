#include "../table_rows.h"
#include "settings_file.h"
#include "window_fixture.h"

#include <QLabel>

#include <QPushButton>
#include <QRadioButton>

#include <sys/stat.h>
#include <unistd.h>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

using testing_support::WindowTest;

// HugeFile: the content, then zero bytes up to a gigabyte. PastTheReadLimit: the content, zero
// bytes up to the read limit, then "lang=1".
enum class Setup { NoFile, File, FolderNamedLikeTheFile, Fifo, HugeFile, PastTheReadLimit };

struct ReplayCase {
    const char* name;
    Setup setup;
    QByteArray content;
    const char* language;
    const char* keypadCaption;
    int clientWidth;
};

class SettingsReplayTest : public WindowTest, public testing::WithParamInterface<ReplayCase> {};

TEST_P(SettingsReplayTest, StartsInTheRememberedState) {
    const ReplayCase& c = GetParam();
    switch (c.setup) {
    case Setup::NoFile:
        break;
    case Setup::File:
        writeIni(c.content);
        break;
    case Setup::FolderNamedLikeTheFile:
        ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("Quorvix.ini")));
        break;
    case Setup::Fifo:
        ASSERT_EQ(::mkfifo(QFile::encodeName(iniPath()).constData(), 0600), 0);
        break;
    case Setup::HugeFile:
        writeIni(c.content);
        ASSERT_TRUE(QFile::resize(iniPath(), qint64(1) << 30));
        break;
    case Setup::PastTheReadLimit: {
        writeIni(c.content);
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(SettingsFile::kReadLimit));
        file.write("lang=1\r\n");
        break;
    }
    }
    MainWindow& main = create();
    EXPECT_EQ(main.calc().language(), QString::fromLatin1(c.language));
    EXPECT_EQ(main.JavaScript->isChecked(), main.calc().language() == u"JavaScript");
    EXPECT_EQ(main.Keypad->text(), QString::fromUtf8(c.keypadCaption));
    EXPECT_EQ(main.Keypad->isEnabled(), main.calc().language() == u"VBScript");
    EXPECT_EQ(main.width(), c.clientWidth);
    EXPECT_EQ(main.height(), 237);
    // Nothing is evaluated during start-up.
    EXPECT_TRUE(main.FunctionTypeLabel->isEnabled());
}

constexpr const char* kShown = "<< &Keypad";
constexpr const char* kHidden = "&Keypad >>";
constexpr const char* kUnavailable = "Keypad Unavailable";

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsReplayTest,
    testing::Values(
        ReplayCase{"NoFileShowsTheKeypad", Setup::NoFile, "", "VBScript", kShown, 533},
        ReplayCase{"EmptyFileLeavesItHidden", Setup::File, "", "VBScript", kHidden, 329},
        ReplayCase{"Lang0Pad1", Setup::File, "lang=0\r\npad=1\r\n", "VBScript", kShown, 533},
        ReplayCase{"Lang1Pad1", Setup::File, "lang=1\r\npad=1\r\n", "JavaScript", kUnavailable,
                   329},
        ReplayCase{"Pad1BeforeLang1", Setup::File, "pad=1\r\nlang=1\r\n", "JavaScript",
                   kUnavailable, 329},
        ReplayCase{"FolderCountsAsMissing", Setup::FolderNamedLikeTheFile, "", "VBScript", kShown,
                   533},
        ReplayCase{"FifoCountsAsMissingAndDoesNotBlock", Setup::Fifo, "", "VBScript", kShown, 533},
        ReplayCase{"Pad1ThenSeventyThousandBytes", Setup::File,
                   "pad=1\r\n" + QByteArray(70'000, 'x'), "VBScript", kShown, 533},
        ReplayCase{"GigabyteFileStartingWithLang1", Setup::HugeFile, "lang=1\r\n", "JavaScript",
                   kUnavailable, 329},
        ReplayCase{"ItemsPastTheReadLimitAreNotRead", Setup::PastTheReadLimit, "pad=1\r\n",
                   "VBScript", kShown, 533}),
    testing_rows::RowName());

TEST_F(WindowTest, UnreadableSettingsFileStartsInTheDesignState) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads files whatever their mode";
    }
    writeIni("lang=1\r\npad=1\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(iniPath()).constData(), 0), 0);
    MainWindow& main = create();
    EXPECT_EQ(main.calc().language(), u"VBScript");
    EXPECT_EQ(main.Keypad->text(), QString::fromLatin1(kHidden));
}

} // namespace
} // namespace quorvix::app
