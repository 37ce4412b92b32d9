#pragma once

#include <QWidget>

class QTableView;
class SqlListModel;

// The footer row under a list grid: one cell per column, aligned with the
// grid's columns as they are stretched and scrolled, yellow, texts centred,
// each cell the model's footer text.
class GridFooter : public QWidget {
    Q_OBJECT
public:
    GridFooter(QTableView *view, SqlListModel *model, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Where the footer cell of a column lies, in this widget's coordinates.
    QRect cellRect(int column) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTableView *m_view;
    SqlListModel *m_model;
};
