#include "editing/Favourites.h"
#include "generators/FavouritesEditor.h"
#include "generators/LineEdits.h"
#include "generators/NumberBoxes.h"
#include "platform/Failure.h"

#include <gtest/gtest.h>

using namespace petari;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

TEST(LineEdits, CharacterAddition)
{
    CharacterAddition numbered;
    numbered.number = true;
    numbered.beforeNumber = QStringLiteral("No.");
    numbered.beforeLine = QStringLiteral(" ");
    CharacterAddition stepZero = numbered;
    stepZero.step = 0;
    CharacterAddition twoDigits = numbered;
    twoDigits.digits = 2;
    twoDigits.first = 100;
    CharacterAddition blanks = numbered;
    blanks.zeroFill = false;
    CharacterAddition free = numbered;
    free.fixedDigits = false;
    free.first = 9;
    free.step = 2;
    CharacterAddition wrapOnly;
    wrapOnly.beforeLine = QStringLiteral("「");
    wrapOnly.afterLine = QStringLiteral("」");
    const std::vector<int> onlyB = {1};
    const std::vector<int> aAndC = {0, 2};
    struct Case {
        CharacterAddition a;
        const std::vector<int>* rows;
        QStringList expected;
    };
    const Case cases[] = {
        {numbered, nullptr, {"No.001 a", "No.002 b", "No.003 c"}},
        {numbered, &onlyB, {"a", "No.001 b", "c"}},
        {numbered, &aAndC, {"No.001 a", "b", "No.002 c"}},
        {stepZero, nullptr, {"No.001 a", "No.001 b", "No.001 c"}},
        {twoDigits, nullptr, {"No.00 a", "No.01 b", "No.02 c"}},
        {blanks, nullptr, {"No.  1 a", "No.  2 b", "No.  3 c"}},
        {free, nullptr, {"No.9 a", "No.11 b", "No.13 c"}},
        {wrapOnly, nullptr, {"「a」", "「b」", "「c」"}},
    };
    for (const Case& c : cases) {
        QStringList lines = {"a", "b", "c"};
        addCharacters(lines, c.rows, c.a);
        EXPECT_EQ(lines, c.expected);
    }

    // A number past 32 bits is refused before any line changes.
    CharacterAddition big = numbered;
    big.first = 2147483646;
    QStringList lines = {"a", "b", "c"};
    EXPECT_THROW(addCharacters(lines, nullptr, big), Failure);
    EXPECT_EQ(lines, (QStringList{"a", "b", "c"}));
}

TEST(LineEdits, FirstNumberPreview)
{
    CharacterAddition a;
    EXPECT_EQ(firstNumberPreview(a), QString());
    a.number = true;
    EXPECT_EQ(firstNumberPreview(a), QStringLiteral("001"));
    a.zeroFill = false;
    EXPECT_EQ(firstNumberPreview(a), QStringLiteral("[半S][半S]1"));
    a.fixedDigits = false;
    a.first = 42;
    EXPECT_EQ(firstNumberPreview(a), QStringLiteral("42"));
}

TEST(LineEdits, EmptyLines)
{
    const QStringList ab = {"a", "b"};
    const QStringList ae = {"a", "b", "c", "d", "e"};
    EXPECT_EQ(withEmptyLines(ab, EmptyLineMode::BeforeEveryLine, 2), (QStringList{"", "", "a", "", "", "b"}));
    EXPECT_EQ(withEmptyLines(ae, EmptyLineMode::EveryNthLine, 2),
              (QStringList{"", "a", "b", "", "c", "d", "", "e"}));
    EXPECT_EQ(withEmptyLines(ae, EmptyLineMode::EveryNthLine, 1).size(), 10);
    for (EmptyLineMode m : {EmptyLineMode::BeforeEveryLine, EmptyLineMode::EveryNthLine}) {
        EXPECT_EQ(withEmptyLines(ae, m, 0), ae);
        EXPECT_EQ(withEmptyLines(ae, m, -3), ae);
        // Each old line is where rowAfterEmptyLines says.
        const QStringList out = withEmptyLines(ae, m, 3).toStringList();
        for (int i = 0; i < ae.size(); ++i)
            EXPECT_EQ(out[rowAfterEmptyLines(i, m, 3)], ae[i]);
    }
    EXPECT_THROW(withEmptyLines(QStringList(2, "x"), EmptyLineMode::BeforeEveryLine, 500001), RunRefused);
}

TEST(LineEdits, EmptyLinePreview)
{
    const EmptyLinePreview two = emptyLinePreview(EmptyLineMode::BeforeEveryLine, 2);
    ASSERT_EQ(two.left.size(), 63);
    ASSERT_EQ(two.right.size(), 63);
    EXPECT_EQ(two.left.mid(0, 4), (QStringList{"", "", "1行目", ""}));
    EXPECT_EQ(two.right.mid(0, 4), (QStringList{"←空白(1)", "←空白(2)", "", "←空白(1)"}));
    EXPECT_EQ(two.left.last(), QStringLiteral("21行目"));
    EXPECT_EQ(emptyLinePreview(EmptyLineMode::BeforeEveryLine, 255).left.size(), 21 * 22);

    const EmptyLinePreview every = emptyLinePreview(EmptyLineMode::EveryNthLine, 10);
    EXPECT_EQ(every.left.size(), 24);
    EXPECT_EQ(every.right[0], QStringLiteral("←空白"));
    EXPECT_EQ(every.left[11], QString());
    EXPECT_EQ(every.left[12], QStringLiteral("11行目"));
    EXPECT_EQ(emptyLinePreview(EmptyLineMode::EveryNthLine, 0).left.size(), 21);
}

TEST(FavouritesEditorTest, MovesDeletesAndWritesBackOnlyWhenAsked)
{
    Favourites favourites;
    for (int k = 1; k <= 3; ++k)
        favourites.setSlot(k, QStringLiteral("/f/%1").arg(QChar('A' + k - 1)));
    FavouritesEditor e(favourites);
    EXPECT_EQ(e.rows(), (QStringList{"/f/A", "/f/B", "/f/C"}));
    EXPECT_FALSE(e.canMoveUp(0));
    EXPECT_FALSE(e.canMoveDown(2));
    EXPECT_FALSE(e.canRemove(-1));
    EXPECT_EQ(e.moveUp(1), 0);
    EXPECT_EQ(e.rows(), (QStringList{"/f/B", "/f/A", "/f/C"}));
    EXPECT_EQ(e.moveDown(0), 1);
    EXPECT_EQ(e.moveDown(1), 2);
    EXPECT_EQ(e.rows(), (QStringList{"/f/A", "/f/C", "/f/B"}));
    EXPECT_EQ(e.remove(0), -1);
    EXPECT_EQ(favourites.slot(1), QStringLiteral("/f/A"));   // nothing written yet
    e.applyTo(favourites);
    EXPECT_EQ(favourites.slot(1), QStringLiteral("/f/C"));
    EXPECT_EQ(favourites.slot(2), QStringLiteral("/f/B"));
    EXPECT_EQ(favourites.slot(3), QString());

    // A gap in the stored slots is closed, so rows and entries agree.
    Favourites gap;
    gap.setSlot(1, QStringLiteral("/x"));
    gap.setSlot(4, QStringLiteral("/y"));
    FavouritesEditor g(gap);
    g.moveUp(1);
    g.applyTo(gap);
    EXPECT_EQ(gap.slot(1), QStringLiteral("/y"));
    EXPECT_EQ(gap.slot(2), QStringLiteral("/x"));
    EXPECT_EQ(gap.slot(4), QString());
}
