#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

// The widget tests need a QApplication. Listing the tests (done at build time by test
// discovery, without the offscreen platform) must not need a display, so the application is
// created only when tests run.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    if (!GTEST_FLAG_GET(list_tests)) {
        app = std::make_unique<QApplication>(argc, argv);
    }
    return RUN_ALL_TESTS();
}
