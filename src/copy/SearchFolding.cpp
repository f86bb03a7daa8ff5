#include "copy/SearchFolding.h"

#include "copy/Conversions.h"

#include <array>
#include <mutex>
#include <vector>

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

namespace {

constexpr char16_t kFirstHalfKana = 0xFF61;   // ｡
constexpr char16_t kLastHalfKana = 0xFF9D;    // ﾝ

bool isSoundMark(char16_t c) { return c == 0xFF9E || c == 0xFF9F; }   // ﾞ ﾟ

// Each unit folded alone.  All of them in code order make one text to fold:
// in that order no half-width letter is followed by a sound mark it could
// take (ﾝ, the last letter, takes none), so each unit folds as it would
// alone, and one call does what 63,488 would.
std::vector<char16_t> foldingTable(const SearchFolding& folding)
{
    QString all;
    all.reserve(0x10000 - 0x800);
    for (char32_t u = 0; u < 0x10000; ++u)
        if (!QChar::isSurrogate(u))
            all.append(QChar(char16_t(u)));
    const QString folded = foldForSearch(all, folding);
    std::vector<char16_t> table(0x10000);
    for (char32_t u = 0, i = 0; u < 0x10000; ++u) {
        if (QChar::isSurrogate(u)) {
            table[u] = char16_t(u);   // a lone half maps to itself
            continue;
        }
        // Should a character ever fold to two, each unit is folded alone.
        if (folded.size() == all.size())
            table[u] = folded[qsizetype(i)].unicode();
        else
            table[u] = foldForSearch(QString(QChar(char16_t(u))), folding).at(0).unicode();
        ++i;
    }
    return table;
}

const char16_t* sharedTable(const SearchFolding& folding)
{
    static std::mutex mutex;
    static std::array<std::vector<char16_t>, 8> tables;
    const int i = int(folding.width) | int(folding.kana) << 1 | int(folding.letterCase) << 2;
    const std::lock_guard<std::mutex> lock(mutex);
    if (tables[size_t(i)].empty())
        tables[size_t(i)] = foldingTable(folding);
    return tables[size_t(i)].data();
}

}  // namespace

SearchFolder::SearchFolder(const SearchFolding& folding) : folding_(folding), table_(sharedTable(folding)) {}

void SearchFolder::appendFolded(QStringView line, QString& out) const
{
    const qsizetype n = line.size();
    qsizetype written = out.size();
    // Folding never makes a line longer: a pair becomes at most a pair.
    out.resize(written + n);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const char16_t* in = reinterpret_cast<const char16_t*>(line.utf16());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        // Kana, kanji and Latin letters all lie below the surrogates: one
        // test for nearly every character.
        const bool pair = c >= 0xD800 && i + 1 < n &&
                          ((QChar::isHighSurrogate(c) && QChar::isLowSurrogate(in[i + 1]) && folding_.letterCase) ||
                           (c >= kFirstHalfKana && c <= kLastHalfKana && isSoundMark(in[i + 1]) && folding_.width));
        if (!pair) {
            o[written++] = table_[c];
            continue;
        }
        const QString folded = foldForSearch(line.mid(i, 2), folding_);
        if (written + folded.size() > out.size()) {
            out.resize(written + folded.size() + (n - i));
            o = reinterpret_cast<char16_t*>(out.data());
        }
        for (const QChar f : folded)
            o[written++] = f.unicode();
        ++i;
    }
    out.truncate(written);
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
