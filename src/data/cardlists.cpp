#include "data/cardlists.h"

#include "data/schema.h"

namespace cardlists {

namespace {

// The password column is never listed, and a search on it would tell any
// operator, letter by letter, what a card's password holds.
const QString kPasswordColumn = QStringLiteral("密码");
const QString kBalanceColumn = QStringLiteral("金额");

// The condition of a search: the column's text (for the balance, the amount
// as the list shows it) contains the search text. A field that holds no value
// counts as empty text, so that an empty search text lists every card.
const QString kContainsCondition = QStringLiteral("coalesce(%1, '') LIKE :pattern ESCAPE '\\'");

} // namespace

ListFilter all()
{
    return ListFilter::all();
}

ListFilter contains(const QString &column, const QString &text)
{
    // Blanks around a column name do not change which column a statement
    // names; anything else must be one of the card table's columns.
    const QString name = column.trimmed();
    if (name == kPasswordColumn)
        return ListFilter::rejected(QStringLiteral("不能按“%1”查找储值卡").arg(name));
    if (!schema::columns(schema::kCards).contains(name))
        return ListFilter::rejected(QStringLiteral("卡信息表中没有名为“%1”的列").arg(column));
    const QString subject = name == kBalanceColumn ? ListFilter::shownMoneyText(schema::quoted(name))
                                                   : schema::quoted(name);
    return ListFilter::where(kContainsCondition.arg(subject),
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
