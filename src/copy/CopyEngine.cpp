#include "copy/CopyEngine.h"

#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "copy/Conversions.h"

namespace petari {

CopyOptions CopyOptions::fromSettings(const SettingsStore& s)
{
    CopyOptions o;
    o.breakSingleLine = s.get(settings::breakSingleLine);
    o.lower = s.get(settings::copyConversions.at(0));
    o.upper = s.get(settings::copyConversions.at(1));
    o.capitalise = s.get(settings::copyConversions.at(2));
    o.full = s.get(settings::copyConversions.at(3));
    o.half = s.get(settings::copyConversions.at(4));
    o.katakana = s.get(settings::copyConversions.at(5));
    o.hiragana = s.get(settings::copyConversions.at(6));
    o.trimLeading = s.get(settings::trimLeading);
    o.trimTrailing = s.get(settings::trimTrailing);
    o.annotationOn = s.get(settings::annotationEnabled);
    o.annotation = s.get(settings::annotation);
    return o;
}

namespace {

// A one-to-one folding of UTF-16 units, so that a match position in the folded
// text is the position in the original.
char16_t foldUnit(char16_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E && c != 0xFF3C)   // full-width ASCII forms
        c = static_cast<char16_t>(c - 0xFF01 + 0x21);
    else if (c == 0x3000)
        c = 0x20;
    else if (c >= 0x30A1 && c <= 0x30F6)              // katakana -> hiragana
        c = static_cast<char16_t>(c - 0x60);
    if (c < 0xD800 || c > 0xDFFF)
        c = QChar(c).toLower().unicode();
    return c;
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c.unicode() == 0x3000; }

}  // namespace

qsizetype findAnnotation(QStringView text, QStringView needle)
{
    const qsizetype n = needle.size();
    if (n == 0 || n > text.size())
        return -1;
    std::u16string fn(static_cast<size_t>(n), u'\0');
    for (qsizetype i = 0; i < n; ++i)
        fn[static_cast<size_t>(i)] = foldUnit(needle[i].unicode());
    const char16_t first = fn[0];
    for (qsizetype i = 0; i + n <= text.size(); ++i) {
        if (foldUnit(text[i].unicode()) != first)
            continue;
        qsizetype j = 1;
        while (j < n && foldUnit(text[i + j].unicode()) == fn[static_cast<size_t>(j)])
            ++j;
        if (j == n)
            return i;
    }
    return -1;
}

QString trimLeadingBlanks(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    return s.mid(i);
}

QString trimTrailingBlanks(const QString& s)
{
    qsizetype e = s.size();
    while (e > 0 && isBlank(s[e - 1]))
        --e;
    return s.left(e);
}

QString buildCopyText(const QStringList& lines, bool fromMainList, int P, int Q,
                      const CopyOptions& o)
{
    if (lines.isEmpty())
        return QString();
    QString separator;
    if (lines.size() == 1) {
        if (o.breakSingleLine != (P == LineInvertBreak))
            separator = QStringLiteral("\r\n");
    } else if (fromMainList && P != LineNoJoinBreak) {
        separator = QStringLiteral("\r\n");
    }
    const bool trimLead = o.trimLeading != (P == LineInvertLeading);
    const bool trimTrail = o.trimTrailing != (P == LineInvertTrailing);

    QString text;
    qsizetype total = 0;
    for (const QString& l : lines)
        total += l.size() + separator.size();
    text.reserve(total);
    for (const QString& original : lines) {
        QString line = original;
        if (o.annotationOn) {
            const qsizetype p = findAnnotation(line, o.annotation);
            if (p >= 0)
                line.truncate(p);
        }
        if (trimLead)
            line = trimLeadingBlanks(line);
        if (trimTrail)
            line = trimTrailingBlanks(line);
        text += line;
        text += separator;
    }

    // The saved conversions, then the one-shot ones, each in a fixed order so
    // that combinations compose the same way every time.
    if (o.lower) text = toLower(text);
    if (o.upper) text = toUpper(text);
    if (o.capitalise) text = capitaliseWords(text);
    if (o.full) text = toFullWidth(text);
    if (o.hiragana) text = toHiragana(text);
    if (o.katakana) text = toKatakana(text);
    if (o.half) text = toHalfWidth(text);

    if (Q == LetterLower) text = toLower(text);
    if (Q == LetterUpper) text = toUpper(text);
    if (P == LineFull) text = toFullWidth(text);
    if (Q == LetterHiragana) text = toHiragana(text);
    if (Q == LetterKatakana) text = toKatakana(text);
    if (P == LineHalf) text = toHalfWidth(text);
    return text;
}

CopyMenuCaptions copyMenuCaptions(const CopyOptions& o)
{
    CopyMenuCaptions c;
    c.breakSingleLineItem = o.breakSingleLine ? QStringLiteral("[×改行 単]　一行選択時に改行を入れない。")
                                   : QStringLiteral("[改行 単]　一行選択時に改行を入れる。");
    c.trimLeadingItem = o.trimLeading ? QStringLiteral("[_←×]　前部のスペースを省かない。")
                                : QStringLiteral("[_←]　前部のスペースを省く。");
    c.trimTrailingItem = o.trimTrailing ? QStringLiteral("[×→_]　後部のスペースを省かない。")
                                 : QStringLiteral("[→_]　後部のスペースを省く。");
    return c;
}

}  // namespace petari
