#pragma once
// Command-line modes: they run without a window or a display and print to
// standard output.

#include "copy/Conversions.h"

#include <QStringList>

#include <cstddef>
#include <cstdio>

namespace petari {

// Returns -1 when the arguments name no command-line mode (the window starts),
// otherwise the process exit code.  args excludes the program name.
int runCommandLineMode(const QStringList& args);

// Whether the user reads messages in Japanese (the locale's language).
bool prefersJapanese();

// Writes the lines as UTF-8, one per line, for the modes that print lines;
// 1 when standard output failed, else 0.
int printLines(const QStringList& lines);

int runConvertMode(const QStringList& args);    // --convert MODES
int runCalendarMode(const QStringList& args);   // --calendar YEAR
int runStampMode(const QStringList& args);      // --stamp [--at "YYYY-MM-DD HH:MM:SS"]
int runPriceMode(const QStringList& args);      // --price PRICE [options]
// --show: brings the running copy to the front; -1 (start the window) when
// no copy runs.
constexpr const char* kShowSwitch = "--show";
int runShowMode(const QStringList& args);
int runExportSettingsMode(const QStringList& args);   // --export-settings FILE
int runImportSettingsMode(const QStringList& args);   // --import-settings FILE
int runTableMode(const QStringList& args);      // --table ROWS LINES COLUMNS WIDTH

// The work of --convert: UTF-8 text from in, converted by modes in order,
// to out, read in blocks of blockSize bytes (memory stays a few times that
// however long the input).  Returns the exit code (1 when reading or
// writing failed, with a message on standard error).
constexpr std::size_t ConvertBlockSize = std::size_t(1) << 22;
int convertStream(std::FILE* in, std::FILE* out, const QList<Conversion>& modes,
                  std::size_t blockSize = ConvertBlockSize);

}  // namespace petari
