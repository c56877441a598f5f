#pragma once

#include <QLoggingCategory>

// "gloopdash.server": connections, relays and the game table. Warnings show by
// default, debug lines only when QT_LOGGING_RULES asks
// ("gloopdash.server.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcServer)
