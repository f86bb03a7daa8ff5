#pragma once
// Splitting one line into pieces that can be copied one at a time, and the
// placement of the piece list over the main list.

#include "mainwindow/Twips.h"

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
QStringList bunkatu(const QString& text, int mode, QChar splitChar);

// The piece list's new rectangle.
using SplitPlacement = TwipsRect;

// Where to put the piece list (current rectangle piece) over the main list
// (mainList) so that it leaves the point x, y free, x and y being relative
// to the main list: the piece list takes half the main list's size when that
// is over 500 twips, and goes to the top when the point is in the lower half
// and to the right when it is in the left half (and the other way round),
// 100 twips in from the edges, 300 from the right one (the scroll bar).
SplitPlacement l11basyo(const TwipsRect& mainList, const TwipsRect& piece, int x, int y);

}  // namespace petari
