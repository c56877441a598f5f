#pragma once

#include "bot_level.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class Bot;

// The bots seated at one table: each an ordinary client of the table's server
// over loopback, added and removed one at a time. A bot whose connection goes
// (kicked, table full, server gone) leaves the list by itself.
class BotSeats : public QObject {
    Q_OBJECT
public:
    // Seats left for people: the table has six, the host needs one.
    static constexpr int MaxBots = 5;

    explicit BotSeats(QObject* parent = nullptr);
    ~BotSeats() override;

    // Where the bots connect. Takes effect for bots added afterwards.
    void setServer(const QString& host, quint16 port);
    // Multiplies every bot's natural pace (tests play faster than people).
    void setSpeed(double speed) { m_speed = speed; }

    // Connects one more bot, named apart from `seated` (the names at the
    // table) and from the bots already here; false when MaxBots already sit.
    bool add(BotLevel level, const QList<QByteArray>& seated = {});
    // The bot added last leaves.
    void removeLast();
    void removeAll();
    int count() const { return int(m_bots.size()); }
    QList<const Bot*> bots() const;

signals:
    void changed(int count);

private:
    QByteArray freeName(BotLevel level, QList<QByteArray> seated) const;
    void left(Bot* bot);

    QString m_host = QStringLiteral("127.0.0.1");
    quint16 m_port = 7772;
    double m_speed = 1.0;
    std::vector<std::unique_ptr<Bot>> m_bots;
};
