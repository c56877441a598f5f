#pragma once

#include <QLoggingCategory>

// "gloopdash.net": framing and the protocol. Warnings show by default, debug
// lines only when QT_LOGGING_RULES asks ("gloopdash.net.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcNet)
