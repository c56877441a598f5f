#pragma once

#include "table_row.h"

#include <QAbstractTableModel>
#include <QList>
#include <QTimer>

class TableSource;

// The tables one source has heard of, one row per table id, kept fresh as the
// source repeats itself: a row not heard for ForgetMs goes. Views sort it by
// SortKeyRole: tables with a free seat first, those still waiting before
// those in play, fuller tables first, then by name.
class TableListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Players, Watchers, Game, Address, AnswerTime, ColumnCount };
    static constexpr int SortKeyRole = Qt::UserRole + 1;
    // Three rounds of the local network's queries.
    static constexpr int ForgetMs = 6500;

    explicit TableListModel(QObject* parent = nullptr);

    // Fills the list from `source` (which must outlive the model or be
    // destroyed with it).
    void watch(TableSource& source);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const TableRow& row(int at) const { return m_rows.at(at); }
    // Adds the table or brings its row up to date; an IPv6 address does not
    // replace an IPv4 one heard within ForgetMs.
    void heard(const TableRow& row);
    // Drops rows last heard before nowMs - ForgetMs (a steady clock in ms).
    void forgetOlder(qint64 nowMs);
    void clear();

    // What a column shows of a row.
    static QString text(const TableRow& row, int column);
    static QString sortKey(const TableRow& row);

private:
    QList<TableRow> m_rows;
    QTimer m_forget;
};
