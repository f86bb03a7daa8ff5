#pragma once
// The hexadecimal view of a file's bytes, one line per 16 bytes:
//   "00000010 41 42 ... 4F  ABCDEFGHIJKLMNO"
// columns 1-8 the offset (8 upper-case hex digits), a blank, 16 "XX " pairs,
// a blank, then the bytes above 31 each shown as the code page 932 character
// of that one byte (bytes 0-31 are left out).  A line for the remaining 0 to
// 15 bytes always follows, its pairs padded with blanks to column 57.
//
// A byte that is half of a double-byte character, or that code page 932
// leaves undefined, shows as "・" (U+30FB, what Windows shows for such a
// byte): a character the view can be saved with, unlike U+FFFD.

#include "document/LineText.h"

#include <QByteArrayView>

namespace petari {

LineText hexViewLines(QByteArrayView bytes);

}  // namespace petari
