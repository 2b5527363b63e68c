#include "main_window.h"

#include "caption_fit.h"
#include "command_box.h"
#include "control_factory.h"
#include "help_window.h"
#include "history_keeper.h"
#include "history_search.h"
#include "insert_at_cursor.h"
#include "key_table.h"
#include "keypad_button.h"
#include "library_file.h"
#include "main_window_controls.h"
#include "names_window.h"
#include "press_steps.h"
#include "tape_keeper.h"
#include "tape_window.h"
#include "twips.h"
#include "window_placement.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>

namespace quorvix::app {

namespace {

const QString kKeypadHiddenCaption = QStringLiteral("&Keypad >>");
const QString kKeypadShownCaption = QStringLiteral("<< &Keypad");
const QString kKeypadUnavailableCaption = QStringLiteral("Keypad Unavailable");

// Clear first, so that nothing copied earlier survives in another format.
void copyToClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace

MainWindow::MainWindow(const QString& programFolder, QWidget* parent,
                       const QString& userSettingsFolder)
    : QWidget(parent), m_programFolder(programFolder),
      m_settings(programFolder, userSettingsFolder) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Quorvix"));
    setFont(fontFor({FontFace::MsSansSerif, 8.25, false}, font()));
    setClientWidthTwips(kNarrowClientWidthTwips);

