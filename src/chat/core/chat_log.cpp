#include "chat_log.h"

Q_LOGGING_CATEGORY(lcChat, "gloopdash.chat", QtWarningMsg)
