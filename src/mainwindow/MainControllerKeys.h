#pragma once
// What the files of MainController share: the settings sections it reads and
// writes, and the error-report label of its procedures ("F1 mcopy").

#include <QString>

namespace petari::mainwindowkeys {

// The main window's own keys: its place, the right-click choice.
inline const QString kWindowSection = QStringLiteral("F1");
// The options the settings dialog sets: start-up file, monitor, editor...
inline const QString kOptionsSection = QStringLiteral("F5");

// The label the error report shows for the main window's procedure name.
inline QString label(const char* procedure) { return QStringLiteral("F1 ") + QLatin1String(procedure); }

}  // namespace petari::mainwindowkeys
