#pragma once

#include "background_evaluation.h"
#include "engine_host.h"
#include "evaluation_command.h"
#include "settings_file.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace quorvix::keypad {
class KeypadButton;
struct KeypadKey;
} // namespace quorvix::keypad

namespace quorvix::help {
class HelpWindow;
}

namespace quorvix::app {

class CommandBox;
class HistoryKeeper;
class NamesWindow;
class TapeKeeper;
class TapeWindow;

// The calculator's window. Its controls come from two tables (the left part's and the keypad's)
// and keep their table names as object names, by which control() finds them.
//
// The keypad is hidden ("&Keypad >>" on its button, narrow window), shown ("<< &Keypad", wide)
// or unavailable ("Keypad Unavailable", button disabled, narrow, under JavaScript). Creating the
// window replays the settings file of `programFolder`; closing it through its frame writes that
// file, while Close and Esc end the program without writing.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // `userSettingsFolder`, if given, keeps the settings when the program's folder is not
    // writable (an installed copy).
    explicit MainWindow(const QString& programFolder, QWidget* parent = nullptr,
                        const QString& userSettingsFolder = QString());
    ~MainWindow() override;

    // Answers longer than this are not laid out in the output box, which would freeze the window
    // for seconds; the box says so, and Copy Output copies the whole answer until the user
    // changes the box.
    static constexpr qsizetype kMaxShownAnswer = 2'000'000;

    // Runs the evaluation command on the input line and shows its outcome. The engine runs on a
    // thread of its own: an evaluation that ends at once is shown before this returns, a longer
    // one when it ends, the window answering meanwhile (see evaluationRunning()). Refused while
    // one is running.
    void EvaluateInput();
    // An evaluation is running: the input line and the keys that evaluate take no input, OK
    // and Esc stop it, and from kBusyAfter on the window says so.
    bool evaluationRunning() const { return m_run.running(); }
    // No evaluation and no answer preview is in flight.
    bool engineIdle() const { return m_run.idle(); }
    // Stops the running evaluation, if any; it ends soon after, saying so.
    void stopEvaluation() { m_run.stop(); }
    static constexpr std::chrono::milliseconds kBusyAfter{300};
    // How long an evaluation may take before the window stops waiting for it and answers the
    // user again (tests that check each outcome at once make it long).
    void setEvaluationPatience(std::chrono::milliseconds patience);
    // Replaces the input line's selection by `text`, the cursor behind it.
    void InsertAtCursor(QStringView text);
    // The Keypad button's action: show the keypad if hidden, else hide it.
    void toggleKeypad();

    const EngineHost& calc() const { return m_calc; }
    // The inputs recalled by Up and Down in the input line, kept beside the settings.
    HistoryKeeper& inputHistory() const { return *m_history; }
    // The open help window, if any.
    help::HelpWindow* helpWindow() const;
    // Every evaluation with its output, kept beside the input history.
    TapeKeeper& resultTape() const { return *m_tape; }
    // Shows the tape's window (F9, or the input line's menu), and the open one, if any.
    void showTape();
    TapeWindow* tapeWindow() const;
    // Shows the names window (F8, or the input line's menu), and the open one, if any.
    void showNames();
    NamesWindow* namesWindow() const;

    // The control of that object name, as the window's tables name it (the left part's and the
    // keypad's), or "AnswerPreview"; nullptr if there is none of type W. The tables are the
    // controls' one home: the window keeps no member of its own for each.
    template <class W = QWidget> W* control(QStringView objectName) const {
        return findChild<W*>(objectName.toString());
    }
    // The two controls nearly everything works through.
    CommandBox* inputLine() const;
    QLineEdit* outputBox() const;

    // The keypad's button of that name in the key table; for the Number, GetVar and SetVar
    // rows, the one of that index (the digit, or the memory from 1). nullptr for no such key.
    keypad::KeypadButton* keypadKey(QStringView name, int index = 0) const;

signals:
    // Close or Esc: the program is to end at once. main() quits the event loop on it.
    void programEndRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class KeypadState { Hidden, Shown, Unavailable };

