#pragma once
// Text files as the document sees them: a list of lines, read from code
// page 932, UTF-8 or UTF-16 and written back in the encoding they came in.
//
// Reading: a line ends at CR, and one LF directly after that CR belongs to
// the break.  A lone LF does not end a line; it stays in the line's text and
// the add-line step (splitAddedText) breaks it later, the way lines are
// added to the list.  An LF directly before a CR is a break of its own, as
// it is to the add-line step: the line ends before it and an empty line
// follows ("d LF CR e" gives "d", "", "e").  A file that ends with a break
// has no empty last line.
//
// Writing: every write goes to a temporary file that replaces the target
// only when it is complete, so a failed save leaves the old file whole.
// Text that the target encoding cannot hold is refused (Failure 5, the
// description names the characters) unless the caller asked for "?" in
// their place after warning the user; unencodableCharacters() is the check.

#include "document/FileBytes.h"
#include "document/LineText.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace petari {

// The UTF-16 encodings are written back with the byte order mark they were
// read with, or without one when the file had none.
enum class TextEncoding { Cp932, Utf8, Utf8Bom, Utf16Le, Utf16Be, Utf16LeBom, Utf16BeBom };

inline bool isUtf16(TextEncoding e)
{
    return e == TextEncoding::Utf16Le || e == TextEncoding::Utf16Be || e == TextEncoding::Utf16LeBom
           || e == TextEncoding::Utf16BeBom;
}

inline bool isBigEndian(TextEncoding e) { return e == TextEncoding::Utf16Be || e == TextEncoding::Utf16BeBom; }

struct TextFileContent {
    LineText lines;
    TextEncoding encoding = TextEncoding::Cp932;
    // How many U+FFFD stand for undefined bytes of the file.  Saving such a
    // document over its file changes those bytes, so the caller asks first.
    qsizetype invalidBytes = 0;
    // The bytes hold NUL bytes and do not read as UTF-16: no text file of
    // any encoding read here.  lines hold the reading by `encoding` all the
    // same; a caller shows such a file as bytes (the hexadecimal view), since
    // a save of those lines would not give the file back.
    bool binary = false;
};

// The largest files the program reads.  A text file of n bytes takes up to
// 2n of memory once read (its UTF-16 text and two bytes a line), and little
// more while it is read, since its bytes go as they are decoded; a byte of
// the hexadecimal view about 10 (a line of 75 characters for every 16
// bytes).  On a machine of a few GiB both stay well below what is there.
constexpr qint64 TextFileLimit = qint64(1) << 30;    // 1 GiB
constexpr qint64 HexViewLimit = qint64(64) << 20;    // 64 MiB

// The bytes of a whole regular file, opened by the bytes of its name (see
// FileName.h).  Failures: 53 no such file, 76 a folder of the path is
// missing (or is not a folder), 70 no permission to read, 75 the path is a
// folder, not a regular file (a device or pipe would never end), larger
// than limit, or the read itself failed; the description says which.  A
// named pipe is refused without waiting for a writer.
QByteArray readFileBytes(const QString& path, qint64 limit);

// Reads a whole file (at most TextFileLimit bytes).  Failures as readFileBytes.
TextFileContent readTextFile(const QString& path);

// The same from bytes already in memory.
TextFileContent decodeTextFile(QByteArrayView bytes);

// The same from a file's bytes, which go back to the system as they are
// decoded: they are spent afterwards.  With keepBinary, bytes that are
// binary are not decoded (no lines) and stay whole.  The lines are taken
// from budget when one is given: the decoding stops with DocumentTooLarge
// soon after it ran out.  A stop check is asked after every megabyte each
// decoding thread has done; true stops them all with ReadStopped.
TextFileContent decodeFileBytes(FileBytes& bytes, bool keepBinary, LineBudget* budget = nullptr,
                                StopCheck stop = nullptr);

// The lines of bytes (without a byte order mark) known to be Cp932 or Utf8,
// as decodeTextFile reads them, but for an LF before a CR: these are the
// program's own files, every line followed by CR LF, so the LF is the line's.  invalid (when given) counts the U+FFFD
// that stand for undefined or ill-formed bytes.
LineText decodeLinesAs(QByteArrayView bytes, TextEncoding encoding, qsizetype* invalid = nullptr);

// In this order: a UTF-8 byte order mark: Utf8Bom; FF FE: Utf16LeBom; FE FF:
// Utf16BeBom.  Bytes holding a NUL: Utf16Le or Utf16Be when they read as
// plausible UTF-16 text in the byte order the NULs point to and show enough
// of text (a CR LF, or a good share of ASCII; see the source), otherwise
// they are binary and fall through to the next rules.
// Bytes holding UTF-8 multi-byte sequences, at least three of them well
// formed for every ill-formed piece: Utf8 (the ill-formed pieces then show
// as U+FFFD).  Anything else, pure ASCII included: Cp932.
TextEncoding detectEncoding(QByteArrayView bytes);

// Whether the bytes are binary in the sense of TextFileContent::binary.
bool isBinary(QByteArrayView bytes);

// Splits decoded file text into lines by the reading rules above:
// "a\r\nb\r\n" and "a\r\nb" give {"a", "b"}, "a\r\n\r\n" gives {"a", ""},
// "" gives {}, "a\nb" gives {"a\nb"}, "a\n\rb" gives {"a", "", "b"}.
QStringList splitFileLines(QStringView text);

// Breaks a text into the lines the add-line step inserts: CR, LF and CR LF
// each end a line; two breaks in a row give an empty line; a text that ends
// with a break has no empty last line; an empty text gives one empty line.
// With foldWidth > 0 every line is further cut into pieces of foldWidth
// characters (an empty line stays one empty piece).  Characters are counted
// as code points, so a surrogate pair is never cut in half.
QStringList splitAddedText(const QString& text, int foldWidth);

// The same straight into chunks: a text of millions of lines needs no
// string for each.  The lines are taken from budget when one is given.
LineText splitAddedLines(QStringView text, int foldWidth, LineBudget* budget = nullptr);
// The same into lines being built.
void appendAddedLines(LineTextBuilder& out, QStringView text, int foldWidth);

// What to do with characters the target encoding cannot hold.
enum class Unencodable {
    Refuse,            // Failure 5 before the file is touched
    WriteQuestionMark  // the user has been told and agreed
};

// Every distinct character of the lines that the encoding cannot hold, in
// order of first appearance ("" when the lines can be written as they are).
// UTF-8 and UTF-16 hold every character.
QString unencodableCharacters(const LineText& lines, TextEncoding encoding = TextEncoding::Cp932);

// Writes the lines, each followed by CR LF (the last one too), encoding
// them a block at a time.
// Failures: 5 unencodable text refused, 70 no permission, 61 disk full,
// 76 the folder does not exist, 52 a name holding bytes that are not UTF-8
// (see FileName.h: such a file is read, but saved only under another name),
// 75 the target is a folder or any other failure.  On failure the old file,
// if any, is left as it was.
void writeTextFile(const QString& path, const LineText& lines, TextEncoding encoding,
                   Unencodable unencodable = Unencodable::Refuse);

// Writes the lines for classic Mac OS: each line followed by CR, then one
// CR LF after the whole text ("a", "b" give a CR b CR CR LF).  Failures as
// writeTextFile.
void writeMacTextFile(const QString& path, const LineText& lines, TextEncoding encoding,
                      Unencodable unencodable = Unencodable::Refuse);

}  // namespace petari
