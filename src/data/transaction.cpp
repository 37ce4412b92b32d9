#include "data/transaction.h"

#include "data/database.h"

#include <QSqlError>

namespace {
QString errorText(const QSqlError &e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}
} // namespace

Transaction::~Transaction()
{
    if (m_active)
        rollback();
}

Status Transaction::begin()
{
    QSqlDatabase db = Database::connection();
    if (!db.transaction())
        return Error{errorText(db.lastError())};
    m_active = true;
    return {};
}

Status Transaction::commit()
{
    QSqlDatabase db = Database::connection();
    if (!db.commit())
        return Error{errorText(db.lastError())};
    m_active = false;
    return {};
}

void Transaction::rollback()
{
    Database::connection().rollback();
    m_active = false;
}