    // The option button of `language`, named after it.
    QRadioButton* languageOption(ScriptLanguage language) const;

    void buildLeftPart();
    void buildKeypad();
    void chainTabOrder();
    void connectActions();
    void applySettings();

    void onKeyPressed(const keypad::KeypadKey& key, keypad::KeypadButton* button);
    // The rest of the evaluation command once the engine has answered.
    void onEvaluationFinished(const EvaluationResult& result);
    void buildAnswerPreview();
    void showAnswerPreview(const QString& answer);
    // Runs `step` now, or after the running evaluation has been shown: a keypad press's steps
    // keep their order around its evaluation.
    void afterEvaluation(std::function<void()> step);
    // The sign that an evaluation is going on, and how to stop it; off restores the window.
    void showBusy(bool busy);
    // Refuses a key or edit that would change the input line during an evaluation.
    bool refusedWhileRunning();
    // Types the keys held during an evaluation that ended before its busy sign.
    void typeHeldKeys();
    void onLanguageSelected(ScriptLanguage language);
    void onClose();
    void onHelp();
    void onPasteRefused(qsizetype length);
    // What the tape and names windows insert: at the input line's cursor, as a paste is.
    void insertFromWindow(const QString& text);
    void placeBeside(QWidget& window) const;
    // Lists the session's names again in the names window, if open, once the engine is free.
    void refreshNames();
    // Shows `text` in the output box; `unshownAnswer` is what Copy Output copies instead, if
    // not null.
    void showOutput(const QString& text, const QString& unshownAnswer = QString());
    void setClientWidthTwips(int twips);
    // The window's width, the Keypad button's caption and whether it and the keypad's buttons
    // take input, all as `state` has them.
    void setKeypadState(KeypadState state);
    // Keypad buttons take input (and are Tab stops) only while the keypad is in view.
    void setKeypadReachable(bool reachable);

    QString m_programFolder;
    SettingsFile m_settings;
    // The user's locale, read once when the window is made.
    UserLocale m_locale = userLocaleOf(QLocale());
    EngineHost m_calc{kScriptTimeLimit, m_locale};
    EvaluationCommand m_evaluation{m_calc, m_locale};
    // A person does not see a wait this short; past it the window answers again.
    BackgroundEvaluation m_run{m_evaluation, m_calc, std::chrono::milliseconds(25), this};
    QTimer m_busyTimer;
    bool m_busy = false;
    // What the output box showed before the busy sign, to show again after a run that
    // leaves it as it was.
    QString m_outputBeforeBusy;
    QString m_unshownBeforeBusy;
    QString m_okAccessibleName;
    std::vector<std::function<void()>> m_afterEvaluation;
    QString m_pendingInput;   // the input line's text the running evaluation was given
    QStringList m_knownNames; // the engine's names when it was last free to say
    std::vector<std::unique_ptr<QKeyEvent>> m_heldKeys;  // typed during a run, before its sign
    std::vector<std::pair<int, QWidget*>> m_keyTabStops; // keypad buttons by tab index
    // The answer Enter would give, shown greyed in the input line as the user types.
    QLabel* m_answerPreview = nullptr;
    QPointer<help::HelpWindow> m_help;
    HistoryKeeper* m_history = nullptr;
    TapeKeeper* m_tape = nullptr;
    QPointer<TapeWindow> m_tapeWindow;
    QPointer<NamesWindow> m_namesWindow;
    KeypadState m_keypadState = KeypadState::Hidden;
    bool m_ending = false;   // set by Close: the frame-close path must not write settings
    QString m_unshownAnswer; // an answer too long for the output box, for Copy Output, until
                             // the user edits the box
};

} // namespace quorvix::app
