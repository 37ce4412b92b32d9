#include "shell/clock.h"

namespace {
QDateTime &fixed()
{
    static QDateTime moment;
    return moment;
}
} // namespace

QDateTime Clock::now()
{
    return fixed().isValid() ? fixed() : QDateTime::currentDateTime();
}

void Clock::setFixedForTesting(const QDateTime &moment)
{
    fixed() = moment;
}
