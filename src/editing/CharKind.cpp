#include "editing/CharKind.h"

#include "document/Cp932.h"

#include <QChar>

namespace petari {

namespace {

struct KindRange {
    int first;
    int last;
    int kind;
};

// Double-byte ranges, in code order; 0x8140-0x8142 and 0x815B are taken out
// before this table is searched.
constexpr KindRange doubleByteKinds[] = {
    {0x8143, 0x824E, 8},  {0x824F, 0x825F, 1},  {0x8260, 0x829E, 2},  {0x829F, 0x833F, 4},
    {0x8340, 0x839E, 3},  {0x839F, 0x843F, 6},  {0x8440, 0x849E, 7},  {0x849F, 0x873F, 9},
    {0x8740, 0x889E, 8},  {0x889F, 0xFA3F, 5},  {0xFA40, 0xFA5B, 8},  {0xFA5C, 0xFC4B, 5},
    {0xFC4C, 0xFFFF, 10},
};

int singleByteKind(int code)
{
    if (code == 9 || code == 32)
        return 11;
    if (code < 32)
        return 10;
    if (code <= 47)
        return 21;
    if (code <= 57)
        return 22;
    if (code <= 64)
        return 23;
    if (code <= 90)
        return 24;
    if (code <= 96)
        return 25;
    if (code <= 122)
        return 24;
    if (code <= 165)
        return 27;
    return 28;
}

int unmappableKind(char32_t c, int previousKind)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return previousKind;
    default:
        break;
    }
    if (QChar::isSpace(c))
        return 11;
    switch (QChar::script(c)) {
    case QChar::Script_Han: return 5;
    case QChar::Script_Hiragana: return 4;
    case QChar::Script_Katakana: return 3;
    case QChar::Script_Greek: return 6;
    case QChar::Script_Cyrillic: return 7;
    case QChar::Script_Latin: return QChar::isLetter(c) ? 24 : 10;
    default: return 10;
    }
}

}  // namespace

int charKind(int code, int previousKind)
{
    if (code < 0)
        return 10;
    if (code < 256)
        return singleByteKind(code);
    if (code <= 0x813F)
        return previousKind;
    if (code <= 0x8142)
        return 11;
    if (code == 0x815B)
        return 3;
    for (const KindRange& r : doubleByteKinds)
        if (code >= r.first && code <= r.last)
            return r.kind;
    return 10;
}

int charKindOf(QStringView oneChar, int previousKind)
{
    if (oneChar.isEmpty())
        return previousKind;
    const int code = cp932::codeOf(oneChar);
    if (code != cp932::UnmappableCode || oneChar.front() == u'?')
        return charKind(code, previousKind);
    const char32_t c = oneChar.size() >= 2 && oneChar[0].isHighSurrogate() && oneChar[1].isLowSurrogate()
        ? QChar::surrogateToUcs4(oneChar[0], oneChar[1])
        : char32_t(oneChar[0].unicode());
    return unmappableKind(c, previousKind);
}

int isPlainSingleByte(const QString& text)
{
    for (const QChar ch : text) {
        const int code = cp932::codeOf(char32_t(ch.unicode()));
        if (code < 32 || code > 165)
            return 0;
        if (code == cp932::UnmappableCode && ch != u'?')
            return 0;
    }
    return 1;
}

}  // namespace petari
