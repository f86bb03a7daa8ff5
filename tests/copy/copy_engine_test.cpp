#include "copy/CopyEngine.h"

#include <gtest/gtest.h>

using namespace petari;

namespace {
struct CopyCase {
    const char* name;
    QStringList lines;
    bool mainList;
    int line;
    int letter;
    CopyOptions saved;
    QString expected;
};

CopyOptions with(std::function<void(CopyOptions&)> f)
{
    CopyOptions o;
    f(o);
    return o;
}
}  // namespace

TEST(CopyEngine, BuildsTheCopiedTextAsTheOptionsSay)
{
    const QString annotated = QStringLiteral("price 100 ''tax included");
    const std::vector<CopyCase> cases = {
        {"one line, all off", {"abc"}, true, 0, 0, {}, "abc"},
        {"one line, saved break", {"abc"}, true, 0, 0, with([](auto& o) { o.breakSingleLine = true; }), "abc\r\n"},
        {"saved break inverted by one-shot", {"abc"}, true, LineInvertBreak, 0,
         with([](auto& o) { o.breakSingleLine = true; }), "abc"},
        {"one-shot break without saved", {"abc"}, true, LineInvertBreak, 0, {}, "abc\r\n"},
        {"two lines of the list", {"a", "b"}, true, 0, 0, {}, "a\r\nb\r\n"},
        {"two lines joined", {"a", "b"}, true, LineNoJoinBreak, 0, {}, "ab"},
        {"two lines of the split list", {"a", "b"}, false, 0, 0, {}, "ab"},
        {"annotation cut keeps the blank", {annotated}, true, 0, 0,
         with([](auto& o) { o.annotationOn = true; }), "price 100 "},
        {"annotation cut then trailing trim", {annotated}, true, 0, 0,
         with([](auto& o) { o.annotationOn = true; o.trimTrailing = true; }), "price 100"},
        {"annotation at the start", {"''note"}, true, 0, 0, with([](auto& o) { o.annotationOn = true; }), ""},
        {"annotation ignores case", {"aXb"}, true, 0, 0,
         with([](auto& o) { o.annotationOn = true; o.annotation = "x"; }), "a"},
        {"annotation off leaves the line", {annotated}, true, 0, 0, {}, annotated},
        {"annotation ignores width", {"ab＇＇c"}, true, 0, 0, with([](auto& o) { o.annotationOn = true; }), "ab"},
        {"annotation ignores kana kind", {"値段：カラ"}, true, 0, 0,
         with([](auto& o) { o.annotationOn = true; o.annotation = "から"; }), "値段："},
        {"saved lower then one-shot upper half", {"Ａｂc"}, true, LineHalf, LetterUpper,
         with([](auto& o) { o.lower = true; }), "ABC"},
        {"one-shot half katakana", {"ひらがな"}, true, LineHalf, LetterKatakana, {}, "ﾋﾗｶﾞﾅ"},
        {"saved full and half end half", {"ｱa"}, true, 0, 0,
         with([](auto& o) { o.full = true; o.half = true; }), "ｱa"},
        {"one-shot full hiragana", {"ｶﾀｶﾅ"}, true, LineFull, LetterHiragana, {}, "かたかな"},
        {"leading and trailing blanks", {"  a b　"}, true, 0, 0,
         with([](auto& o) { o.trimLeading = true; o.trimTrailing = true; }), "a b"},
        {"one-shot leading trim", {"　 a "}, true, LineInvertLeading, 0, {}, "a "},
        {"saved leading trim inverted", {" a"}, true, LineInvertLeading, 0,
         with([](auto& o) { o.trimLeading = true; }), " a"},
        {"one-shot trailing trim", {" a  "}, true, LineInvertTrailing, 0, {}, " a"},
        {"capitalise", {"hello wORLD"}, true, 0, 0, with([](auto& o) { o.capitalise = true; }), "Hello World"},
        {"saved katakana then hiragana order", {"あア"}, true, 0, 0,
         with([](auto& o) { o.katakana = true; o.hiragana = true; }), "アア"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildCopyText(c.lines, c.mainList, c.line, c.letter, c.saved), c.expected) << c.name;
}

TEST(CopyEngine, NothingSelectedGivesNothing)
{
    EXPECT_EQ(buildCopyText({}, true, 0, 0, {}), QString());
}

TEST(CopyEngine, FindAnnotationPositions)
{
    EXPECT_EQ(findAnnotation(u"abc", u""), -1);
    EXPECT_EQ(findAnnotation(u"a", u"ab"), -1);
    EXPECT_EQ(findAnnotation(u"xxAB", u"ab"), 2);
    EXPECT_EQ(findAnnotation(u"ＡＢ", u"ab"), 0);
    EXPECT_EQ(findAnnotation(u"a😀''", u"''"), 3);
}

TEST(CopyEngine, MenuCaptionsNameTheOppositeOfTheSavedOption)
{
    CopyOptions off;
    CopyMenuCaptions c = copyMenuCaptions(off);
    EXPECT_EQ(c.breakSingleLineItem, "[改行 単]　一行選択時に改行を入れる。");
    EXPECT_EQ(c.trimLeadingItem, "[_←]　前部のスペースを省く。");
    EXPECT_EQ(c.trimTrailingItem, "[→_]　後部のスペースを省く。");
    CopyOptions on;
    on.breakSingleLine = on.trimLeading = on.trimTrailing = true;
    c = copyMenuCaptions(on);
    EXPECT_EQ(c.breakSingleLineItem, "[×改行 単]　一行選択時に改行を入れない。");
    EXPECT_EQ(c.trimLeadingItem, "[_←×]　前部のスペースを省かない。");
    EXPECT_EQ(c.trimTrailingItem, "[×→_]　後部のスペースを省かない。");
}
