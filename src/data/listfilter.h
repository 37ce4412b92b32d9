#pragma once

#include "data/sql.h"

#include <QList>
#include <QString>

// Which rows of a table a list shows: a condition composed by the statement
// builders in this folder, with its bound values. A filter can also be one the
// database would reject (a column that does not exist): opening a list with it
// fails with that error, and so does every re-run, until a new filter is set.
class ListFilter {
public:
    ListFilter() = default;
    static ListFilter all() { return ListFilter(); }
    static ListFilter where(QString condition, QList<sql::Binding> bindings)
    {
        ListFilter f;
        f.m_condition = std::move(condition);
        f.m_bindings = std::move(bindings);
        return f;
    }
    static ListFilter rejected(QString error)
    {
        ListFilter f;
        f.m_error = std::move(error);
        return f;
    }

    const QString &condition() const { return m_condition; }
    const QList<sql::Binding> &bindings() const { return m_bindings; }
    bool isRejected() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }

    // "WHERE <condition>" or empty, for appending to a statement.
    QString whereClause() const
    {
        return m_condition.isEmpty() ? QString() : QStringLiteral(" WHERE (") + m_condition + u')';
    }

    // Escapes a text for use inside a LIKE pattern with ESCAPE '\'.
    static QString likeEscaped(const QString &text)
    {
        QString out;
        out.reserve(text.size());
        for (QChar c : text) {
            if (c == u'\\' || c == u'%' || c == u'_')
                out += u'\\';
            out += c;
        }
        return out;
    }

    // An SQL expression giving a money column (whole 1/10000 yuan) as the
    // shortest decimal text the lists show: 37.5, 0, -35.5, 100.
    static QString shownMoneyText(const QString &quotedColumn)
    {
        QString expression = QStringLiteral(
            "(CASE WHEN $c < 0 THEN '-' ELSE '' END || (abs($c) / 10000) || "
            "CASE WHEN abs($c) % 10000 = 0 THEN '' "
            "ELSE rtrim(printf('.%04d', abs($c) % 10000), '0') END)");
        return expression.replace(QStringLiteral("$c"), quotedColumn);
    }

private:
    QString m_condition;
    QList<sql::Binding> m_bindings;
    QString m_error;
};
