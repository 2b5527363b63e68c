#include "../table_rows.h"
#include "help_window.h"
#include "history_keeper.h"
#include "keypad_button.h"
#include "settings_file.h"
#include "tape_keeper.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace quorvix::app {
namespace {

using testing_rows::PrintTo;

using testing_support::focusName;
using testing_support::WindowTest;

class MainWindowTest : public WindowTest {};

// Keypad states ----------------------------------------------------------------------------

// Where the start finds its settings. HugeFile: the content, then zero bytes up to a gigabyte.
// PastTheReadLimit: the content, zero bytes up to the read limit, then "lang=1".
enum class Start { NoFile, File, Folder, Fifo, Unreadable, HugeFile, PastTheReadLimit };

// What the user does after the start: click or focus a control, or press a key on the focused
// one (Alt+T, Enter, an arrow key). Nothing is evaluated on the way, and the height never changes.
enum class Step { ClickKeypad, ClickJS, ClickVB, FocusKeypad, FocusVB, AltT, Enter, Right, Left };
using enum Step;

struct KeypadStateCase {
    const char* name;
    Start start;
    QByteArray ini;
    std::vector<Step> steps;
    int width;
    const char* caption;
    const char* language;
    const char* focus = "Command";
};

class KeypadStateTest : public WindowTest, public testing::WithParamInterface<KeypadStateCase> {
protected:
    void prepare(Start start, const QByteArray& ini) {
        const QByteArray name = QFile::encodeName(iniPath());
        if (start == Start::Folder) {
            ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("Quorvix.ini")));
        } else if (start == Start::Fifo) {
            ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
        } else if (start != Start::NoFile) {
            writeIni(ini);
        }
        if (start == Start::Unreadable && (::geteuid() == 0 || ::chmod(name.constData(), 0) != 0)) {
            GTEST_SKIP() << "root reads files whatever their mode";
        }
        if (start == Start::HugeFile) {
            ASSERT_TRUE(QFile::resize(iniPath(), qint64(1) << 30));
        }
        if (start == Start::PastTheReadLimit) {
            QFile file(iniPath());
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.seek(SettingsFile::kReadLimit));
            file.write("lang=1\r\n");
        }
    }
};

TEST_P(KeypadStateTest, FollowsTheSteps) {
    const KeypadStateCase& row = GetParam();
    prepare(row.start, row.ini);
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    MainWindow& main = open();
    main.inputLine()->setText(u"5"_qs);
    for (const Step step : row.steps) {
        QWidget* focus = QApplication::focusWidget();
        step == ClickKeypad   ? click(u"Keypad")
        : step == ClickJS     ? button(u"JavaScript")->click()
        : step == ClickVB     ? button(u"VBScript")->click()
        : step == FocusKeypad ? button(u"Keypad")->setFocus()
        : step == FocusVB     ? button(u"VBScript")->setFocus()
        : step == AltT        ? QTest::keyClick(focus, Qt::Key_T, Qt::AltModifier)
        : step == Enter       ? QTest::keyClick(focus, Qt::Key_Return)
        : step == Right       ? QTest::keyClick(focus, Qt::Key_Right)
                              : QTest::keyClick(focus, Qt::Key_Left);
        // An access key clicks its option a moment later, as an animated click.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !button(u"JavaScript")->isDown() && !button(u"VBScript")->isDown(); },
            30000));
    }
    EXPECT_EQ(button(u"Keypad")->text(), QString::fromUtf8(row.caption));
    EXPECT_EQ(button(u"Keypad")->isEnabled(), row.language == std::string_view("VBScript"));
    EXPECT_EQ(languageName(main.calc().language()), QString::fromLatin1(row.language));
    EXPECT_EQ(button(u"VBScript")->isChecked(), row.language == std::string_view("VBScript"));
    EXPECT_EQ(button(u"JavaScript")->isChecked(), row.language == std::string_view("JavaScript"));
    EXPECT_EQ(focusName(), QString::fromLatin1(row.focus));
    EXPECT_TRUE(main.outputBox()->text().isEmpty());
    EXPECT_TRUE(languageChoiceOpen());
    // One fixed size for each state: the user cannot drag a hidden or unavailable keypad into
    // view, and a key out of view takes no input.
    main.resize(800, 400);
    EXPECT_EQ(main.size(), QSize(row.width, 237));
    const bool shown = row.caption == std::string_view("<< &Keypad");
    EXPECT_EQ(main.keypadKey(u"Number", 2)->isEnabled(), shown);
    QTest::mouseClick(main.keypadKey(u"Number", 2), Qt::LeftButton);
    EXPECT_EQ(main.inputLine()->text() != u"5", shown);
}

