#pragma once
// The files of the work folder as bytes: snapshots, backups and logs hold a
// list of lines, each followed by CR LF, in CP932 when every character comes
// back unchanged from it and as UTF-8 with a byte-order mark otherwise, so a
// file gives back exactly the lines it was given.
//
// Every write goes to a new temporary file beside the target that replaces
// the target's name only when it is complete: no reader ever sees half a
// file, a crash leaves at most a stray temporary file, and a symbolic link
// in the target's place is replaced, never written through.

#include "document/LineText.h"

#include <QString>

namespace petari {

// What was written: the file's length and, when asked for, the CRC-32 of
// its bytes.
struct WrittenFile {
    qint64 length = 0;
    quint32 checksum = 0;
};

struct WorkFileOptions {
    // Forced to the disk before the name is replaced (backups, logs): those
    // must survive a power cut, snapshots serve the running program only.
    bool durable = false;
    bool checksum = false;
};

// Writes lines to path as described above, encoding them straight from
// their chunks a block of about a megabyte at a time, so that a million
// lines need no second copy in memory.  Throws the write's
// failure (70 no permission, 61 disk full, 76 a missing folder, 75 a folder
// in the way or any other).  When it throws, path is as it was.
WrittenFile writeLinesFile(const QString& path, const LineText& lines, const WorkFileOptions& options);

// Writes lines whole, atomically and forced to the disk.  Throws as
// writeLinesFile.
void writeWorkFile(const QString& path, const LineText& lines);

// The same bytes, not forced to the disk: for snapshots.
void writeSnapshotFile(const QString& path, const LineText& lines);

// The CRC-32 of bytes, continuing from crc (zlib's).
quint32 crc32Of(const QByteArray& bytes, quint32 crc = 0);

// Reads a file's bytes.  Throws 53 when it is missing, 70 when it may not
// be read, 75 for any other failure.
QByteArray readWorkBytes(const QString& path);

// The lines of a work file's bytes: UTF-8 when they start with a byte-order
// mark, CP932 otherwise.  Bytes no write of this program gives (invalid
// text) are a damaged file: 75, naming path.
LineText decodeWorkBytes(const QByteArray& bytes, const QString& path);

// readWorkBytes and decodeWorkBytes.
LineText readWorkFile(const QString& path);

// The description of a damaged snapshot, as the report shows it.
QString damagedSnapshotText(const QString& path);

}  // namespace petari
