#include "control_factory.h"

#include "command_box.h"
#include "keypad_button.h"
#include "twips.h"
#include "wrapping_push_button.h"

#include <QFrame>
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

QWidget* createWidget(const ControlSpec& spec, QWidget* parent) {
    const QString caption = spec.caption.toString();
    switch (spec.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(spec.alignment);
        setColours(label, QPalette::WindowText, QPalette::Window, spec.foreground, spec.background);
        return label;
    }
    case ControlKind::InputLine: {
        auto* box = new CommandBox(parent);
        box->setPlainText(caption);
        box->setAlignment(spec.alignment);
        setColours(box, QPalette::Text, QPalette::Base, spec.foreground, spec.background);
        return box;
    }
    case ControlKind::OutputBox: {
        auto* box = new QLineEdit(caption, parent);
        box->setAlignment(spec.alignment);
        // A long answer is shown whole, not cut at QLineEdit's default 32,767 characters.
        box->setMaxLength(std::numeric_limits<int>::max());
        setColours(box, QPalette::Text, QPalette::Base, spec.foreground, spec.background);
        return box;
    }
    case ControlKind::PushButton:
    case ControlKind::WrapButton: {
        QPushButton* button = spec.kind == ControlKind::WrapButton
                                  ? new WrappingPushButton(caption, parent)
                                  : new QPushButton(caption, parent);
        // Enter goes to the window, which decides between this button and the default one.
        button->setAutoDefault(false);
        setColours(button, QPalette::ButtonText, QPalette::Button, spec.foreground,
                   spec.background);
        return button;
    }
    case ControlKind::OptionButton: {
        auto* option = new QRadioButton(caption, parent);
        setColours(option, QPalette::WindowText, QPalette::Window, spec.foreground,
                   spec.background);
        return option;
    }
    }
    return nullptr;
}

} // namespace

QWidget* createControl(const ControlSpec& spec, QWidget* parent) {
    QWidget* widget = createWidget(spec, parent);
    widget->setObjectName(QString::fromLatin1(spec.name));
    widget->setGeometry(toPixels(spec.rect));
    widget->setFont(fontFor(spec.font, parent->font()));
    return widget;
}

keypad::KeypadButton* createKeypadButton(const keypad::KeypadKey& key, QWidget* parent) {
    auto* button = new keypad::KeypadButton(key.caption.toString(), parent);
    button->setObjectName(key.objectName.toString());
    if (key.index >= 0) {
        button->setProperty("index", key.index);
    }
    button->setGeometry(toPixels(key.rect));
    button->setFont(fontFor({FontFace::TimesNewRoman, key.pointSize, true}, parent->font()));
    setColours(button, QPalette::ButtonText, QPalette::Button, keypad::kKeyTextColour,
               key.background);
    return button;
}

QWidget* createCaptionBox(const keypad::CaptionBox& spec, QWidget* parent) {
    auto* box = new QLineEdit(spec.text.toString(), parent);
    box->setObjectName(spec.objectName.toString());
    box->setGeometry(toPixels(spec.rect));
    box->setReadOnly(true);
    box->setFrame(false);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFont(fontFor({FontFace::MsSansSerif, keypad::kLabelPointSize, true}, parent->font()));
    setColours(box, QPalette::Text, QPalette::Base, keypad::kKeyTextColour, keypad::kPanelColour);
    return box;
}

QWidget* createKeypadPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("KeypadFrame"));
    panel->setGeometry(toPixels(keypad::kPanelRect));
    panel->setFrameShape(QFrame::NoFrame);
    panel->setAutoFillBackground(true);
    setColours(panel, QPalette::WindowText, QPalette::Window, keypad::kPanelColour,
               keypad::kPanelColour);
    return panel;
}

} // namespace quorvix::app
