#pragma once
// Code page 932 (Microsoft's Shift_JIS) both ways, and the code of a
// character.  The tables come from ICU's "windows-31j" converter the first
// time they are needed; nothing here is typed by hand.
//
// Decoding never fails: a byte or byte pair that code page 932 does not
// define becomes U+FFFD and is counted, so that a caller can warn before it
// writes such a text back.  Encoding never drops a character silently: what
// the code page cannot hold is written as "?" and reported.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace petari::cp932 {

// The code of a character the code page cannot hold, as Windows reports it.
constexpr int UnmappableCode = 63;

// Text of the bytes.  Undefined single bytes (0x80, 0xA0, 0xFD-0xFF), lead
// bytes without a valid trail byte, unassigned double-byte codes and a lead
// byte at the very end each give one U+FFFD; *invalidCount (when given) is
// set to the number of U+FFFD so produced.  A lead byte followed by a byte
// outside the trail range (a line break, say) costs only the lead byte.
QString decode(QByteArrayView bytes, qsizetype* invalidCount = nullptr);

// Low-level decoder for callers that manage their own buffer: writes at most
// bytes.size() UTF-16 units to out and returns how many it wrote; adds the
// number of U+FFFD produced for undefined bytes to *invalidCount.
qsizetype decodeInto(QByteArrayView bytes, char16_t* out, qsizetype* invalidCount);

// Bytes of the text.  Characters with two codes (the NEC and IBM duplicates)
// get the preferred one.  A few look-alikes that other systems produce are
// written as their code page 932 counterparts (〜 U+301C as ～ 0x8160, − U+2212
// as － 0x817C, ¥ U+00A5 as 0x5C ...).  Anything else the code page cannot hold
// is written as "?" and *unmappable (when given) receives every such
// character once, in order of first appearance; a surrogate pair (an emoji)
// is one character.  *unmappable is empty when everything could be written.
QByteArray encode(QStringView text, QString* unmappable = nullptr);

// Appends the bytes of text to out; otherwise as encode().  Returns the
// number of characters written as "?".
qsizetype encodeAppend(QStringView text, QByteArray& out, QString* unmappable = nullptr);

// Low-level encoder for callers that manage their own buffer and know that
// every character has a code (canEncode): writes at most 2 * text.size()
// bytes to out and returns the end of what it wrote.  A character without
// a code is written as "?" all the same.
char* encodeInto(QStringView text, char* out);

// True when every character of text has a code page 932 code.
bool canEncode(QStringView text);

// The value of the character's bytes: 0-255 for one byte, lead * 256 + trail
// for two.  UnmappableCode (63, the code of "?") for a character the code
// page cannot hold, including every character outside the BMP and a lone
// surrogate.
int codeOf(char32_t c);

// The code of the first character of oneChar (a surrogate pair counts as one
// character).  An empty view is an invalid argument (Failure 5).
int codeOf(QStringView oneChar);

}  // namespace petari::cp932
