#include "data/sqllistmodel.h"

#include "data/database.h"
#include "data/money.h"
#include "data/schema.h"

#include <QLocale>
#include <QSqlQuery>

SqlListModel::SqlListModel(QString table, QList<Column> columns, QList<FooterCell> footer,
                           QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(std::move(table))
    , m_columns(std::move(columns))
    , m_footer(std::move(footer))
{
    while (m_footer.size() < m_columns.size())
        m_footer.append(FooterCell{});
    for (const Column &c : m_columns)
        m_titles << c.field;
}

int SqlListModel::columnOf(const QString &field) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].field == field)
            return i;
    }
    return -1;
}

QString SqlListModel::selectList() const
{
    QString list = schema::quoted(QStringLiteral("id"));
    for (const Column &c : m_columns)
        list += QStringLiteral(", ") + schema::quoted(c.field);
    return list;
}

QString SqlListModel::orderClause(bool reversed) const
{
    // Every key reversed, the id too, gives exactly the reverse order (the
    // rows without a value included).
    auto direction = [reversed](Qt::SortOrder order) {
        const bool ascending = (order == Qt::AscendingOrder) != reversed;
        return ascending ? QStringLiteral(" ASC, ") : QStringLiteral(" DESC, ");
    };
    QString order = QStringLiteral(" ORDER BY ");
    for (const SortKey &k : m_sortKeys)
        order += schema::quoted(m_columns[k.column].field) + direction(k.order);
    return order + schema::quoted(QStringLiteral("id")) + (reversed ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
}

void SqlListModel::dropCache() const
{
    m_pages.clear();
    m_recent.clear();
}

Status SqlListModel::open(const ListFilter &filter)
{
    m_filter = filter;
    return rerun();
}

Status SqlListModel::rerun()
{
    beginResetModel();
    dropCache();
    m_open = false;
    m_rowCount = 0;
    m_orderedIds.clear();
    m_footerValues.clear();
    Status status = load();
    if (!status) {
        m_open = false;
        m_rowCount = 0;
        m_orderedIds.clear();
        m_footerValues.clear();
    }
    endResetModel();
    emit reopened();
    return status;
}

void SqlListModel::close()
{
    beginResetModel();
    dropCache();
    m_open = false;
    m_rowCount = 0;
    m_orderedIds.clear();
    m_footerValues.clear();
    endResetModel();
    emit reopened();
}

Status SqlListModel::load()
{
    if (m_filter.isRejected())
        return Error{m_filter.error()};

    // Row count and footers in one pass of the database.
    QString aggregates = QStringLiteral("COUNT(*)");
    for (int i = 0; i < m_footer.size(); ++i) {
        const QString field = schema::quoted(m_columns[i].field);
        if (m_footer[i].kind == Footer::CountNonNull)
            aggregates += QStringLiteral(", COUNT(%1)").arg(field);
        else if (m_footer[i].kind == Footer::Sum)
            aggregates += QStringLiteral(", SUM(%1)").arg(field);
    }
    const QString statement = QStringLiteral("SELECT %1 FROM %2%3")
                                  .arg(aggregates, schema::quoted(m_table), m_filter.whereClause());
    auto q = sql::run(statement, m_filter.bindings());
    if (!q)
        return q.error();
    if (!q.value().next())
        return Error{QStringLiteral("无法读取列表")};
    const qlonglong count = q.value().value(0).toLongLong();
    int next = 1;
    m_footerValues.clear();
    for (int i = 0; i < m_footer.size(); ++i) {
        if (m_footer[i].kind == Footer::CountNonNull || m_footer[i].kind == Footer::Sum)
            m_footerValues.append(q.value().value(next++));
        else
            m_footerValues.append(QVariant());
    }
    q.value().finish();
    if (count > std::numeric_limits<int>::max())
        return Error{QStringLiteral("列表的行数太多")};
    m_rowCount = static_cast<int>(count);

    if (!m_sortKeys.isEmpty()) {
        if (Status ordered = loadOrder(); !ordered)
            return ordered;
        m_rowCount = static_cast<int>(m_orderedIds.size());
    }
    m_open = true;
    return {};
}

Status SqlListModel::loadOrder()
{
    m_orderedIds.clear();
    const QString statement = QStringLiteral("SELECT %1 FROM %2%3%4")
                                  .arg(schema::quoted(QStringLiteral("id")), schema::quoted(m_table),
                                       m_filter.whereClause(), orderClause());
    auto q = sql::run(statement, m_filter.bindings());
    if (!q)
        return q.error();
    m_orderedIds.reserve(static_cast<size_t>(m_rowCount));
    while (q.value().next())
        m_orderedIds.push_back(q.value().value(0).toLongLong());
    return {};
}

Result<SqlListModel::Page> SqlListModel::fetchPage(int index) const
{
    const int first = index * kPageSize;
    const int count = std::min(kPageSize, m_rowCount - first);
    Page page;
    if (count <= 0)
        return page;
    const int width = static_cast<int>(m_columns.size());

    auto readRows = [&](QSqlQuery &q, QHash<qint64, qsizetype> *slotOfId) {
        while (q.next()) {
            const qint64 id = q.value(0).toLongLong();
            qsizetype slot;
            if (slotOfId) {
                const auto it = slotOfId->constFind(id);
                if (it == slotOfId->constEnd())
                    continue;
                slot = it.value();
            } else {
                slot = static_cast<qsizetype>(page.ids.size());
                page.ids.push_back(id);
                page.cells.resize(page.ids.size() * width);
            }
            for (int c = 0; c < width; ++c)
                page.cells[slot * width + c] = stored(q.value(c + 1), m_columns[c].kind);
        }
    };

    if (!m_sortKeys.isEmpty()) {
        // Sorted: the page's ids are known; read those rows.
        QString placeholders;
        QList<sql::Binding> bindings;
        QHash<qint64, qsizetype> slotOfId;
        page.ids.assign(m_orderedIds.begin() + first, m_orderedIds.begin() + first + count);
        page.cells.resize(page.ids.size() * width);
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral(":i%1").arg(i);
            placeholders += (i ? QStringLiteral(", ") : QString()) + name;
            bindings.append({name, page.ids[i]});
            slotOfId.insert(page.ids[i], i);
        }
        const QString statement = QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN (%4)")
                                      .arg(selectList(), schema::quoted(m_table),
                                           schema::quoted(QStringLiteral("id")), placeholders);
        auto q = sql::run(statement, bindings);
        if (!q)
            return q.error();
        readRows(q.value(), &slotOfId);
        return page;
    }

    // In table order: continue after the previous page when it is at hand,
    // otherwise skip to the page's first row.
    QString condition = m_filter.condition();
    QList<sql::Binding> bindings = m_filter.bindings();
    QString tail;
    const auto previous = m_pages.constFind(index - 1);
    if (index > 0 && previous != m_pages.constEnd() && !previous->ids.empty()) {
        const QString after = schema::quoted(QStringLiteral("id")) + QStringLiteral(" > :after_id");
        condition = condition.isEmpty() ? after : u'(' + condition + QStringLiteral(") AND ") + after;
        bindings.append({QStringLiteral(":after_id"), previous->ids.back()});
        tail = QStringLiteral(" LIMIT :page_rows");
    } else {
        tail = QStringLiteral(" LIMIT :page_rows OFFSET :page_first");
        bindings.append({QStringLiteral(":page_first"), first});
    }
    bindings.append({QStringLiteral(":page_rows"), count});
    const QString statement = QStringLiteral("SELECT %1 FROM %2%3%4%5")
                                  .arg(selectList(), schema::quoted(m_table),
                                       condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition,
                                       orderClause(), tail);
    auto q = sql::run(statement, bindings);
    if (!q)
        return q.error();
    readRows(q.value(), nullptr);
    return page;
}

