#pragma once

#include "data/sqllistmodel.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// The find dialog of a list grid: the text to find, one column or all, where in
// the field it must stand, the direction and whether case matters. It stays
// open beside the grid; each "查找下一个" asks the grid for the next match.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(const QStringList &columnTitles, QWidget *parent = nullptr);

    SqlListModel::FindRequest request() const;

    QLineEdit *textBox = nullptr;        // 查找内容
    QComboBox *columnBox = nullptr;      // 查找范围: 全部列, then the columns
    QComboBox *matchBox = nullptr;       // 匹配方式
    QComboBox *directionBox = nullptr;   // 查找方向
    QCheckBox *caseBox = nullptr;        // 区分大小写
    QPushButton *findNextButton = nullptr;
    QPushButton *closeButton = nullptr;

signals:
    void findNextRequested();
};
