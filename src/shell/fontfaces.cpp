#include "shell/fontfaces.h"

#include <QApplication>

namespace fontfaces {

void install()
{
    QFont::insertSubstitutions(kSong, {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Serif CJK SC"),
                                       QStringLiteral("Noto Sans CJK SC")});
    QFont::insertSubstitutions(kHei, {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC")});
    QFont::insertSubstitutions(kKai, {QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Zen Hei"),
                                      QStringLiteral("Noto Serif CJK SC")});
    QFont::insertSubstitutions(kXingKai, {QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Zen Hei"),
                                          QStringLiteral("Noto Serif CJK SC")});
    // The windows' own text: a face that holds every Chinese glyph.
    QFont base = QApplication::font();
    base.setFamilies({QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC")});
    QApplication::setFont(base);
}

QFont pixelFont(const QString &face, int pixels, bool bold)
{
    QFont f(face);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace fontfaces