const SqlListModel::Page *SqlListModel::page(int index) const
{
    auto it = m_pages.find(index);
    if (it != m_pages.end()) {
        if (m_recent.front() != index) {
            m_recent.remove(index);
            m_recent.push_front(index);
        }
        return &it.value();
    }
    auto fetched = fetchPage(index);
    if (!fetched) {
        emit readFailed(fetched.errorText());
        return nullptr;
    }
    while (m_pages.size() >= kCachedPages && !m_recent.empty()) {
        m_pages.remove(m_recent.back());
        m_recent.pop_back();
    }
    m_recent.push_front(index);
    return &m_pages.insert(index, std::move(fetched).value()).value();
}

QVariant SqlListModel::value(int row, int column) const
{
    if (!m_open || row < 0 || row >= m_rowCount || column < 0 || column >= m_columns.size())
        return {};
    const Page *p = page(row / kPageSize);
    const size_t slot = static_cast<size_t>(row % kPageSize);
    if (!p || slot >= p->ids.size())
        return {};
    return p->cells[slot * m_columns.size() + column];
}

qint64 SqlListModel::rowId(int row) const
{
    if (!m_open || row < 0 || row >= m_rowCount)
        return -1;
    const Page *p = page(row / kPageSize);
    const size_t slot = static_cast<size_t>(row % kPageSize);
    return p && slot < p->ids.size() ? p->ids[slot] : -1;
}

