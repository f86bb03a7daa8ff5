// The chunked line store against a plain list of strings: random edits,
// undos and redos give the same lines and the same snapshot bytes; and the
// edges of chunks.

#include "document/Cp932.h"
#include "document/LineList.h"
#include "document/LineText.h"
#include "editing/TableOfContents.h"
#include "editing/WorkFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace petari {
namespace {

// What a snapshot of these lines must hold, by the rule of the work files:
// code page 932 when it holds every character, UTF-8 with a byte-order mark
// otherwise; CR LF after every line.  (The alphabet of the random lines
// below has no look-alikes that code page 932 would change.)
QByteArray expectedSnapshot(const QStringList& lines)
{
    const bool cp932 = std::all_of(lines.begin(), lines.end(), [](const QString& l) { return cp932::canEncode(l); });
    QByteArray bytes = cp932 ? QByteArray() : QByteArray("\xEF\xBB\xBF");
    for (const QString& line : lines)
        bytes += (cp932 ? cp932::encode(line) : line.toUtf8()) + "\r\n";
    return bytes;
}

QByteArray snapshotOf(const LineText& lines, const QString& path)
{
    writeSnapshotFile(path, lines);
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
}

class RandomLines {
public:
    explicit RandomLines(unsigned seed) : rng_(seed) {}
    int below(int n) { return int(rng_() % unsigned(n)); }
    QString line()
    {
        // Empty lines, long ones, and a character outside the BMP now and then.
        static const QStringList alphabet{"a", "b", "Z", " ", "あ", "漢", "ｱ", "　", "😀"};
        QString s;
        const int length = below(8) == 0 ? 0 : below(4) == 0 ? 40 + below(200) : 1 + below(12);
        for (int i = 0; i < length; ++i)
            s += alphabet[below(below(50) == 0 ? 9 : 8)];
        return s;
    }
    QStringList lines(int n)
    {
        QStringList out;
        for (int i = 0; i < n; ++i)
            out << line();
        return out;
    }

private:
    std::mt19937 rng_;
};

TEST(LineText, RandomEditsUndosAndRedosMatchAPlainList)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("snapshot.txt");
    for (unsigned seed : {1u, 2u, 3u}) {
        RandomLines r(seed);
        QStringList plain = r.lines(8000);
        LineText store(plain);
        // The versions of both, as the undo chain keeps them.
        std::vector<QStringList> plainSteps{plain};
        std::vector<LineText> storeSteps{store};
        size_t at = 0;
        for (int op = 0; op < 3500; ++op) {
            // Mostly edits of a line or three at random places, which cut the
            // chunks into ever more pieces; now and then hundreds of lines.
            const int kind = r.below(20);
            if (kind >= 16 && kind < 18 && at > 0) {   // undo
                --at;
                plain = plainSteps[at];
                store = storeSteps[at];
                continue;
            }
            if (kind >= 18 && at + 1 < plainSteps.size()) {   // redo
                ++at;
                plain = plainSteps[at];
                store = storeSteps[at];
                continue;
            }
            const int row = r.below(int(plain.size()) + 1);
            if (kind == 0 || (kind >= 2 && kind < 8)) {   // insert
                const QStringList added = r.lines(1 + r.below(kind == 0 ? 300 : 3));
                for (int i = 0; i < added.size(); ++i)
                    plain.insert(row + i, added[i]);
                store.insert(row, added);
            } else if (kind == 1 || (kind >= 8 && kind < 14)) {   // delete
                const int n = std::min(int(plain.size()) - row, 1 + r.below(kind == 1 ? 300 : 3));
                plain.remove(row, n);
                store.remove(row, n);
            } else if (row < plain.size()) {   // replace one
                const QString line = r.line();
                plain[row] = line;
                store.remove(row);
                store.insert(row, LineText{line});
            }
            plainSteps.resize(at + 1);
            storeSteps.resize(at + 1);
            plainSteps.push_back(plain);
            storeSteps.push_back(store);
            ++at;
            ASSERT_EQ(store, plain) << "seed " << seed << ", operation " << op;
            if (op % 500 == 0)
                ASSERT_EQ(snapshotOf(store, path), expectedSnapshot(plain)) << "seed " << seed << ", operation " << op;
        }
        // Every version kept is still what it was when it was made.
        for (size_t i = 0; i < plainSteps.size(); i += 97)
            ASSERT_EQ(storeSteps[i], plainSteps[i]) << "seed " << seed << ", step " << i;
        EXPECT_EQ(snapshotOf(store, path), expectedSnapshot(plain));
        // Edits have cut the chunks into pieces, but never into many more
        // than the lines need.
        EXPECT_LT(store.pieces().size(), 1024 + size_t(store.size()) / 256 + 1) << "seed " << seed;
    }
}

