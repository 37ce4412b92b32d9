#include "data/cardlists.h"

#include "data/schema.h"

namespace cardlists {

ListFilter all()
{
    return ListFilter::all();
}

ListFilter contains(const QString &column, const QString &text)
{
    if (!schema::columns(schema::kCards).contains(column))
        return ListFilter::rejected(QStringLiteral("卡信息表中没有名为“%1”的列").arg(column));
    return ListFilter::where(schema::quoted(column) + QStringLiteral(" LIKE :pattern ESCAPE '\\'"),
                             {{QStringLiteral(":pattern"),
                               u'%' + ListFilter::likeEscaped(text) + u'%'}});
}

SqlListModel *createModel(QObject *parent)
{
    using M = SqlListModel;
    return new SqlListModel(
        schema::kCards,
        {{QStringLiteral("卡号"), M::Kind::Text},
         {QStringLiteral("姓名"), M::Kind::Text},
         {QStringLiteral("性别"), M::Kind::Text},
         {QStringLiteral("使用单位"), M::Kind::Text},
         {QStringLiteral("金额"), M::Kind::Money},
         {QStringLiteral("备注"), M::Kind::Text}},
        {{M::Footer::Text, QStringLiteral("合计数量")},
         {M::Footer::CountNonNull, {}},
         {M::Footer::Empty, {}},
         {M::Footer::Text, QStringLiteral("合计金额")},
         {M::Footer::Sum, {}},
         {M::Footer::Empty, {}}},
        parent);
}

} // namespace cardlists
