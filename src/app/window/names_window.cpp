#include "names_window.h"

#include "spoken_controls.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorvix::app {

NamesWindow::NamesWindow(Inserter insert, Speller spelled, QWidget* parent)
    : QWidget(parent), m_insert(std::move(insert)), m_spelled(std::move(spelled)),
      m_heading(new QLabel(this)), m_list(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("Names"));
    setWindowTitle(QStringLiteral("Quorvix - Names"));
    resize(420, 320);
    m_heading->setObjectName(QStringLiteral("NamesHeading"));
    m_heading->setWordWrap(true);
    m_list->setObjectName(QStringLiteral("NamesList"));
    m_list->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Kind"), QStringLiteral("Value")});
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setUniformRowHeights(true);
    m_list->header()->setStretchLastSection(true);
    ui::applySpeech(*this, ui::namesWindowSpeech());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_list);
    connect(m_list, &QTreeWidget::itemActivated, this, &NamesWindow::insertChosen);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { m_userChose = true; });
    m_list->installEventFilter(this);
}

void NamesWindow::showNames(ScriptLanguage language, const std::vector<GlobalDescription>& names,
                            QChar decimalSeparator, const vbs::DateForm& dates) {
    const QString chosen = m_userChose ? chosenName() : QString();
    const QSignalBlocker refilling(m_list);
    m_list->clear();
    QList<QTreeWidgetItem*> rows;
    for (const GlobalDescription& name : names) {
        auto* row = new QTreeWidgetItem(
            {m_spelled(name.name), kindText(name), detailText(name, decimalSeparator, dates)});
        row->setToolTip(2, row->text(2));
        rows.append(row);
    }
    m_list->addTopLevelItems(rows);
    m_heading->setText(
        names.empty()
            ? QStringLiteral("No %1 names yet: !x = 5 makes one.").arg(languageName(language))
            : QStringLiteral("%1 names: %2").arg(languageName(language)).arg(names.size()));
    // The name the user chose stays chosen while it is there; else the newest is.
    m_userChose = false;
    for (QTreeWidgetItem* row : rows) {
        if (!chosen.isEmpty() && row->text(0) == chosen) {
            m_list->setCurrentItem(row);
            m_userChose = true;
        }
    }
    if (!m_userChose && !rows.isEmpty()) {
        m_list->setCurrentItem(rows.last());
    }
    m_list->resizeColumnToContents(0);
    m_list->resizeColumnToContents(1);
}

QString NamesWindow::chosenName() const {
    const QTreeWidgetItem* row = m_list->currentItem();
    return row ? row->text(0) : QString();
}

void NamesWindow::insertChosen() {
    const QString name = chosenName();
    if (!name.isEmpty()) {
        m_insert(name);
    }
}

void NamesWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool NamesWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list inserts, on every style: some activate items on Enter only when asked.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            insertChosen();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quorvix::app
