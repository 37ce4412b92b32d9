#pragma once

#include "data/listfilter.h"
#include "data/result.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <list>
#include <optional>
#include <vector>

// A read-only list of rows of one table, shared by the windows that show it.
//
// Rows are read from the database as the grid needs them, a page at a time,
// so that a list of a million cards opens at once; the row count and the
// footer's counts and sums are worked out by the database. Sorting by one or
// more columns and finding a row work on the whole list, not only on the rows
// already read. Re-running repeats the last statement (filter and sort).
class SqlListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Kind { Text, Money, Date, Time };
    struct Column {
        QString field;
        Kind kind = Kind::Text;
    };
    enum class Footer { Empty, Text, CountNonNull, Sum };
    struct FooterCell {
        Footer kind = Footer::Empty;
        QString text;
    };
    struct SortKey {
        int column = 0;
        Qt::SortOrder order = Qt::AscendingOrder;
    };
    enum class Match { Anywhere, WholeField, FromBeginning };
    enum class Direction { Down, Up, All };
    struct FindRequest {
        QString text;
        int column = -1; // -1: every column
        Match match = Match::Anywhere;
        Direction direction = Direction::Down;
        bool caseSensitive = false;
    };

    SqlListModel(QString table, QList<Column> columns, QList<FooterCell> footer,
                 QObject *parent = nullptr);

    // Replaces the statement and opens the list. On error the list stays
    // closed (empty) and keeps the statement.
    Status open(const ListFilter &filter);
    // Opens again with the statement it last received.
    Status rerun();
    void close();
    bool isOpen() const { return m_open; }
    const ListFilter &filter() const { return m_filter; }

    // Sorting: one key replaces the order; addKey appends a further key (or
    // reverses a key already present).
    Status toggleSort(int column, bool addKey);
    Status setSortKeys(const QList<SortKey> &keys);
    const QList<SortKey> &sortKeys() const { return m_sortKeys; }

    // The next row after (or before) currentRow whose shown text matches, in
    // the list's order; read from the database in one pass, not page by page.
    // nullopt when no row matches; an error when the rows cannot be read.
    Result<std::optional<int>> find(const FindRequest &request, int currentRow);

    const QList<Column> &columns() const { return m_columns; }
    int columnOf(const QString &field) const;
    // Stored value of a cell: text, or Money for money columns.
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString &field) const { return value(row, columnOf(field)); }
    QString text(int row, int column) const;
    // The table's id of a listed row (-1 when there is none), and where a row
    // of that id stands in the list now (-1 when it is not listed): a grid
    // keeps its current row across a sort with these.
    qint64 rowId(int row) const;
    int rowOfId(qint64 id) const;

    // Footer text of a column: a fixed text, the count of non-empty values or
    // the sum over every listed row (not only those read so far).
    QString footerText(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    void setTitles(const QStringList &titles) { m_titles = titles; }

    static constexpr int kPageSize = 256;
    static constexpr int kCachedPages = 256;

signals:
    // Reading rows failed while the grid was drawing them.
    void readFailed(const QString &error) const;
    void reopened();

private:
    struct Page {
        std::vector<qint64> ids;
        std::vector<QVariant> cells; // ids.size() * columnCount
    };

    Status load();
    Status loadOrder();
    const Page *page(int index) const;
    Result<Page> fetchPage(int index) const;
    QString selectList() const;
    QString orderClause() const { return orderClause(false); }
    QString displayText(const QVariant &stored, Kind kind) const;
    void dropCache() const;
    bool matches(const QString &text, const FindRequest &request) const;
    // Rows first, first+1, ... (forward) or first, first-1, ... (backward),
    // at most count of them: the first that matches.
    Result<std::optional<int>> scan(const FindRequest &request, bool forward, int first, int count) const;
    // A value as read from the table, as the list holds it: text, Money for
    // money columns, invalid for no value.
    static QVariant stored(const QVariant &read, Kind kind);
    QString orderClause(bool reversed) const;

    QString m_table;
    QList<Column> m_columns;
    QList<FooterCell> m_footer;
    QStringList m_titles;

    ListFilter m_filter;
    QList<SortKey> m_sortKeys;
    bool m_open = false;
    int m_rowCount = 0;
    QList<QVariant> m_footerValues;
    std::vector<qint64> m_orderedIds; // used while sorted

    mutable QHash<int, Page> m_pages;
    mutable std::list<int> m_recent; // most recently used first
};
