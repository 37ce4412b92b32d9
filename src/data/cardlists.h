#pragma once

#include "data/listfilter.h"
#include "data/sqllistmodel.h"

// The statements of the card lists: every card, or the cards whose chosen
// column contains a text.
namespace cardlists {

ListFilter all();
// The column name comes from an editable box: it must name a column of
// 卡信息, or the filter is one the list refuses with a clear message. The
// text is matched literally (a "%" or "_" typed is not a wildcard).
ListFilter contains(const QString &column, const QString &text);

// A card list model: 卡号, 姓名, 性别, 使用单位, 金额, 备注, with the footer
// "合计数量", count of names, empty, "合计金额", sum of balances, empty.
SqlListModel *createModel(QObject *parent);

} // namespace cardlists