constexpr const char* kShown = "<< &Keypad";
constexpr const char* kHidden = "&Keypad >>";
constexpr const char* kUnavailable = "Keypad Unavailable";
constexpr const char* VB = "VBScript";
constexpr const char* JS = "JavaScript";
using enum Start;

// clang-format off
const KeypadStateCase kStates[] = {
    {"FirstStartShowsTheKeypad", NoFile, "", {}, 533, kShown, VB},
    {"KeypadShows", File, "", {ClickKeypad}, 533, kShown, VB, "Keypad"},
    {"KeypadTwiceReturnsAndKeepsTheFocus", File, "", {ClickKeypad, ClickKeypad}, 329, kHidden, VB, "Keypad"},
    {"JavaScriptMakesTheKeypadUnavailable", NoFile, "", {FocusKeypad, ClickJS}, 329, kUnavailable, JS},
    {"KeypadAfterJavaScriptAndBack", NoFile, "", {ClickJS, ClickVB, ClickKeypad}, 533, kShown, VB, "Keypad"},
    {"EnterOnAnotherPushButtonPressesIt", NoFile, "", {FocusKeypad, Enter}, 329, kHidden, VB, "Keypad"},
    {"ArrowWithoutAChangeKeepsTheFocus", NoFile, "", {FocusVB, Left}, 533, kShown, VB, "VBScript"},
    // A change of language gives the focus to the input line.
    {"AltTRight", NoFile, "", {AltT, Right}, 329, kUnavailable, JS},
    {"AltTRightAltTLeft", NoFile, "", {AltT, Right, AltT, Left}, 329, kHidden, VB},
    // The start in the remembered state, also from files that cannot be read as they should.
    {"EmptyFileLeavesItHidden", File, "", {}, 329, kHidden, VB},
    {"Lang1Pad1", File, "lang=1\r\npad=1\r\n", {}, 329, kUnavailable, JS},
    {"Pad1BeforeLang1", File, "pad=1\r\nlang=1\r\n", {}, 329, kUnavailable, JS},
    {"FolderCountsAsMissing", Folder, "", {}, 533, kShown, VB},
    {"FifoCountsAsMissingAndDoesNotBlock", Fifo, "", {}, 533, kShown, VB},
    {"UnreadableFileGivesDesignState", Unreadable, "lang=1\r\npad=1\r\n", {}, 329, kHidden, VB},
    {"Pad1Then70000Bytes", File, "pad=1\r\n" + QByteArray(70'000, 'x'), {}, 533, kShown, VB},
    {"GigabyteFileStartingWithLang1", HugeFile, "lang=1\r\n", {}, 329, kUnavailable, JS},
    {"ItemsPastTheReadLimitAreNotRead", PastTheReadLimit, "pad=1\r\n", {}, 533, kShown, VB},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(All, KeypadStateTest, testing::ValuesIn(kStates), testing_rows::RowName());

// Keypad presses ---------------------------------------------------------------------------

// One press on a line with "before" in the output box: the line afterwards, and whether the
// press evaluated (the output box and the language options show it). One row per order of
// steps; the keypad's own tables hold each key's edit.
struct PressCase {
    const char* name;
    const char* button;
    int index; // member of an array, else 0
    const char* text;
    qsizetype start, length;
    const char* expected;
    qsizetype expectedStart, expectedLength;
    const char16_t* answer;
    bool evaluates;
    bool bySpace = false; // Space on the focused button instead of a click
};

class KeypadPressTest : public WindowTest, public testing::WithParamInterface<PressCase> {};

TEST_P(KeypadPressTest, EditsTheLineAndReturnsTheFocus) {
    const PressCase& row = GetParam();
    open(); // the keypad shown
    setLine(QString::fromUtf8(row.text), row.start, row.length);
    window().outputBox()->setText(u"before"_qs);
    keypad::KeypadButton* button = window().keypadKey(QString::fromLatin1(row.button), row.index);
    ASSERT_NE(button, nullptr);
    if (row.bySpace) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    } else {
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EXPECT_EQ(window().inputLine()->text(), QString::fromUtf8(row.expected));
    EXPECT_EQ(window().inputLine()->selStart(), row.expectedStart);
    EXPECT_EQ(window().inputLine()->selLength(), row.expectedLength);
    EXPECT_EQ(window().outputBox()->text(), QString::fromUtf16(row.answer));
    EXPECT_EQ(languageChoiceOpen(), !row.evaluates);
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(focusName(), u"Command");
}

const PressCase kPresses[] = {
    {"Digit", "Number", 7, "12", 1, 0, "172", 2, 0, u"before", false},
    {"EqualsSelectsTheLine", "Equals", 0, "2+3", 3, 0, "2+3", 0, 3, u"5", true},
    {"ClearRunsTheFirstEvaluation", "C", 0, "99", 1, 0, "", 0, 0, u"", true},
    {"StoreLeavesTheOutputBox", "SetVar", 1, "5", 1, 0, "!x=5", 0, 4, u"before", true},
    {"SpaceOnAFocusedButton", "Add", 0, "4", 1, 0, "4+", 2, 0, u"before", false, true},
};
INSTANTIATE_TEST_SUITE_P(Keys, KeypadPressTest, testing::ValuesIn(kPresses),
                         testing_rows::RowName());

// Evaluation ------------------------------------------------------------------------------

// A failed first evaluation counts as much as one with an answer.
TEST_F(MainWindowTest, FirstEvaluationFreezesTheLanguageForGood) {
    MainWindow& main = open();
    evaluate(u"1/0"_qs);
    EXPECT_FALSE(main.outputBox()->text().isEmpty());
    EXPECT_FALSE(languageChoiceOpen());
    evaluate(u"1+1"_qs);
    EXPECT_FALSE(languageChoiceOpen());
    QTest::mouseClick(button(u"JavaScript"), Qt::LeftButton, {},
                      QPoint(4, button(u"JavaScript")->height() / 2));
    EXPECT_EQ(main.calc().language(), ScriptLanguage::VBScript);
    // The keypad still shows and hides under VBScript.
    click(u"Keypad");
    EXPECT_EQ(main.width(), 329);
    click(u"Keypad");
    EXPECT_EQ(main.width(), 533);
}

// A run that would not end: the window says so and offers Stop, refuses keys meanwhile, and Esc
// stops the run, not the program; Ans and the variables stay as they were.
TEST_F(MainWindowTest, LongRunShowsItsSignAndEscStopsIt) {
    MainWindow& main = open();
    QSignalSpy ended(&main, &MainWindow::programEndRequested);
    evaluate(u"5"_qs);
    evaluate(u"!x = 3"_qs);
    main.setEvaluationPatience(std::chrono::milliseconds(0));
    evaluate(u"!Do: Loop"_qs);
    ASSERT_TRUE(main.evaluationRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return button(u"OK")->text() == u"&Stop"; }, 30000));
    EXPECT_EQ(button(u"OK")->accessibleName(), u"Stop");
    EXPECT_TRUE(main.outputBox()->text().startsWith(u"Working"));
    QTest::keyClicks(main.inputLine(), u"9"_qs);
    QTest::keyClick(main.inputLine(), Qt::Key_Up);
    EXPECT_EQ(main.inputLine()->text(), u"!Do: Loop"); // refused, never typed later
    QTest::keyClick(main.inputLine(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main.evaluationRunning(); }, 30000));
    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(main.outputBox()->text().startsWith(u"Stopped after "))
        << main.outputBox()->text().toStdString();
    EXPECT_EQ(button(u"OK")->text(), u"&OK");
    EXPECT_EQ(main.inputLine()->text(), u"!Do: Loop");
    EXPECT_FALSE(main.resultTape().entries().constLast().answered);
    main.setEvaluationPatience(std::chrono::hours(1));
    evaluate(u"Ans & x"_qs);
    EXPECT_EQ(main.outputBox()->text(), u"53");
}

