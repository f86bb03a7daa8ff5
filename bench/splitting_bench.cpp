// Splitting one 100,000-character line in each of the five modes, and
// sorting 100,000 lines.  The text mixes ASCII words, kana, kanji,
// full-width letters, blanks, "、" and "。", the split character and emoji,
// so that every mode finds cuts to make.

#include "editing/Sort.h"
#include "editing/Splitting.h"

#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <iterator>

namespace {

const char16_t* const kWords[] = {
    u"Hello ",   u"world> ",  u"私の",      u"本を",       u"読む。",   u"コーヒー",
    u"ｶﾀｶﾅ",     u"１２３",   u"abc123",    u"漢字仮名",   u"、",       u"😀",
    u"それを",   u"ください", u"ＡＢＣ",    u"　",         u"file.txt", u"の",
    u"おかし",   u"Ωμέγα",    u"─┼─",       u"〜",         u"\t",       u"👍🏽>",
};

struct Rng {
    uint32_t state;
    uint32_t next()
    {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    }
};

QString piecesOfText(qsizetype length, Rng& rng)
{
    QString out;
    out.reserve(length + 16);
    while (out.size() < length)
        out += QString::fromUtf16(kWords[rng.next() % std::size(kWords)]);
    out.truncate(length);
    if (!out.isEmpty() && out.back().isHighSurrogate())
        out.chop(1);
    return out;
}

const QString& longLine()
{
    static const QString line = [] {
        Rng rng{2024};
        return piecesOfText(100000, rng);
    }();
    return line;
}

void BM_Split(benchmark::State& state)
{
    const int mode = int(state.range(0));
    const QString& line = longLine();
    qsizetype pieces = 0;
    for (auto _ : state) {
        const QStringList result = petari::splitIntoPieces(line, mode, u'>');
        pieces = result.size();
        benchmark::DoNotOptimize(pieces);
    }
    state.counters["pieces"] = double(pieces);
    state.SetItemsProcessed(state.iterations() * line.size());
    state.SetLabel(petari::splitModeCaption(mode).toStdString());
}
BENCHMARK(BM_Split)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

const QStringList& manyLines()
{
    static const QStringList lines = [] {
        Rng rng{99};
        QStringList out;
        out.reserve(100000);
        for (int i = 0; i < 100000; ++i)
            out.append(piecesOfText(5 + qsizetype(rng.next() % 40), rng));
        return out;
    }();
    return lines;
}

void BM_SortLines(benchmark::State& state)
{
    const QStringList& lines = manyLines();
    for (auto _ : state) {
        const petari::LineText sorted = petari::sortLines(lines);
        benchmark::DoNotOptimize(sorted.size());
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_SortLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
