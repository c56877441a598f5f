#pragma once

#include <QLoggingCategory>

// "gloopdash.bot": what a bot player does at its table (login, games, its end).
// Warnings show by default, the rest only when QT_LOGGING_RULES asks
// ("gloopdash.bot.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcBot)
