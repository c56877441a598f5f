#include "client_log.h"

Q_LOGGING_CATEGORY(lcClient, "gloopdash.client", QtWarningMsg)
