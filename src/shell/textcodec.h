#pragma once

#include <QByteArray>
#include <QString>

// Conversion between Unicode and the two encodings a settings file may be in:
// UTF-8, and GBK (written by earlier installations). GBK goes through iconv as
// GB18030, its superset, so every character can be written back.
namespace textcodec {

enum class Encoding { Utf8, Gbk };

bool isValidUtf8(const QByteArray &bytes);
// Undecodable bytes become U+FFFD; decoding never fails.
QString decode(const QByteArray &bytes, Encoding encoding);
QByteArray encode(const QString &text, Encoding encoding);

} // namespace textcodec
