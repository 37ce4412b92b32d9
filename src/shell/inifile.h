#pragma once

#include "data/result.h"
#include "shell/textcodec.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// A Windows-style INI file, read and rewritten line by line.
//
// Lines are kept as the bytes they were read as: rewriting a key replaces that
// key's line only, so every other line (comments, other sections, lines this
// reader cannot make sense of) and the file's encoding and line ends stay as
// they were. Files in GBK read as well as files in UTF-8; a new file is UTF-8.
//
// Names of sections and keys compare without regard to the case of Latin
// letters and to surrounding blanks. A value is the text after the first "=",
// without surrounding blanks; one pair of enclosing double quotes is removed,
// as Windows does, and the writer adds such quotes when a value would
// otherwise lose blanks or quotes at its ends. A line break inside a value is
// written as the two characters "\n" so that the value stays on one line;
// values that may hold line breaks (slogan, receipt footer) are turned back
// with multiline() by their readers. Other values, such as Windows paths with
// backslashes, are returned as stored.
class IniFile {
public:
    // Reading never fails: a missing or unreadable file reads as empty.
    static IniFile load(const QString &path);

    std::optional<QString> value(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // A whole number other than 0 is true, 0 is false; anything else is absent.
    bool readBool(const QString &section, const QString &key, bool fallback) const;

    void setValue(const QString &section, const QString &key, const QString &value);
    Status save() const;

    textcodec::Encoding encoding() const { return m_encoding; }

    // Writes one key into the file at path: read, replace, write back whole.
    static Status writeString(const QString &path, const QString &section, const QString &key,
                              const QString &value);
    static Status writeBool(const QString &path, const QString &section, const QString &key,
                            bool value);

    // "\n" in a stored value back to line breaks.
    static QString multiline(const QString &stored);

private:
    struct Line {
        QByteArray raw;    // as in the file, without its line end
        QString text;      // decoded
    };

    std::optional<qsizetype> findSection(const QString &section) const;
    std::optional<qsizetype> findKey(qsizetype sectionLine, const QString &key) const;
    QByteArray encodeLine(const QString &text) const;

    QString m_path;
    QList<Line> m_lines;
    textcodec::Encoding m_encoding = textcodec::Encoding::Utf8;
    QByteArray m_lineEnd = "\n";
    bool m_bom = false;
    bool m_endsWithLineEnd = true;
};
