// The settings have one home: beside the program when it can write there, else in the user's
// folder, which an installed copy's own file seeds until the user has one.
#include "../table_rows.h"
#include "settings_file.h"
#include "settings_home.h"
#include "window_fixture.h"

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

using enum SettingsAction;
using testing_support::fileContent;
using testing_support::writeFile;

// Settings text ------------------------------------------------------------------------------

struct ActionsCase {
    const char* name;
    QByteArray content;
    std::vector<SettingsAction> expected;
};

class SettingsActionsTest : public testing::TestWithParam<ActionsCase> {};

TEST_P(SettingsActionsTest, ReadsActionsInFileOrder) {
    EXPECT_EQ(settingsActions(GetParam().content), GetParam().expected);
    // A file is read in pieces: an item, a quote or a CR LF may be cut anywhere.
    SettingsReader reader;
    for (const char c : GetParam().content) {
        reader.feed(QByteArrayView(&c, 1));
    }
    EXPECT_EQ(reader.finish(), GetParam().expected);
}

constexpr auto JS = SelectJavaScript;
constexpr auto Pad = PressKeypad;
const ActionsCase kActions[] = {
    {"AsWrittenUnderVBScriptHidden", "lang=0\r\npad=0\r\n", {}},
    {"AsWrittenUnderVBScriptShown", "lang=0\r\npad=1\r\n", {Pad}},
    {"AsWrittenUnderJavaScript", "lang=1\r\npad=1\r\n", {JS, Pad}},
    {"Empty", "", {}},
    {"CapitalLetters", "LANG=1", {JS}},
    {"SpacesAround", "   lang=1   \r\n", {JS}},
    {"TabsAroundAreText", "\tpad=1\r\npad=1\t\r\n\t\"lang=1\"", {}},
    {"SpacesInsideDoNotMatch", "lang = 1\r\npad =1\r\n", {}},
    {"CommaSeparatesItems", "lang=1,pad=1", {JS, Pad}},
    {"OrderKept", "pad=1\r\nlang=1\r\n", {Pad, JS}},
    {"TwoPadsCancelOut", "pad=1\r\npad=1\r\n", {}},
    {"PadsAroundLang", "pad=1,pad=1,pad=1,lang=1,pad=1,LANG=1,pad=1,pad=1", {Pad, JS, Pad}},
    {"LfOnlyLineEnds", "lang=1\npad=1\n", {JS, Pad}},
    {"CrOnlyLineEnds", "lang=1\rpad=1\r", {JS, Pad}},
    {"NoFinalLineEnd", "pad=1", {Pad}},
    {"QuotedItem", "\"lang=1\"", {JS}},
    {"QuotedItemWithComma", "\"pad=1,lang=1\"", {}},
    {"QuotedItemSpansLines", "\"pad=1\r\n\",lang=1", {JS}},
    {"QuotedItemTrimmedInside", "\"  PAD=1 \"", {Pad}},
    {"TextAfterClosingQuoteDropped", "\"lang=1\"junk,pad=1", {JS, Pad}},
    {"UnclosedQuoteRunsToEnd", "\"lang=1", {JS}},
    {"OtherValuesIgnored", "lang=2\r\npad=yes\r\nlang=01\r\n", {}},
    {"UnrecognisedText", "hello world\r\n[section]\r\n", {}},
    {"NulBytesDoNotMatch", QByteArray("lang=1\0", 7), {}},
    {"EmptyItemsIgnored", ",,\r\n\r\n,pad=1,", {Pad}},
    {"NulInsideAnItemSpoilsIt", QByteArray("lang\0=1\r\npad=1\r\n", 16), {Pad}},
    {"NulItemsBetweenGoodOnes", QByteArray("\0\0,lang=1,\0", 11), {JS}},
    {"OnlyNuls", QByteArray(4096, '\0'), {}},
    {"InvalidUtf8AroundGoodItems", "\xff\xfe\r\npad=1\r\n\xc3(\r\n", {Pad}},
    {"InvalidUtf8GluedToAnItem", "\xefpad=1\r\nlang=1\xff\r\n", {}},
    {"UnclosedQuoteSwallowsTheRest", "\"lang=1\r\npad=1\r\n", {}},
};
INSTANTIATE_TEST_SUITE_P(Items, SettingsActionsTest, testing::ValuesIn(kActions),
                         testing_rows::RowName());

