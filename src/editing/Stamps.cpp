#include "editing/Stamps.h"

#include "calendar/Era.h"
#include "platform/StringUtils.h"
#include "platform/Failure.h"
#include "services/Guard.h"

namespace petari {

namespace {

const char16_t* const kWeekdayKanji[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
const char16_t* const kMonthNames[12] = {u"睦月", u"如月", u"弥生", u"卯月", u"皐月", u"水無月",
                                         u"文月", u"葉月", u"長月", u"神無月", u"霜月", u"師走"};
const char* const kEnglishMonths[12] = {"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
const char* const kEnglishDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

struct Moment {
    int Y, M, D, wd, H, N, S, h;
    QString W, AP, JP;
};

Moment readMoment(const QDate& date, const QTime& time)
{
    if (!date.isValid() || !time.isValid())
        throw Failure(err::InvalidArgument);
    Moment v{};
    v.Y = date.year();
    if (v.Y < -32768 || v.Y > 32767)
        throw Failure(err::Overflow);
    v.M = date.month();
    v.D = date.day();
    v.wd = date.dayOfWeek() % 7;   // Qt counts Monday 1 … Sunday 7
    v.W = QString::fromUtf16(kWeekdayKanji[v.wd]);
    v.H = time.hour();
    v.N = time.minute();
    v.S = time.second();
    v.h = v.H % 12;
    const bool am = v.H < 12;
    v.AP = am ? QStringLiteral("AM") : QStringLiteral("PM");
    v.JP = am ? QStringLiteral("午前") : QStringLiteral("午後");
    return v;
}

void appendLines(QStringList& out, const Moment& v)
{
    const QString Y = QString::number(v.Y);
    const QString sM = spacePadded2(v.M), sD = spacePadded2(v.D), zM = zeroPadded2(v.M), zD = zeroPadded2(v.D);
    const QString sH = spacePadded2(v.H), sN = spacePadded2(v.N), sS = spacePadded2(v.S), sh = spacePadded2(v.h);
    const QString zH = zeroPadded2(v.H), zN = zeroPadded2(v.N), zS = zeroPadded2(v.S), zh = zeroPadded2(v.h);
    const QString weekdaySuffix = QStringLiteral("日　") + v.W + QStringLiteral("曜日");
    const QString paren = QStringLiteral(" (") + v.W + QStringLiteral(")");

    // The era of the date itself, not one fixed era: 2026 is 令和8年.
    const EraYear era = japaneseEra(v.Y, v.M, v.D);
    const QString eraText = era.name.isEmpty() ? QStringLiteral("西暦") + Y
                                               : era.name + QString::number(era.year);

    out << QStringLiteral("【年月日】")
        << Y + QStringLiteral("年") + sM + QStringLiteral("月") + sD + weekdaySuffix
        << eraText + QStringLiteral("年") + sM + QStringLiteral("月") + sD + weekdaySuffix
        << Y + QStringLiteral("/") + zM + QStringLiteral("/") + zD + paren
        << Y + QStringLiteral("/") + sM + QStringLiteral("/") + sD + paren
        << Y + zM + zD
        << QString();

    out << QStringLiteral("【月日】")
        << sM + QStringLiteral("月") + sD + weekdaySuffix
        << zM + QStringLiteral("/") + zD + paren
        << sM + QStringLiteral("/") + sD + paren
        << zM + zD
        << QString();

    out << QStringLiteral("【時分秒】")
        << sH + QStringLiteral("時") + sN + QStringLiteral("分") + sS + QStringLiteral("秒")
        << v.JP + sh + QStringLiteral("時") + sN + QStringLiteral("分") + sS + QStringLiteral("秒")
        << zH + QStringLiteral(":") + zN + QStringLiteral(":") + zS
        << sH + QStringLiteral(":") + sN + QStringLiteral(":") + sS
        << v.AP + zh + QStringLiteral(":") + zN + QStringLiteral(":") + zS
        << v.AP + sh + QStringLiteral(":") + sN + QStringLiteral(":") + sS
        << zH + zN + zS
        << QString();

    out << QStringLiteral("【時分】")
        << sH + QStringLiteral("時") + sN + QStringLiteral("分")
        << v.JP + sh + QStringLiteral("時") + sN + QStringLiteral("分")
        << zH + QStringLiteral(":") + zN
        << sH + QStringLiteral(":") + sN
        << v.AP + zh + QStringLiteral(":") + zN
        << v.AP + sh + QStringLiteral(":") + sN
        << zH + zN
        << QString();

    out << QStringLiteral("【その他】")
        << QString::fromUtf16(kMonthNames[v.M - 1])
        << QString::fromLatin1(kEnglishMonths[v.M - 1])
        << QString::fromLatin1(kEnglishDays[v.wd]);
}

}  // namespace

QStringList timeStampLines(const QDate& date, const QTime& time)
{
    QStringList out;
    appendLines(out, readMoment(date, time));
    return out;
}

QStringList timeStampLines(const QDateTime& moment)
{
    return timeStampLines(moment.date(), moment.time());
}

void fillStampLines(QStringList& list, const QDateTime& moment)
{
    guarded(QStringLiteral("F1 timeStanp"), [&] {
        const Moment v = readMoment(moment.date(), moment.time());
        list.clear();
        appendLines(list, v);
    });
}

QString stampOperationName() { return QStringLiteral("日付時刻"); }

void stampDocument(StampHost& host, const QDateTime& now)
{
    if (host.confirmDiscard() == DiscardAnswer::KeepDocument)
        return;
    // A failure before the first line leaves the document's own lines,
    // which are asked for only then.
    QStringList lines;
    fillStampLines(lines, now);
    host.setLines(lines.isEmpty() ? host.lines() : lines);
    host.commitEdit(QString(), Commit::Unmodified, stampOperationName(), HexView::Drop);
}

}  // namespace petari
