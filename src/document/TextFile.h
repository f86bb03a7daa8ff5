#pragma once
// Text files as the document sees them: a list of lines, read from code
// page 932 or UTF-8 and written back in the encoding they came in.
//
// Reading: a line ends at CR, and one LF directly after that CR belongs to
// the break.  A lone LF does not end a line; it stays in the line's text and
// the add-line step (splitAddedText) breaks it later, the way lines are
// added to the list.  A file that ends with a break has no empty last line.
//
// Writing: every write goes to a temporary file that replaces the target
// only when it is complete, so a failed save leaves the old file whole.
// Text that the target encoding cannot hold is refused (Failure 5, the
// description names the characters) unless the caller asked for "?" in
// their place after warning the user; unencodableCharacters() is the check.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace petari {

enum class TextEncoding { Cp932, Utf8, Utf8Bom };

struct TextFileContent {
    QStringList lines;
    TextEncoding encoding = TextEncoding::Cp932;
    // How many undefined byte sequences were read as U+FFFD.  Saving such a
    // document over its file changes those bytes, so the caller asks first.
    qsizetype invalidBytes = 0;
};

// Reads a whole file.  Failures: 53 no such file, 76 a folder of the path
// is missing (or is not a folder), 70 no permission to read, 75 the path is
// a folder or not a regular file (a device or pipe would never end) or the
// read itself failed.
TextFileContent readTextFile(const QString& path);

// The same from bytes already in memory.
TextFileContent decodeTextFile(QByteArrayView bytes);

// A UTF-8 byte order mark: Utf8Bom.  Otherwise valid UTF-8 holding at least
// one multi-byte character: Utf8.  Anything else (including pure ASCII):
// Cp932.
TextEncoding detectEncoding(QByteArrayView bytes);

// Splits decoded file text into lines by the reading rules above:
// "a\r\nb\r\n" and "a\r\nb" give {"a", "b"}, "a\r\n\r\n" gives {"a", ""},
// "" gives {}, "a\nb" gives {"a\nb"}.
QStringList splitFileLines(QStringView text);

// Breaks a text into the lines the add-line step inserts: CR, LF and CR LF
// each end a line; two breaks in a row give an empty line; a text that ends
// with a break has no empty last line; an empty text gives one empty line.
// With foldWidth > 0 every line is further cut into pieces of foldWidth
// characters (an empty line stays one empty piece).  Characters are counted
// as code points, so a surrogate pair is never cut in half.
QStringList splitAddedText(const QString& text, int foldWidth);

// What to do with characters the target encoding cannot hold.
enum class Unencodable {
    Refuse,            // Failure 5 before the file is touched
    WriteQuestionMark  // the user has been told and agreed
};

// Every distinct character of the lines that the encoding cannot hold, in
// order of first appearance ("" when the lines can be written as they are).
// UTF-8 holds every character.
QString unencodableCharacters(const QStringList& lines, TextEncoding encoding = TextEncoding::Cp932);

// Writes the lines, each followed by CR LF (the last one too).
// Failures: 5 unencodable text refused, 70 no permission, 61 disk full,
// 76 the folder does not exist, 75 the target is a folder or any other
// failure.  On failure the old file, if any, is left as it was.
void writeTextFile(const QString& path, const QStringList& lines, TextEncoding encoding,
                   Unencodable unencodable = Unencodable::Refuse);

// Writes the lines for classic Mac OS: each line followed by CR, then one
// CR LF after the whole text ("a", "b" give a CR b CR CR LF).  Failures as
// writeTextFile.
void writeMacTextFile(const QString& path, const QStringList& lines, TextEncoding encoding,
                      Unencodable unencodable = Unencodable::Refuse);

}  // namespace petari
