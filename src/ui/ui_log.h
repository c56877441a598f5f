#pragma once

#include <QLoggingCategory>

// "gloopdash.ui": the widget kit and its picture decoding. Warnings show by
// default, debug lines only when QT_LOGGING_RULES asks
// ("gloopdash.ui.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcUi)
