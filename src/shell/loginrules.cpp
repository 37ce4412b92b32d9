#include "shell/loginrules.h"

namespace loginrules {

namespace {
char16_t foldAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}
} // namespace

bool passwordsMatch(const QString &typed, const QString &stored)
{
    if (typed.size() != stored.size())
        return false;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        if (foldAsciiLetter(typed[i].unicode()) != foldAsciiLetter(stored[i].unicode()))
            return false;
    }
    return true;
}

} // namespace loginrules
