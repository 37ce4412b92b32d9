#pragma once

#include "data/result.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SqlListModel;

// The quick search group "快速查找": a field chooser, the label "包含", the
// search text and the button "查找". Whatever text the chooser shows is taken
// as the column name; the list then holds the cards whose column contains the
// search text (neither text trimmed).
class QuickSearch : public QGroupBox {
    Q_OBJECT
public:
    static const QStringList kFields; // 卡号, 姓名, 性别, 使用单位, 备注

    // enterSearches: Enter in the search text runs the search too.
    QuickSearch(QString chooserName, QString textName, QString buttonName, bool enterSearches,
                QWidget *parent = nullptr);

    // Fills the chooser with the five fields, selects "姓名", empties the text.
    void prepare();
    // Opens the list with the search statement; on error the list stays
    // closed (empty) and keeps the statement.
    Status runOn(SqlListModel *model) const;

    QComboBox *fieldChooser = nullptr;
    QLabel *containsLabel = nullptr;
    QLineEdit *searchText = nullptr;
    QPushButton *findButton = nullptr;

signals:
    void searchRequested();
};
