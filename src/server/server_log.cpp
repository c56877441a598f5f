#include "server_log.h"

Q_LOGGING_CATEGORY(lcServer, "gloopdash.server", QtWarningMsg)
