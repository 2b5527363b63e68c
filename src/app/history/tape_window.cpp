#include "tape_window.h"

#include "file_replace.h"
#include "live_status.h"
#include "spoken_controls.h"
#include "tape_keeper.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace quorvix::app {

namespace {

// Long texts are shown cut: laying out megabytes in a list would freeze the window. Copy and
// insert take the whole text.
constexpr qsizetype kMaxShownField = 500;

// A cut text says so, and how long it is whole.
QString shown(const QString& text) {
    return text.size() <= kMaxShownField
               ? text
               : QStringLiteral("%1\u2026 (%2 characters)")
                     .arg(text.left(kMaxShownField), QString::number(text.size()));
}

void copyToClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace

TapeWindow::TapeWindow(TapeKeeper& tape, Inserter insert, QWidget* parent)
    : QWidget(parent), m_tape(tape), m_insert(std::move(insert)) {
    setObjectName(QStringLiteral("Tape"));
    setWindowTitle(QStringLiteral("Quorvix - Result Tape"));
    resize(420, 360);

    Filter = new QLineEdit(this);
    Filter->setObjectName(QStringLiteral("Filter"));
    Filter->setPlaceholderText(QStringLiteral("Filter (Ctrl+F)"));
    Filter->setClearButtonEnabled(true);
    Entries = new QListWidget(this);
    Entries->setObjectName(QStringLiteral("Entries"));
    Entries->setAlternatingRowColors(true);
    Entries->setWordWrap(true);
    // A line too long to wrap (a long answer without blanks) ends in an ellipsis at the edge
    // instead of widening every row.
    Entries->setTextElideMode(Qt::ElideRight);
    Entries->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const auto button = [this](const char* name, const QString& caption) {
        auto* made = new QPushButton(caption, this);
        made->setObjectName(QString::fromLatin1(name));
        // Enter presses the focused button; in the list it inserts the answer.
        made->setAutoDefault(true);
        return made;
    };
    InsertAnswer = button("InsertAnswer", QStringLiteral("Insert &answer"));
    InsertInput = button("InsertInput", QStringLiteral("Insert &input"));
    CopyEntry = button("CopyEntry", QStringLiteral("&Copy"));
    CopyAll = button("CopyAll", QStringLiteral("Copy a&ll"));
    DeleteEntry = button("DeleteEntry", QStringLiteral("&Delete"));
    ClearAll = button("ClearAll", QStringLiteral("Clea&r all"));
    Save = button("Save", QStringLiteral("&Save as text..."));
    Status = new ui::LiveStatus(this);
    Status->setObjectName(QStringLiteral("Status"));
    ui::applySpeech(*this, ui::tapeWindowSpeech());

    auto* buttons = new QGridLayout;
    buttons->addWidget(InsertAnswer, 0, 0);
    buttons->addWidget(InsertInput, 0, 1);
    buttons->addWidget(CopyEntry, 0, 2);
    buttons->addWidget(CopyAll, 0, 3);
    buttons->addWidget(DeleteEntry, 1, 0);
    buttons->addWidget(ClearAll, 1, 1);
    buttons->addWidget(Save, 1, 2, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Filter);
    layout->addWidget(Entries);
    layout->addLayout(buttons);
    layout->addWidget(Status);

    connect(InsertAnswer, &QPushButton::clicked, this, [this] { insertChosen(true); });
    connect(InsertInput, &QPushButton::clicked, this, [this] { insertChosen(false); });
    connect(CopyEntry, &QPushButton::clicked, this, &TapeWindow::copyChosen);
    connect(CopyAll, &QPushButton::clicked, this,
            [this] { copyToClipboard(tapeText(shownEntries())); });
    connect(DeleteEntry, &QPushButton::clicked, this, &TapeWindow::deleteChosen);
    connect(ClearAll, &QPushButton::clicked, this, &TapeWindow::clearAll);
    connect(Save, &QPushButton::clicked, this, &TapeWindow::askToSave);
    connect(Entries, &QListWidget::itemDoubleClicked, this, [this] { insertChosen(true); });
    // The list's own Enter, copy and Delete handling comes after the tape's keys.
    Entries->installEventFilter(this);
    connect(Entries, &QListWidget::currentRowChanged, this, &TapeWindow::updateButtons);
    connect(&m_tape, &TapeKeeper::changed, this, &TapeWindow::refill);
    connect(Filter, &QLineEdit::textChanged, this, &TapeWindow::refill);
    Filter->installEventFilter(this);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        Filter->setFocus(Qt::ShortcutFocusReason);
        Filter->selectAll();
    });
    refill();
}

TapeWindow::~TapeWindow() {
    // Hidden without a hide event, when the program ends with the window open.
    m_tape.finishClear();
}

qsizetype TapeWindow::currentEntry() const {
    const int row = Entries->currentRow();
    return row >= 0 && row < m_shown.size() ? m_shown.at(row) : -1;
}

QList<TapeEntry> TapeWindow::shownEntries() const {
    QList<TapeEntry> shown;
    for (const qsizetype index : m_shown) {
        shown.append(m_tape.entries().at(index));
    }
    return shown;
}

