#include "editing/TableOfContents.h"

namespace petari {

QList<TocEntry> tableOfContents(const QStringList& lines)
{
    QList<TocEntry> toc;
    bool previousNonEmpty = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool nonEmpty = !lines[i].isEmpty();
        if (nonEmpty && !previousNonEmpty)
            toc.append({lines[i], static_cast<int>(i + 1)});
        previousNonEmpty = nonEmpty;
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