// Settings file --------------------------------------------------------------------------------

constexpr const char* kOld = "lang=1\r\npad=1\r\n";
constexpr const char* kNew = "lang=0\r\npad=0\r\n";

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

// A program folder and a user's folder; `m_settings` has only the program folder.
class SettingsFileTest : public testing::Test {
protected:
    ~SettingsFileTest() override {
        setWritable(programIni(), true);
        setWritable(m_user, true);
    }
    QString programIni() const { return m_program + QStringLiteral("/Quorvix.ini"); }
    QString userIni() const { return m_user + QStringLiteral("/Quorvix.ini"); }

    QTemporaryDir m_dir;
    QString m_program = m_dir.filePath(QStringLiteral("program"));
    QString m_user = m_dir.filePath(QStringLiteral("config/Quorvix"));
    bool m_made = QDir().mkpath(m_program);
    SettingsFile m_settings{m_program};
};

TEST_F(SettingsFileTest, WriteReplacesTheWholeContentAndKeepsThePermissions) {
    writeFile(programIni(), "a much longer text than the settings\r\n");
    QFile::setPermissions(programIni(), QFile::ReadOwner | QFile::WriteOwner);
    const QFile::Permissions permissions = QFile::permissions(programIni());
    EXPECT_TRUE(m_settings.write(kNew));
    EXPECT_EQ(fileContent(programIni()), kNew);
    EXPECT_EQ(QFile::permissions(programIni()), permissions);
    EXPECT_EQ(QDir(m_program).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Quorvix.ini")});
}

// Over a folder, into a pipe without a reader (without blocking), into a missing folder.
TEST_F(SettingsFileTest, WriteWhereNoFileCanBeFailsQuietly) {
    ASSERT_TRUE(QDir(m_program).mkdir(QStringLiteral("Quorvix.ini")));
    EXPECT_FALSE(m_settings.write(kNew));
    ASSERT_TRUE(QDir(m_program).rmdir(QStringLiteral("Quorvix.ini")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(programIni()).constData(), 0600), 0);
    EXPECT_FALSE(m_settings.write(kNew));
    EXPECT_FALSE(SettingsFile(m_dir.filePath(QStringLiteral("no/such/folder"))).write(kNew));
}

// A link named Quorvix.ini is replaced by the settings; what it pointed at is left alone.
TEST_F(SettingsFileTest, WriteReplacesALinkNotItsTarget) {
    for (const bool targetExists : {true, false}) {
        const QString target = m_dir.filePath(targetExists ? u"other.txt"_qs : u"missing.txt"_qs);
        if (targetExists) {
            writeFile(target, "someone else's file");
        }
        QFile::remove(programIni());
        ASSERT_TRUE(QFile::link(target, programIni()));
        EXPECT_TRUE(m_settings.write(kNew));
        EXPECT_FALSE(QFileInfo(programIni()).isSymLink());
        EXPECT_EQ(fileContent(programIni()), kNew);
        EXPECT_EQ(fileContent(target), targetExists ? "someone else's file" : "<missing>");
    }
}

// The death tests' name ends in DeathTest, so that they run first.
using SettingsFileDeathTest = SettingsFileTest;

// A write cut short, by a full disk or by the end of the process (as with kill -9), leaves the
// old file and no other. The writing process may write 4 bytes into any file, as on a disk that
// is full after them.
TEST_F(SettingsFileDeathTest, CutWriteLeavesTheOldFile) {
    writeFile(programIni(), kOld);
    for (const bool killed : {false, true}) {
        const auto writeOnAFullDisk = [&] {
            std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
            const rlimit limit{4, 4};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::_Exit(m_settings.write(kNew) ? 0 : 1);
        };
        if (killed) {
            EXPECT_EXIT(writeOnAFullDisk(), testing::KilledBySignal(SIGXFSZ), "");
        } else {
            EXPECT_EXIT(writeOnAFullDisk(), testing::ExitedWithCode(1), "");
            EXPECT_EQ(QDir(m_program).entryList(QDir::Files | QDir::Hidden),
                      QStringList{u"Quorvix.ini"_qs});
        }
        EXPECT_EQ(fileContent(programIni()), kOld);
    }
}

// The program's file says "pad=1", the user's "lang=1"; where a write lands shows by content.
enum ProgramFile { None, Writable, ReadOnly };
struct HomeCase {
    const char* name;
    ProgramFile programFile;
    bool userFile;
    std::vector<SettingsAction> read;
    bool firstStart; // no file is found
    bool writesBesideTheProgram;
};

class SettingsHomeTest : public SettingsFileTest, public testing::WithParamInterface<HomeCase> {};

TEST_P(SettingsHomeTest, ReadsAndWritesTheSameFile) {
    const HomeCase& c = GetParam();
    if (c.programFile != None) {
        writeFile(programIni(), "pad=1");
    }
    if (c.userFile) {
        writeFile(userIni(), "lang=1");
    }
    if (c.programFile == ReadOnly && !setWritable(programIni(), false)) {
        GTEST_SKIP() << "no way here to make a file read-only for this user";
    }
    const SettingsFile settings(m_program, m_user);
    const SettingsFile::Content content = settings.read();
    EXPECT_EQ(content.present, !c.firstStart);
    EXPECT_EQ(content.actions, c.read);

    ASSERT_TRUE(settings.write(kNew));
    const QString written = c.writesBesideTheProgram ? programIni() : userIni();
    const QString untouched = c.writesBesideTheProgram ? userIni() : programIni();
    EXPECT_EQ(fileContent(written), kNew);
    EXPECT_NE(fileContent(untouched), kNew);
    // What was written is what the next start reads.
    EXPECT_EQ(settings.read().actions, std::vector<SettingsAction>{});
}

const HomeCase kHomes[] = {
    {"NoFileAnywhere", None, false, {}, true, true},
    {"FileBesideTheProgram", Writable, true, {Pad}, false, true},
    // The user deleted the file beside the program to start afresh.
    {"StaleCopyInTheUsersFolderIsNotRead", None, true, {}, true, true},
    {"ReadOnlyFileSendsTheSettingsToTheUsersFolder", ReadOnly, true, {JS}, false, false},
    {"ReadOnlyFileGivesTheDefaultsUntilTheUserHasAFile", ReadOnly, false, {Pad}, false, false},
};
INSTANTIATE_TEST_SUITE_P(All, SettingsHomeTest, testing::ValuesIn(kHomes), testing_rows::RowName());

TEST_F(SettingsFileTest, UnwritableProgramFolderWritesTheUsersFolder) {
    // A folder where the file should be cannot be written, not even by root.
    QDir().mkpath(programIni());
    const SettingsFile settings(m_program, m_user);
    ASSERT_TRUE(settings.write(kOld));
    EXPECT_EQ(fileContent(userIni()), kOld);
    EXPECT_EQ(settings.read().actions, (std::vector{JS, Pad}));
    // Without a user folder the write fails quietly.
    EXPECT_FALSE(m_settings.write(kNew));
}

// A missing program folder cannot be the home either.
TEST_F(SettingsFileTest, FolderThatTakesNoNewFilesIsWrittenInPlace) {
    writeFile(userIni(), kOld);
    if (!setWritable(m_user, false)) {
        GTEST_SKIP() << "no way here to make a folder read-only for this user";
    }
    const SettingsFile settings(m_dir.filePath(QStringLiteral("gone")), m_user);
    EXPECT_TRUE(settings.write(kNew));
    EXPECT_EQ(fileContent(userIni()), kNew);
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

const EnvironmentCase kEnvironments[] = {
    {"ConfigHomeFirst", {"/cfg", "/home/u", "/home/pw"}, "/cfg/Quorvix"},
    {"RelativeConfigHomeIgnored", {"cfg", "/home/u", ""}, "/home/u/.config/Quorvix"},
    {"Home", {"", "/home/u/", ""}, "/home/u/.config/Quorvix"},
    {"PasswordHomeWhenHomeIsUnset", {"", "", "/home/pw"}, "/home/pw/.config/Quorvix"},
    {"RelativeHomeIgnored", {"", "u", "/home/pw"}, "/home/pw/.config/Quorvix"},
    // Never /.config at the root.
    {"RootIsNoHome", {"", "/", "/"}, ""},
    {"Nothing", {"", "", ""}, ""},
};
INSTANTIATE_TEST_SUITE_P(Environments, UserSettingsFolderTest, testing::ValuesIn(kEnvironments),
                         testing_rows::RowName());

} // namespace
} // namespace quorvix::app