// The answer shows as the user types, only for what can change nothing; the setting is kept
// with the history, never in Quorvix.ini.
TEST_F(MainWindowTest, AnswerPreviewShowsOnlyWhatChangesNothing) {
    MainWindow& main = open();
    evaluate(u"!n = 0: Function Bump(): n = n + 1: Bump = n: End Function"_qs);
    const auto previewOf = [&](const QString& text) {
        main.inputLine()->setText(text);
        EXPECT_TRUE(QTest::qWaitFor([&] { return main.engineIdle(); }, 30000));
        const auto* preview = main.control<QLabel>(u"AnswerPreview");
        return preview->isVisible() ? preview->text() : QString();
    };
    EXPECT_EQ(previewOf(u"1+2(3)"_qs), u"= 7");
    EXPECT_EQ(previewOf(u"Bump()"_qs), QString());
    EXPECT_EQ(previewOf(u"Rnd"_qs), QString());
    EXPECT_EQ(previewOf(u"!n = 5"_qs), QString());
    evaluate(u"n"_qs);
    EXPECT_EQ(main.outputBox()->text(), u"0"); // no preview ran Bump or the statement
    EXPECT_EQ(previewOf(u"+2"_qs), u"= 2");
    evaluate(u"Ans"_qs);
    EXPECT_EQ(main.outputBox()->text(), u"0"); // and none stored Ans
    EXPECT_EQ(previewOf(u"3*3"_qs), u"= 9");
    main.inputHistory().setPreviewing(false);
    EXPECT_FALSE(main.control<QLabel>(u"AnswerPreview")->isVisible()); // the shown one goes at once
    EXPECT_EQ(previewOf(u"1+1"_qs), QString());
    EXPECT_TRUE(testing_support::fileContent(QDir(folder()).filePath(u"Quorvix-history.txt"_qs))
                    .contains("#preview=0\n"));
    EXPECT_FALSE(iniContent().value_or(QByteArray()).contains("preview"));
}

