#pragma once
// Command-line modes: they run without a window or a display and print to
// standard output.

#include <QStringList>

namespace petari {

// Returns -1 when the arguments name no command-line mode (the window starts),
// otherwise the process exit code.  args excludes the program name.
int runCommandLineMode(const QStringList& args);

int runConvertMode(const QStringList& args);    // --convert MODES
int runCalendarMode(const QStringList& args);   // --calendar YEAR
int runStampMode(const QStringList& args);      // --stamp [--at "YYYY-MM-DD HH:MM:SS"]
int runPriceMode(const QStringList& args);      // --price PRICE [options]

}  // namespace petari
