#include "editing/TableOfContents.h"

#include "document/LineList.h"

#include <algorithm>

namespace petari {

QList<TocEntry> tableOfContents(const LineText& lines)
{
    // A heading needs an empty line before it: blocks of lines without one
    // after a line that is not empty are passed over whole.
    constexpr int Block = 256;
    QList<TocEntry> toc;
    bool previousEmpty = true;   // the document's start counts as one
    int row = 0;
    for (const LineText::Piece& p : lines.pieces()) {
        const LineChunk& chunk = *p.chunk;
        for (int i = p.first, end = p.first + p.count; i < end;) {
            const int blockEnd = std::min(i + Block, end);
            if (!previousEmpty && !chunk.hasEmptyLine(i, blockEnd)) {
                row += blockEnd - i;
                i = blockEnd;
                continue;
            }
            for (; i < blockEnd; ++i, ++row) {
                const bool empty = chunk.isEmpty(i);
                // A heading shows what its row shows: a line of millions
                // of characters is no heading to copy whole.
                if (!empty && previousEmpty)
                    toc.append({LineList::shownText(chunk.line(i)), row + 1});
                previousEmpty = empty;
            }
        }
    }
    return toc;
}

int tocTopLine(const QList<TocEntry>& toc, int index)
{
    if (index < 0 || index >= toc.size())
        return -1;
    return toc[index].line - 1;
}

}  // namespace petari
