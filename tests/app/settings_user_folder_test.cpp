// An installed copy keeps its settings in the user's folder when it cannot write beside itself.
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quorvix::app::SettingsFile;

namespace {

class SettingsUserFolderTest : public testing::Test {
protected:
    QByteArray contentOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void put(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir m_dir;
    QString m_program = m_dir.filePath(QStringLiteral("program"));
    QString m_user = m_dir.filePath(QStringLiteral("config/Quorvix"));
};

TEST_F(SettingsUserFolderTest, WritableProgramFolderKeepsTheFileBesideTheProgram) {
    QDir().mkpath(m_program);
    const SettingsFile settings(m_program, m_user);
    ASSERT_TRUE(settings.write("lang=0\r\npad=1\r\n"));
    EXPECT_EQ(contentOf(settings.path()), "lang=0\r\npad=1\r\n");
    EXPECT_FALSE(QFile::exists(settings.userPath()));
}

TEST_F(SettingsUserFolderTest, UnwritableProgramFolderWritesTheUsersFolder) {
    // A folder where the file should be cannot be written, not even by root.
    QDir().mkpath(m_program + QStringLiteral("/Quorvix.ini"));
    const SettingsFile settings(m_program, m_user);
    ASSERT_TRUE(settings.write("lang=1\r\npad=1\r\n"));
    EXPECT_EQ(contentOf(m_user + QStringLiteral("/Quorvix.ini")), "lang=1\r\npad=1\r\n");
    const SettingsFile::Content read = settings.read();
    EXPECT_TRUE(read.present);
    EXPECT_EQ(read.bytes, "lang=1\r\npad=1\r\n");
}

TEST_F(SettingsUserFolderTest, MissingProgramFolderWritesTheUsersFolder) {
    const SettingsFile settings(m_dir.filePath(QStringLiteral("gone")), m_user);
    EXPECT_TRUE(settings.write("lang=0\r\npad=0\r\n"));
    EXPECT_EQ(contentOf(settings.userPath()), "lang=0\r\npad=0\r\n");
}

TEST_F(SettingsUserFolderTest, ReadingLooksBesideTheProgramFirst) {
    put(m_program + QStringLiteral("/Quorvix.ini"), "pad=1");
    put(m_user + QStringLiteral("/Quorvix.ini"), "lang=1");
    EXPECT_EQ(SettingsFile(m_program, m_user).read().bytes, "pad=1");
}

TEST_F(SettingsUserFolderTest, NoFileAnywhereIsAFirstStart) {
    QDir().mkpath(m_program);
    EXPECT_FALSE(SettingsFile(m_program, m_user).read().present);
}

TEST_F(SettingsUserFolderTest, WithoutAUserFolderAnUnwritableProgramFolderFailsQuietly) {
    QDir().mkpath(m_program + QStringLiteral("/Quorvix.ini"));
    EXPECT_FALSE(SettingsFile(m_program).write("lang=0\r\npad=0\r\n"));
}

} // namespace
