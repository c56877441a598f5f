#pragma once

#include <QLoggingCategory>

// "gloopdash.side": tally file, high scores and downloads. Warnings show by
// default, debug lines only when QT_LOGGING_RULES asks
// ("gloopdash.side.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcSide)
