#pragma once

#include "server/host_options.h"
#include "server/server.h"

#include <QObject>

// A headless game server for the pick benchmarks. It is the game's own server
// with one difference: the pause between rounds is skipped, so that bots can
// pick round after round without waiting out the pause's seconds.
class PickHost : public QObject {
    Q_OBJECT
public:
    explicit PickHost(quint16 port, QObject* parent = nullptr);
    // Listens; returns the bound port, 0 when the port could not be had.
    quint16 listen();

private:
    void skipPause();

    FixedHostOptions m_options;
    Server m_server;
};
