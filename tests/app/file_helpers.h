#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

namespace quorvix::app::testing_support {

inline QByteArray fileContent(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes `bytes` to `path`, making the folders on the way.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A write cut short, by a full disk or by the end of the process (as with kill -9), leaves the
// old file and no other. The writing process may write 4 bytes into any file, as on a disk that
// is full after them; `write` says whether it succeeded.
template <class Write> void expectCutWriteLeavesTheOldFile(const QString& path, Write write) {
    const QByteArray old = fileContent(path);
    for (const bool killed : {false, true}) {
        const auto writeOnAFullDisk = [&] {
            std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
            const rlimit limit{4, 4};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::_Exit(write() ? 0 : 1);
        };
        if (killed) {
            EXPECT_EXIT(writeOnAFullDisk(), testing::KilledBySignal(SIGXFSZ), "");
        } else {
            EXPECT_EXIT(writeOnAFullDisk(), testing::ExitedWithCode(1), "");
            EXPECT_EQ(QFileInfo(path).dir().entryList(QDir::Files | QDir::Hidden),
                      QStringList{QFileInfo(path).fileName()});
        }
        EXPECT_EQ(fileContent(path), old);
    }
}

} // namespace quorvix::app::testing_support
