// Settings files no program wrote, and a program folder that cannot be written at shut-down.
// The window always starts and always closes; what cannot be written beside the program goes
// to the user's folder. Bytes no program wrote are read by the settings reader's table.
#include "settings_file.h"
#include "window_fixture.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <unistd.h>

namespace quorvix::app {
namespace {

using testing_support::WindowTest;

constexpr const char* kShown = "<< &Keypad";

TEST_F(WindowTest, SettingsFileInALoopOfLinksCountsAsMissing) {
    // A name that cannot be opened, even by root: it links to itself.
    ASSERT_EQ(::symlink("Quorvix.ini", QFile::encodeName(iniPath()).constData()), 0);
    MainWindow& main = create();
    EXPECT_EQ(button(u"Keypad")->text(), QString::fromLatin1(kShown)); // a first start
    // Shut-down cannot write it either, and still closes.
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(main.isVisible());
}

TEST_F(WindowTest, HugeSettingsFileIsReplacedWholeAtShutDown) {
    writeIni("lang=1\r\n"); // read as JavaScript, which the file written says
    ASSERT_TRUE(QFile::resize(iniPath(), qint64(100) << 20));
    MainWindow& main = create();
    main.show();
    EXPECT_TRUE(main.close());
    EXPECT_EQ(iniContent().value_or(QByteArray()), "lang=1\r\npad=1\r\n");
}

// A program folder that no one can write to, root included: /proc has no room for new files.
constexpr const char* kReadOnlyFolder = "/proc";

TEST(ReadOnlyProgramFolder, ShutDownWritesTheUsersFolder) {
    ASSERT_FALSE(QFile::exists(QStringLiteral("/proc/Quorvix.ini")));
    QTemporaryDir user;
    const QString userFolder = user.filePath(QStringLiteral("config/Quorvix"));
    {
        MainWindow main(QString::fromLatin1(kReadOnlyFolder), nullptr, userFolder);
        main.show();
        main.control<QRadioButton>(u"JavaScript")->setChecked(true);
        EXPECT_TRUE(main.close());
        EXPECT_FALSE(main.isVisible());
    }
    QFile written(QDir(userFolder).filePath(QStringLiteral("Quorvix.ini")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    // The keypad is unavailable under JavaScript, which does not read as hidden.
    EXPECT_EQ(written.readAll(), "lang=1\r\npad=1\r\n");
    // The next start finds the settings there.
    MainWindow next(QString::fromLatin1(kReadOnlyFolder), nullptr, userFolder);
    EXPECT_EQ(next.calc().language(), ScriptLanguage::JavaScript);
}

} // namespace
} // namespace quorvix::app
