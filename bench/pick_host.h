#pragma once

#include "server/host_options.h"
#include "server/server.h"

#include <QObject>
#include <memory>

class DiscoveryResponder;

// A headless game server for the pick benchmarks. It is the game's own server
// with one difference: the pause between rounds is skipped, so that bots can
// pick round after round without waiting out the pause's seconds.
class PickHost : public QObject {
    Q_OBJECT
public:
    explicit PickHost(quint16 port, QObject* parent = nullptr);
    ~PickHost() override;
    // Listens; returns the bound port, 0 when the port could not be had.
    quint16 listen();
    // Answers discovery queries on the game port, as every table does.
    bool answerDiscovery();

private:
    void skipPause();

    FixedHostOptions m_options;
    Server m_server;
    std::unique_ptr<DiscoveryResponder> m_discovery;
};
