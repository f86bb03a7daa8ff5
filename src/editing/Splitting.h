#pragma once
// Splitting one line into pieces that can be copied one at a time.

#include <QChar>
#include <QString>
#include <QStringList>

namespace petari {

// The five split commands, in menu order.
enum SplitMode {
    SplitAfterBlanks = 0,     // English: a piece ends after every blank
    SplitJapanese = 1,        // Japanese word boundaries
    SplitByKind = 2,          // every change of character kind
    SplitEveryCharacter = 3,  // one character per piece
    SplitAfterCharacter = 4,  // a piece ends after every split character
};
constexpr int kSplitModeCount = 5;

// The menu captions of the split commands, index 0 to 4.
QString splitModeCaption(int mode);

// The pieces of text in the given mode; splitChar is only used by mode 4.
// Characters are whole code points: a surrogate pair is never cut.  An
// empty text gives no piece; pieces are never empty and, joined, give the
// text back.  A mode outside 0 to 4 cuts nowhere (the whole text is one
// piece).
QStringList splitIntoPieces(const QString& text, int mode, QChar splitChar);

}  // namespace petari
