#include "data/dm1frm.h"

#include "data/cardlists.h"
#include "data/database.h"
#include "data/schema.h"
#include "data/sqllistmodel.h"

#include <QSqlQueryModel>

TDM1 *DM1 = nullptr;

namespace {

SqlListModel *journalModel(QObject *parent)
{
    using M = SqlListModel;
    QList<M::Column> columns;
    for (const QString &c : schema::columns(schema::kJournal)) {
        M::Kind kind = M::Kind::Text;
        if (c == QStringLiteral("金额") || c == QStringLiteral("实收金额"))
            kind = M::Kind::Money;
        else if (c == QStringLiteral("日期"))
            kind = M::Kind::Date;
        else if (c == QStringLiteral("时间"))
            kind = M::Kind::Time;
        columns.append({c, kind});
    }
    return new SqlListModel(schema::kJournal, columns, {}, parent);
}

SqlListModel *collectionsModel(QObject *parent)
{
    using M = SqlListModel;
    return new SqlListModel(schema::kCollections,
                            {{QStringLiteral("备注"), M::Kind::Text},
                             {QStringLiteral("金额"), M::Kind::Money},
                             {QStringLiteral("日期"), M::Kind::Date},
                             {QStringLiteral("时间"), M::Kind::Time},
                             {QStringLiteral("类别"), M::Kind::Text},
                             {QStringLiteral("经手人"), M::Kind::Text}},
                            {}, parent);
}

} // namespace

TDM1::TDM1(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("DM1"));
    ADOQuery5 = cardlists::createModel(this);
    ADOQuery5->setObjectName(QStringLiteral("ADOQuery5"));
    ADOQuery9 = cardlists::createModel(this);
    ADOQuery9->setObjectName(QStringLiteral("ADOQuery9"));
    ADOQuery7 = journalModel(this);
    ADOQuery7->setObjectName(QStringLiteral("ADOQuery7"));
    ADOQuery8 = journalModel(this);
    ADOQuery8->setObjectName(QStringLiteral("ADOQuery8"));
    ADOQuery6 = new QSqlQueryModel(this);
    ADOQuery6->setObjectName(QStringLiteral("ADOQuery6"));
    ADOQuery11 = collectionsModel(this);
    ADOQuery11->setObjectName(QStringLiteral("ADOQuery11"));
    ADOQuery14 = new QSqlQueryModel(this);
    ADOQuery14->setObjectName(QStringLiteral("ADOQuery14"));
    DM1 = this;
}

TDM1::~TDM1()
{
    if (DM1 == this)
        DM1 = nullptr;
    ADOQuery6->clear();
    ADOQuery14->clear();
    Database::close();
}

Status TDM1::openDatabase(const QString &path)
{
    return Database::open(path);
}
