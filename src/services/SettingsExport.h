#pragma once
// Every setting of the program as a text file and back: "レジストリの保存"
// writes the store's sections line by line, "レジストリの読み込み" replaces
// the store with the valid lines of such a file.
//
// The file: a first line naming the program and the moment, then one line
// per setting, "petari,SECTION,KEY,VALUE", the value being everything after
// the third comma, character for character.  Lines end with CR LF.  The
// file is CP932 when every character comes back from it unchanged, UTF-8
// with a byte-order mark otherwise; both are read back, and so is UTF-8
// without a mark.

#include "platform/FileLimits.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

namespace petari {

class SettingsStore;
class UserPrompt;

struct SettingsRecord {
    QString section;
    QString key;
    QString value;
    bool operator==(const SettingsRecord& o) const
    {
        return section == o.section && key == o.key && value == o.value;
    }
};

// The sections written, in this order; the import accepts the same ones.
const QStringList& exportedSections();

// "レジストリの保存【 ペタリ.exe  Ver 2.40.167  2024/ 1/ 5 09:30:05 】"
QString exportHeaderLine(const QDateTime& now);

// programFolder + "/レジストリ保存20240105_093005.txt"
QString defaultExportPath(const QString& programFolder,
                          const QDateTime& now = QDateTime::currentDateTime());

// "petari,SECTION,KEY,VALUE"
QString exportLine(const SettingsRecord& r);

// The record of one line, or nothing when the line is not a setting of this
// program: another application name, a section that is not exported (names
// compare case-sensitively), an empty key or one holding "/" or "\", or a
// CR or LF anywhere in the line.
std::optional<SettingsRecord> parseExportLine(QStringView line);

// Files larger than this are no export of this program; they are not read.
constexpr qint64 kMaxImportBytes = kMaxWholeReadBytes;

// The export file: marks every section with the key "レジストリ保存" = its
// number 1 to 11 (so that every section exists), then writes the file whole
// and atomically.  A value or key holding a line break, or a key holding a
// comma, cannot stand on one line: such settings are left out and returned.
// Throws the write's failure; a file that was there stays as it was.
QList<SettingsRecord> writeSettingsExport(SettingsStore& store, const QString& path,
                                          const QDateTime& now = QDateTime::currentDateTime());

// The valid lines of a file, in file order.  Lines that are not valid,
// including lines whose bytes are not text in the file's encoding, are
// skipped.  An empty or over-large file gives none; tooLarge tells the
// latter.  Throws when the file cannot be read.
QList<SettingsRecord> readSettingsExport(const QString& path, bool* tooLarge = nullptr);

// The message for a file without a single valid line.
QString noValidSettingsMessage();

// ---- the two menu commands ----

enum class SettingsImport {
    Cancelled,      // the file dialog was cancelled: nothing happened
    Replaced,       // the store now holds the file's settings
    NothingValid,   // the file held no valid line: message shown, store unchanged
    TooLarge,       // the file is over kMaxImportBytes: message shown, store unchanged
    Failed,         // reading or replacing failed (reported): store unchanged
};

// "レジストリの保存" (label "F1 rejiHozo_Click"): asks for the file,
// suggesting defaultExportPath(programFolder) and asking before overwriting
// one, where a Yes runs takeBackup (as the save of a document backs up the
// list); then storeWindowState (the main window writes its own state, so
// that the export holds it); then writes the file (label "M2 regisutoH").
// Settings that could not be written are named in a message.  True when the
// file was written.
bool exportSettings(SettingsStore& store, UserPrompt& prompt, const QString& programFolder,
                    const std::function<void()>& storeWindowState = {},
                    const std::function<void()>& takeBackup = {});

// "レジストリの読み込み" (label "F1 rejiHozo_Click"): asks for a file and
// imports it (importSettingsFrom).
SettingsImport importSettings(SettingsStore& store, UserPrompt& prompt);

// Without a dialog, for the command line as well.
bool exportSettingsTo(SettingsStore& store, UserPrompt& prompt, const QString& path);
// Reads the file (label "M2 regisuto1Y") and, when it holds at least one
// valid line, replaces the whole store with its lines, all or nothing;
// otherwise shows noValidSettingsMessage(), or fileTooLargeMessage() for a
// file too large to read.
SettingsImport importSettingsFrom(SettingsStore& store, UserPrompt& prompt, const QString& path);

}  // namespace petari
