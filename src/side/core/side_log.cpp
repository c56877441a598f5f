#include "side_log.h"

Q_LOGGING_CATEGORY(lcSide, "gloopdash.side", QtWarningMsg)
