#include "../table_rows.h"
#include "file_helpers.h"
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    void writeIni(const QByteArray& bytes) const { testing_support::writeFile(iniPath(), bytes); }

    QTemporaryDir m_dir;
    SettingsFile m_settings{m_dir.path()};
};

TEST_F(SettingsFileTest, WriteReplacesTheWholeContentAndKeepsThePermissions) {
    writeIni("a much longer text than the settings\r\n");
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    const QFile::Permissions permissions = QFile::permissions(iniPath());
    EXPECT_TRUE(m_settings.write(kNew));
    EXPECT_EQ(testing_support::fileContent(iniPath()), kNew);
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
    EXPECT_EQ(testing_support::fileContent(iniPath()), kNew);
    EXPECT_EQ(testing_support::fileContent(target),
              GetParam().targetExists ? QByteArray("someone else's file") : "<missing>");
}

INSTANTIATE_TEST_SUITE_P(Links, SettingsLinkTest,
                         testing::Values(LinkCase{"ToAnotherFile", "other.txt", true},
                                         LinkCase{"Dangling", "missing.txt", false}),
                         testing_rows::RowName());

// The death tests' name ends in DeathTest, so that they run first.
using SettingsFileDeathTest = SettingsFileTest;

TEST_F(SettingsFileDeathTest, CutWriteLeavesTheOldFile) {
    writeIni(kOld);
    testing_support::expectCutWriteLeavesTheOldFile(iniPath(),
                                                    [this] { return m_settings.write(kNew); });
}

} // namespace
} // namespace quorvix::app
