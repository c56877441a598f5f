#pragma once

#include <QLoggingCategory>

// "gloopdash.chat": settings file, chat, sounds and tile sets. Warnings show by
// default, debug lines only when QT_LOGGING_RULES asks
// ("gloopdash.chat.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcChat)
