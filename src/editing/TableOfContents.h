#pragma once
// The table of contents of a document: every non-empty line that follows an
// empty line (or opens the document) is a heading.

#include "document/LineText.h"

#include <QList>
#include <QString>

namespace petari {

struct TocEntry {
    QString text;
    int line;   // 1-based line number in the list
    bool operator==(const TocEntry& o) const { return text == o.text && line == o.line; }
};

// tableOfContents: the headings in document order.  There is no limit on their number;
// a long document keeps all of its headings.  Only the headings' texts are
// copied out: an empty line is told by where the lines start.
QList<TocEntry> tableOfContents(const LineText& lines);

// Combo1_Click: the 0-based index of the line to scroll to the top for the
// chosen heading, or -1 when index chooses nothing.
int tocTopLine(const QList<TocEntry>& toc, int index);

}  // namespace petari