    // The keypad's panel first, so that the keypad buttons lie over it.
    buildKeypad();
    buildLeftPart();
    chainTabOrder();
    // The design state (VBScript, keypad hidden) before the option buttons are wired.
    setKeypadReachable(false);
    languageOption(ScriptLanguage::VBScript)->setChecked(true);
    control<QLabel>(u"FunctionTypeLabel")->setBuddy(languageOption(ScriptLanguage::VBScript));
    for (const ScriptLanguage language : {ScriptLanguage::VBScript, ScriptLanguage::JavaScript}) {
        languageOption(language)->installEventFilter(this);
    }
    connectActions();
    applySettings();
    // The user's library is read at the first evaluation, never at start-up.
    m_evaluation.setLibraryLoader([this](ScriptLanguage language) {
        std::optional<LibraryScript> library = readLibraryBeside(m_settings.homePath(), language);
        if (library) {
            // Completion offers the library's names as written there.
            QMetaObject::invokeMethod(this, [this, source = library->source] {
                if (InputAssist* assist = inputLine()->assist()) {
                    assist->learnSpellings(source);
                }
            });
        }
        return library;
    });
    m_history = new HistoryKeeper(
        inputLine(), [this] { return m_settings.keptFile(kHistoryFileName); }, this);
    m_tape = new TapeKeeper(
        *m_history, [this] { return m_settings.keptFile(kTapeFileName); }, this);
    // Before the window's own filter on the input line, so that a run holds back Ctrl+R as it
    // holds back other keys.
    new HistorySearch(inputLine(), [this] { return m_history->history().entries(); });
    // The window's place for what the user should know, as for a refused paste.
    connect(m_history, &HistoryKeeper::notice, this,
            [this](const QString& text) { showOutput(text); });
    connect(&m_run, &BackgroundEvaluation::finished, this, &MainWindow::onEvaluationFinished);
    buildAnswerPreview();
    m_busyTimer.setSingleShot(true);
    m_busyTimer.setInterval(kBusyAfter);
    connect(&m_busyTimer, &QTimer::timeout, this, [this] { showBusy(true); });
    inputLine()->installEventFilter(this);
    // F9: no control, access key or edit key of the window uses it.
    connect(new QShortcut(QKeySequence(Qt::Key_F9), this), &QShortcut::activated, this,
            &MainWindow::showTape);
    // F8, beside it, for the names window.
    connect(new QShortcut(QKeySequence(Qt::Key_F8), this), &QShortcut::activated, this,
            &MainWindow::showNames);
    connect(inputLine(), &CommandBox::contextMenuOpening, this, [this](QMenu* menu) {
        menu->addAction(QStringLiteral("Re&sult tape\tF9"), this, &MainWindow::showTape)
            ->setObjectName(QStringLiteral("resultTape"));
        menu->addAction(QStringLiteral("&Names\tF8"), this, &MainWindow::showNames)
            ->setObjectName(QStringLiteral("names"));
    });
    inputLine()->setFocus();
}

MainWindow::~MainWindow() {
    // The engine's thread ends before the engine and the command it uses.
    m_run.stop();
    m_run.waitForIdle();
    delete m_help;
    delete m_tapeWindow;
    delete m_namesWindow;
}

void MainWindow::buildAnswerPreview() {
    // A quiet line in the input line's lower right corner: grey, small, and never in the way of
    // a click.
    m_answerPreview = new QLabel(inputLine());
    m_answerPreview->setObjectName(QStringLiteral("AnswerPreview"));
    m_answerPreview->setAccessibleName(QStringLiteral("answer preview"));
    m_answerPreview->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette = m_answerPreview->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    m_answerPreview->setPalette(palette);
    m_answerPreview->hide();
    connect(inputLine(), &QPlainTextEdit::textChanged, this, [this] {
        m_answerPreview->hide();
        if (m_history->previewing() && !m_run.running()) {
            m_run.preview(inputLine()->text());
        }
    });
    connect(&m_run, &BackgroundEvaluation::previewed, this,
            [this](const QString& input, const std::optional<QString>& answer) {
                if (answer && !answer->isEmpty() && input == inputLine()->text() &&
                    m_history->previewing() && !m_run.running()) {
                    showAnswerPreview(*answer);
                }
            });
    connect(m_history, &HistoryKeeper::previewingChanged, this, [this](bool on) {
        if (!on) {
            m_answerPreview->hide();
        }
    });
}

void MainWindow::showAnswerPreview(const QString& answer) {
    const QRect room = inputLine()->contentsRect().adjusted(2, 0, -2, 0);
    const QString text = m_answerPreview->fontMetrics().elidedText(
        QStringLiteral("= ") + answer, Qt::ElideRight, room.width() / 2);
    m_answerPreview->setText(text);
    m_answerPreview->adjustSize();
    m_answerPreview->move(room.right() - m_answerPreview->width(),
                          room.bottom() - m_answerPreview->height());
    m_answerPreview->show();
    m_answerPreview->raise();
}

void MainWindow::setEvaluationPatience(std::chrono::milliseconds patience) {
    m_run.setPatience(patience);
}

TapeWindow* MainWindow::tapeWindow() const {
    return m_tapeWindow;
}

void MainWindow::insertFromWindow(const QString& text) {
    if (refusedWhileRunning()) {
        return;
    }
    // The input line's bound holds for an insertion as for a paste.
    const qsizetype length = inputLine()->text().size() - inputLine()->selLength() + text.size();
    if (length > CommandBox::kMaxPastedLength) {
        onPasteRefused(length);
        return;
    }
    InsertAtCursor(text);
    activateWindow();
    inputLine()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::placeBeside(QWidget& window) const {
    // Beside the calculator rather than over it, its frame taken as thick as the calculator's own.
    const QRect frame = frameGeometry();
    const QSize frameExtra = frame.size() - size();
    const QRect placed =
        ui::placedBeside(frame, window.size() + frameExtra, screen()->availableGeometry());
    window.move(placed.topLeft());
    window.resize(placed.size() - frameExtra);
}

void MainWindow::showTape() {
    if (!m_tapeWindow || !m_tapeWindow->isVisible()) {
        // No parent, as the help window: it is a window of its own.
        m_tapeWindow =
            new TapeWindow(*m_tape, [this](const QString& text) { insertFromWindow(text); });
        m_tapeWindow->setAttribute(Qt::WA_DeleteOnClose);
        placeBeside(*m_tapeWindow);
    }
    ui::bringToFront(*m_tapeWindow);
}

NamesWindow* MainWindow::namesWindow() const {
    return m_namesWindow;
}

void MainWindow::showNames() {
    if (!m_namesWindow || !m_namesWindow->isVisible()) {
        m_namesWindow = new NamesWindow([this](const QString& text) { insertFromWindow(text); },
                                        [this](const QString& name) {
                                            const InputAssist* assist = inputLine()->assist();
                                            return assist ? assist->spelled(name) : name;
                                        });
        m_namesWindow->setAttribute(Qt::WA_DeleteOnClose);
        placeBeside(*m_namesWindow);
    }
    refreshNames();
    ui::bringToFront(*m_namesWindow);
}

void MainWindow::refreshNames() {
    if (!m_namesWindow) {
        return;
    }
    // The engine is the engine thread's while it runs or previews: asked once it is free.
    if (!m_run.idle()) {
        QTimer::singleShot(std::chrono::milliseconds(50), this, &MainWindow::refreshNames);
        return;
    }
    m_namesWindow->showNames(m_calc.language(), m_calc.describeGlobals(), m_locale.decimalSeparator,
                             m_locale.dates);
}

help::HelpWindow* MainWindow::helpWindow() const {
    return m_help;
}

void MainWindow::buildLeftPart() {
    for (const ControlRow& row : mainWindowControls()) {
        createControl(row, this);
    }
    control<QLabel>(u"InputLabel")->setBuddy(inputLine());
    control<QLabel>(u"AnsLabel")->setBuddy(outputBox());
    // Alt+O belongs to "&Output:", "&OK" and "C&opy Input"; repeated presses cycle in the order
    // the shortcuts were registered. Registering the buttons' again after the label's makes the
    // first press go to the output box.
    for (QPushButton* button : {control<QPushButton>(u"OK"), control<QPushButton>(u"CopyInput")}) {
        const QString caption = button->text();
        button->setText(QString());
        button->setText(caption);
    }
    // One size for the Keypad button's three captions, so that it does not change with the state.
    fitCaptions(control<QPushButton>(u"Keypad"),
                {kKeypadHiddenCaption, kKeypadShownCaption, kKeypadUnavailableCaption});
    // Drawn as the default button; Enter reaches it through keyPressEvent.
    control<QPushButton>(u"OK")->setDefault(true);
}

void MainWindow::buildKeypad() {
    createKeypadPanel(this);
    for (const keypad::CaptionBox& row : keypad::captionBoxes()) {
        createCaptionBox(row, this);
    }
    // The key table is the keys' one home: the window keeps them only as Tab stops.
    for (const keypad::KeypadKey& key : keypad::keypadKeys()) {
        keypad::KeypadButton* button = createKeypadButton(key, this);
        m_keyTabStops.emplace_back(key.tabIndex, button);
        connect(button, &keypad::KeypadButton::activated, this,
                [this, &key, button] { onKeyPressed(key, button); });
    }
}

CommandBox* MainWindow::inputLine() const {
    return control<CommandBox>(u"Command");
}

QLineEdit* MainWindow::outputBox() const {
    return control<QLineEdit>(u"Ans");
}

QRadioButton* MainWindow::languageOption(ScriptLanguage language) const {
    return control<QRadioButton>(languageName(language));
}

keypad::KeypadButton* MainWindow::keypadKey(QStringView name, int index) const {
    for (auto* button :
         findChildren<keypad::KeypadButton*>(name.toString(), Qt::FindDirectChildrenOnly)) {
        if (button->property("index").toInt() == index) {
            return button;
        }
    }
    return nullptr;
}

void MainWindow::chainTabOrder() {
    std::vector<std::pair<int, QWidget*>> stops;
    for (const ControlRow& row : mainWindowControls()) {
        stops.emplace_back(row.tabIndex, control(QString::fromLatin1(row.name)));
    }
    stops.insert(stops.end(), m_keyTabStops.begin(), m_keyTabStops.end());
    std::sort(stops.begin(), stops.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : stops) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void MainWindow::connectActions() {
    // OK evaluates; during a run it is the Stop button.
    connect(control<QPushButton>(u"OK"), &QPushButton::clicked, this, [this] {
        if (m_run.running()) {
            m_run.stop();
        } else {
            EvaluateInput();
        }
    });
    connect(control<QPushButton>(u"Keypad"), &QPushButton::clicked, this,
            &MainWindow::toggleKeypad);
    connect(control<QPushButton>(u"Close"), &QPushButton::clicked, this, &MainWindow::onClose);
    connect(control<QPushButton>(u"HelpButton"), &QPushButton::clicked, this, &MainWindow::onHelp);
    // An access key clicks a button without focusing it; after a copy the focus is on the copy
    // button either way.
    connect(control<QPushButton>(u"CopyInput"), &QPushButton::clicked, this, [this] {
        copyToClipboard(inputLine()->text());
        control<QPushButton>(u"CopyInput")->setFocus(Qt::OtherFocusReason);
    });
    connect(control<QPushButton>(u"CopyOutput"), &QPushButton::clicked, this, [this] {
        copyToClipboard(m_unshownAnswer.isNull() ? outputBox()->text() : m_unshownAnswer);
        control<QPushButton>(u"CopyOutput")->setFocus(Qt::OtherFocusReason);
    });
    // Once the user has changed the output box, its text is what Copy Output copies.
    connect(outputBox(), &QLineEdit::textEdited, this, [this] { m_unshownAnswer = QString(); });
    connect(inputLine(), &CommandBox::pasteRefused, this, &MainWindow::onPasteRefused);
    inputLine()->setAssistSources([this] { return m_calc.language(); },
                                  [this] {
                                      // The engine is the engine thread's while it runs or
                                      // previews: its names as they were then.
                                      if (m_run.idle()) {
                                          m_knownNames = m_calc.globalNames();
                                      }
                                      return m_knownNames;
                                  });
    // Selecting an option from the program runs its switch at once, as the settings replay
    // relies on.
    for (const ScriptLanguage language : {ScriptLanguage::JavaScript, ScriptLanguage::VBScript}) {
        connect(languageOption(language), &QRadioButton::toggled, this, [this, language](bool on) {
            if (on) {
                onLanguageSelected(language);
            }
        });
    }
}

void MainWindow::applySettings() {
    const SettingsFile::Content content = m_settings.read();
    if (!content.present) {
        // First start: show what the keypad offers.
        toggleKeypad();
        return;
    }
    for (const SettingsAction action : content.actions) {
        switch (action) {
        case SettingsAction::SelectJavaScript:
            languageOption(ScriptLanguage::JavaScript)->setChecked(true);
            break;
        case SettingsAction::PressKeypad:
            if (m_calc.language() == ScriptLanguage::VBScript) {
                toggleKeypad();
            }
            break;
        }
    }
}

void MainWindow::EvaluateInput() {
    if (refusedWhileRunning()) {
        return; // one run at a time, and never one queued unseen behind another
    }
    // Before the engine runs, so that an input that brings the program down is kept too.
    m_history->record(inputLine()->text());
    if (!m_evaluation.hasRun()) {
        // The engine now takes variables of its language: the choice is frozen for good, before
        // the run, so that it cannot change while the run goes on.
        control<QLabel>(u"FunctionTypeLabel")->setEnabled(false);
        for (const ScriptLanguage language :
             {ScriptLanguage::VBScript, ScriptLanguage::JavaScript}) {
            languageOption(language)->setEnabled(false);
        }
    }
    m_pendingInput = inputLine()->text();
    m_answerPreview->hide();
    inputLine()->setReadOnly(true);
    m_busyTimer.start();
    m_run.start(m_pendingInput);
}

void MainWindow::onEvaluationFinished(const EvaluationResult& result) {
    m_busyTimer.stop();
    showBusy(false);
    inputLine()->setReadOnly(false);
    // What happened around the input goes on the tape before it, as failures of their own.
    for (const std::optional<QString>& notice : {result.restart, result.libraryFailure}) {
        if (notice) {
            m_tape->record({QString(), *notice, false});
        }
    }
    m_tape->record({m_pendingInput, result.output.value_or(QString()), result.answered});
    if (const std::optional<QString> shown = result.shownOutput()) {
        if (shown->size() > kMaxShownAnswer) {
            showOutput(QStringLiteral("The answer has %1 characters, too many to show; Copy "
                                      "Output copies it, and Ans holds it")
                           .arg(shown->size()),
                       *shown);
        } else {
            showOutput(*shown);
        }
    }
    inputLine()->selectAll();
    if (InputAssist* assist = inputLine()->assist()) {
        if (result.errorPosition) {
            assist->markError(*result.errorPosition);
        }
        assist->learnSpellings(inputLine()->text());
        // The user's names are asked from JavaScript only when completing: each ask is a call
        // to the worker.
        if (m_calc.language() == ScriptLanguage::VBScript) {
            assist->refreshNames();
        }
    }
    refreshNames();
    for (const std::function<void()>& step : std::exchange(m_afterEvaluation, {})) {
        step();
    }
    typeHeldKeys();
}

void MainWindow::typeHeldKeys() {
    std::vector<std::unique_ptr<QKeyEvent>> keys = std::exchange(m_heldKeys, {});
    for (auto key = keys.begin(); key != keys.end(); ++key) {
        if (m_run.running()) {
            // An Enter among them started a run that goes on: the rest wait for it.
            m_heldKeys.insert(m_heldKeys.begin(), std::make_move_iterator(key),
                              std::make_move_iterator(keys.end()));
            return;
        }
        QCoreApplication::sendEvent(inputLine(), key->get());
    }
}

void MainWindow::afterEvaluation(std::function<void()> step) {
    if (m_run.running()) {
        m_afterEvaluation.push_back(std::move(step));
    } else {
        step();
    }
}

bool MainWindow::refusedWhileRunning() {
    if (!m_run.running()) {
        return false;
    }
    QApplication::beep();
    return true;
}

void MainWindow::showBusy(bool busy) {
    if (busy == m_busy) {
        return;
    }
    m_busy = busy;
    QPushButton* ok = control<QPushButton>(u"OK");
    if (busy) {
        if (!m_heldKeys.empty()) {
            m_heldKeys.clear(); // typed into a run that goes on: refused, as every key from now
            QApplication::beep();
        }
        m_outputBeforeBusy = outputBox()->text();
        m_unshownBeforeBusy = m_unshownAnswer;
        m_okAccessibleName = ok->accessibleName();
        showOutput(QStringLiteral("Working... press Esc or Stop to stop it"));
        ok->setText(QStringLiteral("&Stop"));
        ok->setAccessibleName(QStringLiteral("Stop"));
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        return;
    }
    // A run that leaves the output box as it was finds it so again.
    showOutput(m_outputBeforeBusy, m_unshownBeforeBusy);
    ok->setText(QStringLiteral("&OK"));
    ok->setAccessibleName(m_okAccessibleName);
    QGuiApplication::restoreOverrideCursor();
}

void MainWindow::showOutput(const QString& text, const QString& unshownAnswer) {
    m_unshownAnswer = unshownAnswer;
    // setText reports the new text to assistive technology, also when it is the same answer
    // again, so a screen reader hears every evaluation's outcome.
    outputBox()->setText(text);
    outputBox()->setCursorPosition(0);
}

void MainWindow::onPasteRefused(qsizetype length) {
    showOutput(QStringLiteral("Too long to paste: %1 characters; the input line takes at most %2")
                   .arg(length)
                   .arg(CommandBox::kMaxPastedLength));
}

void MainWindow::InsertAtCursor(QStringView text) {
    const keypad::LineState before = inputLine()->lineState();
    inputLine()->setLineState(keypad::insertAtCursor(before, text));
}

void MainWindow::toggleKeypad() {
    setKeypadState(m_keypadState == KeypadState::Hidden ? KeypadState::Shown : KeypadState::Hidden);
}

void MainWindow::setKeypadState(KeypadState state) {
    m_keypadState = state;
    const bool shown = state == KeypadState::Shown;
    setClientWidthTwips(shown ? kWideClientWidthTwips : kNarrowClientWidthTwips);
    setKeypadReachable(shown);
    QPushButton* keypadButton = control<QPushButton>(u"Keypad");
    keypadButton->setEnabled(state != KeypadState::Unavailable);
    keypadButton->setText(shown                               ? kKeypadShownCaption
                          : state == KeypadState::Unavailable ? kKeypadUnavailableCaption
                                                              : kKeypadHiddenCaption);
}

void MainWindow::setKeypadReachable(bool reachable) {
    // A key out of view takes no input at all: no click, no Tab, no access key, no press from
    // assistive technology. In view, Tab reaches it; clicks need no focus.
    for (const auto& [tabIndex, button] : m_keyTabStops) {
        button->setFocusPolicy(reachable ? Qt::TabFocus : Qt::NoFocus);
        button->setEnabled(reachable);
    }
}

void MainWindow::onKeyPressed(const keypad::KeypadKey& key, keypad::KeypadButton* button) {
    if (refusedWhileRunning()) {
        button->release();
        return;
    }
    // The steps after an evaluation that goes on wait for it to be shown, in their order.
    const keypad::KeypadKey* pressed = &key;
    keypad::runPress(
        key.steps,
        {
            .edit =
                [this, pressed] {
                    inputLine()->setLineState(
                        keypad::applyKeyEdit(*pressed, inputLine()->lineState()));
                },
            .evaluate = [this] { EvaluateInput(); },
            .release = [this, button] { afterEvaluation([button] { button->release(); }); },
            .focus =
                [this] {
                    afterEvaluation([this] { inputLine()->setFocus(Qt::OtherFocusReason); });
                },
            .cursorToEnd =
                [this] {
                    afterEvaluation(
                        [this] { inputLine()->setSelection(inputLine()->text().size(), 0); });
                },
        });
}

void MainWindow::onLanguageSelected(ScriptLanguage language) {
    m_calc.setLanguage(language);
    if (InputAssist* assist = inputLine()->assist()) {
        assist->rehighlight();
    }
    // The keypad writes VBScript only. Coming back from JavaScript it is out of view already,
    // and stays so, now available.
    const bool vbscript = language == ScriptLanguage::VBScript;
    setKeypadState(vbscript ? KeypadState::Hidden : KeypadState::Unavailable);
    control<QLabel>(u"FunctionTypeLabel")->setBuddy(languageOption(language));
    // While the settings are replayed (they only ever select JavaScript) the window is not shown
    // yet and cannot take the focus.
    if (vbscript || isVisible()) {
        inputLine()->setFocus(Qt::OtherFocusReason);
    }
    refreshNames();
}

void MainWindow::onClose() {
    m_ending = true;
    m_run.stop();
    if (m_help) {
        m_help->close();
    }
    if (m_tapeWindow) {
        m_tapeWindow->close();
    }
    if (m_namesWindow) {
        m_namesWindow->close();
    }
    close();
    emit programEndRequested();
}

void MainWindow::onHelp() {
    // A closed help window may still await its deletion: it counts as gone.
    if (!m_help || !m_help->isVisible()) {
        // No parent: the help window lives on when the main window is closed by its frame.
        m_help = new help::HelpWindow(m_programFolder);
        m_help->setAttribute(Qt::WA_DeleteOnClose);
    }
    ui::bringToFront(*m_help);
}

void MainWindow::setClientWidthTwips(int twips) {
    // Nothing in the window is laid out anew on a change of size, and a wider window would
    // bring a hidden or unavailable keypad into view: each keypad state has one fixed size.
    setFixedSize(twipsToPixels(twips), twipsToPixels(kClientHeightTwips));
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        // Esc stops a run; with none, it ends the program.
        if (m_run.running()) {
            m_run.stop();
        } else {
            control<QPushButton>(u"Close")->click();
        }
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        modifiers == Qt::NoModifier) {
        if (refusedWhileRunning()) {
            return; // Enter does not stop a run: only OK, now Stop, and Esc do
        }
        // Enter presses a focused push button, and OK everywhere else (also on the keypad
        // buttons, which are toggle buttons).
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        if (button && !qobject_cast<keypad::KeypadButton*>(button)) {
            button->click();
        } else {
            control<QPushButton>(u"OK")->click();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // During a run the input line keeps the text and selection the user left. A key typed
    // before the busy sign shows is held and typed when the run ends (someone typing "1+1",
    // Enter, "*2" quickly means all of it); once the sign shows, a key that would change the
    // line (a character, Up or Down through the history, Enter, a cut or paste) is refused with
    // a beep and never typed later. Tab, Esc and copying still work.
    if (event->type() == QEvent::KeyPress && m_run.running() && watched == inputLine()) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool passes = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                            key->key() == Qt::Key_Escape || key->matches(QKeySequence::Copy);
        if (passes) {
            return QWidget::eventFilter(watched, event);
        }
        if (m_busy) {
            QApplication::beep();
        } else {
            m_heldKeys.push_back(std::make_unique<QKeyEvent>(
                key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                static_cast<quint16>(key->count())));
        }
        return true;
    }
    // An arrow key on a language option selects the neighbouring option and then focuses it;
    // the switch's own focus change would be undone. So the key is handled first, and a change
    // of language gives the focus to the input line afterwards, as a click does.
    if (event->type() == QEvent::KeyPress && qobject_cast<QRadioButton*>(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
            key == Qt::Key_Down) {
            const ScriptLanguage before = m_calc.language();
            watched->event(event);
            if (m_calc.language() != before) {
                inputLine()->setFocus(Qt::OtherFocusReason);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The history is read once the window is up, never holding up its first showing.
    QTimer::singleShot(0, m_history, &HistoryKeeper::load);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A run in progress is stopped; the window closes at once all the same.
    m_run.stop();
    if (!m_ending) {
        // A settings file that cannot be written must not keep the window open.
        m_settings.write(settingsText(m_calc.language() == ScriptLanguage::VBScript,
                                      m_keypadState == KeypadState::Hidden));
    }
    event->accept();
}

} // namespace quorvix::app
