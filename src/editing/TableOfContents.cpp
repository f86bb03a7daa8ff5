#include "editing/TableOfContents.h"

namespace petari {

QList<TocEntry> tableOfContents(const LineText& lines)
{
    QList<TocEntry> toc;
    bool previousNonEmpty = false;
    int row = 0;
    for (const LineText::Piece& p : lines.pieces()) {
        const LineChunk& chunk = *p.chunk;
        for (int i = p.first, end = p.first + p.count; i < end; ++i, ++row) {
            const bool nonEmpty = chunk.end(i) > chunk.start(i);
            if (nonEmpty && !previousNonEmpty)
                toc.append({chunk.line(i).toString(), row + 1});
            previousNonEmpty = nonEmpty;
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
