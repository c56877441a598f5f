#pragma once

#include "table_row.h"

#include <QObject>

// Something that finds tables and reports each as it hears of it, again and
// again while it runs: the local network's discovery, or an internet list.
class TableSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Looks for tables until stopped; a source may be started again.
    virtual void start() = 0;
    virtual void stop() = 0;

signals:
    void rowHeard(const TableRow& row);
};