// Enter or Esc pressed while the named control has the focus, with "20+1" in the input line; an
// evaluation selects the whole input.
struct FocusKeyCase {
    const char* name;
    const char* focus; // object name of the control that has the focus
    Qt::Key key;
};

class FocusKeyTest : public WindowTest, public testing::WithParamInterface<FocusKeyCase> {};

TEST_P(FocusKeyTest, EnterEvaluatesEscEndsWithoutWritingSettings) {
    writeIni("pad=1\r\n");
    MainWindow& main = open();
    QSignalSpy ended(&main, &MainWindow::programEndRequested);
    main.inputLine()->setText(u"20+1"_qs);
    auto* target = main.findChild<QWidget*>(QString::fromLatin1(GetParam().focus));
    ASSERT_NE(target, nullptr);
    target->setFocus();
    ASSERT_EQ(focusName(), QString::fromLatin1(GetParam().focus));
    QTest::keyClick(target, GetParam().key);
    const bool esc = GetParam().key == Qt::Key_Escape;
    EXPECT_EQ(ended.count(), esc ? 1 : 0);
    EXPECT_EQ(main.isVisible(), !esc);
    EXPECT_EQ(main.outputBox()->text(), esc ? u""_qs : u"21"_qs);
    EXPECT_EQ(main.inputLine()->text(), u"20+1");
    EXPECT_EQ(main.inputLine()->selStart(), 0);
    EXPECT_EQ(main.inputLine()->selLength(), esc ? 0 : 4);
    EXPECT_EQ(main.width(), 533); // no other button acted
    EXPECT_EQ(iniContent(), QByteArray("pad=1\r\n"));
}

