// How large a document may grow, on every path that builds one, with small
// limits in place of the real ones: the last line or character that fits,
// and the first that does not.  A refusal says so and leaves the document,
// its file name and its undo steps as they were.
#include "support/Fixture.h"

#include "document/DocumentLimits.h"
#include "editing/History.h"
#include "editing/UndoChain.h"

#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

namespace {

const QString kKept = QStringLiteral("kept");

struct Limited : Fixture {
    QString start = writeFile("start.txt", "kept\r\n");

    explicit Limited(DocumentLimits limits)
    {
        c->document().setLimits(limits);
        c->openDocument(start);
        prompt.clear();
    }

    // The last message shown; "" when none was.
    QString message() const
    {
        for (auto it = prompt.asked().rbegin(); it != prompt.asked().rend(); ++it)
            if (it->kind == ScriptedPrompt::Asked::Message)
                return it->text;
        return QString();
    }

    void expectKept(const QStringList& lines, const QString& fileName) const
    {
        EXPECT_EQ(c->lines().lines(), lines);
        EXPECT_EQ(c->state().fileName, fileName);
        EXPECT_TRUE(sink.got.empty());
    }
};

}  // namespace

TEST(DocumentLimits, FilesOpenUpToTheLastLineAndCharacterThatFit)
{
    const DocumentLimits limits{4, 10};
    const QString tooManyLines = QStringLiteral("行が多すぎるため、このファイルを開けません。\r\n"
                                                "一つの文書に入るのは4行、10文字までです。");
    const QString tooManyCharacters = QStringLiteral("文字が多すぎるため、このファイルを開けません。\r\n"
                                                     "一つの文書に入るのは4行、10文字までです。");
    const struct {
        QByteArray bytes;
        QString refusal;   // "" when the file opens
    } cases[] = {
        {"a\r\nb\r\nc\r\nd\r\n", ""},
        {"a\r\nb\r\nc\r\nd\r\ne\r\n", tooManyLines},
        {"a\nb\nc\nd", ""},                 // one line read, four once added
        {"a\nb\nc\nd\ne", tooManyLines},
        {"0123456789\r\n", ""},
        {"0123456789a\r\n", tooManyCharacters},
        {"\xEF\xBB\xBF" "0123456789\r\n", ""},
        {QByteArray("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0c\0\r\0\n\0d\0\r\0\n\0e\0", 28), tooManyLines},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        Limited f(limits);
        const QString path = f.writeFile("open.txt", c.bytes);
        f.c->openDocument(path);
        EXPECT_EQ(f.message(), c.refusal.isEmpty() ? QString() : c.refusal + "\r\n" + path);
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(f.c->state().fileName, path);
            continue;
        }
        f.expectKept({kKept}, f.start);
        EXPECT_EQ(f.c->history().count(), 1);
        EXPECT_EQ(f.c->undo().undoNewest(), 0);
    }
}

// Pieces of a large file are decoded at once, each into chunks of its own:
// together they count exactly.
TEST(DocumentLimits, ALargeFileDecodedInPiecesCountsEveryLine)
{
    const QString big = QStringLiteral("big.txt");
    for (const qint64 lines : {3'000'000, 2'999'999}) {
        Limited f({lines, qint64(1) << 30});
        const QString path = f.writeFile(big, QByteArray("x\r\n").repeated(3'000'000));
        f.c->openDocument(path);
        if (lines == 3'000'000) {
            EXPECT_EQ(f.c->lines().count(), 3'000'000);
        } else {
            EXPECT_TRUE(f.message().startsWith(QStringLiteral("行が多すぎる")));
            f.expectKept({kKept}, f.start);
        }
    }
}

TEST(DocumentLimits, TheHexadecimalViewFitsOrIsRefused)
{
    for (const int bytes : {48, 64}) {   // a line for every 16 bytes, and one more
        Limited f({4, 1000});
        f.c->openDocument(f.writeFile("bytes.txt", QByteArray(bytes, 'z')));
        f.c->reloadAsHex();
        if (bytes == 48) {
            EXPECT_EQ(f.c->lines().count(), 4);
            EXPECT_TRUE(f.c->state().hexView);
        } else {
            EXPECT_TRUE(f.message().startsWith(QStringLiteral("行が多すぎるため、このファイルを開けません。")));
            f.expectKept({QString(64, 'z')}, f.path("bytes.txt"));
            EXPECT_FALSE(f.c->state().hexView);
        }
    }
}

TEST(DocumentLimits, AddedTextFitsOrIsRefusedWithoutAnUndoStep)
{
    const QString refusal = QStringLiteral("行が多すぎるため、追加できません。\r\n"
                                           "一つの文書に入るのは4行、100文字までです。");
    const struct {
        bool replace;       // 書換 of the first line, or 追加
        QString text;
        QStringList after;  // empty: refused
    } cases[] = {
        {false, "b\nc\nd", {"b", "c", "d", kKept}},
        {false, "b\nc\nd\ne", {}},
        {true, "a\nb\nc\nd", {"a", "b", "c", "d"}},
        {true, "a\nb\nc\nd\ne", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Limited f({4, 100});
        f.select({0});
        if (c.replace)
            f.c->replaceSelection(c.text);
        else
            f.c->addInput(c.text);
        if (!c.after.isEmpty()) {
            EXPECT_EQ(f.c->lines().lines(), c.after);
            EXPECT_EQ(f.message(), QString());
            continue;
        }
        EXPECT_EQ(f.message(), refusal);
        f.expectKept({kKept}, f.start);
        EXPECT_EQ(f.c->state().modified, 0);
        EXPECT_EQ(f.c->undo().undoNewest(), 0);
    }
}

TEST(DocumentLimits, TheRealLimitsAndTheirMessage)
{
    const DocumentLimits limits;
    EXPECT_EQ(limits.lines, 16'777'216);
    EXPECT_EQ(limits.units, 1'073'741'824);
    // No file of the largest size read has more characters than that.
    EXPECT_EQ(TextFileLimit, limits.units);
    EXPECT_EQ(documentTooLargeMessage(DocumentTooLarge(true), limits, QStringLiteral("追加できません")),
              QStringLiteral("行が多すぎるため、追加できません。\r\n"
                             "一つの文書に入るのは16,777,216行、1,073,741,824文字までです。"));
}
