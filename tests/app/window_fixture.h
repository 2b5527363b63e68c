#pragma once

#include "command_box.h"
#include "main_window.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

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

// A main window over a temporary program folder, optionally with a settings file in it. The
// tests of the folder get their file, folder and test headers from here.
class WindowTest : public ::testing::Test {
protected:
    QString folder() const { return m_dir.path(); }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Quorvix.ini")); }

    void writeIni(const QByteArray& bytes) const { writeFile(iniPath(), bytes); }

    std::optional<QByteArray> iniContent() const {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
    }

    // Created like the program does: settings replayed, not yet shown.
    MainWindow& create() {
        m_window = std::make_unique<MainWindow>(folder());
        // Every outcome is checked right after its evaluation: the window waits for it here.
        m_window->setEvaluationPatience(std::chrono::hours(1));
        return *m_window;
    }

    // Created, shown and active, so that focus can be tested.
    MainWindow& open() {
        MainWindow& window = create();
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }

    MainWindow& window() { return *m_window; }

    // The window's push button or option of that object name, and a click on it.
    QAbstractButton* button(QStringView name) const {
        return m_window->control<QAbstractButton>(name);
    }
    void click(QStringView name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

    // The language options and their label take input, all three or none: the first evaluation
    // freezes them together.
    bool languageChoiceOpen() const {
        const bool open = m_window->control<QLabel>(u"FunctionTypeLabel")->isEnabled();
        EXPECT_EQ(button(u"VBScript")->isEnabled(), open);
        EXPECT_EQ(button(u"JavaScript")->isEnabled(), open);
        return open;
    }

    // The input line holds `text`, `length` characters selected from `start`.
    void setLine(const QString& text, qsizetype start, qsizetype length = 0) {
        m_window->inputLine()->setText(text);
        m_window->inputLine()->setSelection(start, length);
    }

    // Enter in the input line holding `input`.
    void evaluate(const QString& input) {
        m_window->inputLine()->setText(input);
        QTest::keyClick(m_window->inputLine(), Qt::Key_Return);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

// One step of a test's typing: a key with its modifiers, or characters typed.
struct Press {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    const char* text = nullptr; // typed instead of `key`
};
inline const Press kTab{Qt::Key_Tab}, kEnter{Qt::Key_Return}, kEsc{Qt::Key_Escape};
inline Press typedText(const char* text) {
    return {Qt::Key_unknown, Qt::NoModifier, text};
}
inline void press(QWidget* widget, const std::vector<Press>& steps) {
    for (const Press& step : steps) {
        step.text ? QTest::keyClicks(widget, QString::fromUtf8(step.text))
                  : QTest::keyClick(widget, step.key, step.modifiers);
    }
}

inline QString focusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("(none)");
}

} // namespace quorvix::app::testing_support