const FocusKeyCase kFocus[] = {
    {"EnterInInputLine", "Command", Qt::Key_Return},
    {"EnterInOutputBox", "Ans", Qt::Key_Return},
    {"EnterOnDigitButton", "Number", Qt::Key_Return},
    {"EnterOnLanguageOption", "VBScript", Qt::Key_Return},
    {"SpaceOnOk", "OK", Qt::Key_Space},
    {"EscInInputLine", "Command", Qt::Key_Escape},
    {"EscInOutputBox", "Ans", Qt::Key_Escape},
    {"EscOnKeypadButton", "Add", Qt::Key_Escape},
    {"EscOnHelpButton", "HelpButton", Qt::Key_Escape},
};
INSTANTIATE_TEST_SUITE_P(Keys, FocusKeyTest, testing::ValuesIn(kFocus), testing_rows::RowName());

// Ending ------------------------------------------------------------------------------------

// Closing by the frame writes the settings, and closes all the same when they cannot be written.
struct FrameCloseCase {
    const char* name;
    const char* ini;          // settings at start; nullptr: a folder in the file's place
    bool selectJavaScript;    // then select JavaScript
    const char* expectedFile; // written when the frame is closed; nullptr: none could be
};

class FrameCloseTest : public WindowTest, public testing::WithParamInterface<FrameCloseCase> {};

TEST_P(FrameCloseTest, WritesTheSettings) {
    const FrameCloseCase& row = GetParam();
    if (row.ini) {
        writeIni(row.ini);
    } else {
        ASSERT_TRUE(QDir(folder()).mkdir(u"Quorvix.ini"_qs));
    }
    MainWindow& main = open();
    if (row.selectJavaScript) {
        button(u"JavaScript")->click();
    }
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(main.isVisible());
    if (row.expectedFile) {
        EXPECT_EQ(iniContent(), QByteArray(row.expectedFile));
    } else {
        EXPECT_TRUE(QFileInfo(iniPath()).isDir());
    }
}

const FrameCloseCase kCloses[] = {
    {"VBScriptKeypadHidden", "", false, "lang=0\r\npad=0\r\n"},
    {"VBScriptKeypadShown", "pad=1", false, "lang=0\r\npad=1\r\n"},
    // Under JavaScript the keypad is unavailable, which does not read as hidden.
    {"JavaScript", "", true, "lang=1\r\npad=1\r\n"},
    {"JavaScriptFromSettings", "lang=1", false, "lang=1\r\npad=1\r\n"},
    {"FileCannotBeWritten", nullptr, false, nullptr},
};
INSTANTIATE_TEST_SUITE_P(States, FrameCloseTest, testing::ValuesIn(kCloses),
                         testing_rows::RowName());

// Help --------------------------------------------------------------------------------------

// Help opens one window without blocking; pressed again it brings that window back as it was,
// and only a window opened anew reads the read-me again. Close ends the program at once, without
// a settings file, and takes the help window along.
TEST_F(MainWindowTest, HelpOpensOneWindowThatReadsTheReadmeWhenOpenedAndGoesWithClose) {
    const QString readme = QDir(folder()).filePath(u"Readme.txt"_qs);
    testing_support::writeFile(readme, "first");
    MainWindow& main = open();
    click(u"HelpButton");
    help::HelpWindow* first = main.helpWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->txtHelpFile->toPlainText(), u"first\n");

    testing_support::writeFile(readme, "second");
    first->showMinimized();
    ASSERT_TRUE(first->isMinimized());
    main.activateWindow();
    click(u"HelpButton");
    EXPECT_EQ(main.helpWindow(), first);
    EXPECT_FALSE(first->isMinimized());
    EXPECT_EQ(first->txtHelpFile->toPlainText(), u"first\n"); // kept while open

    // Reopened at once, before the closed window is deleted.
    main.helpWindow()->close();
    click(u"HelpButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QPointer<help::HelpWindow> help = main.helpWindow();
    ASSERT_TRUE(help);
    EXPECT_EQ(help->txtHelpFile->toPlainText(), u"second\n");

    QSignalSpy ended(&main, &MainWindow::programEndRequested);
    click(u"Close");
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(QFile::exists(iniPath()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!help || !help->isVisible());
}

// Clipboard ---------------------------------------------------------------------------------

TEST_F(MainWindowTest, CopyInputCopiesTheWholeInputLine) {
    MainWindow& main = open();
    setLine(u"12+34"_qs, 1, 2);
    click(u"CopyInput");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"12+34");
    EXPECT_EQ(focusName(), u"CopyInput");
    main.inputLine()->setFocus(Qt::TabFocusReason); // coming back, the input keeps its selection
    EXPECT_EQ(main.inputLine()->selStart(), 1);
    EXPECT_EQ(main.inputLine()->selLength(), 2);
    // An empty line empties the clipboard.
    main.inputLine()->setText(QString());
    click(u"CopyInput");
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}

