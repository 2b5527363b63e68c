#include "control_spec.h"

namespace quorvix::app {

QFont fontFor(const FontSpec& spec, const QFont& windowFont) {
    QFont font = windowFont;
    switch (spec.face) {
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
    if (spec.pointSize > 0) {
        font.setPointSizeF(spec.pointSize);
    }
    font.setBold(spec.bold);
    return font;
}

} // namespace quorvix::app
