#include "ui_log.h"

Q_LOGGING_CATEGORY(lcUi, "gloopdash.ui", QtWarningMsg)
