#pragma once

#include <QString>

// The logged-in operator, fixed by the login for the whole run: the id every
// booking writes as 经手人, and the password exactly as typed at login, which
// the screen lock asks for again.
class Session {
public:
    static const QString &operatorId();
    static const QString &loginPassword();
    static void logIn(const QString &operatorId, const QString &loginPassword);
};
