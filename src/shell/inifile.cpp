#include "shell/inifile.h"

#include <QFile>
#include <QSaveFile>

namespace {

QString trimmedKey(const QString &s)
{
    return s.trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return trimmedKey(a).compare(trimmedKey(b), Qt::CaseInsensitive) == 0;
}

// The section name of a "[name]" line, if it is one.
std::optional<QString> sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

bool isComment(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(u';') || t.startsWith(u'#');
}

QString storedForm(const QString &value)
{
    QString v = value;
    v.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    v.replace(u'\r', QStringLiteral("\\n"));
    v.replace(u'\n', QStringLiteral("\\n"));
    const bool needsQuotes = !v.isEmpty()
        && (v.front().isSpace() || v.back().isSpace() || (v.size() >= 2 && v.front() == u'"' && v.back() == u'"'));
    return needsQuotes ? u'"' + v + u'"' : v;
}

} // namespace

IniFile IniFile::load(const QString &path)
{
    IniFile ini;
    ini.m_path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ini;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        ini.m_bom = true;
        bytes.remove(0, 3);
    }
    ini.m_encoding = textcodec::isValidUtf8(bytes) ? textcodec::Encoding::Utf8
                                                   : textcodec::Encoding::Gbk;
    if (bytes.contains("\r\n"))
        ini.m_lineEnd = "\r\n";
    ini.m_endsWithLineEnd = bytes.isEmpty() || bytes.endsWith('\n');

    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray raw = bytes.mid(start, end - start);
        if (raw.endsWith('\r'))
            raw.chop(1);
        ini.m_lines.append(Line{raw, textcodec::decode(raw, ini.m_encoding)});
        start = end + 1;
    }
    return ini;
}

std::optional<qsizetype> IniFile::findSection(const QString &section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i].text);
        if (name && sameName(*name, section))
            return i;
    }
    return std::nullopt;
}

std::optional<qsizetype> IniFile::findKey(qsizetype sectionLine, const QString &key) const
{
    for (qsizetype i = sectionLine + 1; i < m_lines.size(); ++i) {
        const QString &text = m_lines[i].text;
        if (sectionName(text))
            break;
        if (isComment(text))
            continue;
        const qsizetype eq = text.indexOf(u'=');
        if (eq < 0)
            continue;
        if (sameName(text.left(eq), key))
            return i;
    }
    return std::nullopt;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const auto s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto k = findKey(*s, key);
    if (!k)
        return std::nullopt;
    const QString &text = m_lines[*k].text;
    QString v = text.mid(text.indexOf(u'=') + 1).trimmed();
    if (v.size() >= 2 && v.front() == u'"' && v.back() == u'"')
        v = v.mid(1, v.size() - 2);
    return v;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    return value(section, key).value_or(fallback);
}

bool IniFile::readBool(const QString &section, const QString &key, bool fallback) const
{
    const auto v = value(section, key);
    if (!v)
        return fallback;
    bool isNumber = false;
    const qlonglong n = v->toLongLong(&isNumber, 10);
    return isNumber ? n != 0 : fallback;
}

QByteArray IniFile::encodeLine(const QString &text) const
{
    return textcodec::encode(text, m_encoding);
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString line = key + u'=' + storedForm(value);
    auto s = findSection(section);
    if (!s) {
        // A blank line between an earlier section and the new one, as Windows writes it.
        if (!m_lines.isEmpty() && !m_lines.back().text.trimmed().isEmpty())
            m_lines.append(Line{QByteArray(), QString()});
        const QString header = u'[' + section + u']';
        m_lines.append(Line{encodeLine(header), header});
        m_lines.append(Line{encodeLine(line), line});
        m_endsWithLineEnd = true;
        return;
    }
    if (const auto k = findKey(*s, key)) {
        m_lines[*k] = Line{encodeLine(line), line};
        return;
    }
    // After the last key of the section, before the blank lines that end it.
    qsizetype at = *s + 1;
    for (qsizetype i = *s + 1; i < m_lines.size() && !sectionName(m_lines[i].text); ++i) {
        if (!m_lines[i].text.trimmed().isEmpty())
            at = i + 1;
    }
    m_lines.insert(at, Line{encodeLine(line), line});
    if (at == m_lines.size() - 1)
        m_endsWithLineEnd = true;
}

Status IniFile::save() const
{
    QByteArray bytes;
    if (m_bom)
        bytes += "\xEF\xBB\xBF";
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        bytes += m_lines[i].raw;
        if (i + 1 < m_lines.size() || m_endsWithLineEnd)
            bytes += m_lineEnd;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return Error{file.errorString()};
    if (file.write(bytes) != bytes.size())
        return Error{file.errorString()};
    if (!file.commit())
        return Error{file.errorString()};
    return {};
}

Status IniFile::writeString(const QString &path, const QString &section, const QString &key,
                            const QString &value)
{
    IniFile ini = load(path);
    ini.setValue(section, key, value);
    return ini.save();
}

Status IniFile::writeBool(const QString &path, const QString &section, const QString &key, bool value)
{
    return writeString(path, section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString IniFile::multiline(const QString &stored)
{
    QString v = stored;
    v.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return v;
}