void TapeWindow::refill() {
    const int row = Entries->currentRow();
    const bool atEnd = row < 0 || row >= Entries->count() - 1;
    const QString filter = Filter->text();
    m_shown.clear();
    for (qsizetype i = 0; i < m_tape.entries().size(); ++i) {
        const TapeEntry& entry = m_tape.entries().at(i);
        if (entry.input.contains(filter, Qt::CaseInsensitive) ||
            entry.output.contains(filter, Qt::CaseInsensitive)) {
            m_shown.append(i);
        }
    }
    const bool grown = m_shown.size() > Entries->count();
    Entries->clear();
    for (const qsizetype index : std::as_const(m_shown)) {
        const TapeEntry& entry = m_tape.entries().at(index);
        // The mark stays with the output it marks however the line wraps.
        Entries->addItem(tapeEntryText({shown(entry.input), shown(entry.output), entry.answered})
                             .replace(QStringLiteral("\n= "), QStringLiteral("\n=\u00a0"))
                             .replace(QStringLiteral("\n! "), QStringLiteral("\n!\u00a0")));
    }
    // A new entry is chosen when the newest was; otherwise the choice stays where it was.
    const int count = Entries->count();
    Entries->setCurrentRow(count == 0 ? -1 : atEnd ? count - 1 : std::min(row, count - 1));
    // A new entry is shown even while an older one stays chosen.
    if (grown) {
        Entries->scrollToBottom();
    } else if (Entries->currentItem()) {
        Entries->scrollToItem(Entries->currentItem());
    }
    updateButtons();
}

void TapeWindow::updateButtons() {
    const qsizetype index = currentEntry();
    InsertAnswer->setEnabled(index >= 0 && m_tape.entries().at(index).answered);
    for (QPushButton* needsEntry : {InsertInput, CopyEntry, DeleteEntry}) {
        needsEntry->setEnabled(index >= 0);
    }
    for (QPushButton* needsShown : {CopyAll, Save}) {
        needsShown->setEnabled(!m_shown.isEmpty());
    }
    ClearAll->setEnabled(!m_tape.entries().isEmpty() && Filter->text().isEmpty());
}

void TapeWindow::insertChosen(bool answer) {
    const qsizetype index = currentEntry();
    if (index < 0 || (answer && !m_tape.entries().at(index).answered)) {
        return;
    }
    const TapeEntry& entry = m_tape.entries().at(index);
    m_insert(answer ? entry.output : entry.input);
}

void TapeWindow::copyChosen() {
    if (const qsizetype index = currentEntry(); index >= 0) {
        copyToClipboard(tapeEntryText(m_tape.entries().at(index)));
    }
}

void TapeWindow::deleteChosen() {
    if (const qsizetype index = currentEntry(); index >= 0) {
        m_tape.remove(index);
    }
}

bool TapeWindow::saveAs(const QString& path) {
    const bool saved = replaceFile(path, tapeText(shownEntries()).toUtf8());
    Status->say(saved ? QStringLiteral("Saved to %1").arg(QDir::toNativeSeparators(path))
                      : QStringLiteral("Could not save to %1").arg(QDir::toNativeSeparators(path)));
    return saved;
}

void TapeWindow::clearAll() {
    m_tape.clear();
    Status->say(QStringLiteral("Cleared: Ctrl+Z brings the entries back until this window closes"));
}

void TapeWindow::undoClear() {
    if (m_tape.undoClear()) {
        Status->say(QStringLiteral("The entries are back"));
    }
}

void TapeWindow::askToSave() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save the tape as text"),
                                     QDir::home().filePath(QStringLiteral("Quorvix tape.txt")),
                                     QStringLiteral("Text files (*.txt);;All files (*)"));
    if (!path.isEmpty()) {
        saveAs(path);
    }
}

bool TapeWindow::handleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (key == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        close();
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
               (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        insertChosen(modifiers == Qt::NoModifier);
    } else if (key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        deleteChosen();
    } else if (event->matches(QKeySequence::Copy)) {
        copyChosen();
    } else if (event->matches(QKeySequence::Save)) {
        askToSave();
    } else if (event->matches(QKeySequence::Undo)) {
        undoClear();
    } else {
        return false;
    }
    event->accept();
    return true;
}

bool TapeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Entries && event->type() == QEvent::KeyPress) {
        return handleKey(static_cast<QKeyEvent*>(event));
    }
    if (watched == Filter && event->type() == QEvent::KeyPress) {
        // Down or Enter goes on to the entries shown; Esc empties the filter first, and only an
        // empty one lets Esc close the window.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
            Entries->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (key == Qt::Key_Escape && !Filter->text().isEmpty()) {
            Filter->clear();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TapeWindow::keyPressEvent(QKeyEvent* event) {
    // Keys the focused button left: Esc, and Ctrl+S from anywhere in the window.
    if (!handleKey(event)) {
        QWidget::keyPressEvent(event);
    }
}

void TapeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_tape.load();
    if (const QString notice = m_tape.takeNotice(); !notice.isEmpty()) {
        Status->setText(notice);
    }
    Entries->setFocus(Qt::OtherFocusReason);
}

void TapeWindow::hideEvent(QHideEvent* event) {
    // With the window goes the way to take the clearing back.
    m_tape.finishClear();
    QWidget::hideEvent(event);
}

} // namespace quorvix::app
