#pragma once
// File names as the system holds them: bytes, normally UTF-8.  Qt decodes a
// name's bytes that are not UTF-8 to U+FFFD, so "lat\xE9.txt" comes back
// from QFile::decodeName as "lat\uFFFD.txt", a name no file has.  Names from
// the command line are decoded here instead, each such byte kept as a lone
// surrogate (see utf8::decodeEscaped), and the readers open them by their
// original bytes.  A name Qt can decode is decoded exactly as Qt does it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace petari {

QString decodeFileName(QByteArrayView bytes);
QByteArray encodeFileName(const QString& name);

// True when Qt's own file classes (QFile, QSaveFile, QFileInfo) cannot name
// the file: the name holds bytes that are not UTF-8.
bool needsByteName(const QString& name);

// The name made absolute against the current folder by its text alone
// (QFileInfo would pass it through Qt's own encoding and lose such bytes).
QString absoluteFileName(const QString& name);

// Whether something of that name exists (a file, a folder, a device ...).
bool fileExists(const QString& name);

// A name as one line for the user to read: each byte that is not UTF-8 as
// \xE9, each control character as its picture (a line feed ␊, DEL ␡).  The
// name itself when it holds neither.
QString visibleFileName(const QString& name);

}  // namespace petari
