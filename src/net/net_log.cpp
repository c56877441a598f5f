#include "net_log.h"

Q_LOGGING_CATEGORY(lcNet, "gloopdash.net", QtWarningMsg)
