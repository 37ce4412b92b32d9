#pragma once

#include <QFont>
#include <QString>

// The Windows faces the windows and receipts are designed in, mapped to the
// CJK faces installed here (WenQuanYi Zen Hei, Noto CJK, AR PL UKai).
namespace fontfaces {

inline const QString kSong = QStringLiteral("宋体");
inline const QString kHei = QStringLiteral("黑体");
inline const QString kKai = QStringLiteral("楷体_GB2312");
inline const QString kXingKai = QStringLiteral("华文行楷");

// Registers the substitutions; call once after the application object exists.
void install();

// A font of the face at a pixel size (96 dpi design pixels), as the windows use.
QFont pixelFont(const QString &face, int pixels, bool bold = false);

} // namespace fontfaces
