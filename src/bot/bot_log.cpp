#include "bot_log.h"

Q_LOGGING_CATEGORY(lcBot, "gloopdash.bot", QtWarningMsg)
