#pragma once

#include "shell/finddialog.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

class GridFooter;
class QModelIndex;
class QTableView;
class SqlListModel;

// A read-only grid over a shared list: one row selected at a time, cells and
// titles centred, columns stretched in proportion to their design widths,
// optionally a footer row. A click on a title sorts by that column (again:
// the other way round); with Ctrl held the column becomes a further sort key.
// Ctrl+F opens the find dialog. The owning window names the grid (DBGridEh1)
// and decides what a double-click or Enter on it does.
class ListGrid : public QWidget {
    Q_OBJECT
public:
    static const QString kHint; // "单击列头可实现排序"

    ListGrid(SqlListModel *model, QList<int> designWidths, QWidget *parent = nullptr);

    void setFooterVisible(bool visible);
    bool isFooterVisible() const;
    GridFooter *footer() const { return m_footer; }

    // The current row, -1 when the list is empty (or closed).
    int currentRow() const;
    // A field of the current row by column name; invalid when there is none.
    QVariant currentValue(const QString &field) const;
    void setCurrentRow(int row);

    QTableView *view() const { return m_view; }
    SqlListModel *model() const { return m_model; }

    // Opens (or brings back) the find dialog.
    void openFindDialog();
    FindDialog *findDialog() const { return m_findDialog; }
    // Moves the current row to the next row matching the find dialog's
    // request; tells the operator when there is none.
    void findNext();

    // Whether a cell's text is too wide for it (and so shows in a tool tip).
    bool isCut(const QModelIndex &index) const;

signals:
    // A double-click in the grid, or Enter in it; also when it is empty.
    void activated();
    // A double-click in the grid only.
    void doubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stretchColumns();
    void titleClicked(int column);
    void listReopened();
    void showReadError(const QString &error);

    SqlListModel *m_model;
    QList<int> m_designWidths;
    QTableView *m_view = nullptr;
    GridFooter *m_footer = nullptr;
    QPointer<FindDialog> m_findDialog;
    bool m_readErrorPending = false;
};
