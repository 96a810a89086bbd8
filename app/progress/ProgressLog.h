#pragma once

#include <QLoggingCategory>

// The program's own messages about the learner's progress; they reach the
// log (standard error) however quiet the libraries are kept.
Q_DECLARE_LOGGING_CATEGORY(progressLog)
