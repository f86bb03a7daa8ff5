#include "services/ProgramInfo.h"

#include <gtest/gtest.h>

namespace petari {
namespace {

const QDateTime kMoment(QDate(2024, 1, 5), QTime(9, 30, 5));

TEST(ProgramInformation, EntriesOnAFixedMoment)
{
    struct Case { const char* digits; QString expected; };
    const Case cases[] = {
        {"0", QStringLiteral("ペタリ.exe  ")},
        {"1", QStringLiteral("Ver 2.40.167  ")},
        {"2", QStringLiteral("2024/ 1/ 5 ")},
        {"3", QStringLiteral("09:30:05 ")},
        {"4", QStringLiteral("The Petari developers　https://github.com/petari/petari/issues")},
        {"5", QStringLiteral("20240105")},
        {"6", QStringLiteral("093005")},
        {"7", QStringLiteral("https://github.com/petari/petari")},
        {"8", QStringLiteral("C++17 / Qt 6")},
        {"9", QString()},
        {"", QString()},
        {"012", QStringLiteral("ペタリ.exe  Ver 2.40.167  2024/ 1/ 5 ")},
        {"0123", QStringLiteral("ペタリ.exe  Ver 2.40.167  2024/ 1/ 5 09:30:05 ")},
        {"65", QStringLiteral("09300520240105")},
        // a character that is not a digit counts as 0
        {"x", QStringLiteral("ペタリ.exe  ")},
        {"5a6", QStringLiteral("20240105ペタリ.exe  093005")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(programInformation(QString::fromUtf8(c.digits), kMoment), c.expected) << c.digits;
}

TEST(ProgramInformation, TwoDigitMonthDayAndAfternoon)
{
    const QDateTime t(QDate(1999, 12, 31), QTime(23, 5, 9));
    EXPECT_EQ(programInformation(QStringLiteral("23"), t), QStringLiteral("1999/12/31 23:05:09 "));
    EXPECT_EQ(programInformation(QStringLiteral("56"), t), QStringLiteral("19991231230509"));
    EXPECT_FALSE(programInformation(QStringLiteral("7"), t).isEmpty());
}

TEST(WithoutLineBreaks, StripsBreaksAndWarnsOnlyInTheMiddle)
{
    struct Case { QString text; QString expected; int warnings; };
    const QString cr = QStringLiteral("\r"), lf = QStringLiteral("\n");
    const Case cases[] = {
        {QStringLiteral("abc") + cr + lf, QStringLiteral("abc"), 0},
        {QStringLiteral("ab") + cr + lf + QStringLiteral("cd"), QStringLiteral("abcd"), 2},
        {cr + lf + QStringLiteral("abcd"), QStringLiteral("abcd"), 0},
        {QStringLiteral("a") + lf + QStringLiteral("bcd"), QStringLiteral("abcd"), 0},   // position 2
        {QStringLiteral("ab") + lf + QStringLiteral("cde"), QStringLiteral("abcde"), 1}, // position 3 of 6
        {QStringLiteral("abc") + lf + QStringLiteral("d"), QStringLiteral("abcd"), 0},   // 4 of 5: last two
        {QStringLiteral("日本語"), QStringLiteral("日本語"), 0},
        {QString(), QString(), 0},
        {cr + lf, QString(), 0},
    };
    for (const Case& c : cases) {
        int warnings = 0;
        QString message;
        const QString out = withoutLineBreaks(c.text, [&](const QString& m) { ++warnings; message = m; });
        EXPECT_EQ(out, c.expected);
        EXPECT_EQ(warnings, c.warnings) << c.text.toStdString();
        if (warnings)
            EXPECT_EQ(message, QStringLiteral(
                "開発者向けエラーメッセージ　kgsj()で意図しないデータを処理しました。"));
    }
    // without a callback the breaks are still dropped
    EXPECT_EQ(withoutLineBreaks(QStringLiteral("ab\r\ncd")), QStringLiteral("abcd"));
}

}  // namespace
}  // namespace petari
