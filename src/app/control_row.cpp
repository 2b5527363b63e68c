#include "control_row.h"

namespace quorvix::app {

QFont fontFor(const FontChoice& choice, const QFont& windowFont) {
    QFont font = windowFont;
    switch (choice.face) {
    case FontFace::WindowDefault:
        break;
    case FontFace::Fixedsys:
        font.setFamily(QStringLiteral("Fixedsys"));
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        break;
    case FontFace::MsSansSerif:
        font.setFamily(QStringLiteral("MS Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
        break;
    case FontFace::TimesNewRoman:
        font.setFamily(QStringLiteral("Times New Roman"));
        font.setStyleHint(QFont::Serif);
        break;
    }
    if (choice.pointSize > 0) {
        font.setPointSizeF(choice.pointSize);
    }
    font.setBold(choice.bold);
    return font;
}

} // namespace quorvix::app
