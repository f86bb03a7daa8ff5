#include "editing/Splitting.h"

#include "editing/CharKind.h"

#include <QStringView>

namespace petari {

namespace {

constexpr int kBlank = 11;
constexpr int kHiragana = 4;

// Length in UTF-16 units of the character at pos: a surrogate pair is one
// character, a lone surrogate is kept as a character of its own.
inline qsizetype charLength(const QString& s, qsizetype pos)
{
    if (s.at(pos).isHighSurrogate() && pos + 1 < s.size() && s.at(pos + 1).isLowSurrogate())
        return 2;
    return 1;
}

inline bool isSingle(QStringView ch, char16_t c)
{
    return ch.size() == 1 && ch.front().unicode() == c;
}

}  // namespace

QString splitModeCaption(int mode)
{
    switch (mode) {
    case SplitAfterBlanks:
        return QStringLiteral("分割　1　(英文に適しています。)");
    case SplitJapanese:
        return QStringLiteral("分割　２　(日本語に適しています。)");
    case SplitByKind:
        return QStringLiteral("分割　３　(文字の種類で分けます。)");
    case SplitEveryCharacter:
        return QStringLiteral("分割　４　(一文字づつ分けます。)");
    case SplitAfterCharacter:
        return QStringLiteral("分割　５　(指定した文字で分けます。)");
    default:
        return QString();
    }
}

QStringList splitIntoPieces(const QString& text, int mode, QChar splitChar)
{
    QStringList pieces;
    if (text.isEmpty())
        return pieces;

    // A trailing blank closes the last word the same way a blank inside the
    // text does, so the walk needs no special last step for the cuts; it is
    // never part of a piece.
    const QString t = text + QLatin1Char(' ');
    const qsizetype sentinel = text.size();
    const bool needsKinds =
        mode == SplitAfterBlanks || mode == SplitJapanese || mode == SplitByKind;

    qsizetype pending = 0;   // start of the piece being gathered
    QStringView prev;        // the character before the current one
    int prevKind = 0;

    for (qsizetype pos = 0; pos < t.size();) {
        const QStringView cur(t.constData() + pos, charLength(t, pos));
        const int kind = needsKinds ? charKindOf(cur, prevKind) : 0;

        if (pos > 0) {
            bool cut = false;
            switch (mode) {
            case SplitAfterBlanks:
                cut = prevKind == kBlank;
                break;
            case SplitJapanese:
                // Hiragana stay with what precedes them (particles and
                // endings belong to their word), except after a blank;
                // "を" always ends a phrase, and "の" before "お" does too.
                cut = (kind != prevKind && (prevKind == kBlank || kind != kHiragana))
                      || isSingle(prev, u'を')
                      || (isSingle(prev, u'の') && isSingle(cur, u'お'));
                break;
            case SplitByKind:
                cut = kind != prevKind;
                break;
            case SplitEveryCharacter:
                cut = true;
                break;
            case SplitAfterCharacter:
                cut = prev.size() == 1 && prev.front() == splitChar;
                break;
            default:
                break;
            }
            if (cut) {
                pieces.append(t.mid(pending, pos - pending));
                pending = pos;
            }
        }

        prev = cur;
        prevKind = kind;
        pos += cur.size();
    }

    if (pending < sentinel)
        pieces.append(t.mid(pending, sentinel - pending));
    return pieces;
}

}  // namespace petari
