#pragma once
// Finding lines as a Japanese reader means it: "ｶﾞｷﾞ", "がぎ" and "ガギ" are
// the same word to them, and so are "ＡＢＣ" and "abc".  Both the lines and
// the query are folded the same way, and a line matches when its folded
// text holds every folded word of the query.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace petari {

struct SearchFolding {
    bool width = true;        // 全角と半角を区別しない
    bool kana = true;         // ひらがなとカタカナを区別しない
    bool letterCase = true;   // 大文字と小文字を区別しない
};

// The text with the told-apart differences removed.  Width: half-width
// katakana become full width with their sound marks composed (ｶﾞ → ガ, so
// that "カ" does not find "ガ"), full-width Latin, digits and signs become
// ASCII and U+3000 a blank.  Kana: hiragana become katakana.  Case: the
// simple lower-case mapping.  The folded text may be shorter than the text.
QString foldForSearch(QStringView text, const SearchFolding& folding);

// foldForSearch for millions of lines: a table made once from it for every
// character of the BMP, so that a line costs one look-up a character.  A
// half-width letter with its sound mark and a surrogate pair still go
// through foldForSearch, which thus stays the one definition of folding.
class SearchFolder {
public:
    explicit SearchFolder(const SearchFolding& folding);
    // Appends what foldForSearch(line, folding) gives to out.
    void appendFolded(QStringView line, QString& out) const;

private:
    SearchFolding folding_;
    const char16_t* table_;   // 65,536 units, shared by every folder of the folding
};

// The words of a query, folded: split at blanks, tabs and full-width
// blanks (typed with the input method on, a space is U+3000), empty words
// left out.  No words means every line matches.
QStringList searchWords(QStringView query, const SearchFolding& folding);

// Whether a folded line holds every word.
bool holdsEveryWord(QStringView foldedLine, const QStringList& words);

}  // namespace petari
