#pragma once
// The pages of the generator window that change the document's own lines:
// character addition with optional numbering, and empty lines.

#include "document/LineText.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace petari {

class Document;

struct CharacterAddition {
    QString beforeNumber;     // "連番の前に付ける文字"
    QString beforeLine;       // "本文の前に付ける文字"
    QString afterLine;        // "本文の後ろに付ける文字"
    bool number = false;      // "連番を入れる"
    bool fixedDigits = true;  // "桁を指定する"
    bool zeroFill = true;     // "０で埋める"
    int digits = 3;           // absolute values of the boxes
    int first = 1;
    int step = 1;
    bool selectedOnly = false;   // "選択されている行に追加する。"
};

// Wraps the lines at the given rows (ascending), or every line when rows is
// null, numbering them 1, 2, 3 … in the order they are changed.  Throws
// before changing anything: RunRefused when the added text would pass the
// run limit, Failure(err::Overflow) when a number would leave 32 bits.
void addCharacters(QStringList& lines, const std::vector<int>* rows, const CharacterAddition& a);

// The first number as it will be written, for the label beside the boxes:
// "" without numbering; blanks shown by spellOutInvisibles.
QString firstNumberPreview(const CharacterAddition& a);

// Runs the character addition on the document: all lines or the selected
// ones, the selection kept.  Does not commit.  Throws DocumentTooLarge, the
// document unchanged, when the lines would pass its limits.
void addCharacters(Document& doc, const CharacterAddition& a);

enum class EmptyLineMode {
    BeforeEveryLine = 0,   // "各行に指定した数の空白行を入れる。": n empty lines before each line
    EveryNthLine = 1,      // "指定した行毎に空白行をいれる。": one before lines 1, n + 1, 2n + 1 …
};

// The lines with the empty lines inserted.  Throws RunRefused past the run
// limit, and DocumentTooLarge beyond the limits of doc when one is given;
// n below 1 leaves the lines as they are.
LineText withEmptyLines(const LineText& lines, EmptyLineMode mode, int n, const Document* doc = nullptr);
// Where a line that stood at row i stands afterwards.
qint64 rowAfterEmptyLines(qint64 i, EmptyLineMode mode, int n);

// Runs the empty-line insertion on the document, moving the selection with
// its lines (cleared when the empty lines would cut it into more than 10,000
// pieces).  Does not commit.
void insertEmptyLines(Document& doc, EmptyLineMode mode, int n);

// The example of 21 lines beside the page: the left column with the sample
// lines and empty lines, the right one with the markers for them; n is 0–255.
struct EmptyLinePreview {
    QStringList left;
    QStringList right;
};
EmptyLinePreview emptyLinePreview(EmptyLineMode mode, int n);

}  // namespace petari
