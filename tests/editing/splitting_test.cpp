#include "editing/Splitting.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string>
#include <vector>

namespace petari {
namespace {

struct SplitCase {
    int mode;
    const char16_t* text;
    std::vector<const char16_t*> pieces;
    char16_t splitChar = u'>';
};

std::string show(const QStringList& pieces)
{
    std::string out;
    for (const QString& p : pieces)
        out += "<" + QString(p).replace(u' ', u'_').toStdString() + ">";
    return out;
}

QStringList expected(const std::vector<const char16_t*>& pieces)
{
    QStringList out;
    for (const char16_t* p : pieces)
        out.append(QString::fromUtf16(p));
    return out;
}

// The worked examples and the rules of each mode.
const SplitCase kCases[] = {
    // After every blank: the blank stays with the word before it.
    {0, u"ab  cd", {u"ab ", u" ", u"cd"}},
    {0, u"これは、テスト", {u"これは、", u"テスト"}},
    {0, u"終わり。次", {u"終わり。", u"次"}},
    {0, u"a\tb　c", {u"a\t", u"b　", u"c"}},
    {0, u"ab ", {u"ab "}},
    {0, u"  ", {u" ", u" "}},
    {0, u"😀 👍x", {u"😀 ", u"👍x"}},
    {0, u"word", {u"word"}},

    // Japanese: hiragana stay with what goes before them.
    {1, u"私の本を読む", {u"私の", u"本を", u"読む"}},
    {1, u"それをください", {u"それを", u"ください"}},
    {1, u"このおかし", {u"この", u"おかし"}},
    {1, u"コーヒーを飲む", {u"コーヒーを", u"飲む"}},
    {1, u"漢字カタカナ", {u"漢字", u"カタカナ"}},
    {1, u"ABあいう", {u"ABあいう"}},
    {1, u"今日は 晴れ", {u"今日は", u" ", u"晴れ"}},
    {1, u" あ", {u" ", u"あ"}},
    {1, u"をを", {u"を", u"を"}},
    // Both rules at one place still give one cut.
    {1, u"本を漢", {u"本を", u"漢"}},
    {1, u"漢字😀です", {u"漢字", u"😀です"}},

    // Every change of kind.
    {2, u"abc123あいう漢字", {u"abc", u"123", u"あいう", u"漢字"}},
    {2, u"１２34", {u"１２", u"34"}},
    {2, u"12１２", {u"12", u"１２"}},
    {2, u"AbCd", {u"AbCd"}},
    {2, u"ABcd１", {u"ABcd", u"１"}},
    {2, u"ｱｲｳアイウ", {u"ｱｲｳ", u"アイウ"}},
    {2, u"コーヒー", {u"コーヒー"}},
    {2, u"ab  cd", {u"ab", u"  ", u"cd"}},
    {2, u"漢字、テスト。", {u"漢字", u"、", u"テスト", u"。"}},
    {2, u"a😀😀b", {u"a", u"😀😀", u"b"}},

    // Every character.
    {3, u"a b", {u"a", u" ", u"b"}},
    {3, u"あい", {u"あ", u"い"}},
    {3, u"a😀b", {u"a", u"😀", u"b"}},
    {3, u"👍👍", {u"👍", u"👍"}},

    // After the split character.
    {4, u"a>b>c", {u"a>", u"b>", u"c"}},
    {4, u"a>b>", {u"a>", u"b>"}},
    {4, u"abc", {u"abc"}},
    {4, u">>", {u">", u">"}},
    {4, u"a> b", {u"a>", u" b"}},
    {4, u"😀>😀", {u"😀>", u"😀"}},
    {4, u"あ、い、", {u"あ、", u"い、"}, u'、'},
    {4, u"a b c", {u"a ", u"b ", u"c"}, u' '},
};

TEST(SplitIntoPieces, ModesCutWhereTheirRuleSays)
{
    for (const SplitCase& c : kCases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(splitIntoPieces(text, c.mode, QChar(c.splitChar)), expected(c.pieces))
            << "mode " << c.mode << " on " << text.toStdString() << " gave "
            << show(splitIntoPieces(text, c.mode, QChar(c.splitChar)));
    }
}

TEST(SplitIntoPieces, OneSpaceIsOnePieceAndEmptyIsNone)
{
    for (int mode = 0; mode < kSplitModeCount; ++mode) {
        EXPECT_EQ(splitIntoPieces(QStringLiteral(" "), mode, u'>'), QStringList{QStringLiteral(" ")})
            << mode;
        EXPECT_TRUE(splitIntoPieces(QString(), mode, u'>').isEmpty()) << mode;
    }
    // A blank as split character: still the one blank, no empty piece.
    EXPECT_EQ(splitIntoPieces(QStringLiteral(" "), 4, u' '), QStringList{QStringLiteral(" ")});
}

TEST(SplitIntoPieces, PiecesRebuildTheTextAndNeverCutAPair)
{
    const QString texts[] = {
        QStringLiteral("The quick 茶色の狐 jumps、over。 the ｌａｚｙ ﾄﾞｯｸﾞ 123１２３ 😀👍🏽 end "),
        QStringLiteral("\t\t😀>👨‍👩‍👧>>a　b"),
        QStringLiteral("Ωμέγα Жизнь ─┼─ ①② 〜～"),
        QString(QChar(0xD83D)) + QStringLiteral("a") + QChar(0xDE00),   // lone surrogates
    };
    for (const QString& text : texts) {
        for (int mode = 0; mode < kSplitModeCount; ++mode) {
            const QStringList pieces = splitIntoPieces(text, mode, u'>');
            EXPECT_EQ(pieces.join(QString()), text) << mode << " " << show(pieces);
            qsizetype at = 0;
            for (const QString& p : pieces) {
                ASSERT_FALSE(p.isEmpty()) << mode;
                at += p.size();
                if (at < text.size())
                    EXPECT_FALSE(text.at(at - 1).isHighSurrogate() && text.at(at).isLowSurrogate())
                        << "mode " << mode << " cut a pair at " << at;
            }
        }
    }
}

TEST(SplitIntoPieces, LoneSurrogatesAreCharactersOfTheirOwn)
{
    const QString text = QString(QChar(0xD83D)) + QStringLiteral("a");
    EXPECT_EQ(splitIntoPieces(text, 3, u'>'), (QStringList{QString(QChar(0xD83D)), QStringLiteral("a")}));
}

TEST(SplitIntoPieces, UnknownModeCutsNowhere)
{
    for (int mode : {-1, 5, 99})
        EXPECT_EQ(splitIntoPieces(QStringLiteral("a b>c"), mode, u'>'),
                  QStringList{QStringLiteral("a b>c")})
            << mode;
}

}  // namespace
}  // namespace petari
