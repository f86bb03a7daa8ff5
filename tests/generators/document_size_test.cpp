// The generators that make or add lines stop at the document's limits (set
// small here): the last line or character that fits goes in, the first one
// past them is refused with a message and the document stays as it was.

#include "generators/GeneratorRuns.h"
#include "generators/LineEdits.h"
#include "support/Fixture.h"

#include <gtest/gtest.h>

using namespace petari;
using petari::test::DocumentFixture;

namespace {

const QString kTooManyLines = QStringLiteral("行が多すぎるため、作成できません。\r\n"
                                             "一つの文書に入るのは4行、10文字までです。");
const QString kTooManyCharacters = QStringLiteral("文字が多すぎるため、作成できません。\r\n"
                                                  "一つの文書に入るのは4行、10文字までです。");

enum class Kind { TemplateAdded, TemplateAlone, Random, EmptyLines, Characters };

}  // namespace

TEST(GeneratorDocumentSize, RunsFitOrAreRefused)
{
    const struct {
        Kind run;
        QStringList before;
        QStringList made;   // the template or random lines; the added characters
        int count;          // empty lines: one before every count-th line
        QString refusal;    // "" when the run goes in
        QStringList after;
    } cases[] = {
        {Kind::TemplateAdded, {"a", "b"}, {"c", "d"}, 0, "", {"a", "b", "c", "d"}},
        {Kind::TemplateAdded, {"a", "b"}, {"c", "d", "e"}, 0, kTooManyLines, {"a", "b"}},
        {Kind::TemplateAdded, {"abcde"}, {"fghij"}, 0, "", {"abcde", "fghij"}},
        {Kind::TemplateAdded, {"abcde"}, {"fghijk"}, 0, kTooManyCharacters, {"abcde"}},
        {Kind::TemplateAlone, {"a", "b"}, {"1", "2", "3", "4"}, 0, "", {"1", "2", "3", "4"}},
        {Kind::TemplateAlone, {"a"}, {"1", "2", "3", "4", "5"}, 0, kTooManyLines, {"a"}},
        {Kind::Random, {"a"}, {"1", "2", "3", "4"}, 0, "", {"1", "2", "3", "4"}},
        {Kind::Random, {"a"}, {"1", "2", "3", "4", "5"}, 0, kTooManyLines, {"a"}},
        {Kind::EmptyLines, {"a", "b"}, {}, 1, "", {"", "a", "", "b"}},
        {Kind::EmptyLines, {"a", "b", "c"}, {}, 2, kTooManyLines, {"a", "b", "c"}},
        {Kind::Characters, {"a", "b"}, {"wxyz"}, 0, "", {"awxyz", "bwxyz"}},
        {Kind::Characters, {"a", "b"}, {"vwxyz"}, 0, kTooManyCharacters, {"a", "b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.made.join('|').toStdString() + " " + std::to_string(int(c.run)));
        DocumentFixture f;
        Document& doc = *f.doc;
        doc.setLimits({4, 10});
        doc.replaceLinesAsMade(c.before);
        const auto made = [&] { return c.made; };
        bool done = false;
        switch (c.run) {
        case Kind::TemplateAdded:
        case Kind::TemplateAlone:
            done = runTemplate(doc, f.prompt, "F2 test", made, c.run == Kind::TemplateAdded);
            break;
        case Kind::Random:
            done = runRandom(doc, f.prompt, [] { return QString(); }, made);
            break;
        case Kind::EmptyLines:
            done = runEmptyLines(doc, f.prompt, EmptyLineMode::EveryNthLine, [&] { return c.count; });
            break;
        case Kind::Characters:
            done = runCharacterAddition(doc, f.prompt, [&] {
                CharacterAddition a;
                a.afterLine = c.made.front();
                return a;
            });
            break;
        }
        EXPECT_EQ(done, c.refusal.isEmpty());
        EXPECT_EQ(doc.lines().lines(), c.after);
        ASSERT_EQ(f.prompt.asked().empty(), c.refusal.isEmpty());
        if (!c.refusal.isEmpty())
            EXPECT_EQ(f.prompt.asked().back().text, c.refusal);
        EXPECT_TRUE(f.sink.got.empty());
    }
}
