#pragma once
// What the files of MainController share: the error-report label of its
// procedures ("F1 mcopy").

#include <QString>

namespace petari::mainwindowkeys {

// The label the error report shows for the main window's procedure name.
inline QString label(const char* procedure) { return QStringLiteral("F1 ") + QLatin1String(procedure); }

}  // namespace petari::mainwindowkeys
