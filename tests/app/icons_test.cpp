// Both windows show icons of our own, the same pictures the desktop entry uses.
#include "app_icon.h"
#include "help_window.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Icons, MainWindowIconComesInEveryDesktopSize) {
    const QIcon icon = quorvix::app::appIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int side : {16, 32, 48, 256}) {
        EXPECT_EQ(icon.pixmap(side, side).size(), QSize(side, side)) << side;
    }
}

TEST(Icons, HelpWindowHasASixteenPixelIconOfItsOwn) {
    QTemporaryDir folder;
    quorvix::help::HelpWindow help(folder.path(), [](const QUrl&) {});
    const QIcon icon = help.windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
}