// Refused pastes and answers too long to show: the bad-input battery.

// Layout -------------------------------------------------------------------------------------

class MainWindowLayoutTest : public WindowTest {
protected:
    void SetUp() override { writeIni("lang=0\r\npad=0\r\n"); }
};

TEST_F(MainWindowLayoutTest, WindowAndBoxesLookAndBehaveAsDesigned) {
    MainWindow& main = create();
    EXPECT_EQ(main.windowTitle(), u"Quorvix");
    // Sizes: the design places' rows.
    EXPECT_EQ(main.inputLine()->font().family(), u"Liberation Mono");
    EXPECT_FALSE(main.inputLine()->font().bold());
    EXPECT_EQ(main.inputLine()->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(main.inputLine()->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(main.outputBox()->font().family(), u"Liberation Mono");
    EXPECT_TRUE(main.outputBox()->font().bold());
    EXPECT_EQ(main.outputBox()->palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_EQ(main.outputBox()->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(main.control<QLabel>(u"InputLabel")->font().family(), u"Liberation Sans");
    EXPECT_TRUE(main.control<QLabel>(u"InputLabel")->font().bold());
    // The input line: centred, wrapping, several lines (Tab leaves it: the tab order's test),
    // without a scroll bar of its own.
    EXPECT_EQ(main.inputLine()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const QTextOption option = main.inputLine()->document()->defaultTextOption();
    EXPECT_EQ(option.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(main.inputLine()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_FALSE(main.inputLine()->isReadOnly());
    // The output box: centred and editable (long answers shown whole: the bad-input battery).
    EXPECT_EQ(main.outputBox()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(main.outputBox()->isReadOnly());
    // Labels lead to the next control.
    EXPECT_EQ(main.control<QLabel>(u"InputLabel")->buddy(), main.inputLine());
    EXPECT_EQ(main.control<QLabel>(u"AnsLabel")->buddy(), main.outputBox());
    EXPECT_EQ(main.control<QLabel>(u"FunctionTypeLabel")->buddy(), button(u"VBScript"));
    EXPECT_EQ(main.control<QLabel>(u"FunctionTypeLabel")->alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
}

// A sample of controls at their design places (twips / 15, as pixels) and caption sizes, with
// the keypad keys' look: white bold serif text on their row's colour, drawn flat. A caption is
// set smaller only where it would not fit: the Keypad button's, sized for the widest of its three
// ("Keypad Unavailable"), so that the button does not change with the keypad's state.
struct PlaceCase {
    const char* name;
    int index; // member of an array, else 0
    const char16_t* caption;
    QRect rect;
    QRgb background; // keypad keys only
    double pointSize;
};

const PlaceCase kPlaces[] = {
    {"InputLabel", 0, u"&Input:", {4, 8, 321, 13}, 0, 8.25},
    {"Command", 0, u"", {8, 40, 313, 39}, 0, 9},
    {"OK", 0, u"&OK", {136, 84, 57, 25}, 0, 8.25},
    {"Ans", 0, u"", {8, 136, 313, 23}, 0, 9},
    {"FunctionTypeLabel", 0, u"Function &Type:", {44, 172, 89, 13}, 0, 8.25},
    {"JavaScript", 0, u"&JavaScript", {208, 172, 73, 13}, 0, 8.25},
    {"Keypad", 0, u"<< &Keypad", {220, 200, 97, 29}, 0, 7.75},
    {"CopyOutput", 0, u"Co&py Output to Clipboard", {236, 88, 85, 37}, 0, 8.25},
    {"GetLabel", 0, u"Get:", {336, 188, 29, 15}, 0, 8.25},
    {"Backspace", 0, u"<--", {360, 2, 75, 19}, qRgb(255, 64, 64), 12},
    {"PiRSquared", 0, u"\u03c0a\u00b2", {474, 24, 37, 19}, qRgb(96, 96, 96), 11.25},
    {"Number", 7, u"7", {366, 66, 27, 27}, qRgb(64, 64, 64), 12},
    {"PosNeg", 0, u"+/\u2013", {422, 150, 27, 27}, qRgb(64, 64, 64), 11.25},
    {"Equals", 0, u"=", {450, 150, 55, 27}, qRgb(64, 64, 64), 12},
    {"GetVar", 5, u"k", {478, 180, 27, 27}, qRgb(0, 128, 128), 12},
    {"SetVar", 1, u"x", {366, 208, 27, 27}, qRgb(0, 0, 128), 12},
};

TEST_F(MainWindowLayoutTest, ControlsStandAtTheirDesignPlaces) {
    MainWindow& main = open();
    main.toggleKeypad();
    const QImage image = main.grab().toImage();
    for (const PlaceCase& row : kPlaces) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.index));
        QWidget* widget = nullptr;
        for (auto* w : main.findChildren<QWidget*>(QString::fromLatin1(row.name))) {
            widget = w->property("index").toInt() == row.index ? w : widget;
        }
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), &main);
        EXPECT_EQ(widget->geometry(), row.rect);
        EXPECT_EQ(widget->property("text").toString(), QString::fromUtf16(row.caption));
        EXPECT_EQ(widget->font().pointSizeF(), row.pointSize);
        if (row.background == 0) {
            continue;
        }
        EXPECT_EQ(widget->font().family(), u"Liberation Serif");
        EXPECT_TRUE(widget->font().bold());
        EXPECT_EQ(widget->palette().color(QPalette::ButtonText), QColor(Qt::white));
        // Corners, away from the centred caption.
        const QRect inside = row.rect.adjusted(3, 3, -3, -3);
        for (const QPoint corner : {inside.topLeft(), inside.bottomRight()}) {
            EXPECT_EQ(QColor(image.pixel(corner * image.devicePixelRatio())),
                      QColor::fromRgb(row.background));
        }
    }
    const auto* panel = main.findChild<QWidget*>(u"KeypadFrame"_qs);
    EXPECT_EQ(panel->geometry(), QRect(336, 0, 197, 237));
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(48, 48, 48));
    EXPECT_EQ(main.findChild<QLineEdit*>(u"SetLabel"_qs)->text(), u"Set:");
    const auto* getLabel = main.findChild<QLineEdit*>(u"GetLabel"_qs);
    EXPECT_TRUE(getLabel->isReadOnly());
    EXPECT_FALSE(getLabel->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(getLabel->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // Everything of the keypad lies right of the narrow window's edge, over the panel.
    for (auto* button : main.findChildren<keypad::KeypadButton*>()) {
        EXPECT_GE(button->x(), 329) << button->objectName().toStdString();
    }
    keypad::KeypadButton* equals = main.keypadKey(u"Equals");
    EXPECT_EQ(main.childAt(equals->geometry().center()), equals);
}

TEST_F(MainWindowLayoutTest, TabWalksTheControlsInTabIndexOrder) {
    MainWindow& main = open();
    button(u"Keypad")->setFocus();
    QTest::keyClick(button(u"Keypad"),
                    Qt::Key_Tab); // the hidden keypad is skipped
    EXPECT_EQ(QApplication::focusWidget(), button(u"CopyInput"));
    main.toggleKeypad();
    const QStringList expected{u"Command"_qs, u"OK"_qs,         u"Ans"_qs,    u"VBScript"_qs,
                               u"Close"_qs,   u"HelpButton"_qs, u"Keypad"_qs, u"Number"_qs /* 0 */};
    main.inputLine()->setFocus();
    QStringList walked{focusName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << focusName();
    }
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(QApplication::focusWidget(), main.keypadKey(u"Number", 0));
    // The 39 keypad buttons (12 to 50), then the copy buttons (54, 55).
    int presses = 0;
    while (QApplication::focusWidget() != button(u"CopyInput") && presses < 60) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ++presses;
    }
    EXPECT_EQ(presses, 39);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button(u"CopyOutput"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), main.inputLine());
}

} // namespace
} // namespace quorvix::app
