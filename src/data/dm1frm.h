#pragma once

#include "data/result.h"

#include <QObject>

class SqlListModel;
class QSqlQueryModel;

// The data module: the one database connection and the lists that several
// windows share. A list belongs here, not to a window, so that a search in one
// window shows in every window over the same list, and a dialog that changes
// cards can re-run the list another window shows.
class TDM1 : public QObject {
    Q_OBJECT
public:
    explicit TDM1(QObject *parent = nullptr);
    ~TDM1() override;

    // Opens the connection on the database file at path (created when missing).
    Status openDatabase(const QString &path);

    SqlListModel *ADOQuery5 = nullptr;  // the new card window's card list
    SqlListModel *ADOQuery9 = nullptr;  // card pick list of the payment and recharge windows
    SqlListModel *ADOQuery7 = nullptr;  // recharge history
    SqlListModel *ADOQuery8 = nullptr;  // card operation journal
    QSqlQueryModel *ADOQuery6 = nullptr;  // collections per operator
    SqlListModel *ADOQuery11 = nullptr; // collection rows
    QSqlQueryModel *ADOQuery14 = nullptr; // collections grand total
};

// The program's one data module, set while it exists.
extern TDM1 *DM1;
