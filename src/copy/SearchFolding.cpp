#include "copy/SearchFolding.h"

#include "copy/Conversions.h"

namespace petari {

QString foldForSearch(QStringView text, const SearchFolding& folding)
{
    QString folded = folding.width ? toFullWidth(text) : text.toString();
    if (folding.width) {
        // Full width first composes half-width sound marks; Latin then goes
        // back to ASCII, the form the case mapping below and most typing use.
        for (QChar& c : folded) {
            const char16_t u = c.unicode();
            if (u >= 0xFF01 && u <= 0xFF5E)
                c = QChar(char16_t(u - 0xFF01 + 0x21));
            else if (u == 0x3000)
                c = QChar(u' ');
        }
    }
    if (folding.kana)
        folded = toKatakana(folded);
    if (folding.letterCase)
        folded = toLower(folded);
    return folded;
}

QStringList searchWords(QStringView query, const SearchFolding& folding)
{
    QStringList words;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= query.size(); ++i) {
        const bool blank = i == query.size() || query[i] == u' ' || query[i] == u'\t' || query[i] == u'\u3000';
        if (!blank)
            continue;
        if (i > start)
            words.append(foldForSearch(query.mid(start, i - start), folding));
        start = i + 1;
    }
    return words;
}

bool holdsEveryWord(QStringView foldedLine, const QStringList& words)
{
    for (const QString& word : words)
        if (!foldedLine.contains(word))
            return false;
    return true;
}

}  // namespace petari
