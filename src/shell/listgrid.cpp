#include "shell/listgrid.h"

#include "data/sqllistmodel.h"
#include "shell/dialogs.h"
#include "shell/errordisplay.h"
#include "shell/finddialog.h"
#include "shell/gridfooter.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <numeric>

const QString ListGrid::kHint = QStringLiteral("单击列头可实现排序");

ListGrid::ListGrid(SqlListModel *model, QList<int> designWidths, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_designWidths(std::move(designWidths))
{
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("view"));
    m_view->setModel(model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(false);
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setToolTip(kHint);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    QHeaderView *titles = m_view->horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setStretchLastSection(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setDefaultAlignment(Qt::AlignCenter);
    titles->setMinimumSectionSize(10);

    m_footer = new GridFooter(m_view, model, this);
    m_footer->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footer);

    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    connect(titles, &QHeaderView::sectionClicked, this, &ListGrid::titleClicked);
    connect(model, &QAbstractItemModel::modelReset, this, &ListGrid::listReopened);
    connect(model, &SqlListModel::readFailed, this, &ListGrid::showReadError);
    listReopened();
}

void ListGrid::setFooterVisible(bool visible)
{
    m_footer->setVisible(visible);
}

bool ListGrid::isFooterVisible() const
{
    return !m_footer->isHidden();
}

int ListGrid::currentRow() const
{
    if (m_model->rowCount() == 0)
        return -1;
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QVariant ListGrid::currentValue(const QString &field) const
{
    const int row = currentRow();
    return row < 0 ? QVariant() : m_model->value(row, field);
}

void ListGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int column = std::max(m_view->currentIndex().column(), 0);
    const QModelIndex index = m_model->index(row, column);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index);
}

void ListGrid::listReopened()
{
    // As a data set does, a list that has rows always has a current one: the
    // first, after every opening.
    m_readErrorPending = false;
    if (m_model->rowCount() > 0)
        m_view->setCurrentIndex(m_model->index(0, 0));
    m_footer->update();
}

void ListGrid::showReadError(const QString &error)
{
    // Rows are read while the grid paints: the error is shown once, after the
    // painting, not in the middle of it.
    if (m_readErrorPending)
        return;
    m_readErrorPending = true;
    QTimer::singleShot(0, this, [this, error] {
        if (!m_readErrorPending)
            return;
        errordisplay::showGeneral(this, error);
        m_readErrorPending = false;
    });
}

void ListGrid::stretchColumns()
{
    const int count = std::min<int>(m_designWidths.size(), m_model->columnCount());
    if (count == 0)
        return;
    const int total = std::accumulate(m_designWidths.begin(), m_designWidths.begin() + count, 0);
    if (total <= 0)
        return;
    const int available = m_view->viewport()->width();
    QHeaderView *titles = m_view->horizontalHeader();
    int used = 0;
    for (int c = 0; c < count; ++c) {
        const int width = c + 1 == count ? available - used
                                         : static_cast<int>(qint64(available) * m_designWidths[c] / total);
        titles->resizeSection(c, std::max(width, titles->minimumSectionSize()));
        used += width;
    }
}

void ListGrid::titleClicked(int column)
{
    errordisplay::guard(this, [&] {
        const bool addKey = QApplication::keyboardModifiers().testFlag(Qt::ControlModifier);
        // The current card stays current, wherever the sort puts it.
        const qint64 current = m_model->rowId(currentRow());
        if (Status sorted = m_model->toggleSort(column, addKey); !sorted)
            throw errordisplay::ActionError(sorted.errorText());
        setCurrentRow(m_model->rowOfId(current));
    });
}

void ListGrid::openFindDialog()
{
    if (!m_findDialog) {
        QStringList titles;
        for (int c = 0; c < m_model->columnCount(); ++c)
            titles << m_model->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
        m_findDialog = new FindDialog(titles, this);
        m_findDialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_findDialog, &FindDialog::findNextRequested, this, &ListGrid::findNext);
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
    m_findDialog->textBox->setFocus();
    m_findDialog->textBox->selectAll();
}

void ListGrid::findNext()
{
    if (!m_findDialog)
        return;
    errordisplay::guard(this, [&] {
        const SqlListModel::FindRequest request = m_findDialog->request();
        const Result<std::optional<int>> found = m_model->find(request, currentRow());
        if (!found)
            throw errordisplay::ActionError(found.errorText());
        const std::optional<int> row = found.value();
        if (!row) {
            ui::info(m_findDialog, QStringLiteral("查找"),
                     QStringLiteral("没有找到“%1”。").arg(request.text));
            return;
        }
        setCurrentRow(*row);
    });
}

bool ListGrid::isCut(const QModelIndex &index) const
{
    if (!index.isValid())
        return false;
    const QString text = index.data(Qt::DisplayRole).toString();
    const int margin = m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1;
    return m_view->fontMetrics().horizontalAdvance(text) + 2 * margin > m_view->visualRect(index).width();
}

bool ListGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view) {
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            const bool find = key->key() == Qt::Key_F && key->modifiers() == Qt::ControlModifier;
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (find || enter) {
                if (event->type() == QEvent::ShortcutOverride) {
                    event->accept();
                    return true;
                }
                if (find)
                    openFindDialog();
                else
                    emit activated();
                return true;
            }
        }
        return false;
    }
    if (watched == m_view->viewport()) {
        switch (event->type()) {
        case QEvent::Resize:
            stretchColumns();
            break;
        case QEvent::MouseButtonDblClick:
            emit doubleClicked();
            emit activated();
            return true;
        case QEvent::ToolTip: {
            // A cut cell shows its whole text; elsewhere the grid's hint.
            auto *help = static_cast<QHelpEvent *>(event);
            const QModelIndex index = m_view->indexAt(help->pos());
            if (isCut(index))
                QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(),
                                   m_view->viewport(), m_view->visualRect(index));
            else
                QToolTip::showText(help->globalPos(), kHint, m_view->viewport());
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
