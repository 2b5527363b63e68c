#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include <memory>

// The widget tests need a QApplication; listing the tests at build time must not need a
// display, so it is created only when tests run. Answers are formatted in the user's locale:
// the tests fix it.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    if (!GTEST_FLAG_GET(list_tests)) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        app = std::make_unique<QApplication>(argc, argv);
    }
    return RUN_ALL_TESTS();
}
