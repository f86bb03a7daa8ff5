// Throughput of the width and kana conversions on 10 MB of mixed Japanese
// text.  "bytes_per_second" counts the input as UTF-8 (what the command line
// reads); "utf16_bytes_per_second" counts it as the QString it is in memory.

#include "copy/Conversions.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <cstdint>
#include <iterator>

namespace {

// Pieces of the kinds of text that pass through a copy: ASCII, half-width
// katakana with sound marks, full-width katakana, hiragana, kanji and
// full-width Latin.  Line breaks every few pieces.
const char16_t* const kPieces[] = {
    u"Hello, world! ",     u"ｶﾞｷﾞｸﾞｹﾞｺﾞ",   u"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ",     u"ｱｲｳｴｵ ｶｷｸｹｺ",
    u"コンピューター",      u"ガギグゲゴ",       u"ひらがなのぶんしょう", u"漢字仮名交じり文",
    u"ＡＢＣ１２３ａｂｃ",  u"price: 1,200 yen", u"東京都千代田区",       u"ﾃﾞｰﾀﾍﾞｰｽ",
    u"カタカナ・テスト",    u"これはテストです。", u"ｳﾞｧｲｵﾘﾝ",            u"file_name.txt",
};

struct Sample {
    QString text;
    int64_t utf8Bytes = 0;
};

const Sample& sample()
{
    static const Sample s = [] {
        Sample out;
        constexpr int64_t kTarget = 10 * 1000 * 1000;   // UTF-8 bytes
        const int pieceCount = int(std::size(kPieces));
        uint32_t state = 12345;   // fixed sequence: every run sees the same text
        int sinceBreak = 0;
        while (out.utf8Bytes < kTarget) {
            state = state * 1103515245u + 12345u;
            const QString piece = QString::fromUtf16(kPieces[(state >> 16) % pieceCount]);
            out.text += piece;
            out.utf8Bytes += piece.toUtf8().size();
            if (++sinceBreak == 6) {
                out.text += u'\n';
                ++out.utf8Bytes;
                sinceBreak = 0;
            }
        }
        return out;
    }();
    return s;
}

template <QString (*Convert)(QStringView)>
void convertSample(benchmark::State& state)
{
    const Sample& s = sample();
    for (auto _ : state) {
        QString out = Convert(s.text);
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(state.iterations() * s.utf8Bytes);
    state.counters["utf16_bytes_per_second"] = benchmark::Counter(
        double(state.iterations()) * double(s.text.size() * 2), benchmark::Counter::kIsRate,
        benchmark::Counter::kIs1024);
}

void BM_ToFullWidth(benchmark::State& state) { convertSample<petari::toFullWidth>(state); }
void BM_ToHalfWidth(benchmark::State& state) { convertSample<petari::toHalfWidth>(state); }
void BM_ToKatakana(benchmark::State& state) { convertSample<petari::toKatakana>(state); }
void BM_ToHiragana(benchmark::State& state) { convertSample<petari::toHiragana>(state); }
void BM_ToUpper(benchmark::State& state) { convertSample<petari::toUpper>(state); }
void BM_CapitaliseWords(benchmark::State& state) { convertSample<petari::capitaliseWords>(state); }

}  // namespace

BENCHMARK(BM_ToFullWidth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToHalfWidth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToKatakana)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToHiragana)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToUpper)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CapitaliseWords)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
