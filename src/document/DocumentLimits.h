#pragma once
// How large one document may grow, in lines and in characters (UTF-16
// units), on every path that makes one: opening and reloading a file, the
// hexadecimal view, text added from the input box, and the windows that add
// lines to it.  A file or an addition beyond them is refused with a message
// before the document changes.
//
// What a document costs in memory, measured on the chunked store: 2 bytes
// a character and 2 bytes a line (the start of the line in its chunk), and
// about 80 bytes a chunk of up to 16,384 lines, nothing to speak of; 33
// million one-character lines take 132 MB.  But the commands that go over
// every line take much more a line, for the time they run: sorting takes
// about 36 bytes a line (a view, a sort key and its place, the order), a
// copy of every line about 28 besides the text (a string for each).  Those
// 33 million lines of 99 MB cost 1.2 GB to sort.
//
// The limits: 2^30 characters, 2 GiB of text, as many as a file of the
// largest size read (1 GiB) can give; and 2^24 lines, 32 MiB of line starts
// and about 600 MB for a sort, less than a third of what the characters
// may take.  A 1 GiB text fits when its lines are 64 bytes long on average
// (the bytes of the break included), as lines of prose, logs and tables
// are; a file of short lines that would cost more a line than it has bytes
// is refused.

#include "document/LineText.h"

#include <QString>

namespace petari {

struct DocumentLimits {
    qint64 lines = qint64(1) << 24;   // 16,777,216
    qint64 units = qint64(1) << 30;   // 1,073,741,824
};

// n with a comma every three digits: "16,777,216".
QString withSeparators(qint64 n);

// The message for a refusal: what ran out, that refused (what was not done:
// "このファイルを開けません"), and the limits.
QString documentTooLargeMessage(const DocumentTooLarge& refusal, const DocumentLimits& limits,
                                const QString& refused);

}  // namespace petari
