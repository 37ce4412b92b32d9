#include "shell/textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <iconv.h>

#include <cerrno>

namespace textcodec {

namespace {

class Iconv {
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

} // namespace

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decode(const QByteArray &bytes, Encoding encoding)
{
    if (encoding == Encoding::Utf8 || bytes.isEmpty())
        return QString::fromUtf8(bytes);

    Iconv cd("UTF-8", "GB18030");
    if (!cd.valid())
        return QString::fromLatin1(bytes);
    QByteArray out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char buffer[1024];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.handle(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // An invalid or truncated sequence: replace one byte and go on.
            out.append("\xEF\xBF\xBD");
            ++in;
            --inLeft;
        }
    }
    return QString::fromUtf8(out);
}

QByteArray encode(const QString &text, Encoding encoding)
{
    if (encoding == Encoding::Utf8 || text.isEmpty())
        return text.toUtf8();

    Iconv cd("GB18030", "UTF-8");
    QByteArray utf8 = text.toUtf8();
    if (!cd.valid())
        return utf8;
    QByteArray out;
    char *in = utf8.data();
    size_t inLeft = static_cast<size_t>(utf8.size());
    char buffer[1024];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.handle(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            out.append('?');
            ++in;
            --inLeft;
        }
    }
    return out;
}

} // namespace textcodec
