#pragma once
// The one UTF-8 validator of the program, and a lossless way through
// QString for bytes that are not UTF-8 (file names, the command line's
// standard input).
//
// Well-formed means the Unicode definition: no overlong forms (C0, C1, E0
// 80-9F, F0 80-8F), no encoded surrogates (ED A0-BF), nothing above
// U+10FFFF (F4 90-BF, F5-FF).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace petari::utf8 {

// Length (2 to 4) of the well-formed multi-byte sequence that starts at p;
// 0 when the bytes from p on (up to end) do not start one.  p < end and *p
// is not ASCII.
int sequenceLength(const unsigned char* p, const unsigned char* end);

// Length (at least 1) of the ill-formed piece at p that one U+FFFD stands
// for: the lead byte and the continuation bytes that still fitted it
// (Unicode's "maximal subpart").  Called where sequenceLength gave 0.
int faultLength(const unsigned char* p, const unsigned char* end);

struct Scan {
    qsizetype multiByte = 0;   // well-formed sequences of 2 to 4 bytes
    qsizetype faults = 0;      // ill-formed pieces, each one U+FFFD
    bool complete = true;      // every byte was looked at

    // UTF-8 with a stray byte is still UTF-8: text in a code page forms a
    // well-formed sequence now and then (ﾃｽ is C3 BD in code page 932), but
    // hardly ever three for every ill-formed piece, since most of its lead
    // bytes are UTF-8 continuation bytes.
    bool readsAsUtf8() const;
};
Scan scan(QByteArrayView bytes);
// The same answer to readsAsUtf8, but stops (complete false) once the rest
// of the bytes could no longer make the text UTF-8: a long code page file
// is not walked to its end.
Scan scanForVerdict(QByteArrayView bytes);

// Bytes that are not well-formed UTF-8 each become one lone low surrogate
// U+DC80-U+DCFF, which no text holds and no conversion touches; encoding
// writes them back as the bytes they stood for.  decodeEscaped appends to
// out.
void decodeEscaped(QByteArrayView bytes, QString& out);
QString decodeEscaped(QByteArrayView bytes);
// Any other lone surrogate is written as U+FFFD.  Appends to out.
void encodeEscaped(QStringView text, QByteArray& out);
QByteArray encodeEscaped(QStringView text);

}  // namespace petari::utf8
