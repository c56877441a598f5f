#include "table_list_model.h"

#include "table_source.h"

#include <QDeadlineTimer>

namespace {

// The game modes a table announces, by the word it sends, as the list shows them.
QString modeText(const QString& mode)
{
    if (mode == QLatin1String("standard"))
        return TableListModel::tr("standard");
    if (mode == QLatin1String("classic"))
        return TableListModel::tr("classic");
    return mode;
}

} // namespace

TableListModel::TableListModel(QObject* parent) : QAbstractTableModel(parent), m_forget(this)
{
    m_forget.setInterval(1000);
    connect(&m_forget, &QTimer::timeout, this, [this] { forgetOlder(QDeadlineTimer::current().deadline()); });
}

void TableListModel::watch(TableSource& source)
{
    connect(&source, &TableSource::rowHeard, this, &TableListModel::heard);
}

int TableListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TableListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString TableListModel::text(const TableRow& row, int column)
{
    const TableAnnouncement& t = row.table;
    switch (column) {
    case Name: return t.name;
    case Players:
        return t.bots > 0 ? tr("%1 of %2 (%3 bots)").arg(t.players).arg(t.seats).arg(t.bots)
                          : tr("%1 of %2").arg(t.players).arg(t.seats);
    case Watchers: return QString::number(t.watchers);
    case Game:
        if (t.state != QLatin1String("playing"))
            return tr("waiting");
        return tr("mission %1 of %2, %3").arg(t.mission).arg(t.missions).arg(modeText(t.mode));
    case Address: return row.address;
    case AnswerTime: return QStringLiteral("%1 ms").arg(qMax(1, qRound(row.answerMs)));
    }
    return {};
}

QString TableListModel::sortKey(const TableRow& row)
{
    const TableAnnouncement& t = row.table;
    const int group = t.players >= t.seats ? 2 : t.state == QLatin1String("playing") ? 1 : 0;
    return QStringLiteral("%1%2%3").arg(group).arg(9 - qBound(0, t.players, 9)).arg(t.name.toCaseFolded());
}

QVariant TableListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const TableRow& r = m_rows.at(index.row());
    if (role == Qt::DisplayRole)
        return text(r, index.column());
    if (role == SortKeyRole)
        return sortKey(r);
    if (role == Qt::ToolTipRole)
        return tr("%1, version %2").arg(r.table.name, r.table.version);
    return {};
}

QVariant TableListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[ColumnCount] = {QT_TR_NOOP("Table"), QT_TR_NOOP("Players"), QT_TR_NOOP("Watchers"),
                                                    QT_TR_NOOP("Game"),  QT_TR_NOOP("Address"), QT_TR_NOOP("Answer")};
    return section >= 0 && section < ColumnCount ? tr(titles[section]) : QVariant();
}

void TableListModel::heard(const TableRow& row)
{
    for (int at = 0; at < m_rows.size(); ++at) {
        TableRow& old = m_rows[at];
        if (old.table.id != row.table.id)
            continue;
        const bool keepAddress = row.ipv6 && !old.ipv6 && row.heardMs - old.heardMs < ForgetMs;
        const QString address = keepAddress ? old.address : row.address;
        old = row;
        if (keepAddress) {
            old.address = address;
            old.ipv6 = false;
        }
        emit dataChanged(index(at, 0), index(at, ColumnCount - 1));
        return;
    }
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size()));
    m_rows.append(row);
    endInsertRows();
    m_forget.start();
}

void TableListModel::forgetOlder(qint64 nowMs)
{
    for (int at = int(m_rows.size()) - 1; at >= 0; --at) {
        if (nowMs - m_rows.at(at).heardMs <= ForgetMs)
            continue;
        beginRemoveRows({}, at, at);
        m_rows.removeAt(at);
        endRemoveRows();
    }
    if (m_rows.isEmpty())
        m_forget.stop();
}

void TableListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
    m_forget.stop();
}
