#include "../table_rows.h"
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

constexpr const char* kOld = "lang=1\r\npad=1\r\n";
constexpr const char* kNew = "lang=0\r\npad=0\r\n";

class SettingsFileTest : public testing::Test {
protected:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Quorvix.ini")); }
    void writeIni(const QByteArray& bytes) const {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray contentOf(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
    SettingsFile m_settings{m_dir.path()};
};

TEST_F(SettingsFileTest, WriteReplacesTheWholeContentAndKeepsThePermissions) {
    writeIni("a much longer text than the settings\r\n");
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    const QFile::Permissions permissions = QFile::permissions(iniPath());
    EXPECT_TRUE(m_settings.write(kNew));
    EXPECT_EQ(contentOf(iniPath()), kNew);
    EXPECT_EQ(QFile::permissions(iniPath()), permissions);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Quorvix.ini")});
}

// Over a folder, into a pipe without a reader (without blocking), into a missing folder.
TEST_F(SettingsFileTest, WriteWhereNoFileCanBeFailsQuietly) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Quorvix.ini")));
    EXPECT_FALSE(m_settings.write(kNew));
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(QStringLiteral("Quorvix.ini")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(iniPath()).constData(), 0600), 0);
    EXPECT_FALSE(m_settings.write(kNew));
    EXPECT_FALSE(SettingsFile(m_dir.filePath(QStringLiteral("no/such/folder"))).write(kNew));
}

// A link named Quorvix.ini is replaced by the settings; what it pointed at is left alone.
struct LinkCase {
    const char* name;
    const char* target;
    bool targetExists;
};

class SettingsLinkTest : public SettingsFileTest, public testing::WithParamInterface<LinkCase> {};

TEST_P(SettingsLinkTest, WriteReplacesTheLinkNotItsTarget) {
    const QString target = m_dir.filePath(QString::fromLatin1(GetParam().target));
    if (GetParam().targetExists) {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("someone else's file");
    }
    ASSERT_TRUE(QFile::link(target, iniPath()));
    EXPECT_TRUE(m_settings.write(kNew));
    EXPECT_FALSE(QFileInfo(iniPath()).isSymLink());
    EXPECT_EQ(contentOf(iniPath()), kNew);
    EXPECT_EQ(contentOf(target),
              GetParam().targetExists ? QByteArray("someone else's file") : "<missing>");
}

INSTANTIATE_TEST_SUITE_P(Links, SettingsLinkTest,
                         testing::Values(LinkCase{"ToAnotherFile", "other.txt", true},
                                         LinkCase{"Dangling", "missing.txt", false}),
                         testing_rows::RowName());

// A write cut short, by a full disk or by the end of the process, leaves the old settings. The
// writing process may write 4 bytes into any file, as on a disk that is full after them.
struct FailedWriteCase {
    const char* name;
    bool killed; // the process ends at the write, as with kill -9
};

class SettingsFailedWriteDeathTest : public SettingsFileTest,
                                     public testing::WithParamInterface<FailedWriteCase> {};

TEST_P(SettingsFailedWriteDeathTest, LeavesTheOldFile) {
    writeIni(kOld);
    const auto writeOnAFullDisk = [this] {
        std::signal(SIGXFSZ, GetParam().killed ? SIG_DFL : SIG_IGN);
        const rlimit limit{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::_Exit(m_settings.write(kNew) ? 0 : 1);
    };
    if (GetParam().killed) {
        EXPECT_EXIT(writeOnAFullDisk(), testing::KilledBySignal(SIGXFSZ), "");
    } else {
        EXPECT_EXIT(writeOnAFullDisk(), testing::ExitedWithCode(1), "");
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("Quorvix.ini")});
    }
    EXPECT_EQ(contentOf(iniPath()), kOld);
}

INSTANTIATE_TEST_SUITE_P(FullDisk, SettingsFailedWriteDeathTest,
                         testing::Values(FailedWriteCase{"WriteFails", false},
                                         FailedWriteCase{"ProcessEnds", true}),
                         testing_rows::RowName());

} // namespace
} // namespace quorvix::app