TEST(LineText, ALineThatEndsAChunkAndTheFirstLineOfTheNext)
{
    // Two lines fill the first chunk to the last unit, the second ending in a
    // surrogate pair; the third starts the next chunk.
    const QString first(LineChunk::kCapacity - 12, QChar(u'x'));
    const QString last = QString(10, QChar(u'y')) + QStringLiteral("😀");
    ASSERT_EQ(first.size() + last.size(), LineChunk::kCapacity);
    LineTextBuilder b;
    for (const QString& line : {first, last, QStringLiteral("next")})
        b.append(line);
    LineText text = b.finish();
    ASSERT_EQ(text.pieces().size(), 2u);
    EXPECT_EQ(text.pieces()[0].chunk->textSize(), LineChunk::kCapacity);
    EXPECT_EQ(text.view(1), last);
    EXPECT_EQ(text.view(2), QStringLiteral("next"));
    // Cutting at the chunk's end, and one line before it, keeps every line whole.
    const struct {
        int row, count;
        QStringList left;
    } cuts[] = {{2, 1, {first, last}}, {1, 1, {first, "next"}}, {0, 2, {"next"}}};
    for (const auto& c : cuts) {
        LineText cut = text;
        cut.remove(c.row, c.count);
        EXPECT_EQ(cut, c.left) << c.row;
    }
    text.insert(2, LineText{"between"});
    EXPECT_EQ(text, (QStringList{first, last, "between", "next"}));
}

TEST(LineText, LinesLongerThanAChunkAndChunksFullOfEmptyLines)
{
    LineTextBuilder b;
    const QString huge(100000, QChar(u'漢'));
    b.append(QStringLiteral("a"));
    b.append(huge);
    b.append(QStringLiteral("b"));
    for (int i = 0; i < LineChunk::kMaxLines + 1; ++i)
        b.append(QStringView());
    const LineText text = b.finish();
    EXPECT_EQ(text.size(), 3 + LineChunk::kMaxLines + 1);
    EXPECT_EQ(text.view(1).size(), 100000);
    EXPECT_EQ(text.view(2), QStringLiteral("b"));
    EXPECT_TRUE(text.view(text.size() - 1).isEmpty());
    EXPECT_EQ(text.stats().longestLine, 100000);
    // "a", then "b" after the long line: both headings' places are known
    // from where the lines start.
    EXPECT_EQ(tableOfContents(text), (QList<TocEntry>{{"a", 1}}));
}

// A line longer than a write block goes out in pieces; a pair cut by a
// piece's end is written whole.
TEST(LineText, SnapshotsOfLinesLongerThanAWriteBlock)
{
    QTemporaryDir dir;
    const QString pair = QString::fromUtf16(u"😀");
    for (const QStringList& lines : {QStringList{QString(262143, u'a') + pair + "b", "c"},
                                     QStringList{QString(3000000, u'漢'), ""}}) {
        SCOPED_TRACE(lines[0].size());
        EXPECT_TRUE(snapshotOf(LineText(lines), dir.filePath("s.txt")) == expectedSnapshot(lines));
    }
}

TEST(LineText, TheEmptyDocument)
{
    LineText empty;
    EXPECT_EQ(empty.size(), 0);
    EXPECT_TRUE(empty.begin() == empty.end());
    EXPECT_EQ(empty, QStringList());
    empty.remove(0, 1);
    EXPECT_TRUE(empty.mid(0).isEmpty());
    EXPECT_TRUE(tableOfContents(empty).isEmpty());
    QTemporaryDir dir;
    EXPECT_EQ(snapshotOf(empty, dir.filePath("empty.txt")), QByteArray());
    empty.insert(5, LineText{"only"});
    EXPECT_EQ(empty, QStringList{"only"});
}


// A row shows at most 4000 units of its line, never half of a pair.
TEST(LineList, ARowShowsTheStartOfAVeryLongLine)
{
    const QString pair = QString::fromUtf16(u"😀");
    const struct {
        QString line;
        qsizetype shown;
    } cases[] = {
        {QString(4000, u'a'), 4000},
        {QString(4001, u'a'), 4000},
        {QString(3999, u'a') + pair, 3999},
        {QString(3998, u'a') + pair + "b", 4000},
        {QString(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.size());
        EXPECT_EQ(LineList::shownText(c.line), c.line.left(c.shown));
    }
    LineList list;
    list.setLines(LineText{QString(5000, u'z')});
    EXPECT_EQ(list.data(list.index(0), Qt::DisplayRole).toString(), QString(4000, u'z'));
}
}  // namespace
}  // namespace petari
