#include "editing/Stamps.h"
#include "services/Guard.h"

#include <gtest/gtest.h>

using namespace petari;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QStringList stamp(int y, int mo, int d, int h, int mi, int s)
{
    return timeStampLines(QDate(y, mo, d), QTime(h, mi, s));
}

class FakeHost : public StampHost {
public:
    DiscardAnswer answer = DiscardAnswer::SavedFirst;
    QStringList list{"前の行"};
    int commits = 0;
    QString file = "x", operation;
    int modified = -1, keepView = -1;

    DiscardAnswer confirmDiscard() override { return answer; }
    QStringList lines() const override { return list; }
    void setLines(const QStringList& l) override { list = l; }
    void commitEdit(const QString& f, Commit change, const QString& op, HexView view) override
    {
        ++commits;
        file = f;
        modified = change == Commit::Modified ? 1 : 0;
        operation = op;
        keepView = view == HexView::Keep ? 1 : 0;
    }
};

}  // namespace

TEST(Stamps, FridayMorningExample)
{
    const QStringList expected = {
        "【年月日】", "2024年 1月 5日　金曜日", "令和6年 1月 5日　金曜日", "2024/01/05 (金)",
        "2024/ 1/ 5 (金)", "20240105", "",
        "【月日】", " 1月 5日　金曜日", "01/05 (金)", " 1/ 5 (金)", "0105", "",
        "【時分秒】", " 9時30分 5秒", "午前 9時30分 5秒", "09:30:05", " 9:30: 5", "AM09:30:05",
        "AM 9:30: 5", "093005", "",
        "【時分】", " 9時30分", "午前 9時30分", "09:30", " 9:30", "AM09:30", "AM 9:30", "0930", "",
        "【その他】", "睦月", "January", "Friday",
    };
    EXPECT_EQ(stamp(2024, 1, 5, 9, 30, 5), expected);
    EXPECT_EQ(timeStampLines(QDateTime(QDate(2024, 1, 5), QTime(9, 30, 5))), expected);
}

TEST(Stamps, NoonAndMidnight)
{
    const QStringList noon = stamp(2024, 6, 1, 12, 5, 9);
    EXPECT_EQ(noon[15], QStringLiteral("午後 0時 5分 9秒"));
    EXPECT_EQ(noon[18], QStringLiteral("PM00:05:09"));
    EXPECT_EQ(noon[19], QStringLiteral("PM 0: 5: 9"));
    EXPECT_EQ(noon[14], QStringLiteral("12時 5分 9秒"));
    EXPECT_EQ(noon[24], QStringLiteral("午後 0時 5分"));

    const QStringList midnight = stamp(2024, 6, 1, 0, 0, 0);
    EXPECT_EQ(midnight[15], QStringLiteral("午前 0時 0分 0秒"));
    EXPECT_EQ(midnight[18], QStringLiteral("AM00:00:00"));
    EXPECT_EQ(midnight[19], QStringLiteral("AM 0: 0: 0"));
    EXPECT_EQ(midnight[20], QStringLiteral("000000"));

    const QStringList evening = stamp(2024, 6, 1, 23, 59, 59);
    EXPECT_EQ(evening[15], QStringLiteral("午後11時59分59秒"));
    EXPECT_EQ(evening[19], QStringLiteral("PM11:59:59"));
}

TEST(Stamps, LastDayOfTheYear)
{
    const QStringList l = stamp(2026, 12, 31, 8, 0, 0);
    ASSERT_EQ(l.size(), 35);
    EXPECT_EQ(l[2], QStringLiteral("令和8年12月31日　木曜日"));
    EXPECT_EQ(l[11], QStringLiteral("1231"));
    EXPECT_EQ(l[32], QStringLiteral("師走"));
    EXPECT_EQ(l[33], QStringLiteral("December"));
    EXPECT_EQ(l[34], QStringLiteral("Thursday"));
}

TEST(Stamps, EraOfTheDate)
{
    struct Case { int y, m, d; const char* line; };
    const Case cases[] = {
        {2019, 4, 30, "平成31年 4月30日　火曜日"},
        {2019, 5, 1, "令和1年 5月 1日　水曜日"},
        {2020, 1, 1, "令和2年 1月 1日　水曜日"},
        {2026, 3, 2, "令和8年 3月 2日　月曜日"},
        {1989, 1, 7, "昭和64年 1月 7日　土曜日"},
        {1989, 1, 8, "平成1年 1月 8日　日曜日"},
        {1926, 12, 24, "大正15年12月24日　金曜日"},
        {1926, 12, 25, "昭和1年12月25日　土曜日"},
        {1912, 7, 30, "大正1年 7月30日　火曜日"},
        {1873, 1, 1, "明治6年 1月 1日　水曜日"},
        {1872, 12, 31, "西暦1872年12月31日　火曜日"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stamp(c.y, c.m, c.d, 10, 0, 0)[2], QString::fromUtf8(c.line));
}

TEST(Stamps, TheCommandReplacesTheDocumentUnlessCancelled)
{
    FakeHost host;
    host.answer = DiscardAnswer::KeepDocument;
    stampDocument(host, QDateTime(QDate(2024, 1, 5), QTime(9, 30, 5)));
    EXPECT_EQ(host.list, QStringList{"前の行"});
    EXPECT_EQ(host.commits, 0);

    for (DiscardAnswer answer : {DiscardAnswer::SavedFirst, DiscardAnswer::Discarded}) {   // either answer but Cancel goes on
        FakeHost h;
        h.answer = answer;
        stampDocument(h, QDateTime(QDate(2024, 1, 5), QTime(9, 30, 5)));
        ASSERT_EQ(h.list.size(), 35);
        EXPECT_EQ(h.list.last(), QStringLiteral("Friday"));
        EXPECT_EQ(h.commits, 1);
        EXPECT_EQ(h.file, QString());
        EXPECT_EQ(h.modified, 0);
        EXPECT_EQ(h.operation, QStringLiteral("日付時刻"));
        EXPECT_EQ(h.keepView, 0);
    }
}

TEST(Stamps, FailureIsReportedAndStillCommitted)
{
    struct Sink : ErrorSink {
        QStringList labels;
        void report(const QString& label, int, const QString&) override { labels << label; }
    } sink;
    ErrorSink* previous = errorSink();
    setErrorSink(&sink);
    EXPECT_THROW(timeStampLines(QDate(40000, 1, 1), QTime(0, 0)), Failure);
    FakeHost host;
    stampDocument(host, QDateTime(QDate(40000, 1, 1), QTime(0, 0)));
    setErrorSink(previous);
    EXPECT_EQ(sink.labels, QStringList{"F1 timeStanp"});
    EXPECT_EQ(host.commits, 1);
    EXPECT_EQ(host.operation, QStringLiteral("日付時刻"));
}
