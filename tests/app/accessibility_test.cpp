#include "keypad_button.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QLineEdit>
#include <vector>

namespace quorvix::app {
namespace {

using testing_support::WindowTest;

QString spoken(QWidget* widget, QAccessible::Text text) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(text) : QString();
}

class AccessibilityTest : public WindowTest {};

TEST_F(AccessibilityTest, EveryControlHasANameAndADescription) {
    MainWindow& window = create();
    const QList<QWidget*> controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(controls.size(), 56); // 14 on the left, the panel, 2 caption boxes, 39 keys
    for (QWidget* control : controls) {
        EXPECT_FALSE(spoken(control, QAccessible::Name).isEmpty())
            << control->objectName().toStdString();
        if (control != window.KeypadFrame) {
            EXPECT_FALSE(spoken(control, QAccessible::Description).isEmpty())
                << control->objectName().toStdString();
        }
    }
}

struct NameCase {
    const char* objectName;
    int index; // member of an array, -1 for others
    const char* name;
};

TEST_F(AccessibilityTest, KeysAndBoxesAreSpokenByWhatTheyDo) {
    MainWindow& window = create();
    const NameCase cases[] = {
        {"Pi", -1, "pi"},
        {"Multiply", -1, "multiply"},
        {"Divide", -1, "divide"},
        {"Squared", -1, "square"},
        {"SqrRoot", -1, "square root"},
        {"PosNeg", -1, "change sign"},
        {"DPoint", -1, "decimal point"},
        {"Backspace", -1, "backspace"},
        {"SetVar", 1, "store in x"},
        {"GetVar", 5, "recall k"},
        {"Number", 7, "7"},
        {"Command", -1, "input line"},
        {"Ans", -1, "output box"},
        {"JavaScript", -1, "JavaScript"},
        {"CopyOutput", -1, "copy output to clipboard"},
    };
    for (const NameCase& c : cases) {
        QWidget* found = nullptr;
        for (QWidget* w : window.findChildren<QWidget*>(QString::fromLatin1(c.objectName),
                                                        Qt::FindDirectChildrenOnly)) {
            if (c.index < 0 || w->property("index").toInt() == c.index) {
                found = w;
            }
        }
        ASSERT_NE(found, nullptr) << c.objectName;
        EXPECT_EQ(spoken(found, QAccessible::Name).toStdString(), c.name) << c.objectName;
    }
}

std::vector<std::pair<QObject*, QAccessible::Event>>* g_events = nullptr;

void recordEvent(QAccessibleEvent* event) {
    if (g_events) {
        g_events->emplace_back(event->object(), event->type());
    }
}

TEST_F(AccessibilityTest, OutputBoxReportsEveryEvaluation) {
    MainWindow& window = create();
    std::vector<std::pair<QObject*, QAccessible::Event>> events;
    g_events = &events;
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordEvent);
    // On X the bridge turns on once it has reached the AT-SPI bus.
    if (QGuiApplication::platformName() == QLatin1String("offscreen") ||
        !QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000)) {
        // The offscreen platform has no accessibility bridge and drops every update; the
        // accessibility_bridge test runs this one under X with the AT-SPI bus.
        QAccessible::installUpdateHandler(previous);
        g_events = nullptr;
        GTEST_SKIP() << "no accessibility bridge";
    }
    const auto textEventsOnAns = [&] {
        return std::count_if(events.begin(), events.end(), [&](const auto& e) {
            return e.first == window.Ans &&
                   (e.second == QAccessible::TextInserted || e.second == QAccessible::TextUpdated);
        });
    };
    // A new answer, then the same answer again: each is heard.
    for (int run = 0; run < 2; ++run) {
        events.clear();
        window.Command->setPlainText(QStringLiteral("1+1"));
        window.EvaluateInput();
        EXPECT_EQ(window.Ans->text(), QStringLiteral("2"));
        EXPECT_EQ(textEventsOnAns(), 1) << "run " << run;
    }
    QAccessible::installUpdateHandler(previous);
    g_events = nullptr;
}

} // namespace
} // namespace quorvix::app
