#pragma once
// Command-line modes: they run without a window or a display and print to
// standard output.

#include <QStringList>

namespace petari {

// Returns -1 when the arguments name no command-line mode (the window starts),
// otherwise the process exit code.  args excludes the program name.
int runCommandLineMode(const QStringList& args);

// Writes the lines as UTF-8, one per line, for the modes that print lines;
// 1 when standard output failed, else 0.
int printLines(const QStringList& lines);

int runConvertMode(const QStringList& args);    // --convert MODES
int runCalendarMode(const QStringList& args);   // --calendar YEAR
int runStampMode(const QStringList& args);      // --stamp [--at "YYYY-MM-DD HH:MM:SS"]
int runPriceMode(const QStringList& args);      // --price PRICE [options]
int runExportSettingsMode(const QStringList& args);   // --export-settings FILE
int runImportSettingsMode(const QStringList& args);   // --import-settings FILE
int runTableMode(const QStringList& args);      // --table ROWS LINES COLUMNS WIDTH

}  // namespace petari
