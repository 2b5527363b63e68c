// The settings have one home: beside the program when it can write there, else in the user's
// folder, which an installed copy's own file seeds until the user has one.
#include "../table_rows.h"
#include "file_helpers.h"
#include "settings_file.h"
#include "settings_home.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

using enum SettingsAction;
using testing_support::fileContent;
using testing_support::writeFile;

// Takes away the right to write `path`, even from root (whom permissions do not stop, but the
// immutable flag does). False where neither can be done.
bool setWritable(const QString& path, bool writable) {
    const QByteArray name = QFile::encodeName(path);
    if (::geteuid() != 0) {
        return ::chmod(name.constData(), writable ? 0755 : 0555) == 0;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    int flags = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = writable ? flags & ~FS_IMMUTABLE_FL : flags | FS_IMMUTABLE_FL;
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return ok;
}

class SettingsHomeFixture : public testing::Test {
protected:
    ~SettingsHomeFixture() override {
        setWritable(programIni(), true);
        setWritable(m_user, true);
    }
    QString programIni() const { return m_program + QStringLiteral("/Quorvix.ini"); }
    QString userIni() const { return m_user + QStringLiteral("/Quorvix.ini"); }

    QTemporaryDir m_dir;
    QString m_program = m_dir.filePath(QStringLiteral("program"));
    QString m_user = m_dir.filePath(QStringLiteral("config/Quorvix"));
};

// The program's file says "pad=1", the user's "lang=1"; where a write lands shows by content.
struct HomeCase {
    const char* name;
    enum { None, Writable, ReadOnly } programFile;
    bool userFile;
    std::vector<SettingsAction> read;
    bool firstStart; // no file is found
    bool writesBesideTheProgram;
};

class SettingsHomeTest : public SettingsHomeFixture,
                         public testing::WithParamInterface<HomeCase> {};

TEST_P(SettingsHomeTest, ReadsAndWritesTheSameFile) {
    const HomeCase& c = GetParam();
    QDir().mkpath(m_program);
    if (c.programFile != HomeCase::None) {
        writeFile(programIni(), "pad=1");
    }
    if (c.userFile) {
        writeFile(userIni(), "lang=1");
    }
    if (c.programFile == HomeCase::ReadOnly && !setWritable(programIni(), false)) {
        GTEST_SKIP() << "no way here to make a file read-only for this user";
    }
    const SettingsFile settings(m_program, m_user);
    const SettingsFile::Content content = settings.read();
    EXPECT_EQ(content.present, !c.firstStart);
    EXPECT_EQ(content.actions, c.read);

    ASSERT_TRUE(settings.write("lang=0\r\npad=0\r\n"));
    const QString written = c.writesBesideTheProgram ? programIni() : userIni();
    const QString untouched = c.writesBesideTheProgram ? userIni() : programIni();
    EXPECT_EQ(fileContent(written), "lang=0\r\npad=0\r\n");
    EXPECT_NE(fileContent(untouched), "lang=0\r\npad=0\r\n");
    // What was written is what the next start reads.
    EXPECT_EQ(settings.read().actions, std::vector<SettingsAction>{});
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsHomeTest,
    testing::Values(
        HomeCase{"NoFileAnywhere", HomeCase::None, false, {}, true, true},
        HomeCase{"FileBesideTheProgram", HomeCase::Writable, true, {PressKeypad}, false, true},
        // The user deleted the file beside the program to start afresh.
        HomeCase{"StaleCopyInTheUsersFolderIsNotRead", HomeCase::None, true, {}, true, true},
        HomeCase{"ReadOnlyFileSendsTheSettingsToTheUsersFolder",
                 HomeCase::ReadOnly,
                 true,
                 {SelectJavaScript},
                 false,
                 false},
        HomeCase{"ReadOnlyFileGivesTheDefaultsUntilTheUserHasAFile",
                 HomeCase::ReadOnly,
                 false,
                 {PressKeypad},
                 false,
                 false}),
    testing_rows::RowName());

TEST_F(SettingsHomeFixture, UnwritableProgramFolderWritesTheUsersFolder) {
    // A folder where the file should be cannot be written, not even by root.
    QDir().mkpath(programIni());
    const SettingsFile settings(m_program, m_user);
    ASSERT_TRUE(settings.write("lang=1\r\npad=1\r\n"));
    EXPECT_EQ(fileContent(userIni()), "lang=1\r\npad=1\r\n");
    EXPECT_EQ(settings.read().actions, (std::vector{SelectJavaScript, PressKeypad}));
    // Without a user folder the write fails quietly.
    EXPECT_FALSE(SettingsFile(m_program).write("lang=0\r\npad=0\r\n"));
}

// A missing program folder cannot be the home either.
TEST_F(SettingsHomeFixture, FolderThatTakesNoNewFilesIsWrittenInPlace) {
    writeFile(userIni(), "lang=1\r\npad=1\r\n");
    if (!setWritable(m_user, false)) {
        GTEST_SKIP() << "no way here to make a folder read-only for this user";
    }
    const SettingsFile settings(m_dir.filePath(QStringLiteral("gone")), m_user);
    EXPECT_TRUE(settings.write("lang=0\r\npad=0\r\n"));
    EXPECT_EQ(fileContent(userIni()), "lang=0\r\npad=0\r\n");
}

struct EnvironmentCase {
    const char* name;
    UserEnvironment environment;
    const char* folder;
};

class UserSettingsFolderTest : public testing::TestWithParam<EnvironmentCase> {};

TEST_P(UserSettingsFolderTest, FollowsTheEnvironment) {
    EXPECT_EQ(userSettingsFolder(GetParam().environment), QString::fromLatin1(GetParam().folder));
}

INSTANTIATE_TEST_SUITE_P(
    Environments, UserSettingsFolderTest,
    testing::Values(
        EnvironmentCase{"ConfigHomeFirst", {"/cfg", "/home/u", "/home/pw"}, "/cfg/Quorvix"},
        EnvironmentCase{
            "RelativeConfigHomeIgnored", {"cfg", "/home/u", ""}, "/home/u/.config/Quorvix"},
        EnvironmentCase{"Home", {"", "/home/u/", ""}, "/home/u/.config/Quorvix"},
        EnvironmentCase{
            "PasswordHomeWhenHomeIsUnset", {"", "", "/home/pw"}, "/home/pw/.config/Quorvix"},
        EnvironmentCase{"RelativeHomeIgnored", {"", "u", "/home/pw"}, "/home/pw/.config/Quorvix"},
        // Never /.config at the root.
        EnvironmentCase{"RootIsNoHome", {"", "/", "/"}, ""},
        EnvironmentCase{"Nothing", {"", "", ""}, ""}),
    testing_rows::RowName());

} // namespace
} // namespace quorvix::app