int SqlListModel::rowOfId(qint64 id) const
{
    if (!m_open || id < 0)
        return -1;
    if (!m_sortKeys.isEmpty()) {
        const auto it = std::find(m_orderedIds.begin(), m_orderedIds.end(), id);
        return it == m_orderedIds.end() ? -1 : static_cast<int>(it - m_orderedIds.begin());
    }
    // In table order: the listed rows before it.
    const QString idColumn = schema::quoted(QStringLiteral("id"));
    QString condition = m_filter.condition();
    condition = condition.isEmpty() ? QString() : u'(' + condition + QStringLiteral(") AND ");
    QList<sql::Binding> bindings = m_filter.bindings();
    bindings.append({QStringLiteral(":row_id"), id});
    bindings.append({QStringLiteral(":row_limit"), id});
    const QString statement = QStringLiteral(
        "SELECT COUNT(*), SUM(CASE WHEN %1 = :row_id THEN 1 ELSE 0 END) FROM %2 WHERE %3%1 <= :row_limit")
                                  .arg(idColumn, schema::quoted(m_table), condition);
    auto q = sql::run(statement, bindings);
    if (!q || !q.value().next() || q.value().value(1).toLongLong() != 1)
        return -1;
    const qlonglong before = q.value().value(0).toLongLong() - 1;
    return before < m_rowCount ? static_cast<int>(before) : -1;
}

QVariant SqlListModel::stored(const QVariant &read, Kind kind)
{
    if (read.isNull())
        return {};
    if (kind == Kind::Money)
        return QVariant::fromValue(Money::fromUnits(read.toLongLong()));
    return read.toString();
}

QString SqlListModel::displayText(const QVariant &stored, Kind kind) const
{
    if (!stored.isValid())
        return {};
    switch (kind) {
    case Kind::Money:
        return stored.value<Money>().toString();
    case Kind::Date: {
        const QDate d = Database::toDate(stored);
        return d.isValid() ? QLocale().toString(d, QLocale::ShortFormat) : stored.toString();
    }
    case Kind::Time: {
        const QTime t = Database::toTime(stored);
        return t.isValid() ? t.toString(QStringLiteral("hh:mm:ss")) : stored.toString();
    }
    case Kind::Text:
        break;
    }
    return stored.toString();
}

QString SqlListModel::text(int row, int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    return displayText(value(row, column), m_columns[column].kind);
}

QString SqlListModel::footerText(int column) const
{
    if (column < 0 || column >= m_footer.size())
        return {};
    const FooterCell &cell = m_footer[column];
    switch (cell.kind) {
    case Footer::Empty:
        return {};
    case Footer::Text:
        return cell.text;
    case Footer::CountNonNull:
        return QString::number(m_open ? m_footerValues.value(column).toLongLong() : 0);
    case Footer::Sum:
        if (m_columns[column].kind == Kind::Money)
            return Money::fromUnits(m_open ? m_footerValues.value(column).toLongLong() : 0).toString();
        return m_open ? m_footerValues.value(column).toString() : QStringLiteral("0");
    }
    return {};
}

int SqlListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int SqlListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant SqlListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant SqlListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::ToolTipRole)
        return m_titles.value(section);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    QString title = m_titles.value(section);
    for (int k = 0; k < m_sortKeys.size(); ++k) {
        if (m_sortKeys[k].column != section)
            continue;
        title += m_sortKeys[k].order == Qt::AscendingOrder ? QStringLiteral(" ▲") : QStringLiteral(" ▼");
        if (m_sortKeys.size() > 1)
            title += QString::number(k + 1);
    }
    return title;
}

Status SqlListModel::setSortKeys(const QList<SortKey> &keys)
{
    for (const SortKey &k : keys) {
        if (k.column < 0 || k.column >= m_columns.size())
            return Error{QStringLiteral("无效的排序列")};
    }
    m_sortKeys = keys;
    if (!m_open) {
        emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(m_columns.size()) - 1);
        return {};
    }
    return rerun();
}

Status SqlListModel::toggleSort(int column, bool addKey)
{
    QList<SortKey> keys = m_sortKeys;
    const auto it = std::find_if(keys.begin(), keys.end(), [&](const SortKey &k) { return k.column == column; });
    if (it != keys.end()) {
        it->order = it->order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        if (!addKey)
            keys = {*it};
    } else if (addKey) {
        keys.append({column, Qt::AscendingOrder});
    } else {
        keys = {{column, Qt::AscendingOrder}};
    }
    return setSortKeys(keys);
}

void SqlListModel::sort(int column, Qt::SortOrder order)
{
    (void)setSortKeys({{column, order}});
}

bool SqlListModel::matches(const QString &t, const FindRequest &request) const
{
    const Qt::CaseSensitivity cs = request.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    switch (request.match) {
    case Match::Anywhere: return t.contains(request.text, cs);
    case Match::WholeField: return t.compare(request.text, cs) == 0;
    case Match::FromBeginning: return t.startsWith(request.text, cs);
    }
    return false;
}

Result<std::optional<int>> SqlListModel::scan(const FindRequest &request, bool forward, int first, int count) const
{
    if (count <= 0 || first < 0 || first >= m_rowCount)
        return std::optional<int>();
    // Only the columns searched are read, in the list's order (or its
    // reverse), starting at the first row to look at.
    QList<int> searched;
    if (request.column >= 0)
        searched << request.column;
    else
        for (int c = 0; c < m_columns.size(); ++c)
            searched << c;
    QString fields;
    for (int c : searched)
        fields += (fields.isEmpty() ? QString() : QStringLiteral(", ")) + schema::quoted(m_columns[c].field);
    QList<sql::Binding> bindings = m_filter.bindings();
    bindings.append({QStringLiteral(":scan_rows"), count});
    bindings.append({QStringLiteral(":scan_first"), forward ? first : m_rowCount - 1 - first});
    const QString statement = QStringLiteral("SELECT %1 FROM %2%3%4 LIMIT :scan_rows OFFSET :scan_first")
                                  .arg(fields, schema::quoted(m_table), m_filter.whereClause(), orderClause(!forward));
    auto q = sql::run(statement, bindings);
    if (!q)
        return q.error();
    for (int k = 0; q.value().next(); ++k) {
        for (int i = 0; i < searched.size(); ++i) {
            const Kind kind = m_columns[searched[i]].kind;
            if (matches(displayText(stored(q.value().value(i), kind), kind), request))
                return std::optional<int>(forward ? first + k : first - k);
        }
    }
    return std::optional<int>();
}

Result<std::optional<int>> SqlListModel::find(const FindRequest &request, int currentRow)
{
    if (!m_open || m_rowCount == 0)
        return std::optional<int>();
    if (request.column >= m_columns.size())
        return std::optional<int>();
    const int n = m_rowCount;
    switch (request.direction) {
    case Direction::Down: {
        const int first = std::max(currentRow + 1, 0);
        return scan(request, true, first, n - first);
    }
    case Direction::Up: {
        const int first = std::min(currentRow - 1, n - 1);
        return scan(request, false, first, first + 1);
    }
    case Direction::All: {
        // Onwards to the end, then round from the top to the current row.
        const int first = currentRow < 0 ? 0 : std::min(currentRow + 1, n);
        const auto found = scan(request, true, first, n - first);
        if (!found || found.value())
            return found;
        return scan(request, true, 0, std::min(first, n));
    }
    }
    return std::optional<int>();
}
