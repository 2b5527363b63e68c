#include "control_factory.h"

#include "caption_fit.h"
#include "command_box.h"
#include "keypad_button.h"
#include "twips.h"
#include "wrapping_push_button.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <limits>

namespace quorvix::app {

namespace {

void setColours(QWidget* widget, QPalette::ColorRole foregroundRole,
                QPalette::ColorRole backgroundRole, std::optional<QRgb> foreground,
                std::optional<QRgb> background) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (foreground) {
            palette.setColor(group, foregroundRole, QColor::fromRgb(*foreground));
        }
        if (background) {
            palette.setColor(group, backgroundRole, QColor::fromRgb(*background));
        }
    }
    widget->setPalette(palette);
}

QWidget* createWidget(const ControlRow& row, QWidget* parent) {
    const QString caption = row.caption.toString();
    switch (row.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(row.alignment);
        setColours(label, QPalette::WindowText, QPalette::Window, row.foreground, row.background);
        return label;
    }
    case ControlKind::InputLine: {
        auto* box = new CommandBox(parent);
        box->setPlainText(caption);
        box->setAlignment(row.alignment);
        setColours(box, QPalette::Text, QPalette::Base, row.foreground, row.background);
        return box;
    }
    case ControlKind::OutputBox: {
        auto* box = new QLineEdit(caption, parent);
        box->setAlignment(row.alignment);
        // A long answer is shown whole, not cut at QLineEdit's default 32,767 characters.
        box->setMaxLength(std::numeric_limits<int>::max());
        setColours(box, QPalette::Text, QPalette::Base, row.foreground, row.background);
        return box;
    }
    case ControlKind::PushButton:
    case ControlKind::WrapButton: {
        QPushButton* button = row.kind == ControlKind::WrapButton
                                  ? new WrappingPushButton(caption, parent)
                                  : new QPushButton(caption, parent);
        // Enter goes to the window, which decides between this button and the default one.
        button->setAutoDefault(false);
        setColours(button, QPalette::ButtonText, QPalette::Button, row.foreground, row.background);
        return button;
    }
    case ControlKind::OptionButton: {
        auto* option = new QRadioButton(caption, parent);
        setColours(option, QPalette::WindowText, QPalette::Window, row.foreground, row.background);
        return option;
    }
    }
    return nullptr;
}

} // namespace

QWidget* createControl(const ControlRow& row, QWidget* parent) {
    QWidget* widget = createWidget(row, parent);
    widget->setObjectName(QString::fromLatin1(row.name));
    widget->setGeometry(toPixels(row.rect));
    widget->setFont(fontFor(row.font, parent->font()));
    widget->setAccessibleName(row.accessibleName.toString());
    widget->setAccessibleDescription(row.accessibleDescription.toString());
    if (row.kind != ControlKind::InputLine && row.kind != ControlKind::OutputBox) {
        fitCaptions(widget, {row.caption.toString()});
    }
    return widget;
}

keypad::KeypadButton* createKeypadButton(const keypad::KeypadKey& key, QWidget* parent) {
    auto* button = new keypad::KeypadButton(key.caption.toString(), parent);
    button->setObjectName(key.objectName.toString());
    if (key.index >= 0) {
        button->setProperty("index", key.index);
    }
    button->setGeometry(toPixels(key.rect));
    button->setAccessibleName(key.accessibleName.toString());
    button->setAccessibleDescription(key.accessibleDescription.toString());
    button->setFont(fontFor({FontFace::TimesNewRoman, key.pointSize, true}, parent->font()));
    setColours(button, QPalette::ButtonText, QPalette::Button, keypad::kKeyTextColour,
               key.background);
    // Flat, in exactly the key's colour: the widget style would shade it with a gradient. The
    // border keeps its width when it turns white on the focused key, so the caption's room
    // does not change with the focus.
    const QColor background = QColor::fromRgb(key.background);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid %1;"
                       " padding: 0; }"
                       "QPushButton:focus { border: 1px dotted %2; }"
                       "QPushButton:pressed, QPushButton:checked { background-color: %3; }")
            .arg(background.name(), QColor::fromRgb(keypad::kKeyTextColour).name(),
                 background.darker(150).name()));
    fitCaptions(button, {button->text()});
    return button;
}

QWidget* createCaptionBox(const keypad::CaptionBox& row, QWidget* parent) {
    // The text comes after the font, so that it is laid out once, in the font it is shown in.
    auto* box = new QLineEdit(parent);
    box->setObjectName(row.objectName.toString());
    box->setGeometry(toPixels(row.rect));
    box->setAccessibleName(row.accessibleName.toString());
    box->setAccessibleDescription(row.accessibleDescription.toString());
    box->setReadOnly(true);
    box->setFrame(false);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFont(fontFor({FontFace::MsSansSerif, keypad::kLabelPointSize, true}, parent->font()));
    setColours(box, QPalette::Text, QPalette::Base, keypad::kKeyTextColour, keypad::kPanelColour);
    box->setText(row.text.toString());
    fitCaptions(box, {box->text()});
    return box;
}

QWidget* createKeypadPanel(QWidget* parent) {
    // A plain widget: Qt reports a QFrame to assistive technology as a "frame", the role of a
    // top-level window.
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("KeypadFrame"));
    panel->setGeometry(toPixels(keypad::kPanelRect));
    panel->setAccessibleName(keypad::kPanelAccessibleName.toString());
    panel->setAccessibleDescription(keypad::kPanelAccessibleDescription.toString());
    panel->setAutoFillBackground(true);
    setColours(panel, QPalette::WindowText, QPalette::Window, keypad::kPanelColour,
               keypad::kPanelColour);
    return panel;
}

} // namespace quorvix::app
