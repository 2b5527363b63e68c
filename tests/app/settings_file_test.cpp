#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quorvix::app {
namespace {

class SettingsFileTest : public testing::Test {
protected:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Quorvix.ini")); }
    void writeIni(const QByteArray& bytes) const {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
    SettingsFile m_settings{m_dir.path()};
};

TEST_F(SettingsFileTest, FileAtTheSizeLimitIsRead) {
    QByteArray bytes(SettingsFile::kMaxBytes, ' ');
    bytes.replace(0, 5, "pad=1");
    writeIni(bytes);
    EXPECT_EQ(m_settings.read().bytes.size(), SettingsFile::kMaxBytes);
}

TEST_F(SettingsFileTest, WriteReplacesTheWholeContent) {
    writeIni("a much longer text than the settings\r\n");
    EXPECT_TRUE(m_settings.write("lang=0\r\npad=0\r\n"));
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("lang=0\r\npad=0\r\n"));
}

TEST_F(SettingsFileTest, WriteOverAFolderFailsQuietly) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Quorvix.ini")));
    EXPECT_FALSE(m_settings.write("lang=0\r\npad=0\r\n"));
}

TEST_F(SettingsFileTest, WriteToAFifoWithoutReaderFailsWithoutBlocking) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(iniPath()).constData(), 0600), 0);
    EXPECT_FALSE(m_settings.write("lang=0\r\npad=0\r\n"));
}

TEST_F(SettingsFileTest, WriteIntoAMissingFolderFails) {
    const SettingsFile settings(m_dir.filePath(QStringLiteral("no/such/folder")));
    EXPECT_FALSE(settings.write("lang=0\r\npad=0\r\n"));
}

} // namespace
} // namespace quorvix::app
