#include "shell/session.h"

namespace {
struct State {
    QString operatorId;
    QString loginPassword;
};
State &state()
{
    static State s;
    return s;
}
} // namespace

const QString &Session::operatorId()
{
    return state().operatorId;
}

const QString &Session::loginPassword()
{
    return state().loginPassword;
}

void Session::logIn(const QString &operatorId, const QString &loginPassword)
{
    state().operatorId = operatorId;
    state().loginPassword = loginPassword;
}
