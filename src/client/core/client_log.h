#pragma once

#include <QLoggingCategory>

// "gloopdash.client": the client's connection and message handling. Warnings
// show by default, debug lines only when QT_LOGGING_RULES asks
// ("gloopdash.client.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcClient)
