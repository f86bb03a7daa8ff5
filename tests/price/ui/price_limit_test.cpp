// A price table larger than one run may make is refused before it is built,
// in the window as on the command line.

#include "support/Fixture.h"

#include "document/RunLimits.h"
#include "price/PriceTable.h"
#include "price/ui/PriceWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;

TEST(PriceLimit, TheLimitCountsEveryCharacterOfTheLines)
{
    PriceInput in;   // 100 × 1..3 with 10 % tax: "¥110-", "¥220-", "¥330-"
    in.text[ToText] = QStringLiteral("3");
    EXPECT_EQ(priceTable(in, 15).lines, (QStringList{"¥110-", "¥220-", "¥330-"}));
    const PriceTable over = priceTable(in, 14);
    EXPECT_EQ(over.refusal.kind, PriceRefusal::TooManyCharacters);
    EXPECT_TRUE(over.lines.isEmpty());
}

TEST(PriceLimit, TheWindowRefusesAHugePrefixBeforeBuilding)
{
    test::DocumentFixture f;
    f.doc->replaceLinesAsMade({QStringLiteral("元の行")});
    PriceWindow window(*f.doc, f.prompt);
    window.show();
    test::child<QLineEdit>(window, "Text1_2")->setText(QStringLiteral("999999"));
    test::child<QLineEdit>(window, "Text1_5")->setText(QString(10000, QLatin1Char('x')));
    QTest::mouseClick(test::child<QPushButton>(window, "Command2_0"), Qt::LeftButton);
    ASSERT_FALSE(f.prompt.asked().empty());
    EXPECT_EQ(f.prompt.asked().back().text,
              QStringLiteral("作成する文字が多すぎます。一度に作成できるのは100,000,000文字までです。"));
    EXPECT_EQ(f.doc->lines().lines(), QStringList{QStringLiteral("元の行")});
}
