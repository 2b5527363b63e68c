#include "font_faces.h"

#include <QStringList>

namespace quorvix::ui {

QFont withFace(QFont font, FontFace face) {
    switch (face) {
    case FontFace::WindowDefault:
        break;
    case FontFace::Fixedsys:
        font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")});
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        break;
    case FontFace::MsSansSerif:
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
        font.setStyleHint(QFont::SansSerif);
        break;
    case FontFace::TimesNewRoman:
        font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
        font.setStyleHint(QFont::Serif);
        break;
    }
    return font;
}

} // namespace quorvix::ui
