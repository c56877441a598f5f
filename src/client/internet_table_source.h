#pragma once

#include "client/core/table_source.h"

#include <QList>
#include <QTimer>

class InternetTableList;
class THTTPGet;

// The game browser's Internet tab: the public tables of the internet table
// list, asked every 10 s through the game's HTTP worker while the browser
// shows. A list keeps a row only while its source repeats it, so the last
// answer's rows are told again every 2 s; a table that left the list is not
// told again and goes from the tab.
class InternetTableSource : public TableSource {
    Q_OBJECT
public:
    static constexpr int RepeatMs = 2000;

    explicit InternetTableSource(const QString& coordinator, QObject* parent = nullptr);
    ~InternetTableSource() override;

    void start() override;
    void stop() override;
    InternetTableList& list() const { return *m_list; }

private:
    void tell();

    InternetTableList* m_list = nullptr;
    THTTPGet* m_http = nullptr;
    QTimer m_repeat;
};
