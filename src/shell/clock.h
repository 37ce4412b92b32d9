#pragma once

#include <QDateTime>

// "Now" for everything that books a date or time; tests fix it.
class Clock {
public:
    static QDateTime now();
    static void setFixedForTesting(const QDateTime &moment); // invalid: real time again
};
