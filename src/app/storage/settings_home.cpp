#include "settings_home.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvix::app {

namespace {

bool isFolderPath(const QString& path) {
    return QDir::isAbsolutePath(path) && QDir::cleanPath(path) != QLatin1String("/");
}

QString passwordDatabaseHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : std::size_t(16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir) {
        return QString();
    }
    return QFile::decodeName(found->pw_dir);
}

// Makes a file in `folder` and removes it again. An unnamed file leaves no trace; file systems
// without them get a named one, which is the only sure test: root passes every permission
// check, yet cannot make files in /proc.
bool canCreateFileIn(const QByteArray& folder) {
    int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return false;
    }
    QByteArray probe = folder + "/.Quorvix.ini-probe-XXXXXX";
    fd = ::mkostemp(probe.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(probe.constData());
    return true;
}

} // namespace

UserEnvironment UserEnvironment::current() {
    UserEnvironment environment;
    environment.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    environment.home = qEnvironmentVariable("HOME");
    if (!isFolderPath(environment.home)) {
        environment.passwordHome = passwordDatabaseHome();
    }
    return environment;
}

QString userSettingsFolder(const UserEnvironment& environment) {
    if (QDir::isAbsolutePath(environment.xdgConfigHome)) {
        return QDir::cleanPath(environment.xdgConfigHome + QStringLiteral("/Quorvix"));
    }
    for (const QString& home : {environment.home, environment.passwordHome}) {
        if (isFolderPath(home)) {
            return QDir::cleanPath(home + QStringLiteral("/.config/Quorvix"));
        }
    }
    return QString();
}

bool canKeepSettingsAt(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode) ||
            ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0) {
            return false;
        }
    } else if (errno != ENOENT) {
        return false; // a loop of links, a folder that cannot be searched
    }
    return canCreateFileIn(QFile::encodeName(QFileInfo(path).absolutePath()));
}

} // namespace quorvix::app
