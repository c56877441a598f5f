#pragma once

#include <QLoggingCategory>

// "gloopdash.bot": the bot player. Warnings show by default, debug lines only
// when QT_LOGGING_RULES asks ("gloopdash.bot.debug=true"). Defined here rather
// than in a source file of its own because the bot is not yet a library.
inline const QLoggingCategory& lcBot()
{
    static const QLoggingCategory category("gloopdash.bot", QtWarningMsg);
    return category;
}
