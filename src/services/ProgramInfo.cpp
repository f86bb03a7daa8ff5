#include "services/ProgramInfo.h"

#include "platform/StringUtils.h"

namespace petari {

namespace programinfo {
QString caption() { return QStringLiteral("ペタリ"); }
}  // namespace programinfo

namespace {

QString year4(int year) { return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')); }

QString entry(int index, const QDateTime& now)
{
    const QDate d = now.date();
    const QTime t = now.time();
    const QString blank = QStringLiteral(" ");
    switch (index) {
    case 0:
        return programinfo::caption() + QStringLiteral(".exe  ");
    case 1:
        return QStringLiteral("Ver %1.%2.%3  ")
            .arg(programinfo::majorVersion)
            .arg(programinfo::minorVersion)
            .arg(programinfo::revision);
    case 2:
        return year4(d.year()) + QLatin1Char('/') + spacePadded2(d.month()) + QLatin1Char('/') +
               spacePadded2(d.day()) + blank;
    case 3:
        return zeroPadded2(t.hour()) + QLatin1Char(':') + zeroPadded2(t.minute()) + QLatin1Char(':') +
               zeroPadded2(t.second()) + blank;
    case 4:
        // The authors as the package's copyright names them; their door for
        // reports is the project's issue list.
        return QStringLiteral("The Petari developers") + QChar(0x3000) +
               QStringLiteral("https://github.com/petari/petari/issues");
    case 5:
        return year4(d.year()) + zeroPadded2(d.month()) + zeroPadded2(d.day());
    case 6:
        return zeroPadded2(t.hour()) + zeroPadded2(t.minute()) + zeroPadded2(t.second());
    case 7:
        return QStringLiteral("https://github.com/petari/petari");
    case 8:
        return QStringLiteral("C++17 / Qt 6");
    default:
        return QString();
    }
}

}  // namespace

QString programInformation(const QString& digits, const QDateTime& now)
{
    QString out;
    for (QChar c : digits) {
        const int index = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : 0;
        out += entry(index, now);
    }
    return out;
}

QString lineBreakDeveloperMessage()
{
    return QStringLiteral("開発者向けエラーメッセージ　kgsj()で意図しないデータを処理しました。");
}

QString withoutLineBreaks(const QString& text, const DeveloperWarning& warn)
{
    QString out;
    out.reserve(text.size());
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            out += c;
            continue;
        }
        const qsizetype position = i + 1;
        if (position > 2 && position < length - 1 && warn)
            warn(lineBreakDeveloperMessage());
    }
    return out;
}

}  // namespace petari
